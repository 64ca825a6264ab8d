#include "document/editors/ContactInfoRows.h"

#include "document/DefaultsKeys.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

#include <QUrl>

namespace {

const QStringList &nameParts()
{
    static const QStringList parts { Ident::FirstName, Ident::MiddleName, Ident::LastName,
        Ident::PreviousFamilyName };
    return parts;
}

const QStringList &phoneticParts()
{
    static const QStringList parts { Ident::FirstName, Ident::MiddleName, Ident::LastName };
    return parts;
}

QString nameOrderingText(ZRPerson &person)
{
    const int ordering = person.readNameValue().value(Key::NameOrdering).toInt();
    if (ordering == 1)
        return ContactInfoText::FirstNameFirst;
    if (ordering == 2)
        return ContactInfoText::LastNameFirst;
    return person.defaultNameOrdering() == 1 ? ContactInfoText::SystemDefaultFirst.text()
                                             : ContactInfoText::SystemDefaultLast.text();
}

QString systemDefaultText(ZRPerson &person)
{
    return person.defaultNameOrdering() == 1 ? ContactInfoText::SystemDefaultFirst.text()
                                             : ContactInfoText::SystemDefaultLast.text();
}

bool familyNameFirst(ZRPerson &person)
{
    const int ordering = person.readNameValue().value(Key::NameOrdering).toInt();
    return ordering == 2 || (ordering == 0 && person.defaultNameOrdering() == 2);
}

// Maps and Linux desktops open "geo:" where other systems have their own map scheme.
const QString MapScheme = QStringLiteral("geo:0,0?q=");
const QString WebMapSearch = QStringLiteral("https://www.google.com/maps/search/?api=1&query=");

} // namespace

