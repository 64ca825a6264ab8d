#include "document/ViewController.h"

#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSet>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

const QString PostcardLayoutKeys[] = { Key::Sender, Key::Company, Key::Renmei, Key::ReceiverAddress,
    Key::ReceiverName, Key::SenderAddress, Key::SenderName };

// What the simple-information sheet edits, in the order it applies them.
const QString SimpleInfoFields[]
    = { Ident::FirstName, Ident::LastName, Ident::Company, Ident::Renmei, Ident::Address, Ident::Note };

} // namespace

ViewController::ViewController(QObject *parent)
    : QObject(parent)
    , m_edits(m_undo, [this](const std::shared_ptr<ZRPerson> &person, const QString &field) {
        recordChanged(person, field);
    })
{
    connect(&m_undo, &UndoManager::actionClosed, this, [this] { flush(ChangeNotice::Cause::Edit); });
    connect(&m_undo, &UndoManager::didUndo, this, [this] { flush(ChangeNotice::Cause::Undo); });
    connect(&m_undo, &UndoManager::didRedo, this, [this] { flush(ChangeNotice::Cause::Redo); });
}

void ViewController::recordChanged(const std::shared_ptr<ZRPerson> &person, const QString &field)
{
    m_pending.noteRecord(person, field);
}

void ViewController::noteStructureChange(ChangeNotice::StructureChanges changes)
{
    m_pending.structure |= changes;
    if (m_undo.groupingLevel() == 0 && !m_undo.isUndoing() && !m_undo.isRedoing())
        flush(ChangeNotice::Cause::View);
}

void ViewController::flush(ChangeNotice::Cause cause)
{
    if (m_pending.isEmpty() && cause == ChangeNotice::Cause::Edit)
        return;
    ChangeNotice notice = std::move(m_pending);
    m_pending = ChangeNotice();
    notice.cause = cause;
    using S = ChangeNotice::Structure;
    const bool edit = !notice.records.empty()
        || (notice.structure
            & (ChangeNotice::StructureChanges(S::RowsAdded) | S::RowsRemoved | S::GroupList
                | S::GroupContents));
    if (cause == ChangeNotice::Cause::Undo || cause == ChangeNotice::Cause::Redo)
        setDocumentEdited(m_undo.canUndo());
    else if (edit && cause == ChangeNotice::Cause::Edit)
        setDocumentEdited(true);
    else if (cause == ChangeNotice::Cause::Edit)
        notice.cause = ChangeNotice::Cause::View; // nothing of the contacts changed
    if (!notice.isEmpty() || cause != ChangeNotice::Cause::Edit)
        emit contactsChanged(notice);
    if (!notice.records.empty())
        emit postcardPreviewNeedsRefresh();
}

void ViewController::setContainerTable(const ContainerTable &containers)
{
    m_containers = containers;
    // The group shown stays when the new table still holds it (the address books were read again);
    // otherwise the first group is shown.
    const ContactContainerPtr holder = containerOfGroup(m_selectedGroup);
    const bool kept = holder && !m_selectedGroup->deleted && holder->groups.contains(m_selectedGroup);
    if (!kept) {
        if (!m_containers.isEmpty() && !m_containers.first()->groups.isEmpty())
            m_selectedGroup = m_containers.first()->groups.first();
        else
            m_selectedGroup.reset();
    }
    noteStructureChange(kept ? ChangeNotice::StructureChanges(ChangeNotice::Structure::GroupList)
                             : ChangeNotice::Structure::GroupChanged | ChangeNotice::Structure::GroupList);
}

void ViewController::setSelectedGroupDict(const ContactGroupPtr &group)
{
    if (group == m_selectedGroup)
        return;
    m_selectedGroup = group;
    emit groupSelectionChanged(group);
    noteStructureChange(ChangeNotice::Structure::GroupChanged);
}

ViewController::Contents ViewController::takeContents()
{
    Contents contents { std::move(m_containers), std::move(m_selectedGroup), std::move(m_selectedRows),
        std::move(m_sender) };
    m_containers.clear();
    m_selectedGroup.reset();
    m_selectedRows.clear();
    m_sender.reset();
    m_pending = ChangeNotice();
    return contents;
}

