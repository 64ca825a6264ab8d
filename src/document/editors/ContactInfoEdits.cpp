#include "document/editors/ContactInfoEdits.h"

#include "document/DefaultsKeys.h"
#include "document/ViewController.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

namespace {

bool isPlainLabeled(const QString &type)
{
    return type == Ident::Phone || type == Ident::Email || type == Ident::URL || type == Ident::SocialNetwork
        || type == Ident::Relationship;
}

std::shared_ptr<ZRPerson> personFromVCard(const QByteArray &vCard)
{
    const auto containers = ZRvCard().containersFromVCards(vCard);
    if (!containers || containers->isEmpty() || containers->first()->groups.isEmpty())
        return nullptr;
    const auto &table = containers->first()->groups.first()->contactTable;
    if (!table || table->isEmpty())
        return nullptr;
    return table->first()->person;
}

} // namespace

namespace ContactInfoEdits {

bool textFieldCellChanged(
    ViewController &controller, const ContactEntryPtr &contact, const InfoRow &row, const QString &text)
{
    if (!contact || !contact->person)
        return false;
    ZRPerson &person = *contact->person;
    if (row.type == Ident::Name || row.type == Ident::PhoneticName) {
        if (ContactInfoRows::displayText(person, row) == text)
            return false;
        return controller.undoReplaceValue(text, ContactInfoRows::partIdentifier(row), contact);
    }
    if (isPlainLabeled(row.type)) {
        if (!row.isLabeled())
            return false;
        QVariantMap entry = person.labeledValueForIdentifierAtLabelIndex(row.type, row.labelIndex).toMap();
        if (entry.isEmpty() || entry.value(Key::Value).toString() == text)
            return false;
        entry.insert(Key::Value, text);
        entry.insert(Key::StringValue, text);
        return controller.undoReplaceValue(entry, row.type, contact);
    }
    if (ZRPerson::stringIdentifiers().contains(row.type)) {
        if (person.valueForIdentifier(row.type).toString() == text)
            return false;
        return controller.undoReplaceValue(text, row.type, contact);
    }
    return false;
}

bool popupButtonCellChanged(
    ViewController &controller, const ContactEntryPtr &contact, const InfoRow &row, const QString &title)
{
    if (!contact || !contact->person)
        return false;
    ZRPerson &person = *contact->person;
    if (row.type == ColumnId::NameOrdering || row.type == ColumnId::NameDisplay) {
        QVariantMap name = person.readNameValue();
        if (row.type == ColumnId::NameOrdering) {
            const int ordering = title == ContactInfoText::FirstNameFirst.text() ? 1
                : title == ContactInfoText::LastNameFirst.text()                 ? 2
                                                                                 : 0;
            if (name.value(Key::NameOrdering).toInt() == ordering)
                return false;
            name.insert(Key::NameOrdering, ordering);
        } else {
            const bool asPerson = title == ContactInfoText::Person.text();
            if (name.value(Key::ShowAsPerson, true).toBool() == asPerson)
                return false;
            name.insert(Key::ShowAsPerson, asPerson);
        }
        return controller.undoReplaceValue(name, Ident::Name, contact);
    }
    if (!row.isLabeled())
        return false;
    QVariantMap entry = person.labeledValueForIdentifierAtLabelIndex(row.type, row.labelIndex).toMap();
    if (entry.isEmpty() || entry.value(Key::Label).toString() == title)
        return false;
    entry.insert(Key::Label, title);
    return controller.undoReplaceValue(entry, row.type, contact);
}

InsertResult insertItem(ViewController &controller, const ContactEntryPtr &contact, const InfoRow &row)
{
    InsertResult result;
    if (!contact || !contact->person)
        return result;
    const QString field = EditorRoster::fieldOfType(row.type);
    if (field == Ident::Address || field == Ident::SocialNetwork || field == Ident::InstantMessage
        || field == Ident::Dates || field == Ident::Birthday) {
        result.openEditor = EditorRoster::contextFor(contact, field, EditorContext::NewEntry, true);
        return result;
    }
    QVariantMap entry;
    if (field == Ident::Phone)
        entry = { { Key::Label, LabelName::Home }, { Key::Value, QStringLiteral("123") } };
    else if (field == Ident::Email || field == Ident::URL)
        entry = { { Key::Label, LabelName::Home }, { Key::Value, QString() } };
    else if (field == Ident::Relationship)
        entry = { { Key::Label, LabelName::Friend }, { Key::Value, QString() } };
    if (!entry.isEmpty()) {
        result.changed = controller.undoAddLabeledValue(entry, field, contact);
    } else if (ZRPerson::stringIdentifiers().contains(field)) {
        result.changed = controller.undoReplaceValue(QString(), field, contact);
    }
    return result;
}

bool deleteItem(ViewController &controller, const ContactEntryPtr &contact, const InfoRow &row)
{
    if (!contact || !contact->person)
        return false;
    if (row.isLabeled()) {
        return controller.undoDeleteLabeledValue(
            QVariantMap { { Key::LabelIndex, row.labelIndex } }, row.type, contact);
    }
    if (row.type == Ident::Birthday || row.type == Ident::PhoneticName)
        return controller.undoReplaceValue(QVariant(), row.type, contact);
    if (ZRPerson::stringIdentifiers().contains(row.type))
        return controller.undoReplaceValue(QString(), row.type, contact);
    return false;
}

bool dropField(ViewController &controller, const ContactEntryPtr &contact, const InfoRow &target,
    const DraggedField &dragged, bool onRow)
{
    if (!contact || !contact->person)
        return false;
    const std::shared_ptr<ZRPerson> source = personFromVCard(dragged.vCard);
    if (!source)
        return false;
    const QString &field = target.type;
    if (field == Ident::Name || field == Ident::PhoneticName) {
        const bool phonetic = field == Ident::PhoneticName;
        const QString text = phonetic ? source->readPhoneticNameValue().value(target.label).toString()
                                      : source->readNameValue().value(target.label).toString();
        if (text.isEmpty())
            return false;
        const QString identifier
            = phonetic ? ContactInfoRows::phoneticPartForLabel(target.label) : target.label;
        return controller.undoReplaceValue(text, identifier, contact);
    }
    if (field == Ident::Photo) {
        const QByteArray image = source->imageData();
        if (image.isEmpty())
            return false;
        return controller.undoReplaceValue(image, Ident::Photo, contact);
    }
    if (ZRPerson::labeledIdentifiers().contains(field)) {
        const QVariant entry = source->labeledValueForIdentifierAtLabelIndex(field, dragged.labelIndex);
        if (!entry.isValid())
            return false;
        QVariantMap dropped = entry.toMap();
        dropped.insert(Key::LabelIndex, qsizetype(-1)); // numbered by the receiving record
        const QVariantList *list = contact->person->labeledValues(field);
        const auto changed = ContactInfoRows::listAfterDrop(
            list ? *list : QVariantList(), dropped, target.index < 0 ? 0 : target.index, onRow);
        if (!changed)
            return false;
        return controller.undoReplaceValue(*changed, field, contact);
    }
    if (field == Ident::Birthday) {
        const QVariantMap birthday = source->birthdayValue();
        if (!birthday.value(Key::Value).isValid())
            return false;
        return controller.undoReplaceValue(birthday, Ident::Birthday, contact);
    }
    const QVariant value = source->valueForIdentifier(field);
    if (!value.isValid() || value.toString().isEmpty())
        return false;
    return controller.undoReplaceValue(value, field, contact);
}

} // namespace ContactInfoEdits
