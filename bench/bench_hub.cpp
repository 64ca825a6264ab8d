// A 100,000-contact document in its hub, as the window drives it: opening it (to the first rows),
// committing a one-cell edit through the item model, a header-click sort, and closing it.

#include "common/ContactGenerator.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "document/WorkerPool.h"
#include "formats/ZRvCard.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Contacts = 100000;

const QString &text()
{
    static const QString cards = QString::fromUtf8(ContactGenerator::vCardText(Contacts, 7));
    return cards;
}

DocumentWindowData windowData()
{
    DocumentWindowData data;
    data.containerTable = *ZRvCard().containersFromVCards(text());
    data.selectedGroupDict = data.containerTable.first()->groups.first();
    data.contactTable = *data.selectedGroupDict->contactTable;
    data.documentName = u"contacts.vcf"_s;
    return data;
}

// Settings of the benchmark's own: first-run defaults, the "Address Detail" view.
struct Settings
{
    QTemporaryDir dir;
    QSettings settings { dir.filePath(u"defaults.ini"_s), QSettings::IniFormat };
    UserDefaults defaults { settings };
    Settings() { defaults.setSelectedViewType(u"Address Detail"_s); }
};

void BM_OpenToFirstRows(benchmark::State &state)
{
    Settings s;
    for (auto _ : state) {
        state.PauseTiming();
        DocumentWindowData data = windowData();
        auto hub = std::make_unique<DocumentHub>(s.defaults);
        state.ResumeTiming();
        hub->open(std::move(data));
        benchmark::DoNotOptimize(hub->tableModel().data(hub->tableModel().index(0, 1)));
        state.PauseTiming();
        hub.reset();
        WorkerPool::instance()->waitForDone();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenToFirstRows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// How long the window waits when it closes; the records are freed on a worker meanwhile.
void BM_Close(benchmark::State &state)
{
    Settings s;
    for (auto _ : state) {
        state.PauseTiming();
        DocumentHub hub(s.defaults);
        hub.open(windowData());
        state.ResumeTiming();
        hub.close();
        state.PauseTiming();
        WorkerPool::instance()->waitForDone();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Close)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

struct OpenHub
{
    Settings s;
    DocumentHub hub { s.defaults };
    OpenHub()
    {
        hub.open(windowData());
        hub.setColumns({ Ident::Phone, Ident::Note });
    }
};

OpenHub &openHub()
{
    static OpenHub open;
    return open;
}

// Typing a note into a cell with one row selected: the edit, its notice, and the row update the
// view would repaint.
void BM_OneCellEditThroughTheModel(benchmark::State &state)
{
    DocumentHub &hub = openHub().hub;
    ContactTableModel &model = hub.tableModel();
    const int noteColumn = int(hub.columns().indexOf(Ident::Note));
    int n = 0;
    for (auto _ : state) {
        const int row = (n * 7919) % 100000;
        hub.setSelectedRows({ row });
        model.setData(model.index(row, noteColumn), u"note %1"_s.arg(++n));
    }
}
BENCHMARK(BM_OneCellEditThroughTheModel)->Unit(benchmark::kMicrosecond);

void BM_HeaderClickSort(benchmark::State &state)
{
    DocumentHub &hub = openHub().hub;
    bool ascending = false;
    for (auto _ : state) {
        hub.sortBy({ Ident::CompositeName, ascending });
        ascending = !ascending;
    }
}
BENCHMARK(BM_HeaderClickSort)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // The document layer runs without a display: no GUI application here.
    QCoreApplication app(argc, argv);
    ContactDefaults::overrideForTesting(u"jp"_s, ContactDefaults::SortOrder::FamilyName);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
