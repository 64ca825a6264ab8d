#include "document/editors/EditorContext.h"

#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

namespace EditorRoster {

EditorKind editorForField(const QString &identifier, bool wholeList)
{
    const QString field = fieldOfType(identifier);
    if (field == Ident::Name)
        return EditorKind::Name;
    if (field == Ident::PhoneticName)
        return EditorKind::PhoneticName;
    if (field == Ident::Birthday)
        return EditorKind::Birthday;
    if (field == Ident::Renmei)
        return EditorKind::Renmei;
    if (field == Ident::Dates)
        return wholeList ? EditorKind::MultiValue : EditorKind::Dates;
    if (field == Ident::Address)
        return wholeList ? EditorKind::MultiValue : EditorKind::Address;
    if (field == Ident::InstantMessage)
        return wholeList ? EditorKind::MultiValue : EditorKind::InstantMessage;
    if (field == Ident::SocialNetwork)
        return wholeList ? EditorKind::MultiValue : EditorKind::SocialNetwork;
    if (field == Ident::Phone || field == Ident::Email || field == Ident::URL || field == Ident::Relationship)
        return EditorKind::MultiValue;
    return EditorKind::None;
}

QString fieldOfType(const QString &identifier)
{
    if (ZRPerson::addressIdentifiers().contains(identifier))
        return Ident::Address;
    return identifier;
}

QSize popoverContentSize(const QString &identifier)
{
    const QString field = fieldOfType(identifier);
    if (field == Ident::Address)
        return { 820, 260 };
    if (field == Ident::InstantMessage)
        return { 460, 260 };
    if (field == Ident::SocialNetwork)
        return { 680, 260 };
    return { 360, 260 };
}

QSize datePopoverContentSize()
{
    return { 340, 284 };
}

EditorContext contextFor(
    const ContactEntryPtr &contact, const QString &identifier, qsizetype labelIndex, bool editEnabled)
{
    EditorContext context;
    context.contact = contact;
    context.type = identifier;
    context.labelIndex = labelIndex;
    context.editEnabled = editEnabled;
    if (fieldOfType(identifier) != Ident::Address || !contact || !contact->person)
        return context;
    if (labelIndex == EditorContext::NewEntry) {
        QVariantMap address { { Ident::ZIP, QStringLiteral("123") }, { Key::Label, LabelName::Home },
            { Key::LabelIndex, EditorContext::NewEntry } };
        ZRPerson::updateAddressValue(address, ZRPerson::AddressOption);
        context.labeledValue = address;
    } else {
        context.labeledValue
            = contact->person->labeledValueForIdentifierAtLabelIndex(Ident::Address, labelIndex).toMap();
    }
    return context;
}

} // namespace EditorRoster

namespace EditorRoster {

qsizetype labelIndexAtPosition(const ContactEntryPtr &contact, const QString &identifier, qsizetype position)
{
    if (!contact || !contact->person || position < 0)
        return EditorContext::NewEntry;
    const QVariant entry
        = contact->person->labeledValueForIdentifierAtIndex(fieldOfType(identifier), position);
    if (!entry.isValid())
        return EditorContext::NewEntry;
    return entry.toMap().value(Key::LabelIndex).toLongLong();
}

} // namespace EditorRoster
