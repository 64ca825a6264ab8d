#include "ui/window/Application.h"

#include "UiTestSupport.h"
#include "document/Document.h"
#include "ui/window/PreferencesDialog.h"
#include "ui/window/RecentFiles.h"

#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

class ApplicationTest : public WidgetTest
{
protected:
    QString contactFile(const QString &name)
    {
        return writeFile(dir, name, card(name.section(u'.', 0, 0)).toUtf8());
    }
    // Opens the file and waits for its window.
    QWidget *open(Application &app, const QString &path)
    {
        QSignalSpy opened(&app, &Application::windowOpened);
        app.openFile(path);
        return opened.wait(5000) ? opened.first().first().value<QWidget *>() : nullptr;
    }
};

} // namespace

TEST_F(ApplicationTest, RecentFilesAreKeptNewestFirstOnceEachAcrossARestart)
{
    {
        Application app(*settings);
        app.setMinimumOpenDuration(0);
        for (const QString &name : { u"a.vcf"_s, u"b.vcf"_s, u"a.vcf"_s })
            app.openFile(contactFile(name)); // the second a.vcf only brings its window forward
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.windows().size() == 2 && !app.isOpening(); }, 5000));
        ASSERT_TRUE(open(app, contactFile(u"c.vcf"_s)));
        EXPECT_EQ(app.recentFiles().files(),
            (QStringList { dir.filePath(u"c.vcf"_s), dir.filePath(u"b.vcf"_s), dir.filePath(u"a.vcf"_s) }));
    }
    auto reopened = reopenedSettings();
    Application restarted(*reopened);
    QWidget parent;
    QMenu *menu = restarted.makeRecentFilesMenu(&parent);
    QStringList titles;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            titles << action->text();
    EXPECT_EQ(titles, (QStringList { u"c.vcf"_s, u"b.vcf"_s, u"a.vcf"_s, u"Clear Menu"_s }));

    // Choosing an item opens the file; a file that is gone leaves the list when it fails to open.
    restarted.setMinimumOpenDuration(0);
    QSignalSpy opened(&restarted, &Application::windowOpened);
    menu->actions().at(1)->trigger();
    ASSERT_TRUE(opened.wait(5000));
    EXPECT_EQ(opened.first().at(1).toString(), dir.filePath(u"b.vcf"_s));
    QFile::remove(dir.filePath(u"c.vcf"_s));
    restarted.openFile(dir.filePath(u"c.vcf"_s));
    ASSERT_TRUE(waitForMessage(u"The file “c.vcf” couldn't be opened."_s));
    EXPECT_EQ(restarted.recentFiles().files().size(), 2);
    EXPECT_EQ(menu->actions().first()->text(), u"b.vcf"_s) << "the menu follows the list";
}

TEST_F(ApplicationTest, RecentFilesHoldTenAndTellNamesakesApart)
{
    RecentFiles recent(*settings);
    for (int i = 0; i < 12; ++i)
        recent.add(dir.filePath(u"f%1.vcf"_s.arg(i)));
    EXPECT_EQ(recent.files().size(), RecentFiles::MaximumCount);
    EXPECT_EQ(recent.files().first(), dir.filePath(u"f11.vcf"_s));
    recent.clear();
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"x"_s) && QDir(dir.path()).mkpath(u"y"_s));
    recent.add(dir.filePath(u"x/list.vcf"_s));
    recent.add(dir.filePath(u"y/list.vcf"_s));
    QMenu menu;
    recent.fillMenu(&menu);
    EXPECT_TRUE(menu.actions().at(0)->text().contains(u"list.vcf — "_s));
    EXPECT_NE(menu.actions().at(0)->text(), menu.actions().at(1)->text());
}

TEST_F(ApplicationTest, TheFindTextIsKeptAcrossARestart)
{
    {
        Application app(*settings);
        QSignalSpy changed(&app, &Application::findTextChanged);
        app.setFindText(u"山田"_s);
        app.setFindText(u"山田"_s);
        EXPECT_EQ(changed.count(), 1);
    }
    auto reopened = reopenedSettings();
    Application restarted(*reopened);
    EXPECT_EQ(restarted.findText(), u"山田"_s);
}

