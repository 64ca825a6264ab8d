#include "ui/dialogs/ProgressWindow.h"

#include "UiTestSupport.h"
#include "ui/dialogs/ProgressTask.h"
#include "ui/dialogs/ReadProgress.h"
#include "ui/window/Application.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <iostream>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

// Enough cards that reading them takes far longer than a cancel may.
QByteArray manyCards(int count)
{
    QByteArray text;
    text.reserve(count * 120);
    for (int i = 0; i < count; ++i)
        text += card(u"Person %1"_s.arg(i), u"TEL;TYPE=CELL:+81 90 0000 %1\r\n"_s.arg(i)).toUtf8();
    return text;
}

// How often the GUI thread ran a 10 ms timer while it lives, and its longest wait for it. A thread
// that blocks runs it once or not at all; the wait itself depends on how loaded the machine is.
class GapMeter
{
public:
    GapMeter()
    {
        m_clock.start();
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.restart());
            ++m_ticks;
        });
        m_timer.start();
    }
    qint64 longest() const { return m_longest; }
    int ticks() const { return m_ticks; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
    int m_ticks = 0;
};

using ProgressWindowTest = WidgetTest;

} // namespace

TEST_F(ProgressWindowTest, CancelClosesTheWindowAtOnceAndStopsTheReadPromptly)
{
    const QString path = writeFile(dir, u"many.vcf"_s, manyCards(200000));
    QWidget window;
    window.show();
    ReadProgress read;
    read.setMinimumDuration(0);
    QSignalSpy finished(&read, &ReadProgress::finished);
    GapMeter gaps;
    ASSERT_TRUE(read.start(&window, path, InputFormat::VCard, TextEncoding::Automatic));

    ProgressWindow *progress = read.progressWindow();
    ASSERT_TRUE(progress);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->windowModality(), Qt::WindowModal);
    EXPECT_EQ(progress->message(), u"Reading the file: many.vcf"_s);
    // Let it get going, so the cancel reaches a reader in the middle of the cards. The progress shown
    // rises only while the GUI thread runs its event loop: seeing it rise shows the read doesn't block.
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->progress() >= 5; }, 20000));
    ASSERT_TRUE(finished.isEmpty()) << "the file must be long enough to cancel";

    QElapsedTimer sinceCancel;
    sinceCancel.start();
    QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(progress->isVisible()) << "the window goes at once";
    ASSERT_TRUE(finished.wait(5000));
    const qint64 stoppedAfter = sinceCancel.elapsed();
    const auto result = finished.first().first().value<DocumentReadResult>();
    EXPECT_EQ(result.status, DocumentReadResult::Status::Cancelled);
    EXPECT_TRUE(result.contactTable.isEmpty());
    EXPECT_FALSE(read.isRunning());
    // The reader stops at its next card; the bound leaves room for a loaded machine and sanitizers.
    EXPECT_LT(stoppedAfter, 1000);
    RecordProperty("cancel_to_stop_ms", int(stoppedAfter));
    RecordProperty("longest_gui_gap_ms", int(gaps.longest()));
    std::cout << "cancel stopped the read after " << stoppedAfter << " ms; longest GUI gap " << gaps.longest()
              << " ms\n";
}

TEST_F(ProgressWindowTest, OpeningKeepsTheWindowUpForTheMinimumWithoutBlocking)
{
    const QString path = writeFile(dir, u"one.vcf"_s, card(u"Solo"_s).toUtf8());
    Application app(*settings);
    app.setMinimumOpenDuration(400);
    QSignalSpy opened(&app, &Application::windowOpened);
    QElapsedTimer clock;
    clock.start();
    app.openFile(path);

    QPointer<ProgressWindow> progress = waitForWindow<ProgressWindow>({}, 2000);
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->message(), u"Reading the file: one.vcf"_s);
    EXPECT_EQ(progress->parentWidget(), nullptr) << "no window yet to be a sheet of";
    // The event loop keeps running while the window waits out its minimum.
    GapMeter gaps;
    ASSERT_TRUE(opened.wait(5000));
    EXPECT_GE(clock.elapsed(), 400);
    EXPECT_GE(gaps.ticks(), 5) << "the GUI thread kept running while the window waited";
    EXPECT_FALSE(progress && progress->isVisible());
    ASSERT_EQ(app.windows().size(), 1);
    EXPECT_EQ(app.windows().first()->windowTitle(), u"one.vcf"_s);
}

TEST_F(ProgressWindowTest, TaskReportsProgressAndACancelledResultIsDropped)
{
    QWidget window;
    window.show();
    ProgressTask task(&window);
    QSignalSpy finished(&task, &ProgressTask::finished);
    std::atomic_bool release = false;
    ASSERT_TRUE(task.start(u"Writing the file: out.vcf"_s,
        [&release](const std::atomic_bool *cancel, const ProgressTask::Progress &progress) {
            progress(40);
            while (!release && !*cancel)
                QThread::msleep(2);
        }));
    EXPECT_FALSE(task.start(u"again"_s, [](const std::atomic_bool *, const ProgressTask::Progress &) {}))
        << "one job at a time";
    ProgressWindow *progress = task.progressWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->progress() == 40; }, 5000));
    QTest::keyClick(progress, Qt::Key_Escape);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(finished.first().first().toBool()) << "Escape cancels like the button";

    // A job that runs to its end closes the window at 100 without counting as cancelled.
    release = true;
    ASSERT_TRUE(task.start(
        u"Writing the file: out.vcf"_s, [](const std::atomic_bool *, const ProgressTask::Progress &) {}));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(finished.last().first().toBool());
    EXPECT_EQ(progress->progress(), 100);
    EXPECT_FALSE(progress->isVisible());
}
