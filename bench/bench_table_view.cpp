// The contact table widget over a 100,000-contact document, as a person uses it: painting a full
// 1,400 × 900 viewport, scrolling a page, a one-cell edit committed and repainted, a header-click sort.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench/bench_table_view

#include "common/ContactGenerator.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "formats/ZRvCard.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "ui/table/ContactTableView.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Contacts = 100000;

// One document open in a table view for every benchmark: opening it is the hub's benchmark.
struct Table
{
    QTemporaryDir dir;
    QSettings settings { dir.filePath(u"defaults.ini"_s), QSettings::IniFormat };
    UserDefaults defaults { settings };
    DocumentHub hub { defaults };
    ContactTableView *view = nullptr;
    QImage canvas { 1400, 900, QImage::Format_ARGB32_Premultiplied };

    Table()
    {
        defaults.setSelectedViewType(u"Address Detail"_s);
        DocumentWindowData data;
        data.containerTable
            = *ZRvCard().containersFromVCards(QString::fromUtf8(ContactGenerator::vCardText(Contacts, 7)));
        data.selectedGroupDict = data.containerTable.first()->groups.first();
        data.contactTable = *data.selectedGroupDict->contactTable;
        data.documentName = u"contacts.vcf"_s;
        hub.open(std::move(data));
        // The "Address Detail" columns and a note: the edit below changes a value, never the order.
        hub.setColumns(hub.columns() << Ident::Note);
        hub.setEditState(true);
        view = new ContactTableView(hub);
        view->resize(1400, 900);
        view->show();
        QCoreApplication::processEvents();
        paint();
    }
    void paint()
    {
        QPainter painter(&canvas);
        view->viewport()->render(&painter);
    }
};

Table &table()
{
    static Table *shared = new Table;
    return *shared;
}

void BM_PaintViewport(benchmark::State &state)
{
    Table &t = table();
    for (auto _ : state)
        t.paint();
}
BENCHMARK(BM_PaintViewport)->Unit(benchmark::kMillisecond);

void BM_ScrollPage(benchmark::State &state)
{
    Table &t = table();
    QScrollBar *bar = t.view->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        t.paint();
    }
}
BENCHMARK(BM_ScrollPage)->Unit(benchmark::kMillisecond);

void BM_OneCellEditAndRepaint(benchmark::State &state)
{
    Table &t = table();
    QAbstractItemModel *model = t.view->model();
    const int column = int(t.hub.columns().indexOf(Ident::Note));
    t.view->verticalScrollBar()->setValue(0);
    int n = 0;
    for (auto _ : state) {
        const int row = 3 + (n % 20);
        t.view->selectRow(row);
        model->setData(model->index(row, column), u"edit %1"_s.arg(++n));
        t.paint();
    }
}
BENCHMARK(BM_OneCellEditAndRepaint)->Unit(benchmark::kMillisecond);

void BM_HeaderClickSortAndRepaint(benchmark::State &state)
{
    Table &t = table();
    QHeaderView *header = t.view->horizontalHeader();
    const int section = 1; // "Name"
    const QPoint centre(
        header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
    for (auto _ : state) {
        // A click as the header gets it from the window system: press and release in the section.
        QMouseEvent press(QEvent::MouseButtonPress, centre, header->viewport()->mapToGlobal(centre),
            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(header->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, header->viewport()->mapToGlobal(centre),
            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(header->viewport(), &release);
        t.paint();
    }
}
BENCHMARK(BM_HeaderClickSortAndRepaint)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ContactDefaults::overrideForTesting(u"jp"_s, ContactDefaults::SortOrder::FamilyName);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
