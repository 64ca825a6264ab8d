// Find and replace on a large document: a find-next that wraps through the whole table without a
// match (with the table's row index kept, and built again each time), the find panel's search of
// every field, and Replace All of a text held by 10,000 contacts with its undo registration, and
// that undo.

#include "common/ContactGenerator.h"
#include "document/ContactsViewController.h"
#include "document/ViewController.h"
#include "document/ViewTypeTables.h"
#include "find/CardTexts.h"
#include "find/FindController.h"
#include "find/FindPanel.h"
#include "formats/ZRvCard.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Contacts = 100000;
const QString Marker = u"Qxzmarker"_s;

struct Document
{
    ViewController controller;
    ContactsViewController table { controller };
    FindController find { controller, table };

    Document()
    {
        ContactDefaults::overrideForTesting(u"jp"_s, ContactDefaults::SortOrder::FamilyName);
        controller.setContainerTable(
            *ZRvCard().containersFromVCards(QString::fromUtf8(ContactGenerator::vCardText(Contacts, 7))));
        const ContactTable &contacts = *controller.selectedGroupDict()->contactTable;
        // Every tenth contact's company carries the text Replace All looks for.
        for (int i = 0; i < contacts.size(); i += 10)
            contacts.at(i)->person->setValueForIdentifier(Marker + u" Co."_s, Ident::Company);
        table.setContactTable(contacts);
        table.setColumns(ViewTypeTables::builtInViewTypes().value(u"Address Detail"_s));
        table.setSelectedLabels({ LabelText::All });
        table.updateTable();
    }
};

Document &document()
{
    static Document doc;
    return doc;
}

void BM_FindNextWrapsWithoutMatch(benchmark::State &state)
{
    Document &doc = document();
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.find.findNextString(u"no such text anywhere"_s, false));
    state.counters["index_MiB"] = double(doc.find.findIndexBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_FindNextWrapsWithoutMatch)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same search after every edit: the row index is built again each time.
void BM_FindNextWrapsWithoutMatchCold(benchmark::State &state)
{
    Document &doc = document();
    for (auto _ : state) {
        state.PauseTiming();
        doc.find.invalidateFindIndex();
        state.ResumeTiming();
        benchmark::DoNotOptimize(doc.find.findNextString(u"no such text anywhere"_s, false));
    }
}
BENCHMARK(BM_FindNextWrapsWithoutMatchCold)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FindPanelSearchesEveryField(benchmark::State &state)
{
    Document &doc = document();
    FindPanel panel(&doc.controller);
    panel.setContacts(*doc.controller.selectedGroupDict()->contactTable);
    for (auto _ : state) {
        panel.textDidEnter(u"no such text anywhere"_s);
        benchmark::DoNotOptimize(panel.searchResults().size());
    }
}
BENCHMARK(BM_FindPanelSearchesEveryField)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReplaceAllIn10000Contacts(benchmark::State &state)
{
    Document &doc = document();
    doc.find.setFindString(Marker);
    doc.find.setReplaceString(u"Replaced"_s);
    for (auto _ : state) {
        const int changed = doc.find.replaceAll();
        state.PauseTiming();
        if (changed != Contacts / 10)
            state.SkipWithError("Replace All did not change every planted value");
        doc.controller.undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReplaceAllIn10000Contacts)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoReplaceAll(benchmark::State &state)
{
    Document &doc = document();
    doc.find.setFindString(Marker);
    doc.find.setReplaceString(u"Replaced"_s);
    for (auto _ : state) {
        state.PauseTiming();
        doc.find.replaceAll();
        state.ResumeTiming();
        doc.controller.undo();
    }
}
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// The texts of freshly read cards, which stand for their records in the find panel's first search.
void BM_CardTextsOf100000Cards(benchmark::State &state)
{
    static const QByteArray text = ContactGenerator::vCardText(Contacts, 7);
    std::vector<QByteArrayView> cards;
    for (qsizetype at = text.indexOf("BEGIN:VCARD"); at >= 0;) {
        const qsizetype next = text.indexOf("BEGIN:VCARD", at + 1);
        cards.push_back(QByteArrayView(text).sliced(at, (next < 0 ? text.size() : next) - at));
        at = next;
    }
    std::u16string out;
    int needRecords = 0;
    for (auto _ : state) {
        // A text of its own each time, as each document's index has: its pages are new to it.
        std::u16string().swap(out);
        out.reserve(cards.size() * 256);
        needRecords = 0;
        for (const QByteArrayView card : cards) {
            needRecords += CardTexts::append(card, u'\xffff', out) == CardTexts::Reading::NeedsRecord ? 1 : 0;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["need_records"] = needRecords;
    state.counters["text_mb"] = double(out.size() * sizeof(char16_t)) / 1e6;
}
BENCHMARK(BM_CardTextsOf100000Cards)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
