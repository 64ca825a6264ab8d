#include "model/AddressFormats.h"
#include "model/Identifiers.h"
#include "model/LayoutString.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

QString textOf(const QVariantMap &entry, const QString &key)
{
    return entry.value(key).toString();
}

void labelOrNoLabel(QVariantMap &entry)
{
    if (textOf(entry, Key::Label).isEmpty())
        entry.insert(Key::Label, LabelText::NoLabel);
}

void appendTwoDigits(QString &out, int n)
{
    out += QChar(u'0' + (n / 10) % 10);
    out += QChar(u'0' + n % 10);
}

} // namespace

QString ZRPerson::dateStringFromDateComponents(const DateComponents &c)
{
    if (!c.isValid())
        return u""_s;
    QString out;
    out.reserve(16);
    if (!c.hasYear()) {
        // A year-less date has no weekday; the month and day are all there is to show.
        appendTwoDigits(out, c.month);
        out += u'.';
        appendTwoDigits(out, c.day);
        return out;
    }
    const QDate date = c.toDate();
    if (!date.isValid())
        return u""_s;
    if (c.year >= 0 && c.year < 10000)
        out += QString::number(c.year).rightJustified(4, u'0');
    else
        out += QString::number(c.year);
    out += u'.';
    appendTwoDigits(out, c.month);
    out += u'.';
    appendTwoDigits(out, c.day);
    out += u'(';
    out += QLocale().dayName(date.dayOfWeek(), QLocale::ShortFormat);
    out += u')';
    return out;
}

void ZRPerson::updatePhoneValue(QVariantMap &entry)
{
    labelOrNoLabel(entry);
    entry.insert(Key::StringValue, textOf(entry, Key::Value));
}

void ZRPerson::updateEmailValue(QVariantMap &entry)
{
    updatePhoneValue(entry);
    const QString address = textOf(entry, Key::Value);
    const qsizetype at = address.indexOf(u'@');
    // Derived keys must not outlive the address they were taken from.
    entry.remove(Key::Username);
    entry.remove(Key::Domain);
    if (at < 0 || at == address.size() - 1)
        return;
    const QString user = address.left(at);
    const QString domain = address.mid(at + 1);
    if (!user.isEmpty())
        entry.insert(Key::Username, user);
    if (!domain.isEmpty())
        entry.insert(Key::Domain, domain);
}

void ZRPerson::updateURLValue(QVariantMap &entry)
{
    updatePhoneValue(entry);
}

void ZRPerson::updateRelationshipValue(QVariantMap &entry)
{
    updatePhoneValue(entry);
}

void ZRPerson::updateAddressValue(QVariantMap &entry, int option)
{
    labelOrNoLabel(entry);
    entry.insert(Key::StringValue, AddressFormats::shared().addressFromLabeledValue(entry, option));
}

void ZRPerson::updateSNSValue(QVariantMap &entry)
{
    if (!entry.contains(Key::Label))
        entry.insert(Key::Label, LabelText::NoService);
    const QString user = textOf(entry, Key::Value);
    entry.insert(CN::SocialProfileServiceKey, textOf(entry, Key::Label));
    entry.insert(CN::SocialProfileUsernameKey, user);
    entry.insert(Key::StringValue, user);
}

void ZRPerson::updateIMSValue(QVariantMap &entry)
{
    if (!entry.contains(Key::Label))
        entry.insert(Key::Label, LabelText::NoLabel);
    if (entry.contains(Key::Value))
        entry.insert(CN::InstantMessageAddressUsernameKey, entry.value(Key::Value));
    const QString text = textOf(entry, CN::InstantMessageAddressServiceKey) + u':'
        + textOf(entry, CN::InstantMessageAddressUsernameKey);
    entry.insert(Key::StringValue, text.size() < 2 ? u""_s : text);
}

void ZRPerson::updateDatesValue(QVariantMap &entry)
{
    labelOrNoLabel(entry);
    QVariant value = entry.value(Key::Value);
    if (value.typeId() == QMetaType::QDate) {
        value = QVariant::fromValue(DateComponents::fromDate(value.toDate()));
        entry.insert(Key::Value, value);
    } else if (value.typeId() == QMetaType::QDateTime) {
        value = QVariant::fromValue(DateComponents::fromDate(value.toDateTime().date()));
        entry.insert(Key::Value, value);
    }
    entry.insert(Key::StringValue,
        value.typeId() == qMetaTypeId<DateComponents>()
            ? dateStringFromDateComponents(value.value<DateComponents>())
            : u""_s);
}

void ZRPerson::updateHagakiLayout(QVariantMap &record) const
{
    record.insert(Key::StringValue, LayoutString::layoutStringFromHagakiLayoutDict(record));
}

void ZRPerson::deriveEntry(QVariantMap &entry, const QString &identifier)
{
    if (identifier == Ident::Phone)
        updatePhoneValue(entry);
    else if (identifier == Ident::Email)
        updateEmailValue(entry);
    else if (identifier == Ident::URL)
        updateURLValue(entry);
    else if (identifier == Ident::Relationship)
        updateRelationshipValue(entry);
    else if (identifier == Ident::Address)
        updateAddressValue(entry, AddressOption);
    else if (identifier == Ident::SocialNetwork)
        updateSNSValue(entry);
    else if (identifier == Ident::InstantMessage)
        updateIMSValue(entry);
    else if (identifier == Ident::Dates)
        updateDatesValue(entry);
}
