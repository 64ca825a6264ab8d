// The find bar and the find panel in a document window of 100,000 contacts, as a person uses them: a
// keystroke in the search field (the search waits for the typing to pause), the search after the
// pause and Find Next with the table painted, the find panel's search with its rows arriving batch by
// batch (all of them, and the first ones), and Replace All in 10,000 contacts with the table painted again.

#include "common/ContactGenerator.h"
#include "common/WindowBenchMain.h"
#include "document/Document.h"
#include "document/DocumentHub.h"
#include "find/SearchableDocumentHub.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/find/FindBar.h"
#include "ui/find/FindPanelWindow.h"
#include "ui/table/ContactTableView.h"
#include "ui/window/DocumentWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

constexpr int Contacts = 100000;
const QString Marker = u"Qxzmarker"_s;

struct Window
{
    QTemporaryDir dir;
    QSettings settings { dir.filePath(u"settings.ini"_s), QSettings::IniFormat };
    UserDefaults defaults { settings };
    DocumentWindow *window = nullptr;

    Window()
    {
        const QString path = dir.filePath(u"contacts.vcf"_s);
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.write(ContactGenerator::vCardText(Contacts, 7));
        out.close();
        auto document = std::make_unique<Document>();
        DocumentError error;
        document->readFromURL(path, u"vCard"_s, &error);
        window = new DocumentWindow(std::move(document), defaults);
        // Every tenth contact's company carries the text Replace All looks for.
        const ContactTable &contacts = window->hub().table().contactTable();
        for (int i = 0; i < contacts.size(); i += 10)
            contacts.at(i)->person->setValueForIdentifier(Marker + u" Co."_s, Ident::Company);
        QStringList columns = window->hub().table().columns();
        if (!columns.contains(Ident::Company))
            window->hub().setColumns(columns << Ident::Company);
        window->resize(1000, 700);
        window->show();
        QApplication::processEvents();
        window->findBar()->setShown(true, false);
        window->searchableHub().findController().showFindBar(true);
        QApplication::processEvents();
    }
    void paint() { window->tableView()->viewport()->repaint(); }
};

Window &window()
{
    static Window w;
    return w;
}

double msSince(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// The processor time this thread has used: while other programs build on a loaded machine a step's
// wall time grows with the wait for a core, its processor time hardly at all.
double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The longest of several steps, by the wall clock and by the thread's processor time.
struct LongestStep
{
    double wallMs = 0;
    double cpuMs = 0;

    template <typename Step> void time(const Step &step)
    {
        QElapsedTimer clock;
        clock.start();
        const double cpu = threadCpuMs();
        step();
        cpuMs = std::max(cpuMs, threadCpuMs() - cpu);
        wallMs = std::max(wallMs, msSince(clock));
    }
};

void BM_KeystrokeInTheSearchField(benchmark::State &state)
{
    Window &w = window();
    QLineEdit *field = w.window->findBar()->searchField();
    field->clear();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u"a"_s);
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, u"a"_s);
        QApplication::sendEvent(field, &release);
        state.SetIterationTime(msSince(clock) / 1000.0);
    }
    w.window->findBar()->searchField()->clear();
}
BENCHMARK(BM_KeystrokeInTheSearchField)->Unit(benchmark::kMillisecond)->Iterations(20)->UseManualTime();

// Typing a word and waiting for its search as a person does, with the index not built yet (the first
// iteration also reads every record for the first time): the time is the longest the window was kept
// busy at once, the figure a person notices as a stall.
void BM_TypingAndFirstSearchLongestStall(benchmark::State &state)
{
    Window &w = window();
    FindBar *bar = w.window->findBar();
    QLineEdit *field = bar->searchField();
    FindController &find = w.window->searchableHub().findController();
    int i = 0;
    for (auto _ : state) {
        field->clear();
        bar->commitPendingSearch();
        find.invalidateFindIndex();
        const QString text = i++ % 2 ? u"Qxzmark"_s : u"Qxzmarke"_s;
        LongestStep longest;
        QElapsedTimer total;
        total.start();
        const auto timed = [&](const auto &step) { longest.time(step); };
        for (const QChar c : text) {
            timed([&] {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
                QApplication::sendEvent(field, &press);
            });
        }
        while (find.findString() != text)
            timed([] { QApplication::processEvents(); });
        timed([&] { w.paint(); });
        state.SetIterationTime(longest.wallMs / 1000.0);
        state.counters["until_found_ms"] = msSince(total);
        state.counters["longest_stall_cpu_ms"] = longest.cpuMs;
    }
}
BENCHMARK(BM_TypingAndFirstSearchLongestStall)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

