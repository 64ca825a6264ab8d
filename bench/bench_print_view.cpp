// Printing from the window over 1,000 generated contacts: the postcard preview brought up to date and
// painted when the selection or an option changes, one step of dragging a block in layout mode (the
// move and the repaint), and all 1,000 postcards written to PDF through the window's export (pages/s,
// to compare with `corvanthe print --style hagaki`).

#include "common/ContactGenerator.h"
#include "common/WindowBenchMain.h"
#include "document/Document.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "model/ContactDefaults.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionsStore.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/print/PreviewView.h"
#include "ui/print/PrintController.h"
#include "ui/table/ContactTableView.h"
#include "ui/window/DocumentWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

constexpr int Contacts = 1000;

struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<UserDefaults> defaults;
    DocumentWindow *window = nullptr;

    Fixture()
    {
        settings = std::make_unique<QSettings>(dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
        PrintOptionsStore::savePrintStyle(*settings, PrintValue::StyleHagaki);
        defaults = std::make_unique<UserDefaults>(*settings);
        // CORVANTHE_PRINT_BENCH_FILE: the same file as a `corvanthe print` run, to compare rates.
        QString path = qEnvironmentVariable("CORVANTHE_PRINT_BENCH_FILE");
        if (path.isEmpty()) {
            path = dir.filePath(u"contacts.vcf"_s);
            QFile out(path);
            if (out.open(QIODevice::WriteOnly))
                out.write(ContactGenerator::vCardText(Contacts, 11));
        }
        auto document = std::make_unique<Document>();
        DocumentError error;
        document->readFromURL(path, ContactFileDialog::documentType(path), &error);
        window = new DocumentWindow(std::move(document), *defaults);
        window->resize(1100, 700);
        window->show();
        QApplication::processEvents();
    }
    ~Fixture() { delete window; }

    PreviewView &preview() { return *window->printController()->preview(); }
};

void BM_PreviewAfterSelectionChange(benchmark::State &state)
{
    Fixture f;
    int row = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        f.window->hub().setSelectedRows({ row });
        f.preview().repaint();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        row = (row + 7) % int(f.window->hub().table().subContactTable().size());
    }
}
BENCHMARK(BM_PreviewAfterSelectionChange)->Unit(benchmark::kMillisecond)->Iterations(100)->UseManualTime();

void BM_PreviewAfterOptionChange(benchmark::State &state)
{
    Fixture f;
    f.window->hub().setSelectedRows({ 0 });
    QVariantMap options = PrintOptionsStore::load(*f.settings);
    bool general = false;
    for (auto _ : state) {
        QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
        hagaki.insert(
            PrintKey::HagakiType, general ? PrintValue::HagakiTypeGeneral : PrintValue::HagakiTypeNenga);
        options.insert(PrintKey::Hagaki, hagaki);
        general = !general;
        QElapsedTimer clock;
        clock.start();
        PrintOptionsStore::save(*f.settings, options);
        f.preview().repaint();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_PreviewAfterOptionChange)->Unit(benchmark::kMillisecond)->Iterations(100)->UseManualTime();

void BM_LayoutDragStep(benchmark::State &state)
{
    Fixture f;
    f.window->hub().setSelectedRows({ 0 });
    f.window->printController()->setLayoutMode(true);
    PreviewView &view = f.preview();
    const QRectF block = view.editor().blocks().value(0).rect;
    QPointF at = view.toWidget(block.center());
    const auto send = [&view](QEvent::Type type, const QPointF &p, Qt::MouseButtons buttons) {
        QMouseEvent event(type, p, view.mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonPress, at, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        at += QPointF((step++ % 20) < 10 ? 1 : -1, 0);
        QElapsedTimer clock;
        clock.start();
        send(QEvent::MouseMove, at, Qt::LeftButton);
        view.repaint();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    send(QEvent::MouseButtonRelease, at, Qt::NoButton);
}
BENCHMARK(BM_LayoutDragStep)->Unit(benchmark::kMillisecond)->Iterations(200)->UseManualTime();

void BM_ExportThousandPostcards(benchmark::State &state)
{
    Fixture f;
    QList<int> all(f.window->hub().table().subContactTable().size());
    std::iota(all.begin(), all.end(), 0);
    f.window->hub().setSelectedRows(all);
    PrintController &print = *f.window->printController();
    int pages = 0;
    for (auto _ : state) {
        // Waits in an event loop, as the window does, so that the worker has the processor to itself.
        QEventLoop loop;
        const auto connection
            = QObject::connect(&print, &PrintController::finished, &loop, &QEventLoop::quit);
        QElapsedTimer clock;
        clock.start();
        if (print.exportPdfTo(f.dir.filePath(u"cards.pdf"_s)))
            loop.exec();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        QObject::disconnect(connection);
        pages = print.makeDocument().pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"]
        = benchmark::Counter(pages * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ExportThousandPostcards)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
