#include "ui/groups/GroupListView.h"

#include "document/DocumentHub.h"
#include "ui/groups/GroupListModel.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace {

// Every row is as tall as the group list's row height, which follows the table font.
class GroupRowDelegate : public QStyledItemDelegate
{
public:
    GroupRowDelegate(DocumentHub &hub, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_hub(hub)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(int(m_hub.groupList().rowHeight()));
        return size;
    }

private:
    DocumentHub &m_hub;
};

} // namespace

GroupListView::GroupListView(DocumentHub &hub, QWidget *parent)
    : QTreeView(parent)
    , m_hub(hub)
    , m_model(new GroupListModel(hub, this))
{
    setObjectName(QStringLiteral("groupList"));
    setAccessibleName(tr("Groups"));
    setModel(m_model);
    setItemDelegate(new GroupRowDelegate(hub, this));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDefaultDropAction(Qt::CopyAction);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(
        &m_hub.groupList(), &GroupViewController::updateTableRequested, this, &GroupListView::updateTable);
    connect(
        &m_hub.viewController(), &ViewController::groupSelectionChanged, this, &GroupListView::updateTable);
    updateTable();
}

void GroupListView::showEvent(QShowEvent *event)
{
    // Address books holding only their top group get their groups the first time the list shows.
    if (!m_appeared) {
        m_appeared = true;
        m_hub.groupList().outlineWillAppear();
        updateTable();
    }
    QTreeView::showEvent(event);
}

void GroupListView::applyRowHeight()
{
    // Uniform row heights are measured once; a new font asks for them again.
    m_model->reload();
    updateTable();
}

void GroupListView::commitData(QWidget *editor)
{
    m_committing = true;
    QTreeView::commitData(editor);
    m_committing = false;
}

void GroupListView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeView::closeEditor(editor, hint);
    if (m_updatePending) {
        m_updatePending = false;
        QMetaObject::invokeMethod(this, &GroupListView::updateTable, Qt::QueuedConnection);
    }
}

void GroupListView::updateTable()
{
    // Rebuilding the outline under an open name editor would pull the editor away from the view.
    if (m_committing || state() == QAbstractItemView::EditingState) {
        m_updatePending = true;
        return;
    }
    m_updating = true;
    m_model->reload();
    const ContactGroupPtr shown = m_hub.selectedGroup();
    const QModelIndex group = m_model->indexOfGroup(shown);
    for (int row = 0; row < m_model->rowCount(); ++row)
        setExpanded(m_model->index(row, 0), true);
    if (group.isValid()) {
        setCurrentIndex(group);
        scrollTo(group);
    } else {
        clearSelection();
    }
    m_updating = false;
}

void GroupListView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    if (m_updating || selected.indexes().isEmpty())
        return;
    const GroupListItem item = m_model->itemOf(selected.indexes().first());
    if (item.isGroup() && item.group != m_hub.selectedGroup())
        m_hub.selectGroup(item.group);
}

void GroupListView::editGroupName(const ContactGroupPtr &group)
{
    const QModelIndex index = m_model->indexOfGroup(group);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    edit(index);
}

ContactGroupPtr GroupListView::currentGroup() const
{
    const GroupListItem item = m_model->itemOf(currentIndex());
    return item.isGroup() ? item.group : m_hub.selectedGroup();
}