void BM_SearchAfterThePauseWithPaint(benchmark::State &state)
{
    Window &w = window();
    QLineEdit *field = w.window->findBar()->searchField();
    int i = 0;
    for (auto _ : state) {
        field->setText(i++ % 2 ? u"Qxzmark"_s : u"Qxzmarke"_s);
        QElapsedTimer clock;
        clock.start();
        w.window->findBar()->commitPendingSearch();
        w.paint();
        state.SetIterationTime(msSince(clock) / 1000.0);
    }
}
BENCHMARK(BM_SearchAfterThePauseWithPaint)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

void BM_FindNextWithPaint(benchmark::State &state)
{
    Window &w = window();
    w.window->findBar()->searchField()->setText(Marker);
    w.window->findBar()->commitPendingSearch();
    FindController &find = w.window->searchableHub().findController();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        find.findBarButtonDidPress(FindAction::Next);
        w.paint();
        state.SetIterationTime(msSince(clock) / 1000.0);
    }
}
BENCHMARK(BM_FindNextWithPaint)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();

void BM_FindNextWithoutMatchWithPaint(benchmark::State &state)
{
    Window &w = window();
    w.window->findBar()->searchField()->setText(u"no such text anywhere"_s);
    w.window->findBar()->commitPendingSearch();
    FindController &find = w.window->searchableHub().findController();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        find.findBarButtonDidPress(FindAction::Next);
        w.paint();
        state.SetIterationTime(msSince(clock) / 1000.0);
    }
}
BENCHMARK(BM_FindNextWithoutMatchWithPaint)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// The find panel's search of every field as the window runs it: in slices from the event loop, the
// table getting its rows batch by batch. Timed until the last row is there and painted; the counters
// say when the first rows were painted and the longest the window was kept busy at once.
struct PanelSearch
{
    double totalMs = 0;
    double cpuMs = 0; // the window thread's processor time over the whole search
    double firstRowsMs = -1;
    double longestStallMs = 0;
    double longestStallCpuMs = 0;
    qsizetype rows = 0;
};

PanelSearch searchInPanel(FindPanelWindow &panel)
{
    PanelSearch result;
    QTableView *view = panel.resultsView();
    QElapsedTimer total;
    total.start();
    const double cpuStart = threadCpuMs();
    LongestStep longest;
    const auto timed = [&](const auto &step) { longest.time(step); };
    timed([&] { panel.search(); });
    while (panel.panel().isSearching()) {
        timed([] { QApplication::processEvents(); });
        if (result.firstRowsMs < 0 && view->model()->rowCount() > 0) {
            timed([&] { view->viewport()->repaint(); });
            result.firstRowsMs = msSince(total);
        }
    }
    timed([&] { view->viewport()->repaint(); });
    result.totalMs = msSince(total);
    result.cpuMs = threadCpuMs() - cpuStart;
    result.longestStallMs = longest.wallMs;
    result.longestStallCpuMs = longest.cpuMs;
    result.rows = panel.panel().searchResults().size();
    return result;
}

// A panel over the window, shown, that has searched once: the first search of a document reads every
// record from its card, as any first search does (the find bar's index too), and builds the panel's
// own index. Its time is given apart, as first_search_ms, since what follows measures searching again.
// Run alone (--benchmark_filter=FindPanelSearchWithTable) it searches records still unbuilt, read from
// their cards; run after the find bar's benchmarks, records those have built.
std::unique_ptr<FindPanelWindow> openPanel(
    double *firstSearchMs = nullptr, PanelSearch *firstSearch = nullptr)
{
    Window &w = window();
    auto panel = std::make_unique<FindPanelWindow>(w.window->searchableHub(), Marker, w.window);
    panel->show();
    QApplication::processEvents();
    const PanelSearch first = searchInPanel(*panel);
    if (firstSearchMs)
        *firstSearchMs = first.totalMs;
    if (firstSearch)
        *firstSearch = first;
    return panel;
}

