#include "model/AddressFormats.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/StoreContact.h"
#include "model/StoreKeys.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

// Every address read from a vCard is formatted once (display text and mailing address), and every
// contact asks for its name order; these run inside the reading of large files.

namespace {

QVariantMap japaneseAddress(bool withCode)
{
    return { { CN::PostalAddressISOCountryCodeKey, withCode ? u"jp"_s : QString() },
        { Ident::ZIP, u"100-0001"_s }, { Ident::State, u"東京都"_s }, { Ident::City, u"千代田区"_s },
        { Ident::Street, u"千代田1-1"_s }, { Ident::Country, u"Japan"_s } };
}

void BM_DisplayTextWithCode(benchmark::State &state)
{
    const AddressFormats &formats = AddressFormats::shared();
    const QVariantMap entry = japaneseAddress(true);
    for (auto _ : state) {
        QVariantMap copy = entry;
        benchmark::DoNotOptimize(formats.addressFromLabeledValue(copy, AddressFormats::Both));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisplayTextWithCode);

void BM_DisplayTextPredicted(benchmark::State &state)
{
    const AddressFormats &formats = AddressFormats::shared();
    const QVariantMap entry = japaneseAddress(false);
    for (auto _ : state) {
        QVariantMap copy = entry;
        benchmark::DoNotOptimize(formats.addressFromLabeledValue(copy, AddressFormats::Both));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisplayTextPredicted);

void BM_RangeTable(benchmark::State &state)
{
    const AddressFormats &formats = AddressFormats::shared();
    const QVariantMap entry = japaneseAddress(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(formats.rangeTableFromAddressDictionary(entry));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RangeTable);

void BM_NameOrder(benchmark::State &state)
{
    StoreContact western;
    western.givenName = u"Alexander"_s;
    western.familyName = u"Hamilton"_s;
    StoreContact japanese;
    japanese.givenName = u"太郎"_s;
    japanese.familyName = u"山田"_s;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ContactDefaults::nameOrderForContact(western));
        benchmark::DoNotOptimize(ContactDefaults::nameOrderForContact(japanese));
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_NameOrder);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
