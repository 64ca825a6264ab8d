#pragma once

#include "document/ChangeNotice.h"
#include "document/Commands.h"
#include "document/RecordEdits.h"
#include "document/UndoManager.h"
#include "formats/ContactContainer.h"

#include <QObject>
#include <QVariant>

// The window's controller of contacts and groups: it owns the containers, the group shown and the
// window's undo stack, and every change to contacts and groups goes through its operations. Each
// operation changes the data and registers its own inverse (a call of the same family with the old
// value), so undo and redo are symmetrical. What changed is told once per user action by
// contactsChanged: when the outermost undo group closes, and after each undo and redo.
class ViewController : public QObject
{
    Q_OBJECT

public:
    explicit ViewController(QObject *parent = nullptr);

    UndoManager &undoManager() { return m_undo; }

    // ---- Data
    void setContainerTable(const ContainerTable &containers);
    const ContainerTable &containerTable() const { return m_containers; }
    ContactGroupPtr selectedGroupDict() const { return m_selectedGroup; }
    // Shows another group: a change of structure for the table.
    void setSelectedGroupDict(const ContactGroupPtr &group);
    // The container that holds a group (by membership, then by the group's container identifier).
    ContactContainerPtr containerOfGroup(const ContactGroupPtr &group) const;
    ContactGroupPtr topGroupOfContainer(const ContactContainerPtr &container) const;
    // Everything the controller holds, handed over at once (the window is closing); it is left empty.
    struct Contents
    {
        ContainerTable containers;
        ContactGroupPtr selectedGroup;
        ContactTable selectedRows;
        ContactEntryPtr sender;
    };
    Contents takeContents();

    bool isDocumentEdited() const { return m_edited; }
    void setDocumentEdited(bool edited);
    bool editState() const { return m_editState; }
    void setEditState(bool editable);
    bool editButtonEnabled() const { return m_editButtonEnabled; }
    void enableEditButton(bool enabled);

    // ---- Undoable operations: the one road by which contacts and groups change.
    // Replaces a field's value by identifier (see RecordEdits); true exactly when something changed.
    bool undoReplaceValue(const QVariant &value, const QString &identifier, const ContactEntryPtr &contact);
    bool undoAddLabeledValue(
        const QVariant &value, const QString &identifier, const ContactEntryPtr &contact);
    // Deletes the labelled value at the given value's "labelIndex".
    bool undoDeleteLabeledValue(
        const QVariant &value, const QString &identifier, const ContactEntryPtr &contact);
    void undoAddContacts(const ContactTable &rows, const ContactGroupPtr &group);
    void undoDeleteContacts(const ContactTable &rows, const ContactGroupPtr &group, bool doUndo);
    void undoAddGroup(const ContactGroupPtr &group, const ContactContainerPtr &container);
    void undoDeleteGroup(const ContactGroupPtr &group, const ContactContainerPtr &container);
    bool undoChangeGroupName(const QString &name, const ContactGroupPtr &group);
    // Copies the values of each row of `from` into the row of `to` at the same position, as one step.
    void undoReplacePersonByContacts(const ContactTable &from, const ContactTable &to);

    // ---- Commands built on them
    void undo();
    void redo();
    // Deletes the given rows from the group shown; firstSelectedRow is the table row of the first, and
    // the row before it is selected afterwards.
    void deleteContacts(const ContactTable &selected, int firstSelectedRow = 0);
    // withLayouts: the postcard layouts come along too (the context menu's duplicate).
    void duplicateContacts(const ContactTable &selected, bool withLayouts = false);
    // Adds the contacts of vCard text to the group shown; false when the text holds none.
    bool addContactByVCardString(const QString &text);
    // Adds the sub-rows at the comma-separated indexes (rows dragged onto a group) to the group.
    bool addContactByStringIndexes(
        const QString &indexes, const ContactGroupPtr &group, const ContactTable &subRows);
    // The new-contact sheet confirmed: its row joins the group shown.
    bool addContact(const ContactEntryPtr &newContact);
    // The simple-information sheet confirmed for a row: its first and last name, company, joint names,
    // addresses and note replace the row's, as one step. True when anything changed.
    bool showContact(const ContactEntryPtr &row, const ContactEntryPtr &edited);

    // ---- Selection
    void rowSelectionDidChange(const ContactTable &selectedRows);
    const ContactTable &selectedRows() const { return m_selectedRows; }
    // Names of the groups (top group included) of the selected group's container that hold the contact.
    QStringList groupNamesOfContact(const ContactEntryPtr &row) const;

    // The postcard preview reports a layout change of a receiver or of the sender.
    void postcardLayoutDidChange(
        const ContactEntryPtr &row, const QVariantMap &layoutDict, qsizetype addressIndex);
    void changeSenderInHagakiView(const ContactEntryPtr &sender);
    ContactEntryPtr senderInHagakiView() const { return m_sender; }

    // A change of what the table shows that is no edit (columns, labels, sort order): told at once, or
    // with the action it happens in.
    void noteStructureChange(ChangeNotice::StructureChanges changes);

    // The view controller's menu rules: undo and redo as the stack allows, the find button's title,
    // deleting and duplicating only while editing with a row selected.
    CommandState validateCommand(Command command, const WindowState &window = {}) const;

signals:
    // One user action is over (or undone, or redone): what it changed.
    void contactsChanged(const ChangeNotice &notice);
    // The table's selection changed (the find position starts again from its first row).
    void selectionChanged(const ContactTable &selectedRows);
    // The row the information pane and editors show.
    void informationPaneNeedsReload(const ContactEntryPtr &row);
    void postcardPreviewNeedsRefresh();
    void groupListNeedsUpdate();
    void groupSelectionChanged(const ContactGroupPtr &group);
    void documentEditedChanged(bool edited);
    void editStateChanged(bool editable);
    void editButtonEnabledChanged(bool enabled);
    void senderChanged(const ContactEntryPtr &sender);

private:
    void recordChanged(const std::shared_ptr<ZRPerson> &person, const QString &field);
    void flush(ChangeNotice::Cause cause);
    bool isShown(const ContactGroupPtr &group) const { return group && group == m_selectedGroup; }
    ContactEntryPtr duplicateOf(const ContactEntryPtr &row, bool withLayouts) const;

    UndoManager m_undo;
    RecordEdits m_edits;
    ContainerTable m_containers;
    ContactGroupPtr m_selectedGroup;
    ContactTable m_selectedRows;
    ContactEntryPtr m_sender;
    ChangeNotice m_pending;
    bool m_edited = false;
    bool m_editState = true;
    bool m_editButtonEnabled = true;
};
