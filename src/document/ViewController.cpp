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

} // namespace

ViewController::ViewController(QObject *parent)
    : QObject(parent)
{
}

void ViewController::setContainerTable(const ContainerTable &containers)
{
    m_containers = containers;
    if (!m_containers.isEmpty() && !m_containers.first()->groups.isEmpty())
        m_selectedGroup = m_containers.first()->groups.first();
    else
        m_selectedGroup.reset();
}

void ViewController::setSelectedGroupDict(const ContactGroupPtr &group)
{
    m_selectedGroup = group;
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

void ViewController::undo()
{
    m_undo.undo();
    setDocumentEdited(m_undo.canUndo());
}

void ViewController::redo()
{
    m_undo.redo();
    setDocumentEdited(m_undo.canUndo());
}

void ViewController::deleteContacts(const ContactTable &selected, int firstSelectedRow)
{
    if (selected.isEmpty() || !m_selectedGroup)
        return;
    undoDeleteContacts(selected, m_selectedGroup, true);
    setDocumentEdited(true);
    emit scrollToRowRequested(std::max(0, firstSelectedRow - 1));
}

void ViewController::duplicateContacts(const ContactTable &selected, bool withLayouts)
{
    if (selected.isEmpty() || !m_selectedGroup)
        return;
    ContactTable rows;
    for (const ContactEntryPtr &row : selected) {
        if (!row->person)
            continue;
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
        rows.append(entry);
    }
    undoAddContacts(rows, m_selectedGroup);
    setDocumentEdited(true);
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
    setDocumentEdited(true);
    return true;
}

void ViewController::addContactByStringIndexes(
    const QString &indexes, const ContactGroupPtr &group, const ContactTable &subRows)
{
    if (!group)
        return;
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
        return;
    undoAddContacts(rows, group);
    setDocumentEdited(true);
}

void ViewController::contactDidUpdate(const ContactEntryPtr &row, Sender sender)
{
    if (!row)
        return;
    if (m_undo.isUndoing() || m_undo.isRedoing()) {
        emit contactTableNeedsReload();
        emit informationPaneNeedsReload(row);
        return;
    }
    if (sender != Sender::InformationPane)
        emit informationPaneNeedsReload(row);
    if (sender != Sender::ContactTable)
        emit contactTableNeedsReload();
    emit postcardPreviewNeedsRefresh();
    setDocumentEdited(true);
}

void ViewController::rowSelectionDidChange(const ContactTable &selectedRows)
{
    m_selectedRows = selectedRows;
    if (!selectedRows.isEmpty()) {
        const ContactEntryPtr &first = selectedRows.first();
        first->extra.insert(u"groupNames"_s, groupNamesOfContact(first));
        emit informationPaneNeedsReload(first);
    }
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
    setDocumentEdited(true);
}

void ViewController::changeSenderInHagakiView(const ContactEntryPtr &sender)
{
    if (sender == m_sender)
        return;
    m_sender = sender;
    emit senderChanged(sender);
    emit postcardPreviewNeedsRefresh();
}
