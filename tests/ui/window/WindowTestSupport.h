#pragma once

#include "document/Document.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "model/ZRPerson.h"
#include "ui/UiTestSupport.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/table/ContactTableView.h"
#include "ui/window/DocumentWindow.h"

#include <QMenu>
#include <QMenuBar>

// Document windows for the widget tests: opened on a file of the test's own, with settings of the
// test's own, and ways to reach rows, menus and the shown contacts as a person does.
namespace WindowTestSupport {

using namespace UiTestSupport;

// Four people; Ann and Ben are friends, Ben and Cid work together.
inline QByteArray groupsFile()
{
    return (card(QStringLiteral("Ann Able"),
                QStringLiteral("CATEGORIES:Friends\r\nTEL;TYPE=CELL:090-1111-2222\r\n"))
        + card(QStringLiteral("Ben Brook"), QStringLiteral("CATEGORIES:Friends,Work\r\n"))
        + card(QStringLiteral("Cid Cole"), QStringLiteral("CATEGORIES:Work\r\n"))
        + card(QStringLiteral("Dee Dunn")))
        .toUtf8();
}

class WindowTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        defaults = std::make_unique<UserDefaults>(*settings);
    }

    DocumentWindow *openWindow(const QString &path)
    {
        auto document = std::make_unique<Document>();
        document->setDefaultEncoding(TextEncoding::Automatic); // as the open dialog's "Automatic"
        DocumentError error;
        if (!document->readFromURL(path, ContactFileDialog::documentType(path), &error)) {
            ADD_FAILURE() << "can't read " << path.toStdString();
            return nullptr;
        }
        return show(new DocumentWindow(std::move(document), *defaults));
    }
    DocumentWindow *openGroupsWindow(const QString &name = QStringLiteral("people.vcf"))
    {
        return openWindow(writeFile(dir, name, groupsFile()));
    }
    DocumentWindow *show(DocumentWindow *window)
    {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        (void)QTest::qWaitForWindowExposed(window);
        return window;
    }

    // The names of the contacts the table shows, in their order.
    static QStringList shownNames(DocumentWindow *window)
    {
        QStringList names;
        const ContactsViewController &table = window->hub().table();
        for (int row = 0; row < int(table.subContactTable().size()); ++row) {
            if (table.isFirstOfContact(row))
                names << table.subContactTable().at(row)->person->compositeName();
        }
        return names;
    }

    // Clicks the name cell of a row; with Control held it joins the selection.
    static void clickRow(DocumentWindow *window, int row, Qt::KeyboardModifiers modifiers = {})
    {
        ContactTableView *table = window->tableView();
        const QModelIndex index = table->model()->index(row, 1);
        table->scrollTo(index);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, table->visualRect(index).center());
    }

    // The menu bar's item at the path of titles ("Edit", "Delete Contacts"); accelerators ignored.
    static QAction *menuItem(DocumentWindow *window, const QStringList &path)
    {
        QList<QAction *> actions = window->menuBar()->actions();
        QAction *found = nullptr;
        for (const QString &title : path) {
            found = nullptr;
            for (QAction *action : actions) {
                if (action->text().remove(QLatin1Char('&')) == title) {
                    found = action;
                    break;
                }
            }
            if (!found)
                return nullptr;
            if (found->menu()) {
                emit found->menu()->aboutToShow(); // a pop-up is rebuilt as it opens
                actions = found->menu()->actions();
            }
        }
        return found;
    }
    // Chooses the item as a person does: only when it is there and enabled.
    static bool choose(DocumentWindow *window, const QStringList &path)
    {
        QAction *action = menuItem(window, path);
        if (!action || !action->isEnabled() || !action->isVisible())
            return false;
        action->trigger();
        return true;
    }

    std::unique_ptr<UserDefaults> defaults;
};

} // namespace WindowTestSupport
