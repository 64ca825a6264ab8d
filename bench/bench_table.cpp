// The contact table on a large document: building and sorting the sub-rows of 100,000 contacts, a
// one-cell edit with its undo registration, and the memory a contact takes.

#include "common/ContactGenerator.h"
#include "document/ContactsViewController.h"
#include "document/ViewController.h"
#include "document/ViewTypeTables.h"
#include "formats/ZRvCard.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"

#include <QFile>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Contacts = 100000;

// Resident memory in kB, from the kernel's own account.
long residentKb()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

struct Document
{
    ViewController controller;
    ContactsViewController table { controller };
    long kbPerThousand = 0;

    Document()
    {
        ContactDefaults::overrideForTesting(u"jp"_s, ContactDefaults::SortOrder::FamilyName);
        const QString text = QString::fromUtf8(ContactGenerator::vCardText(Contacts, 7));
        const long before = residentKb();
        controller.setContainerTable(*ZRvCard().containersFromVCards(text));
        kbPerThousand = (residentKb() - before) * 1000 / Contacts;
        table.setContactTable(*controller.selectedGroupDict()->contactTable);
        table.setColumns(ViewTypeTables::builtInViewTypes().value(u"Address Detail"_s));
        table.setSelectedLabels({ LabelText::All });
        table.setSortDescriptor(SortDescriptor { Ident::Name, true });
    }
};

Document &document()
{
    static Document doc;
    return doc;
}

void BM_BuildAndSortSubRows(benchmark::State &state)
{
    Document &doc = document();
    for (auto _ : state)
        doc.table.updateSubContactTable();
    state.counters["subRows"] = double(doc.table.subContactTable().size());
    state.counters["kB_per_1000_contacts"] = double(doc.kbPerThousand);
    state.SetItemsProcessed(state.iterations() * Contacts);
}
BENCHMARK(BM_BuildAndSortSubRows)->Unit(benchmark::kMillisecond);

// The same without sorting: how the time splits between building and ordering.
void BM_BuildSubRowsUnsorted(benchmark::State &state)
{
    Document &doc = document();
    doc.table.setSortDescriptor(std::nullopt);
    for (auto _ : state)
        doc.table.updateSubContactTable();
    doc.table.setSortDescriptor(SortDescriptor { Ident::Name, true });
    state.SetItemsProcessed(state.iterations() * Contacts);
}
BENCHMARK(BM_BuildSubRowsUnsorted)->Unit(benchmark::kMillisecond);

void BM_OneCellEditWithUndo(benchmark::State &state)
{
    Document &doc = document();
    // The rows as the table shows them now: an edit on rows built for other columns or another order
    // would rebuild them once, and that rebuild would be timed as the edit.
    doc.table.updateSubContactTable();
    int n = 0;
    for (auto _ : state) {
        const ContactEntryPtr row = doc.table.subContactTable().at(n % 1000);
        doc.controller.undoReplaceValue(u"note %1"_s.arg(++n), Ident::Note, row);
    }
}
BENCHMARK(BM_OneCellEditWithUndo)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
