// Writing generated contacts as vCard (with the file export options) and as CSV, and reading CSV.
#include "common/ContactGenerator.h"
#include "formats/CsvReader.h"
#include "formats/CsvWriter.h"
#include "formats/VCardExport.h"
#include "formats/ZRvCard.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <map>

namespace {

// The records of count generated contacts as a document opens them, made once per count.
const ContactTable &entriesOf(int count, bool photos = false)
{
    static std::map<std::pair<int, bool>, ContactTable> tables;
    auto it = tables.find({ count, photos });
    if (it == tables.end()) {
        const auto containers = ZRvCard().containersFromVCards(ContactGenerator::vCardText(count, 1, photos));
        ContactTable table = *ZRvCard::contactsInContainer(*containers->first());
        it = tables.emplace(std::pair { count, photos }, std::move(table)).first;
    }
    return it->second;
}

// The same records once every value has been built, as after the table has shown them all.
const ContactTable &builtEntriesOf(int count)
{
    static std::map<int, ContactTable> tables;
    auto it = tables.find(count);
    if (it == tables.end()) {
        const auto containers = ZRvCard().containersFromVCards(ContactGenerator::vCardText(count));
        ContactTable table = *ZRvCard::contactsInContainer(*containers->first());
        for (const ContactEntryPtr &entry : table)
            entry->person->phoneValues();
        it = tables.emplace(count, std::move(table)).first;
    }
    return it->second;
}

void exportVCards(benchmark::State &state, const ContactTable &entries, bool photoOption)
{
    QStringList options = VCardExport::fileExportOptions();
    if (!photoOption)
        options.removeAll(VCardExport::Option::Photo);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const auto text = VCardExport::vCardsFromContacts(entries, options);
        bytes = text ? text->size() : 0;
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * entries.size());
    state.SetBytesProcessed(state.iterations() * bytes);
}

void writeVCards(benchmark::State &state)
{
    // Second argument 0: without the "Photo" option.
    exportVCards(state, entriesOf(int(state.range(0))), state.range(1) != 0);
}

void writeVCardsWithPhotos(benchmark::State &state)
{
    exportVCards(state, entriesOf(int(state.range(0)), true), true);
}

void writeBuiltVCards(benchmark::State &state)
{
    exportVCards(state, builtEntriesOf(int(state.range(0))), true);
}

// The record's own card alone, without what the export adds: the share of the export that is not
// this writer's.
void recordCards(benchmark::State &state)
{
    const ContactTable &entries = entriesOf(int(state.range(0)));
    for (auto _ : state) {
        qsizetype bytes = 0;
        for (const ContactEntryPtr &entry : entries)
            bytes += entry->person->vCardData().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * entries.size());
}

// Second argument 1: records whose values are built already; 0: as opened, so that the first
// iteration builds them.
void writeCsv(benchmark::State &state)
{
    const int count = int(state.range(0));
    const ContactTable &entries = state.range(1) ? builtEntriesOf(count) : entriesOf(count);
    qsizetype bytes = 0;
    for (auto _ : state) {
        // The export writes UTF-8, so the conversion is part of the work.
        const QByteArray text = CsvWriter::csvFromSubContacts(entries).toUtf8();
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * entries.size());
    state.SetBytesProcessed(state.iterations() * bytes);
}

void readCsv(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QString text = CsvWriter::csvFromSubContacts(entriesOf(count));
    for (auto _ : state) {
        CsvReader::Result result = CsvReader::contactsFromCSV(text);
        if (int(result.entries.size()) != count)
            state.SkipWithError("the CSV text did not read back completely");
        benchmark::DoNotOptimize(result);
        // Freeing the records is the caller's business, not the reader's.
        state.PauseTiming();
        result = {};
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

} // namespace

// Large vCard exports share their contacts out to every core: their rates are by the clock, not by
// the CPU time of the thread that started them.
BENCHMARK(writeVCards)
    ->Args({ 10000, 1 })
    ->Args({ 100000, 1 })
    ->Args({ 100000, 0 })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(writeVCardsWithPhotos)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(writeBuiltVCards)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(recordCards)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeCsv)
    ->Args({ 10000, 0 })
    ->Args({ 100000, 0 })
    ->Args({ 100000, 1 })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(readCsv)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Photos are drawn and encoded through QtGui.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
