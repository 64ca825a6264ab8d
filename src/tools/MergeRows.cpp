#include "tools/MergeRows.h"

#include "document/editors/ContactInfoRows.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace MergeTable {

const QStringList &fieldOrder()
{
    static const QStringList order { Ident::Photo, Ident::Name, MergeText::NameOrdering,
        MergeText::NameDisplay, Ident::Company, Ident::Renmei, Ident::Address, Ident::PhoneticName,
        Ident::Email, Ident::InstantMessage, Ident::SocialNetwork, Ident::URL, Ident::Phone, Ident::Nickname,
        Ident::Birthday, Ident::Relationship, Ident::Suffix, Ident::Title, Ident::Department, Ident::JobTitle,
        Ident::Dates, Ident::Note };
    return order;
}

bool isDraggableType(const QString &type)
{
    return type != MergeText::NameOrdering && type != MergeText::NameDisplay && fieldOrder().contains(type);
}

QString partIdentifier(const MergeRow &row)
{
    if (row.type != Ident::PhoneticName)
        return row.part;
    if (row.part == Ident::FirstName)
        return Ident::PhoneticFirstName;
    if (row.part == Ident::MiddleName)
        return Ident::PhoneticMiddleName;
    if (row.part == Ident::LastName)
        return Ident::PhoneticLastName;
    return QString();
}

MergeRows tableFromContact(const ContactEntry &entry)
{
    MergeRows rows;
    ZRPerson *person = entry.person.get();
    for (const QString &type : fieldOrder()) {
        if (type == Ident::Name || type == Ident::PhoneticName) {
            QStringList parts { Ident::FirstName, Ident::MiddleName, Ident::LastName };
            if (type == Ident::Name)
                parts.append(Ident::PreviousFamilyName);
            for (const QString &part : parts) {
                MergeRow row;
                row.type = type;
                row.part = part;
                rows.append(row);
            }
            continue;
        }
        if (!ZRPerson::labeledIdentifiers().contains(type)) {
            {
                MergeRow row;
                row.type = type;
                rows.append(row);
            }
            continue;
        }
        const QVariantList entries = person ? *person->labeledValues(type) : QVariantList();
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QVariantMap value = entries.at(i).toMap();
            MergeRow row;
            row.type = type;
            row.labeled = true;
            row.label = value.value(Key::Label).toString();
            row.labelIndex = value.value(Key::LabelIndex).toLongLong();
            row.index = i;
            row.valueCount = entries.size();
            rows.append(row);
        }
        MergeRow adding;
        adding.type = type;
        adding.labeled = true;
        adding.valueCount = entries.size();
        rows.append(adding);
    }
    return rows;
}

QStringList nameOrderingLabels(const ContactEntry &entry)
{
    const bool firstNameFirst = entry.person && entry.person->defaultNameOrdering() == 1;
    return { firstNameFirst ? ContactInfoText::SystemDefaultFirst.text()
                            : ContactInfoText::SystemDefaultLast.text(),
        ContactInfoText::FirstNameFirst.text(), ContactInfoText::LastNameFirst.text() };
}

QString fieldTitle(const QString &type)
{
    if (type == MergeText::NameOrdering)
        return MergeText::NameOrderingTitle;
    if (type == MergeText::NameDisplay)
        return MergeText::NameDisplayTitle;
    return ZRPerson::localizedIdentifierForKey(type);
}

QString textForRow(const ContactEntry &entry, const MergeRow &row)
{
    ZRPerson *person = entry.person.get();
    if (!person)
        return QString();
    if (!row.part.isEmpty())
        return person->valueForIdentifier(partIdentifier(row)).toString();
    if (row.type == MergeText::NameOrdering) {
        const QStringList labels = nameOrderingLabels(entry);
        const int ordering = person->readNameValue().value(Key::NameOrdering).toInt();
        return ordering >= 0 && ordering < labels.size() ? labels.at(ordering) : labels.value(0);
    }
    if (row.type == MergeText::NameDisplay)
        return person->showAsPerson() ? ContactInfoText::Person.text() : ContactInfoText::Company.text();
    if (row.labeled)
        return row.labelIndex < 0 ? QString()
                                  : person->stringValueForIdentifierAtLabelIndex(row.type, row.labelIndex);
    if (row.type == Ident::Birthday)
        return person->birthdayValue().value(Key::StringValue).toString();
    if (row.type == Ident::Photo)
        return QString();
    return person->valueForIdentifier(row.type).toString();
}

} // namespace MergeTable