void BM_FindPanelSearchWithTable(benchmark::State &state)
{
    double firstSearchMs = 0;
    PanelSearch first;
    std::unique_ptr<FindPanelWindow> panel = openPanel(&firstSearchMs, &first);
    PanelSearch last;
    double longest = 0;
    double longestCpu = 0;
    double cpu = 0;
    for (auto _ : state) {
        const double start = threadCpuMs();
        last = searchInPanel(*panel);
        cpu += threadCpuMs() - start;
        longest = std::max(longest, last.longestStallMs);
        longestCpu = std::max(longestCpu, last.longestStallCpuMs);
        state.SetIterationTime(last.totalMs / 1000.0);
    }
    state.counters["rows"] = double(last.rows);
    state.counters["first_rows_ms"] = last.firstRowsMs;
    state.counters["longest_stall_ms"] = longest;
    state.counters["longest_stall_cpu_ms"] = longestCpu;
    state.counters["cpu_ms"] = cpu / double(state.iterations());
    state.counters["index_mb"] = double(panel->panel().indexMemoryBytes()) / 1e6;
    state.counters["first_search_ms"] = firstSearchMs;
    state.counters["first_search_cpu_ms"] = first.cpuMs;
    state.counters["first_search_first_rows_ms"] = first.firstRowsMs;
    state.counters["first_search_stall_ms"] = first.longestStallMs;
    state.counters["first_search_stall_cpu_ms"] = first.longestStallCpuMs;
}
BENCHMARK(BM_FindPanelSearchWithTable)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// The time until the first rows of the panel's search are painted: what a person waits for.
void BM_FindPanelFirstRows(benchmark::State &state)
{
    std::unique_ptr<FindPanelWindow> panel = openPanel();
    for (auto _ : state) {
        const PanelSearch search = searchInPanel(*panel);
        state.SetIterationTime(search.firstRowsMs / 1000.0);
    }
}
BENCHMARK(BM_FindPanelFirstRows)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// A person opening the panel on a document just opened and typing what to look for, a key every
// 120 ms: the panel reads its index between keystrokes, and the search that follows reads only the
// records that may hold the text. Timed from that search's start until its last row is painted (at once
// after the last key, without the typing pause); longest_typing_stall_ms is the longest the field was
// kept waiting meanwhile. The document is fresh only when this runs on its own:
// --benchmark_filter=TypedOnFresh.
void BM_FindPanelTypedOnFreshDocument(benchmark::State &state)
{
    Window &w = window();
    PanelSearch search;
    LongestStep typing;
    for (auto _ : state) {
        FindPanelWindow panel(w.window->searchableHub(), QString(), w.window);
        panel.show();
        QLineEdit *field = panel.findChild<QLineEdit *>(u"findPanelSearchField"_s);
        for (const QChar c : Marker) {
            typing.time([&] {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
                QApplication::sendEvent(field, &press);
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(c));
                QApplication::sendEvent(field, &release);
            });
            QElapsedTimer pause;
            pause.start();
            while (pause.elapsed() < 120)
                typing.time([] { QApplication::processEvents(QEventLoop::AllEvents, 5); });
        }
        search = searchInPanel(panel);
        state.SetIterationTime(search.totalMs / 1000.0);
        state.counters["rows"] = double(search.rows);
        state.counters["cpu_ms"] = search.cpuMs;
        state.counters["first_rows_ms"] = search.firstRowsMs;
        state.counters["longest_stall_ms"] = search.longestStallMs;
        state.counters["index_mb"] = double(panel.panel().indexMemoryBytes()) / 1e6;
    }
    state.counters["longest_typing_stall_ms"] = typing.wallMs;
    state.counters["longest_typing_stall_cpu_ms"] = typing.cpuMs;
}
BENCHMARK(BM_FindPanelTypedOnFreshDocument)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_ReplaceAllIn10000ContactsWithPaint(benchmark::State &state)
{
    Window &w = window();
    FindController &find = w.window->searchableHub().findController();
    int changed = 0;
    for (auto _ : state) {
        find.setFindString(Marker);
        find.setReplaceString(u"Other"_s);
        QElapsedTimer clock;
        clock.start();
        changed = find.replaceAll();
        QApplication::processEvents();
        w.paint();
        state.SetIterationTime(msSince(clock) / 1000.0);
        state.PauseTiming();
        w.window->hub().undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["changed"] = changed;
}
BENCHMARK(BM_ReplaceAllIn10000ContactsWithPaint)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseManualTime();

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
