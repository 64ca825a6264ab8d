// The undoable operations of the window's controller. Each registers its inverse before it changes
// anything, so that undoing runs the same family of calls with the old values.

#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QImage>
#include <QSet>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace {

const QStringList &namePartIdentifiers()
{
    static const QStringList ids { Ident::FirstName, Ident::LastName, Ident::MiddleName,
        Ident::PreviousFamilyName, Ident::PhoneticFirstName, Ident::PhoneticLastName,
        Ident::PhoneticMiddleName };
    return ids;
}

bool isNull(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

QSet<QString> uniqueIdsOf(const ContactTable &rows)
{
    QSet<QString> ids;
    for (const ContactEntryPtr &row : rows)
        ids.insert(row->uniqueId);
    return ids;
}

} // namespace

void ViewController::registerReplace(
    const QVariant &oldValue, const QString &identifier, const ContactEntryPtr &contact)
{
    m_undo.registerUndo(
        [this, oldValue, identifier, contact] { undoReplaceValue(oldValue, identifier, contact); });
}

bool ViewController::undoReplaceValue(
    const QVariant &value, const QString &identifier, const ContactEntryPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    if (!replaceValue(value, identifier, contact))
        return false;
    contact->person->setChanged(true);
    contactDidUpdate(contact);
    return true;
}

bool ViewController::replaceValue(
    const QVariant &value, const QString &identifier, const ContactEntryPtr &contact)
{
    ZRPerson &person = *contact->person;

    if (ZRPerson::labeledIdentifiers().contains(identifier)) {
        if (isNull(value)) {
            qWarning().noquote() << u" Error %1: %2, %3"_s.arg(
                u"undoReplaceValue"_s, identifier, value.toString());
            return false;
        }
        if (value.metaType().id() == QMetaType::QVariantList) {
            registerReplace(person.valueForIdentifier(identifier), identifier, contact);
            person.setValueForIdentifier(value, identifier);
            return true;
        }
        if (value.metaType().id() == QMetaType::QVariantMap) {
            const qsizetype labelIndex = value.toMap().value(Key::LabelIndex).toLongLong();
            const QVariant old = person.labeledValueForIdentifierAtLabelIndex(identifier, labelIndex);
            if (isNull(old))
                return false; // nothing carries that number: nothing to replace, nothing to undo
            registerReplace(old, identifier, contact);
            person.replaceLabeledValueAtLabelIndex(value, identifier, labelIndex);
            return true;
        }
        return false;
    }

    if (ZRPerson::addressIdentifiers().contains(identifier)) {
        if (value.metaType().id() != QMetaType::QVariantMap)
            return false;
        const qsizetype labelIndex = value.toMap().value(Key::LabelIndex).toLongLong();
        const QVariant old = person.labeledValueForIdentifierAtLabelIndex(Ident::Address, labelIndex);
        if (isNull(old))
            return false;
        registerReplace(old, identifier, contact);
        person.replaceLabeledValueAtLabelIndex(value, Ident::Address, labelIndex);
        return true;
    }

    if (identifier == Ident::Name || identifier == Ident::PhoneticName || identifier == Ident::Birthday) {
        const QVariant old = person.valueForIdentifier(identifier);
        if (isNull(value)) {
            registerReplace(old, identifier, contact);
            person.deleteValueForIdentifier(identifier);
            return true;
        }
        if (value.metaType().id() != QMetaType::QVariantMap)
            return false;
        registerReplace(old, identifier, contact);
        person.setValueForIdentifier(value, identifier);
        return true;
    }

    if (namePartIdentifiers().contains(identifier)) {
        if (value.metaType().id() != QMetaType::QString)
            return false;
        const QString old = person.valueForIdentifier(identifier).toString();
        if (old == value.toString())
            return false;
        registerReplace(old, identifier, contact);
        person.setValueForIdentifier(value, identifier);
        return true;
    }

    if (identifier == Ident::Photo) {
        // The inverse carries the stored bytes, so undo gives back the very image the file held
        // rather than a re-encoded copy.
        const QByteArray oldBytes = person.imageData();
        if (isNull(value)) {
            registerReplace(oldBytes.isEmpty() ? QVariant() : QVariant(oldBytes), identifier, contact);
            person.deleteValueForIdentifier(Ident::Photo);
            return true;
        }
        if (value.metaType().id() == QMetaType::QByteArray) {
            registerReplace(oldBytes.isEmpty() ? QVariant() : QVariant(oldBytes), identifier, contact);
            person.setImageData(value.toByteArray());
            return true;
        }
        if (value.metaType().id() == QMetaType::QImage) {
            registerReplace(oldBytes.isEmpty() ? QVariant() : QVariant(oldBytes), identifier, contact);
            person.setPhoto(value.value<QImage>());
            return true;
        }
        return false;
    }

    if (identifier == Ident::HagakiLayout) {
        if (value.metaType().id() != QMetaType::QVariantMap || !value.toMap().contains(Key::LabelIndex))
            return false;
        const qsizetype labelIndex = value.toMap().value(Key::LabelIndex).toLongLong();
        registerReplace(person.labeledValueForIdentifierAtLabelIndex(Ident::HagakiLayout, labelIndex),
            identifier, contact);
        person.replaceLabeledValueAtLabelIndex(value, Ident::HagakiLayout, labelIndex);
        return true;
    }

    if (ZRPerson::stringIdentifiers().contains(identifier)) {
        registerReplace(person.valueForIdentifier(identifier), identifier, contact);
        person.setValueForIdentifier(value, identifier);
        return true;
    }
    return false;
}