namespace ContactInfoRows {

QList<InfoRow> tableFromContact(const ContactEntryPtr &contact, const QStringList &rowOrder)
{
    QList<InfoRow> rows;
    if (!contact || !contact->person)
        return rows;
    ZRPerson &person = *contact->person;
    const QStringList &labeled = ZRPerson::labeledIdentifiers();
    for (int order = 0; order < rowOrder.size(); ++order) {
        const QString &id = rowOrder.at(order);
        InfoRow base;
        base.type = id;
        base.rowOrderIndex = order;
        if (labeled.contains(id)) {
            QStringList labels;
            person.entryLabels(id, labels);
            const QStringList known = Labels::labelsForIdentifier(id);
            for (const QString &label : labels) {
                if (!label.isEmpty() && !known.contains(label))
                    Labels::setLabelToForIdentifier(QString(), label, id);
            }
        }
        if (id == Ident::Name || id == Ident::PhoneticName) {
            const QStringList &parts = id == Ident::Name ? nameParts() : phoneticParts();
            // A name written family name first is read that way: its rows follow suit, each keeping
            // its part's position.
            QList<int> order { 0, 1, 2, 3 };
            if (familyNameFirst(person))
                order = { 2, 0, 1, 3 };
            for (int i : order) {
                if (i >= parts.size())
                    continue;
                InfoRow row = base;
                row.label = parts.at(i);
                row.labelIndex = i;
                rows << row;
            }
        } else if (id == Ident::Photo) {
            InfoRow row = base;
            row.value = Ident::Photo;
            rows << row;
        } else if (id == ColumnId::Groups) {
            rows << base;
        } else if (id == ColumnId::NameOrdering) {
            InfoRow row = base;
            row.label = nameOrderingText(person);
            row.choices = QStringList { systemDefaultText(person), ContactInfoText::FirstNameFirst.text(),
                ContactInfoText::LastNameFirst.text() };
            rows << row;
        } else if (id == ColumnId::NameDisplay) {
            InfoRow row = base;
            const bool asPerson = person.readNameValue().value(Key::ShowAsPerson, true).toBool();
            row.label = asPerson ? ContactInfoText::Person.text() : ContactInfoText::Company.text();
            row.choices = QStringList { ContactInfoText::Person.text(), ContactInfoText::Company.text() };
            rows << row;
        } else if (const QVariantList *entries = person.labeledValues(id)) {
            if (entries->isEmpty()) {
                rows << base;
                continue;
            }
            for (qsizetype i = 0; i < entries->size(); ++i) {
                InfoRow row = base;
                row.label = ZRPerson::entryValue(entries->at(i), Key::Label).toString();
                row.labelIndex = ZRPerson::entryValue(entries->at(i), Key::LabelIndex).toLongLong();
                row.index = i;
                rows << row;
            }
        } else {
            const QVariant value = person.valueForIdentifier(id);
            if (!value.isValid() || value.typeId() == QMetaType::QString) {
                rows << base;
            } else if (value.typeId() == QMetaType::QVariantMap) {
                InfoRow row = base;
                row.label = value.toMap().value(Key::Label).toString();
                rows << row;
            }
        }
    }
    return rows;
}

QString partIdentifier(const InfoRow &row)
{
    if (row.type == Ident::Name)
        return row.label;
    if (row.type == Ident::PhoneticName) {
        if (row.label == Ident::FirstName)
            return Ident::PhoneticFirstName;
        if (row.label == Ident::LastName)
            return Ident::PhoneticLastName;
        return Ident::PhoneticMiddleName;
    }
    return row.type;
}

QString phoneticPartForLabel(const QString &label)
{
    InfoRow row;
    row.type = Ident::PhoneticName;
    row.label = label;
    return partIdentifier(row);
}

QString displayText(ZRPerson &person, const InfoRow &row)
{
    if (row.type == Ident::Name)
        return person.readNameValue().value(row.label).toString();
    if (row.type == Ident::PhoneticName)
        return person.readPhoneticNameValue().value(row.label).toString();
    if (row.type == ColumnId::NameOrdering || row.type == ColumnId::NameDisplay)
        return row.label;
    if (row.type == Ident::Photo || row.type == ColumnId::Groups)
        return QString();
    if (row.isLabeled()) {
        const QVariant entry = person.labeledValueForIdentifierAtIndex(row.type, row.index);
        const QString field = row.type;
        // Plain text fields are typed as their value; the others show their derived text.
        if (field == Ident::Phone || field == Ident::Email || field == Ident::URL
            || field == Ident::Relationship || field == Ident::SocialNetwork)
            return ZRPerson::entryValue(entry, Key::Value).toString();
        // A formatted address ends in empty lines where parts are missing.
        QStringList lines = ZRPerson::entryValue(entry, Key::StringValue).toString().split(u'\n');
        lines.removeAll(QString());
        return lines.join(u'\n');
    }
    if (row.type == Ident::Birthday)
        return person.birthdayValue().value(Key::StringValue).toString();
    const QVariant value = person.valueForIdentifier(row.type);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool hasValue(ZRPerson &person, const InfoRow &row)
{
    if (row.type == Ident::Photo)
        return !person.imageData().isEmpty() || !person.thumbnailImageData().isEmpty();
    if (row.type == ColumnId::Groups)
        return false;
    if (row.type == ColumnId::NameOrdering || row.type == ColumnId::NameDisplay)
        return true;
    return !displayText(person, row).isEmpty();
}

bool isTextEditable(const InfoRow &row)
{
    if (row.type == Ident::Name || row.type == Ident::PhoneticName || row.type == Ident::Renmei)
        return true;
    if (row.type == Ident::Phone || row.type == Ident::Email || row.type == Ident::URL
        || row.type == Ident::SocialNetwork || row.type == Ident::Relationship)
        return row.isLabeled();
    return ZRPerson::stringIdentifiers().contains(row.type);
}

QStringList moveField(const QStringList &order, const QString &dragged, const QString &target)
{
    const qsizetype from = order.indexOf(dragged);
    const qsizetype to = order.indexOf(target);
    if (from < 0 || to < 0 || from == to)
        return order;
    QStringList moved = order;
    if (from > to) {
        moved.removeAt(from);
        moved.insert(to, dragged);
    } else {
        moved.insert(to, dragged);
        moved.removeAt(from);
    }
    return moved;
}

std::optional<QVariantList> listAfterDrop(
    const QVariantList &list, const QVariantMap &entry, qsizetype index, bool onRow)
{
    if (list.isEmpty())
        return QVariantList { entry };
    if (index < 0 || index > list.size() || (onRow && index == list.size()))
        return std::nullopt;
    QVariantList out = list;
    if (onRow)
        out[index] = entry;
    else
        out.insert(index, entry);
    return out;
}

QUrl workspaceUrl(ZRPerson &person, const InfoRow &row, bool googleMap)
{
    const QString text = displayText(person, row);
    if (text.isEmpty())
        return QUrl();
    if (row.type == Ident::Email)
        return QUrl(QStringLiteral("mailto:")
            + QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArray(), "-._~")));
    if (row.type == Ident::Phone) {
        QString number = text;
        number.remove(u'(').remove(u')').remove(u' ').remove(u'\t');
        return QUrl(QStringLiteral("tel://") + number);
    }
    if (row.type == Ident::URL) {
        if (text.startsWith(QLatin1String("http://")) || text.startsWith(QLatin1String("https://")))
            return QUrl(text);
        return QUrl(QStringLiteral("http://") + text);
    }
    if (row.type == Ident::Address) {
        QString address = text;
        address.replace(u'\n', u' ');
        if (googleMap)
            return QUrl(WebMapSearch + QString::fromLatin1(QUrl::toPercentEncoding(address)));
        address.replace(u' ', u'+');
        return QUrl(MapScheme + QString::fromLatin1(QUrl::toPercentEncoding(address, "+")));
    }
    // Calendars have no common scheme on this platform: dates open nothing.
    return QUrl();
}

} // namespace ContactInfoRows