ContactContainerPtr ViewController::containerOfGroup(const ContactGroupPtr &group) const
{
    if (!group)
        return {};
    for (const ContactContainerPtr &container : m_containers) {
        if (container->groups.contains(group))
            return container;
    }
    for (const ContactContainerPtr &container : m_containers) {
        if (container->identifier == group->containerIdentifier)
            return container;
    }
    return {};
}

ContactGroupPtr ViewController::topGroupOfContainer(const ContactContainerPtr &container) const
{
    if (!container)
        return {};
    for (const ContactGroupPtr &group : container->groups) {
        if (group->top)
            return group;
    }
    return {};
}

void ViewController::setDocumentEdited(bool edited)
{
    if (m_edited == edited)
        return;
    m_edited = edited;
    emit documentEditedChanged(edited);
}

void ViewController::setEditState(bool editable)
{
    if (m_editState == editable)
        return;
    m_editState = editable;
    emit editStateChanged(editable);
}

void ViewController::enableEditButton(bool enabled)
{
    if (m_editButtonEnabled == enabled)
        return;
    m_editButtonEnabled = enabled;
    emit editButtonEnabledChanged(enabled);
}

void ViewController::undo()
{
    m_undo.undo();
}

void ViewController::redo()
{
    m_undo.redo();
}

void ViewController::deleteContacts(const ContactTable &selected, int firstSelectedRow)
{
    if (selected.isEmpty() || !m_selectedGroup)
        return;
    UndoManager::Group step(m_undo);
    undoDeleteContacts(selected, m_selectedGroup, true);
    m_pending.rowToSelect = std::max(0, firstSelectedRow - 1);
}

