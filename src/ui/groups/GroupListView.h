#pragma once

#include "formats/ContactContainer.h"

#include <QTreeView>

class DocumentHub;
class GroupListModel;

// The group list beside the contact table: containers with their groups, the shown group selected.
// Choosing a group shows it; a double click (or F2) renames a group while editing is on; rows dragged
// from the contact table are copied into the group they are dropped on.
class GroupListView : public QTreeView
{
    Q_OBJECT
public:
    explicit GroupListView(DocumentHub &hub, QWidget *parent = nullptr);

    GroupListModel *groupModel() const { return m_model; }
    // Reloads the outline, expands the shown group's container and selects the group.
    void updateTable();
    // Starts editing the name of a group (a new group is named at once).
    void editGroupName(const ContactGroupPtr &group);
    // The group the context menu or the selection points at; the shown group otherwise.
    ContactGroupPtr currentGroup() const;
    // The row height from the table font, which the list shares.
    void applyRowHeight();

protected:
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void showEvent(QShowEvent *event) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    DocumentHub &m_hub;
    GroupListModel *m_model;
    bool m_updating = false;
    // A rename is being applied: the outline is rebuilt once the editor is done with it.
    bool m_committing = false;
    bool m_updatePending = false;
    bool m_appeared = false;
};