void ViewController::undoAddLabeledValue(
    const QVariant &value, const QString &identifier, const ContactEntryPtr &contact)
{
    if (!contact || !contact->person)
        return;
    ZRPerson &person = *contact->person;
    if (ZRPerson::labeledIdentifiers().contains(identifier) || identifier == Ident::Birthday) {
        registerReplace(person.valueForIdentifier(identifier), identifier, contact);
        person.addLabeledValue(value, identifier);
    }
    person.setChanged(true);
    contactDidUpdate(std::make_shared<ContactEntry>(*contact), Sender::ContactTable);
    if (m_undo.isUndoing() || m_undo.isRedoing()) {
        emit contactTableNeedsReload();
        emit informationPaneNeedsReload(contact);
    }
}

void ViewController::undoDeleteLabeledValue(
    const QVariant &value, const QString &identifier, const ContactEntryPtr &contact)
{
    if (!contact || !contact->person)
        return;
    if (!ZRPerson::labeledIdentifiers().contains(identifier)) {
        qWarning("ERROR");
        return;
    }
    ZRPerson &person = *contact->person;
    registerReplace(person.valueForIdentifier(identifier), identifier, contact);
    person.deleteLabeledValueForIdentifierAtLabelIndex(
        identifier, value.toMap().value(Key::LabelIndex).toLongLong());
    person.setChanged(true);
    contactDidUpdate(contact);
}

void ViewController::undoAddContacts(const ContactTable &rows, const ContactGroupPtr &group)
{
    if (!group)
        return;
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
    if (!rows.isEmpty() && isShown(group))
        emit contactTableChanged(rows);
}

void ViewController::undoDeleteContacts(const ContactTable &rows, const ContactGroupPtr &group, bool doUndo)
{
    if (!group)
        return;
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
    if (group->top) {
        if (const ContactContainerPtr container = containerOfGroup(group)) {
            for (const ContactGroupPtr &other : container->groups)
                markDeleted(other);
        }
    }
    if (isShown(group))
        emit contactTableChanged({});
}

void ViewController::undoAddGroup(const ContactGroupPtr &group, const ContactContainerPtr &container)
{
    if (!group || !container)
        return;
    m_undo.registerUndo([this, group, container] { undoDeleteGroup(group, container); });
    if (group->deleted)
        group->deleted = false;
    else if (!container->groups.contains(group))
        container->groups.append(group);
    emit groupListNeedsUpdate();
}

void ViewController::undoDeleteGroup(const ContactGroupPtr &group, const ContactContainerPtr &container)
{
    if (!group || !container)
        return;
    m_undo.registerUndo([this, group, container] { undoAddGroup(group, container); });
    group->deleted = true;
    // The deleted group moves to the end, so that undo brings it back there.
    const qsizetype at = container->groups.indexOf(group);
    if (at >= 0)
        container->groups.swapItemsAt(at, container->groups.size() - 1);
    if (!container->groups.isEmpty())
        setSelectedGroupDict(container->groups.first());
    emit groupListNeedsUpdate();
    emit groupSelectionChanged(m_selectedGroup);
}

bool ViewController::undoChangeGroupName(const QString &name, const ContactGroupPtr &group)
{
    if (!group)
        return false;
    const QString old = group->name;
    m_undo.registerUndo([this, old, group] { undoChangeGroupName(old, group); });
    group->groupNameChanged = true;
    group->name = name;
    setSelectedGroupDict(group);
    emit groupListNeedsUpdate();
    emit groupSelectionChanged(group);
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
    if (!to.isEmpty())
        contactDidUpdate(to.first());
}
