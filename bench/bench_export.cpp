// Writing generated contacts as vCard (with the file export options) and as CSV, and reading CSV.
#include "common/ContactGenerator.h"
#include "formats/CsvReader.h"
#include "formats/CsvWriter.h"
#include "formats/VCardExport.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <map>

namespace {

// Records of count generated contacts, made once per count.
const ContactTable &entriesOf(int count)
{
    static std::map<int, ContactTable> tables;
    auto it = tables.find(count);
    if (it == tables.end()) {
        ContactTable table;
        table.reserve(count);
        for (const StoreContact &contact :
            VCardSerialization::contactsWithData(ContactGenerator::vCardText(count))) {
            auto entry = std::make_shared<ContactEntry>();
            entry->person = ZRPerson::fromStoreContact(contact);
            entry->uniqueId = entry->person->uniqueId();
            table.append(entry);
        }
        it = tables.emplace(count, std::move(table)).first;
    }
    return it->second;
}

void writeVCards(benchmark::State &state)
{
    const ContactTable &entries = entriesOf(int(state.range(0)));
    // Second argument 0: without "Photo", whose placeholder pictures are most of the bytes.
    QStringList options = VCardExport::fileExportOptions();
    if (state.range(1) == 0)
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

void writeCsv(benchmark::State &state)
{
    const ContactTable &entries = entriesOf(int(state.range(0)));
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

BENCHMARK(writeVCards)
    ->Args({ 10000, 1 })
    ->Args({ 100000, 1 })
    ->Args({ 100000, 0 })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(recordCards)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeCsv)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
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
