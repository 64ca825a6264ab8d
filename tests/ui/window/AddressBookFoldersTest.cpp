#include "document/ViewController.h"
#include "find/SearchableDocumentHub.h"
#include "model/Identifiers.h"
#include "ui/groups/GroupListView.h"
#include "ui/window/Application.h"
#include "ui/window/PreferencesDialog.h"
#include "ui/window/WindowTestSupport.h"

#include <QDir>
#include <QListWidget>

using namespace Qt::StringLiterals;
using namespace WindowTestSupport;

namespace {

// The containers and groups the window's group list shows, as "container/group".
QStringList outline(DocumentWindow *window)
{
    const QAbstractItemModel *model = window->groupListView()->model();
    QStringList rows;
    for (int c = 0; c < model->rowCount(); ++c) {
        const QModelIndex container = model->index(c, 0);
        for (int g = 0; g < model->rowCount(container); ++g)
            rows << container.data().toString() + u'/' + model->index(g, 0, container).data().toString();
    }
    return rows;
}

class AddressBookFoldersTest : public WindowTest
{
protected:
    // Answers the preferences with the folders given; true when the dialog took them.
    bool choose(Application &app, DocumentWindow *window, const QStringList &folders)
    {
        app.showPreferences(window);
        auto *dialog = waitForWindow<PreferencesDialog>();
        if (!dialog)
            return false;
        while (dialog->folderList()->count() > 0) {
            dialog->folderList()->setCurrentRow(0);
            QTest::mouseClick(dialog->removeButton(), Qt::LeftButton);
        }
        for (const QString &folder : folders)
            dialog->addFolder(folder);
        QTest::mouseClick(
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        return !dialog->isVisible();
    }
};

} // namespace

TEST_F(AddressBookFoldersTest, OpenWindowsFollowTheFoldersAndKeepABookThatHasChanges)
{
    const QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(u"books/Work"_s));
    writeFile(
        dir, u"books/Work/ann.vcf"_s, card(u"Ann Able"_s, u"UID:ann\r\nCATEGORIES:Team\r\n"_s).toUtf8());
    const QString books = dir.filePath(u"books"_s);

    Application app(*settings);
    app.setWindowFactory([&app](std::unique_ptr<Document> document) -> QWidget * {
        return new DocumentWindow(std::move(document), app.userDefaults());
    });
    auto *window = qobject_cast<DocumentWindow *>(app.newDocument());
    ASSERT_TRUE(window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(outline(window), QStringList { u"vCard/All Contacts"_s });

    // Added: the book and its groups show at once.
    ASSERT_TRUE(choose(app, window, { books }));
    EXPECT_EQ(
        outline(window), (QStringList { u"vCard/All Contacts"_s, u"Work/All Contacts"_s, u"Work/Team"_s }));

    // Removed without changes: it goes.
    ASSERT_TRUE(choose(app, window, {}));
    EXPECT_EQ(outline(window), QStringList { u"vCard/All Contacts"_s });

    // Changed here, it can't go: the dialog stays and says why; the window still shows the book.
    ASSERT_TRUE(choose(app, window, { books }));
    ContactContainerPtr work = window->hub().viewController().containerTable().at(1);
    ASSERT_TRUE(window->hub().selectGroup(work->groups.at(1)));
    EXPECT_EQ(shownNames(window), QStringList { u"Ann Able"_s });
    ASSERT_TRUE(window->hub().viewController().undoReplaceValue(
        u"Anna"_s, Ident::FirstName, window->hub().table().subContactTable().first()));
    EXPECT_FALSE(choose(app, window, {}));
    QMessageBox *alert
        = waitForMessage(u"These address books have changes in open windows and can't be removed now:"_s);
    ASSERT_TRUE(alert);
    EXPECT_TRUE(alert->informativeText().startsWith(u"“Work” in the window “Untitled”"_s));
    EXPECT_EQ(app.userDefaults().addressBookFolders(), QStringList { books });
    EXPECT_EQ(outline(window).size(), 3);
    EXPECT_EQ(window->hub().selectedGroup(), work->groups.at(1));

    // The window uses the application's defaults: it goes first.
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
