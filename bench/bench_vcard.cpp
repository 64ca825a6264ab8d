#include "common/ContactGenerator.h"
#include "model/VCardSerialization.h"

#include <benchmark/benchmark.h>
#include <map>

namespace {

const QByteArray &textOf(int count)
{
    static std::map<int, QByteArray> texts;
    auto it = texts.find(count);
    if (it == texts.end())
        it = texts.emplace(count, ContactGenerator::vCardText(count)).first;
    return it->second;
}

void parseContacts(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QByteArray &text = textOf(count);
    for (auto _ : state) {
        QList<StoreContact> contacts = VCardSerialization::contactsWithData(text);
        benchmark::DoNotOptimize(contacts);
        // Freeing the contacts is the caller's business, not the parser's.
        state.PauseTiming();
        if (contacts.size() != count)
            state.SkipWithError("the generated text did not parse completely");
        contacts = {};
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * text.size());
}

void writeContacts(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QList<StoreContact> contacts = VCardSerialization::contactsWithData(textOf(count));
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray text = VCardSerialization::dataWithContacts(contacts);
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * bytes);
}

} // namespace

BENCHMARK(parseContacts)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeContacts)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
