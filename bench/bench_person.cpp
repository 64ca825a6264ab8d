#include "model/ContactDefaults.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QGuiApplication>
#include <QIODevice>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A typical contact of a large address book: a Japanese name with its reading, a company, two phones,
// an e-mail address, one postal address, a birthday and a note.
StoreContact typicalContact(int i)
{
    StoreContact c;
    c.identifier = u"bench-%1"_s.arg(i);
    c.familyName = u"山田"_s;
    c.givenName = u"太郎%1"_s.arg(i % 100);
    c.phoneticFamilyName = u"やまだ"_s;
    c.phoneticGivenName = u"たろう"_s;
    c.organizationName = u"株式会社サンプル"_s;
    c.jobTitle = u"部長"_s;
    c.note = u"memo"_s;
    c.birthday = DateComponents { 1980, 1 + i % 12, 1 + i % 28 };
    c.phoneNumbers
        = { { CN::LabelHome, u"03-1234-5678"_s }, { CN::LabelPhoneNumberMobile, u"090-1234-5678"_s } };
    c.emailAddresses = { { CN::LabelWork, u"taro%1@example.jp"_s.arg(i) } };
    c.postalAddresses = { { CN::LabelHome,
        StorePostalAddress {
            u"千代田1-1"_s, u"千代田区"_s, u"東京都"_s, u"100-0001"_s, u"日本"_s, u"jp"_s, {}, {} } } };
    return c;
}

void BM_FromStoreContact(benchmark::State &state)
{
    QList<StoreContact> contacts;
    for (int i = 0; i < 1000; ++i)
        contacts << typicalContact(i);
    qsizetype i = 0;
    for (auto _ : state) {
        auto person = ZRPerson::fromStoreContact(contacts.at(i++ % contacts.size()));
        benchmark::DoNotOptimize(person);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FromStoreContact);

void BM_ContactFromCache(benchmark::State &state)
{
    auto person = ZRPerson::fromStoreContact(typicalContact(1));
    for (auto _ : state) {
        StoreContact c = person->contactFromCache(nullptr);
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ContactFromCache);

void BM_ArchiveRoundTrip(benchmark::State &state)
{
    auto person = ZRPerson::fromStoreContact(typicalContact(1));
    for (auto _ : state) {
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            person->encode(out);
        }
        QDataStream in(bytes);
        auto back = ZRPerson::fromArchive(in);
        benchmark::DoNotOptimize(back);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ArchiveRoundTrip);

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ContactDefaults::overrideForTesting(u"jp"_s, ContactDefaults::SortOrder::FamilyName);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
