// The document window on a 100,000-contact file, as `corvanthe FILE` opens it: from the request to the
// first rows painted (the file read on a worker behind the progress window, which stays up at least a
// second), the longest the GUI thread went without running a 10 ms timer meanwhile, the resident memory
// with the document open, and closing the window.

#include "common/ContactGenerator.h"
#include "document/Document.h"
#include "document/DocumentHub.h"
#include "model/ContactDefaults.h"
#include "ui/table/ContactTableView.h"
#include "ui/window/Application.h"
#include "ui/window/DocumentWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Contacts = 100000;

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

const QString &contactFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(u"contacts-100000.vcf"_s);
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(ContactGenerator::vCardText(Contacts, 7));
        return file;
    }();
    return path;
}

// The longest wait between two ticks of a 10 ms timer: how long the GUI thread was busy at a stretch.
class GapMeter
{
public:
    GapMeter()
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        });
        m_timer.start(10);
    }
    qint64 longest() const { return m_longest; }

private:
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

void BM_OpenToFirstRowsAndClose(benchmark::State &state)
{
    const QString path = contactFile();
    QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath(u"settings.ini"_s), QSettings::IniFormat);
    Application application(settings);
    application.setWindowFactory([&application](std::unique_ptr<Document> document) -> QWidget * {
        return new DocumentWindow(std::move(document), application.userDefaults());
    });
    double longestGap = 0;
    double closeMs = 0;
    double residentMb = 0;
    for (auto _ : state) {
        QPointer<DocumentWindow> window;
        QElapsedTimer clock;
        QObject::connect(&application, &Application::windowOpened, &application,
            [&window](QWidget *opened) { window = qobject_cast<DocumentWindow *>(opened); });
        clock.start();
        {
            GapMeter gaps;
            application.openFile(path);
            while (!window || window->tableView()->model()->rowCount() == 0)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            // The first rows on screen: the window laid out and painted once.
            window->tableView()->viewport()->repaint();
            state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
            longestGap = std::max(longestGap, double(gaps.longest()));
        }
        residentMb = std::max(residentMb, double(residentKb()) / 1024.0);

        QElapsedTimer closing;
        closing.start();
        window->close();
        QApplication::processEvents();
        closeMs = std::max(closeMs, double(closing.nsecsElapsed()) / 1e6);
        QObject::disconnect(&application, &Application::windowOpened, &application, nullptr);
        QApplication::processEvents();
    }
    state.counters["longest_gui_gap_ms"] = longestGap;
    state.counters["resident_mb"] = residentMb;
    state.counters["close_ms"] = closeMs;
}
BENCHMARK(BM_OpenToFirstRowsAndClose)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ContactDefaults::overrideForTesting(u"jp"_s, ContactDefaults::SortOrder::FamilyName);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
