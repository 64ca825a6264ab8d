#include "document/WorkerPool.h"
#include "ui/window/NavigateMenus.h"
#include "ui/window/WindowTestSupport.h"

#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace WindowTestSupport;

using WindowCloseTest = WindowTest;

// Freeing a large document's contacts takes long enough to be felt: closing hands them all to a worker.
// Whatever the window keeps until it is deleted (its menus among them) must not hold one back, or the
// GUI thread frees it, and everything it shares, when the window goes.
TEST_F(WindowCloseTest, ClosingLetsGoOfTheContactsBeforeTheWindowIsDeleted)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    // The group menu as a person opens it, and a group chosen from it.
    QMenu *groups = window->navigateMenus()->groupMenu();
    emit groups->aboutToShow();
    ASSERT_FALSE(groups->actions().isEmpty());
    // Not the selected one, which the information pane may show until it goes.
    std::weak_ptr<ZRPerson> record = window->hub().table().subContactTable().last()->person;
    std::weak_ptr<ContactGroup> group = window->hub().selectedGroup();

    window->close();
    WorkerPool::instance()->waitForDone();
    EXPECT_TRUE(record.expired());
    EXPECT_TRUE(group.expired());
    delete window;
}
