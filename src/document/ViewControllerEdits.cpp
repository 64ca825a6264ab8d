// The undoable operations of the window's controller. Each registers its inverse before it changes
// anything, so that undoing runs the same family of calls with the old values. Every operation is an
// undo group of its own, so one called alone is one user action and tells its change when it ends.

#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

QSet<QString> uniqueIdsOf(const ContactTable &rows)
{
    QSet<QString> ids;
    for (const ContactEntryPtr &row : rows)
        ids.insert(row->uniqueId);
    return ids;
}

} // namespace

bool ViewController::undoReplaceValue(
    const QVariant &value, const QString &identifier, const ContactEntryPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    UndoManager::Group step(m_undo);
    return m_edits.replaceValue(value, identifier, contact->person);
}

bool ViewController::undoAddLabeledValue(
    const QVariant &value, const QString &identifier, const ContactEntryPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    UndoManager::Group step(m_undo);
    return m_edits.addLabeledValue(value, identifier, contact->person);
}

bool ViewController::undoDeleteLabeledValue(
    const QVariant &value, const QString &identifier, const ContactEntryPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    UndoManager::Group step(m_undo);
    return m_edits.deleteLabeledValue(value, identifier, contact->person);
}

void ViewController::undoAddContacts(const ContactTable &rows, const ContactGroupPtr &group)
{
    if (!group)
        return;
    UndoManager::Group step(m_undo);
    m_undo.registerUndo([this, rows, group] { undoDeleteContacts(rows, group, true); });
    if (!group->contactTable)
        group->contactTable = ContactTable();
    ContactTable &table = *group->contactTable;
    const QSet<QString> before = uniqueIdsOf(table);
    const QSet<QString> added = uniqueIdsOf(rows);
    for (const ContactEntryPtr &row : rows) {
        if (!before.contains(row->uniqueId)) {
            row->isNew = true;
            row->deleted = false;
            table.append(row);
        } else {
            // Already there: an undo gives back the very entries, a second drop only revives the entry.
            row->deleted = false;
            for (const ContactEntryPtr &entry : table) {
                if (entry->uniqueId == row->uniqueId)
                    entry->deleted = false;
            }
        }
    }
    group->changed = true;

    const ContactContainerPtr container = containerOfGroup(group);
    if (container && !group->top) {
        const ContactGroupPtr top = topGroupOfContainer(container);
        if (top && top->contactTable) {
            top->changed = true;
            const QSet<QString> inTop = uniqueIdsOf(*top->contactTable);
            for (const ContactEntryPtr &row : rows) {
                if (inTop.contains(row->uniqueId))
                    continue;
                auto copy = std::make_shared<ContactEntry>(*row);
                copy->isNew = true;
                copy->labelIndex = 0;
                top->contactTable->append(copy);
            }
        }
    } else if (container) {
        for (const ContactGroupPtr &other : container->groups) {
            if (other == group || !other->contactTable)
                continue;
            for (const ContactEntryPtr &entry : *other->contactTable) {
                if (added.contains(entry->uniqueId))
                    entry->deleted = false;
            }
        }
    }
    using S = ChangeNotice::Structure;
    if (isShown(group)) {
        m_pending.structure |= S::RowsAdded;
        m_pending.rowsToSelect += rows;
    } else if (m_selectedGroup && container && container->groups.contains(m_selectedGroup)) {
        // The shown group shares the container: its copies or revived entries show now.
        m_pending.structure |= S::RowsAdded | S::GroupContents;
    } else {
        m_pending.structure |= S::GroupContents;
    }
}

void ViewController::undoDeleteContacts(const ContactTable &rows, const ContactGroupPtr &group, bool doUndo)
{
    if (!group)
        return;
    UndoManager::Group step(m_undo);
    if (doUndo)
        m_undo.registerUndo([this, rows, group] { undoAddContacts(rows, group); });
    const QSet<QString> ids = uniqueIdsOf(rows);
    auto markDeleted = [&ids](const ContactGroupPtr &g) {
        g->changed = true;
        if (!g->contactTable)
            return;
        for (const ContactEntryPtr &entry : *g->contactTable) {
            if (ids.contains(entry->uniqueId))
                entry->deleted = true;
        }
    };
    markDeleted(group);
    bool shownTouched = isShown(group);
    if (group->top) {
        if (const ContactContainerPtr container = containerOfGroup(group)) {
            for (const ContactGroupPtr &other : container->groups) {
                markDeleted(other);
                shownTouched = shownTouched || isShown(other);
            }
        }
    }
    using S = ChangeNotice::Structure;
    m_pending.structure |= shownTouched ? S::RowsRemoved : S::GroupContents;
}

void ViewController::undoAddGroup(const ContactGroupPtr &group, const ContactContainerPtr &container)
{
    if (!group || !container)
        return;
    UndoManager::Group step(m_undo);
    m_undo.registerUndo([this, group, container] { undoDeleteGroup(group, container); });
    if (group->deleted)
        group->deleted = false;
    else if (!container->groups.contains(group))
        container->groups.append(group);
    m_pending.structure |= ChangeNotice::Structure::GroupList;
    emit groupListNeedsUpdate();
}

void ViewController::undoDeleteGroup(const ContactGroupPtr &group, const ContactContainerPtr &container)
{
    if (!group || !container)
        return;
    UndoManager::Group step(m_undo);
    m_undo.registerUndo([this, group, container] { undoAddGroup(group, container); });
    group->deleted = true;
    // The deleted group moves to the end, so that undo brings it back there.
    const qsizetype at = container->groups.indexOf(group);
    if (at >= 0)
        container->groups.swapItemsAt(at, container->groups.size() - 1);
    m_pending.structure |= ChangeNotice::Structure::GroupList;
    if (!container->groups.isEmpty())
        setSelectedGroupDict(container->groups.first());
    emit groupListNeedsUpdate();
}

bool ViewController::undoChangeGroupName(const QString &name, const ContactGroupPtr &group)
{
    if (!group)
        return false;
    UndoManager::Group step(m_undo);
    const QString old = group->name;
    m_undo.registerUndo([this, old, group] { undoChangeGroupName(old, group); });
    group->groupNameChanged = true;
    group->name = name;
    m_pending.structure |= ChangeNotice::Structure::GroupList;
    setSelectedGroupDict(group);
    emit groupListNeedsUpdate();
    return true;
}

void ViewController::undoReplacePersonByContacts(const ContactTable &from, const ContactTable &to)
{
    static const QStringList copied { Ident::Name, Ident::Renmei, Ident::Email, Ident::Phone, Ident::Address,
        Ident::InstantMessage, Ident::SocialNetwork, Ident::URL, Ident::PhoneticName, Ident::Nickname,
        Ident::Birthday, Ident::Relationship, Ident::Suffix, Ident::Title, Ident::Company, Ident::Department,
        Ident::JobTitle, Ident::Dates, Ident::Note };
    UndoManager::Group step(m_undo);
    const qsizetype pairs = std::min(from.size(), to.size());
    for (qsizetype i = 0; i < pairs; ++i) {
        ZRPerson &giver = *from.at(i)->person;
        ZRPerson &receiver = *to.at(i)->person;
        if (!giver.imageData().isEmpty() && receiver.imageData() != giver.imageData())
            undoReplaceValue(giver.imageData(), Ident::Photo, to.at(i));
        for (const QString &identifier : copied) {
            const QVariant value = giver.valueForIdentifier(identifier);
            if (value != receiver.valueForIdentifier(identifier))
                undoReplaceValue(value, identifier, to.at(i));
        }
    }
}
