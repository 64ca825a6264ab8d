// The document window on a 100,000-contact file, as `corvanthe FILE` opens it: from the request to the
// first rows painted (the file read on a worker behind the progress window, which stays up at least a
// second), the longest the GUI thread went without running a 10 ms timer meanwhile (in wall and in the
// GUI thread's CPU time), the resident memory with the document open, and closing the window until it
// is deleted.

#include "common/ContactGenerator.h"
#include "common/WindowBenchMain.h"
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
#include <ctime>

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

// CPU time the calling thread has used, in milliseconds.
double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The longest wait between two ticks of a 10 ms timer: how long the GUI thread was busy at a stretch.
// On a loaded machine the wall time of a stretch says more about the other processes than about us, so
// the GUI thread's own CPU time between two ticks is kept too.
class GapMeter
{
public:
    GapMeter()
    {
        m_clock.start();
        m_lastCpu = threadCpuMs();
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            const double cpu = threadCpuMs();
            m_longest = std::max(m_longest, now - m_last);
            m_longestCpu = std::max(m_longestCpu, cpu - m_lastCpu);
            m_last = now;
            m_lastCpu = cpu;
        });
        m_timer.start(10);
    }
    qint64 longest() const { return m_longest; }
    double longestCpu() const { return m_longestCpu; }

private:
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    double m_lastCpu = 0;
    double m_longestCpu = 0;
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
    double longestGapCpu = 0;
    double guiCpuMs = 0;
    double closeMs = 0;
    double closeCpuMs = 0;
    double residentMb = 0;
    for (auto _ : state) {
        QPointer<DocumentWindow> window;
        QElapsedTimer clock;
        QObject::connect(&application, &Application::windowOpened, &application,
            [&window](QWidget *opened) { window = qobject_cast<DocumentWindow *>(opened); });
        clock.start();
        const double cpuAtStart = threadCpuMs();
        {
            GapMeter gaps;
            application.openFile(path);
            while (!window || window->tableView()->model()->rowCount() == 0)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            // The first rows on screen: the window laid out and painted once.
            window->tableView()->viewport()->repaint();
            state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
            longestGap = std::max(longestGap, double(gaps.longest()));
            longestGapCpu = std::max(longestGapCpu, gaps.longestCpu());
            guiCpuMs = std::max(guiCpuMs, threadCpuMs() - cpuAtStart);
        }
        residentMb = std::max(residentMb, double(residentKb()) / 1024.0);

        QElapsedTimer closing;
        closing.start();
        const double cpuBeforeClose = threadCpuMs();
        window->close();
        // The window deletes itself on the next pass of the event loop; closing counts until it is gone.
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        closeMs = std::max(closeMs, double(closing.nsecsElapsed()) / 1e6);
        closeCpuMs = std::max(closeCpuMs, threadCpuMs() - cpuBeforeClose);
        if (window) {
            state.SkipWithError("the closed window was not deleted");
            break;
        }
        QObject::disconnect(&application, &Application::windowOpened, &application, nullptr);
        QApplication::processEvents();
    }
    state.counters["longest_gui_gap_ms"] = longestGap;
    state.counters["longest_gui_gap_cpu_ms"] = longestGapCpu;
    state.counters["gui_cpu_to_first_rows_ms"] = guiCpuMs;
    state.counters["close_cpu_ms"] = closeCpuMs;
    state.counters["resident_mb"] = residentMb;
    state.counters["close_ms"] = closeMs;
}
BENCHMARK(BM_OpenToFirstRowsAndClose)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
