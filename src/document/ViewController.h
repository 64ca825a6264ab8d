#pragma once

#include "document/UndoManager.h"
#include "formats/ContactContainer.h"

#include <QObject>
#include <QVariant>

// The hub of one window: it owns the containers, the group shown and the window's undo stack, and
// every change to contacts and groups goes through its operations. Each operation changes the data
// and registers its own inverse (a call of the same family with the old value), so undo and redo
// are symmetrical. Views are reached through signals only, so the controller runs without a display.
class ViewController : public QObject
{
    Q_OBJECT

public:
    // Who asked for a refresh: that view is not told to reload what it already shows.
    enum class Sender { None, ContactTable, InformationPane };

    explicit ViewController(QObject *parent = nullptr);

    UndoManager &undoManager() { return m_undo; }

    // ---- Data
    void setContainerTable(const ContainerTable &containers);
    const ContainerTable &containerTable() const { return m_containers; }
    ContactGroupPtr selectedGroupDict() const { return m_selectedGroup; }
    void setSelectedGroupDict(const ContactGroupPtr &group);
    // The container that holds a group (by the group's container identifier, then by membership).
    ContactContainerPtr containerOfGroup(const ContactGroupPtr &group) const;
    ContactGroupPtr topGroupOfContainer(const ContactContainerPtr &container) const;

    bool isDocumentEdited() const { return m_edited; }
    void setDocumentEdited(bool edited);

    // ---- Undoable operations: the one road by which contacts and groups change.
    // Replaces a field's value by identifier; true exactly when something changed.
    bool undoReplaceValue(const QVariant &value, const QString &identifier, const ContactEntryPtr &contact);
    void undoAddLabeledValue(
        const QVariant &value, const QString &identifier, const ContactEntryPtr &contact);
    // Deletes the labelled value at the given value's "labelIndex".
    void undoDeleteLabeledValue(
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
    // Deletes the given rows from the group shown; firstSelectedRow is the table row of the first.
    void deleteContacts(const ContactTable &selected, int firstSelectedRow = 0);
    // withLayouts: the postcard layouts come along too (the context menu's duplicate).
    void duplicateContacts(const ContactTable &selected, bool withLayouts = false);
    // Adds the contacts of vCard text to the group shown; false when the text holds none.
    bool addContactByVCardString(const QString &text);
    // Adds the sub-rows at the comma-separated indexes (rows dragged onto a group) to the group.
    void addContactByStringIndexes(
        const QString &indexes, const ContactGroupPtr &group, const ContactTable &subRows);

    // ---- Refresh and selection
    void contactDidUpdate(const ContactEntryPtr &row, Sender sender = Sender::None);
    void rowSelectionDidChange(const ContactTable &selectedRows);
    const ContactTable &selectedRows() const { return m_selectedRows; }
    // Names of the groups (top group included) of the selected group's container that hold the contact.
    QStringList groupNamesOfContact(const ContactEntryPtr &row) const;

    // The postcard preview reports a layout change of a receiver or of the sender.
    void postcardLayoutDidChange(
        const ContactEntryPtr &row, const QVariantMap &layoutDict, qsizetype addressIndex);
    void changeSenderInHagakiView(const ContactEntryPtr &sender);
    ContactEntryPtr senderInHagakiView() const { return m_sender; }

signals:
    void contactTableNeedsReload();
    // The group shown changed its rows: the table re-sorts and selects these rows.
    void contactTableChanged(const ContactTable &rowsToSelect);
    void scrollToRowRequested(int row);
    void informationPaneNeedsReload(const ContactEntryPtr &row);
    void postcardPreviewNeedsRefresh();
    void groupListNeedsUpdate();
    void groupSelectionChanged(const ContactGroupPtr &group);
    void documentEditedChanged(bool edited);
    void senderChanged(const ContactEntryPtr &sender);

private:
    bool replaceValue(const QVariant &value, const QString &identifier, const ContactEntryPtr &contact);
    void registerReplace(const QVariant &oldValue, const QString &identifier, const ContactEntryPtr &contact);
    bool isShown(const ContactGroupPtr &group) const { return group && group == m_selectedGroup; }

    UndoManager m_undo;
    ContainerTable m_containers;
    ContactGroupPtr m_selectedGroup;
    ContactTable m_selectedRows;
    ContactEntryPtr m_sender;
    bool m_edited = false;
};
