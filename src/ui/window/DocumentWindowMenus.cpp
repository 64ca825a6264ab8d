// The document window's menu bar and toolbar: where each action of the window's action set shows.
#include "document/DocumentHub.h"
#include "ui/window/Application.h"
#include "ui/window/DocumentWindow.h"
#include "ui/window/NavigateMenus.h"
#include "ui/window/WindowActions.h"
#include "ui/window/WindowIcons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// A later part's menu shows once one of its commands has a handler.
void hideWhileEmpty(QMenu *menu)
{
    const auto update = [menu] {
        bool any = false;
        for (const QAction *action : menu->actions())
            any = any || (!action->isSeparator() && action->isVisible());
        menu->menuAction()->setVisible(any);
    };
    for (QAction *action : menu->actions())
        QObject::connect(action, &QAction::visibleChanged, menu, update);
    update();
}

} // namespace

void DocumentWindow::buildMenus()
{
    using Extra = WindowActions::Extra;
    WindowActions &a = *m_actions;
    Application *application = Application::instance();

    QMenu *file = menuBar()->addMenu(tr("&File"));
    if (application) {
        file->addAction(application->openAction());
        file->addMenu(application->makeRecentFilesMenu(this));
        file->addSeparator();
    }
    file->addAction(a.action(Command::ImportFromVCard));
    file->addAction(a.action(Command::ImportFromCSV));
    file->addSeparator();
    file->addAction(a.action(Command::ExportToVCard));
    file->addAction(a.action(Command::ExportToCSV));
    file->addSeparator();
    file->addAction(a.action(Extra::PageSetup));
    file->addAction(a.action(Command::PrintDocument));
    file->addSeparator();
    file->addAction(a.action(Extra::Close));
    if (application) {
        file->addAction(application->preferencesAction());
        file->addSeparator();
        file->addAction(application->quitAction());
    }

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(a.action(Command::Undo));
    edit->addAction(a.action(Command::Redo));
    edit->addSeparator();
    edit->addAction(a.action(Extra::Copy));
    edit->addAction(a.action(Extra::CopyAsCsv));
    edit->addAction(a.action(Extra::Paste));
    edit->addAction(a.action(Extra::SelectAll));
    edit->addSeparator();
    QMenu *find = edit->addMenu(tr("Find"));
    find->setObjectName(QStringLiteral("findMenu"));
    find->addAction(a.action(Command::ToggleFindBar));
    find->addAction(a.action(Extra::ShowFindPanel));
    find->addAction(a.action(Extra::FindNext));
    find->addAction(a.action(Extra::FindPrevious));
    hideWhileEmpty(find);
    edit->addSeparator();
    edit->addAction(a.action(Extra::NewGroup));
    edit->addAction(a.action(Extra::DeleteGroup));

    QMenu *navigate = menuBar()->addMenu(tr("&Navigate"));
    navigate->addMenu(m_menus->groupMenu());
    navigate->addMenu(m_menus->viewTypeMenu());
    navigate->addMenu(m_menus->columnsMenu());
    navigate->addMenu(m_menus->labelsMenu());
    navigate->addMenu(m_menus->sortOptionsMenu());
    navigate->addMenu(m_menus->contactMenu());

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->addAction(a.action(Command::ToggleGroupView));
    view->addAction(a.action(Command::ToggleContactInfo));
    view->addSeparator();
    view->addAction(a.action(Command::ToggleEdit));
    view->addAction(a.action(Command::ToggleLayout));
    view->addSeparator();
    view->addAction(a.action(Extra::PrintStyle));
    view->addAction(a.action(Extra::StyleSettings));

    QMenu *tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("toolsMenu"));
    tools->addAction(a.action(Command::ShowZipSheet));
    tools->addAction(a.action(Command::MergeContacts));
    tools->addAction(a.action(Command::NormalizePhoneNumber));
    tools->addAction(a.action(Command::ShowQRCode));
    hideWhileEmpty(tools);

    QMenu *format = menuBar()->addMenu(tr("F&ormat"));
    format->addAction(a.action(Extra::Font));
    format->addAction(a.action(Extra::RevertToDefaultFont));

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(a.action(Extra::About));
}

void DocumentWindow::buildToolbar()
{
    using Extra = WindowActions::Extra;
    WindowActions &a = *m_actions;
    m_toolbar = addToolBar(tr("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    const auto popup = [this](QMenu *menu, const QString &icon, const QString &name) {
        auto *button = new QToolButton(m_toolbar);
        button->setObjectName(name);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setIcon(WindowIcons::icon(icon));
        button->setToolTip(menu->title());
        button->setStatusTip(menu->title());
        button->setAccessibleName(menu->title());
        button->setAutoRaise(true);
        m_toolbar->addWidget(button);
    };
    const auto button = [this](QAction *action, const QString &name) {
        m_toolbar->addAction(action);
        if (QWidget *widget = m_toolbar->widgetForAction(action)) {
            widget->setObjectName(name);
            widget->setAccessibleName(action->text());
            // The accessible name follows the action's title (Edit / Lock, Find / ✓Find).
            connect(action, &QAction::changed, widget,
                [widget, action] { widget->setAccessibleName(action->text()); });
        }
    };

    popup(m_menus->groupMenu(), QStringLiteral("groups"), QStringLiteral("groupsButton"));
    popup(m_menus->viewTypeMenu(), QStringLiteral("view-type"), QStringLiteral("viewTypeButton"));
    popup(m_menus->columnsMenu(), QStringLiteral("columns"), QStringLiteral("columnsButton"));
    popup(m_menus->labelsMenu(), QStringLiteral("labels"), QStringLiteral("labelsButton"));
    popup(m_menus->contactMenu(), QStringLiteral("contact"), QStringLiteral("contactButton"));
    popup(m_menus->sortOptionsMenu(), QStringLiteral("sort"), QStringLiteral("sortOptionsButton"));
    m_toolbar->addSeparator();
    button(a.action(Command::ToggleFindBar), QStringLiteral("findButton"));
    button(a.action(Command::ToggleEdit), QStringLiteral("editButton"));
    button(a.action(Command::ToggleGroupView), QStringLiteral("groupSplitButton"));
    button(a.action(Command::ToggleContactInfo), QStringLiteral("infoSplitButton"));
    m_toolbar->addSeparator();
    button(a.action(Command::ShowZipSheet), QStringLiteral("zipButton"));
    button(a.action(Extra::PrintStyle), QStringLiteral("printStyleButton"));
    button(a.action(Extra::StyleSettings), QStringLiteral("styleSettingButton"));
    button(a.action(Command::ToggleLayout), QStringLiteral("layoutButton"));
}