TEST_F(ApplicationTest, RestoreDefaultsAtStartForgetsTheSettingsOnlyOnOk)
{
    settings->setValue(u"ZR1DselectedViewType"_s, u"Name Only"_s);
    settings->setValue(Application::FindTextKey, u"kept"_s);
    const QString path = contactFile(u"a.vcf"_s);
    {
        Application app(*settings);
        app.setMinimumOpenDuration(0);
        app.start({ path }, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        QMessageBox *question = waitForMessage(u"Would you like to restore default preferences?"_s);
        ASSERT_TRUE(question);
        EXPECT_TRUE(app.windows().isEmpty()) << "the files open after the answer";
        press(question, u"Cancel"_s);
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.windows().size() == 1; }, 5000));
        EXPECT_EQ(settings->value(u"ZR1DselectedViewType"_s).toString(), u"Name Only"_s);
    }
    TearDown();
    Application app(*settings);
    app.start({}, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    QMessageBox *question = waitForMessage(u"Would you like to restore default preferences?"_s);
    ASSERT_TRUE(question);
    press(question, u"OK"_s);
    EXPECT_FALSE(settings->contains(u"ZR1DselectedViewType"_s));
    EXPECT_TRUE(app.findText().isEmpty());
    EXPECT_EQ(app.windows().size(), 1) << "no file: a new document";
    // Shift and Control alone are no request.
    EXPECT_FALSE(Application::wantsRestoreDefaults(Qt::ShiftModifier | Qt::ControlModifier));
}

TEST_F(ApplicationTest, TheWindowFactoryGetsTheReadDocument)
{
    const QString path = writeFile(dir, u"two.vcf"_s, (card(u"One"_s) + card(u"Two"_s)).toUtf8());
    Application app(*settings);
    app.setMinimumOpenDuration(0);
    qsizetype contacts = -1;
    QString name;
    app.setWindowFactory([&](std::unique_ptr<Document> document) -> QWidget * {
        const DocumentWindowData data = document->makeWindowData();
        contacts = data.contactTable.size();
        name = data.documentName;
        return new QWidget;
    });
    QWidget *window = open(app, path);
    ASSERT_TRUE(window);
    EXPECT_EQ(contacts, 2);
    EXPECT_EQ(name, u"two.vcf"_s);
    EXPECT_EQ(app.windowForFile(path), window);
    QSignalSpy allClosed(&app, &Application::allWindowsClosed);
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return allClosed.count() == 1; }, 2000)) << "closing the last window";
}

TEST_F(ApplicationTest, PreferencesKeepTheAddressBookFoldersOnOkOnly)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"books/Work"_s) && QDir(dir.path()).mkpath(u"books/Family"_s));
    Application app(*settings);
    QWidget window;
    window.show();
    QSignalSpy changed(&app, &Application::addressBookFoldersChanged);
    app.showPreferences(&window);
    auto *dialog = waitForWindow<PreferencesDialog>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->folderList()->count(), 0);
    dialog->addFolder(dir.filePath(u"books"_s));
    dialog->addFolder(dir.filePath(u"books/"_s));
    EXPECT_EQ(dialog->folderList()->count(), 1) << "a folder is listed once";
    EXPECT_EQ(dialog->booksText(), u"Address books: Family, Work"_s);
    dialog->reject();
    EXPECT_TRUE(app.userDefaults().addressBookFolders().isEmpty());

    app.showPreferences(&window);
    dialog = waitForWindow<PreferencesDialog>();
    ASSERT_TRUE(dialog);
    dialog->addFolder(dir.filePath(u"books"_s));
    dialog->addFolder(dir.filePath(u"missing"_s));
    EXPECT_EQ(dialog->booksText(), u"This folder can't be found."_s);
    QTest::mouseClick(dialog->removeButton(), Qt::LeftButton);
    dialog->accept();
    EXPECT_EQ(app.userDefaults().addressBookFolders(), QStringList { dir.filePath(u"books"_s) });
    EXPECT_EQ(changed.count(), 1);
}
