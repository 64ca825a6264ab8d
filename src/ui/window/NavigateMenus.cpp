#include "ui/window/NavigateMenus.h"

#include "document/DocumentHub.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QMenu>

namespace {

QAction *addTitle(QMenu *menu, const QString &title)
{
    QAction *heading = menu->addAction(title);
    heading->setEnabled(false);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    return heading;
}

} // namespace

NavigateMenus::NavigateMenus(DocumentHub &hub, WindowActions &actions, QWidget *window)
    : QObject(window)
    , m_hub(hub)
    , m_actions(actions)
{
    m_group = make(GroupListText::GroupMenuTitle, QStringLiteral("groupMenu"), &NavigateMenus::fillGroups);
    m_viewType
        = make(ViewMenuText::ViewTypeTitle, QStringLiteral("viewTypeMenu"), &NavigateMenus::fillViewTypes);
    m_columns = make(ViewMenuText::ColumnsTitle, QStringLiteral("columnsMenu"), &NavigateMenus::fillColumns);
    m_labels = make(ViewMenuText::LabelsTitle, QStringLiteral("labelsMenu"), &NavigateMenus::fillLabels);
    m_sortOptions = make(
        ViewMenuText::SortOptionsTitle, QStringLiteral("sortOptionsMenu"), &NavigateMenus::fillSortOptions);
    m_contact = make(tr("Contact"), QStringLiteral("contactMenu"), &NavigateMenus::fillContact);
    rebuild();
}

QMenu *NavigateMenus::make(const QString &title, const QString &objectName, void (NavigateMenus::*fill)())
{
    auto *menu = new QMenu(title, qobject_cast<QWidget *>(parent()));
    menu->setObjectName(objectName);
    menu->menuAction()->setStatusTip(title);
    connect(menu, &QMenu::aboutToShow, this, fill);
    return menu;
}

void NavigateMenus::rebuild()
{
    fillGroups();
    fillViewTypes();
    fillColumns();
    fillLabels();
    fillSortOptions();
    fillContact();
}

template <typename Choose>
void NavigateMenus::fillFromModel(QMenu *menu, const MenuModel &model, Choose choose)
{
    menu->clear();
    for (const MenuItem &item : model.items) {
        if (item.isTitleItem) {
            addTitle(menu, item.title);
            continue;
        }
        if (!item.submenu.isEmpty()) {
            QMenu *sub = menu->addMenu(item.title);
            for (const MenuItem &subItem : item.submenu) {
                QAction *action = sub->addAction(subItem.title);
                action->setCheckable(true);
                action->setChecked(subItem.checked);
                connect(action, &QAction::triggered, this,
                    [choose, parent = item.representedObject, object = subItem.representedObject] {
                        choose(object, parent);
                    });
            }
            continue;
        }
        QAction *action = menu->addAction(item.title);
        action->setCheckable(true);
        action->setChecked(item.checked);
        connect(action, &QAction::triggered, this,
            [choose, object = item.representedObject] { choose(object, QString()); });
    }
}

void NavigateMenus::fillGroups()
{
    m_group->clear();
    for (const GroupMenuItem &item : m_hub.groupList().groupMenu()) {
        if (item.isTitle) {
            addTitle(m_group, item.title);
            continue;
        }
        QMenu *container = m_group->addMenu(item.title);
        for (const GroupMenuItem &groupItem : item.submenu) {
            QAction *action = container->addAction(groupItem.title);
            action->setCheckable(true);
            action->setChecked(groupItem.checked);
            // Weakly: a menu outlives its document's close, and the group holds its contacts, which
            // must be freed on the worker the closing document hands them to.
            const std::weak_ptr<ContactGroup> group = groupItem.group;
            connect(action, &QAction::triggered, this, [this, group] {
                GroupMenuItem chosen;
                chosen.group = group.lock();
                m_hub.groupList().selectGroup(chosen);
            });
        }
    }
}

void NavigateMenus::fillViewTypes()
{
    fillFromModel(m_viewType, m_hub.viewTypes().viewTypeMenu(),
        [this](const QString &name, const QString &) { m_hub.selectViewType(name); });
}

void NavigateMenus::fillColumns()
{
    fillFromModel(m_columns, m_hub.viewTypes().itemsMenu(),
        [this](const QString &identifier, const QString &) { m_hub.toggleColumn(identifier); });
}

void NavigateMenus::fillLabels()
{
    fillFromModel(m_labels, m_hub.viewTypes().labelsMenu(),
        [this](const QString &label, const QString &) { m_hub.selectLabel(label); });
}

void NavigateMenus::fillSortOptions()
{
    fillFromModel(m_sortOptions, m_hub.viewTypes().sortOptionsMenu(),
        [this](const QString &key, const QString &column) { m_hub.selectSortOption(column, key); });
}

void NavigateMenus::fillContact()
{
    if (!m_contact->isEmpty())
        return;
    addTitle(m_contact, tr("Contact"));
    m_contact->addAction(m_actions.action(Command::ToggleContactInfo));
    m_contact->addSeparator();
    for (const Command command : { Command::ShowContact, Command::AddContact, Command::DeleteContacts,
             Command::DuplicateContacts, Command::ShowQRCode })
        m_contact->addAction(m_actions.action(command));
}
