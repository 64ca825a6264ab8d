#include "ui/dialogs/Alerts.h"

#include "UiTestSupport.h"
#include "document/ExportCommands.h"
#include "ui/window/Application.h"
#include "ui/window/RecentFiles.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

using AlertsTest = WidgetTest;

} // namespace

TEST_F(AlertsTest, CommandAlertsAreSheetsWithTheirTexts)
{
    QWidget window;
    window.show();
    QMessageBox *box = Alerts::commandAlert(&window, { ExportText::CannotSave, ExportText::SaveFailed });
    EXPECT_EQ(box->text(), u"Can't save the file"_s);
    EXPECT_EQ(box->informativeText(), u"Something error happened in saving operation."_s);
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(box->isVisible());
    QPointer<QMessageBox> gone = box;
    press(box, u"OK"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }, 2000)) << "a box deletes itself when closed";
}

TEST_F(AlertsTest, NoticesComeOneAfterTheOtherThenTheCallerGoesOn)
{
    QWidget window;
    window.show();
    bool done = false;
    QMessageBox *first = Alerts::notices(&window,
        { { u"2 of the cards couldn't be read and were skipped."_s, u"Card 1: x\nCard 4: y"_s },
            { u"Can't find header line in the file."_s, QString() } },
        [&] { done = true; });
    ASSERT_TRUE(first);
    EXPECT_EQ(first->informativeText(), u"Card 1: x\nCard 4: y"_s);
    EXPECT_EQ(visibleWindows<QMessageBox>().size(), 1) << "never two sheets at once";
    press(first, u"OK"_s);
    QMessageBox *second = waitForMessage(u"Can't find header line in the file."_s);
    ASSERT_TRUE(second);
    EXPECT_FALSE(done);
    press(second, u"OK"_s);
    EXPECT_TRUE(done);
}

TEST_F(AlertsTest, OpeningAnUnreadableFileSaysWhyAndMakesNoWindow)
{
    const QString path = writeFile(dir, u"notes.vcf"_s, "just some notes, no cards\n");
    Application app(*settings);
    app.setMinimumOpenDuration(0);
    QSignalSpy allClosed(&app, &Application::allWindowsClosed);
    app.openFile(path);
    QMessageBox *box = waitForMessage(u"The file “notes.vcf” couldn't be opened."_s);
    ASSERT_TRUE(box);
    EXPECT_EQ(
        box->informativeText(), u"Please make sure the file is vCard 2.1/3.0 file, or text encoding."_s);
    EXPECT_TRUE(app.windows().isEmpty());
    EXPECT_TRUE(app.recentFiles().files().isEmpty()) << "only files that opened are recent";
    EXPECT_EQ(allClosed.count(), 0) << "the program waits until the alert is read";
    press(box, u"OK"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return allClosed.count() == 1; }, 2000));
}

TEST_F(AlertsTest, AnEnvelopeCsvWithoutHeaderOpensAndSaysHowItWasRead)
{
    const QString path
        = writeFile(dir, u"list.csv"_s, u"山田太郎,花子,,100-0001,東京都千代田区,千代田1-1\n"_s.toUtf8());
    Application app(*settings);
    app.setMinimumOpenDuration(0);
    QSignalSpy opened(&app, &Application::windowOpened);
    app.openFile(path);
    QMessageBox *box = waitForMessage(u"Can't find header line in the file."_s);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->informativeText(),
        u"Read as the following order: Name, Renmei, Company, ZIP, State&City and Street"_s);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(box->parentWidget(), app.windows().first()) << "a sheet of the new window";
}