ContactEntryPtr ViewController::duplicateOf(const ContactEntryPtr &row, bool withLayouts) const
{
    auto person = ZRPerson::fromStoreContact(row->person->contactFromCache());
    // The store contact carries the original's id; a duplicate is a contact of its own.
    person->setUniqueId(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    const QString renmei = row->person->valueForIdentifier(Ident::Renmei).toString();
    if (!renmei.isEmpty())
        person->setValueForIdentifier(renmei, Ident::Renmei);
    if (withLayouts) {
        // Layouts live in the address entries; the store contact keeps none of their keys.
        const QVariantList addresses = row->person->valueForIdentifier(Ident::Address).toList();
        for (qsizetype i = 0; i < addresses.size() && i < person->addressValues().size(); ++i) {
            QVariantMap address = person->labeledValueForIdentifierAtIndex(Ident::Address, i).toMap();
            const QString layout = ZRPerson::layoutStringFromHagakiLayoutDict(addresses.at(i).toMap());
            ZRPerson::hagakiLayoutFromLayoutString(address, layout);
            person->replaceLabeledValueAtIndex(address, Ident::Address, i);
        }
    }
    person->setCreated(true);
    auto entry = std::make_shared<ContactEntry>();
    entry->person = person;
    entry->uniqueId = person->uniqueId();
    entry->isNew = true;
    return entry;
}

void ViewController::duplicateContacts(const ContactTable &selected, bool withLayouts)
{
    if (selected.isEmpty() || !m_selectedGroup)
        return;
    ContactTable rows;
    for (const ContactEntryPtr &row : selected) {
        if (row && row->person)
            rows.append(duplicateOf(row, withLayouts));
    }
    undoAddContacts(rows, m_selectedGroup);
}

bool ViewController::addContactByVCardString(const QString &text)
{
    const auto containers = ZRvCard().containersFromVCards(text);
    if (!containers || containers->isEmpty() || !m_selectedGroup)
        return false;
    const ContactContainerPtr &container = containers->first();
    const ContactTable *rows = ZRvCard::contactsForGroup(*container->groups.first(), *container);
    if (!rows || rows->isEmpty())
        return false;
    undoAddContacts(*rows, m_selectedGroup);
    return true;
}

bool ViewController::addContactByStringIndexes(
    const QString &indexes, const ContactGroupPtr &group, const ContactTable &subRows)
{
    if (!group)
        return false;
    ContactTable rows;
    QSet<QString> taken;
    for (const QString &piece : indexes.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const qsizetype index = piece.trimmed().toLongLong(&ok);
        if (!ok || index < 0 || index >= subRows.size())
            continue; // a stale or foreign index list must not reach outside the table
        const ContactEntryPtr &row = subRows.at(index);
        if (taken.contains(row->uniqueId))
            continue;
        taken.insert(row->uniqueId);
        auto entry = std::make_shared<ContactEntry>(*row);
        entry->labelIndex = 0;
        rows.append(entry);
    }
    if (rows.isEmpty())
        return false;
    undoAddContacts(rows, group);
    return true;
}

bool ViewController::addContact(const ContactEntryPtr &newContact)
{
    if (!newContact || !newContact->person || !m_selectedGroup)
        return false;
    if (newContact->uniqueId.isEmpty())
        newContact->uniqueId = newContact->person->uniqueId();
    newContact->person->setCreated(true);
    undoAddContacts({ newContact }, m_selectedGroup);
    return true;
}

bool ViewController::showContact(const ContactEntryPtr &row, const ContactEntryPtr &edited)
{
    if (!row || !row->person || !edited || !edited->person)
        return false;
    bool changed = false;
    UndoManager::Group step(m_undo);
    for (const QString &field : SimpleInfoFields) {
        const QVariant value = edited->person->valueForIdentifier(field);
        // Fields the sheet left as they were register nothing.
        if (value != row->person->valueForIdentifier(field))
            changed |= undoReplaceValue(value, field, row);
    }
    return changed;
}

void ViewController::rowSelectionDidChange(const ContactTable &selectedRows)
{
    m_selectedRows = selectedRows;
    emit selectionChanged(selectedRows);
    if (!selectedRows.isEmpty())
        emit informationPaneNeedsReload(selectedRows.first());
    emit postcardPreviewNeedsRefresh();
}

QStringList ViewController::groupNamesOfContact(const ContactEntryPtr &row) const
{
    QStringList names;
    const ContactContainerPtr container = containerOfGroup(m_selectedGroup);
    if (!row || !container)
        return names;
    for (const ContactGroupPtr &group : container->groups) {
        if (group->deleted || !group->contactTable)
            continue;
        for (const ContactEntryPtr &entry : *group->contactTable) {
            // A contact deleted from a group is no longer one of its members.
            if (entry->uniqueId == row->uniqueId && !entry->deleted) {
                names << group->name;
                break;
            }
        }
    }
    return names;
}

void ViewController::postcardLayoutDidChange(
    const ContactEntryPtr &row, const QVariantMap &layoutDict, qsizetype addressIndex)
{
    if (!row || !row->person || layoutDict.isEmpty())
        return;
    UndoManager::Group step(m_undo);
    undoReplaceValue(layoutDict, Ident::HagakiLayout, row);
    QVariantMap address = row->person->labeledValueForIdentifierAtIndex(Ident::Address, addressIndex).toMap();
    if (!address.isEmpty()) {
        for (const QString &key : PostcardLayoutKeys) {
            if (layoutDict.contains(key))
                address.insert(key, layoutDict.value(key));
        }
        undoReplaceValue(address, Ident::Address, row);
    }
}

void ViewController::changeSenderInHagakiView(const ContactEntryPtr &sender)
{
    if (sender == m_sender)
        return;
    m_sender = sender;
    emit senderChanged(sender);
    emit postcardPreviewNeedsRefresh();
}

CommandState ViewController::validateCommand(Command command, const WindowState &window) const
{
    CommandState state;
    switch (command) {
    case Command::Undo:
        state.enabled = m_undo.canUndo();
        break;
    case Command::Redo:
        state.enabled = m_undo.canRedo();
        break;
    case Command::ToggleFindBar:
        state.title = window.findBarVisible ? CommandTitle::FindShown : CommandTitle::Find;
        break;
    case Command::DeleteContacts:
    case Command::DuplicateContacts:
        state.enabled = m_editState && !m_selectedRows.isEmpty();
        break;
    default:
        break;
    }
    return state;
}
