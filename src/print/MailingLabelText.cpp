#include "print/MailingLabelText.h"

#include "model/AddressFormats.h"
#include "model/Identifiers.h"
#include "model/PostalAddressFormatter.h"
#include "model/StoreContact.h"
#include "model/StoreKeys.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QString JapanCode = u"JP"_s;

QString text(const QVariantMap &map, const QString &key)
{
    return map.value(key).toString();
}

StorePostalAddress storeAddress(const QVariantMap &address)
{
    StorePostalAddress result;
    result.street = text(address, Ident::Street);
    result.city = text(address, Ident::City);
    result.state = text(address, Ident::State);
    result.postalCode = text(address, Ident::ZIP);
    result.country = text(address, Ident::Country);
    result.isoCountryCode = text(address, CN::PostalAddressISOCountryCodeKey);
    return result;
}

bool writtenInJapanese(const QString &text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        // Hiragana, katakana, and the unified ideographs.
        if ((u >= 0x3040 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF))
            return true;
    }
    return false;
}

// The label sheet has no switch for the postal code, and a label without one may not be delivered;
// it prints unless a style's options turn it off explicitly.
bool printsZip(const QVariantMap &styleOptions)
{
    return PrintOptions::flag(styleOptions.value(PrintKey::PrintZIP), true);
}

// The first line: country, prefecture and city (the postal code is the caller's); then the street.
QStringList japaneseAddress(const QVariantMap &address, const QVariantMap &styleOptions)
{
    QString first;
    const QString country = text(address, Ident::Country);
    if (PrintOptions::flag(styleOptions.value(PrintKey::PrintCountry)) && !country.isEmpty())
        first += country + u' ';
    const QString stateAndCity = text(address, AddressKey::StateAndCity);
    if (!stateAndCity.isEmpty())
        first += stateAndCity;
    else
        first += text(address, Ident::State) + text(address, Ident::City);
    QStringList lines { first };
    const QString street = text(address, Ident::Street);
    if (!street.isEmpty())
        lines.append(street);
    return lines;
}

QString countryOrderedAddress(const QVariantMap &address, const QVariantMap &styleOptions)
{
    StorePostalAddress parts = storeAddress(address);
    const AddressFormats &formats = AddressFormats::shared();
    const QString code = formats.conventionCountryCode(parts);
    if (!printsZip(styleOptions))
        parts.postalCode.clear();
    if (!PrintOptions::flag(styleOptions.value(PrintKey::PrintCountry)))
        parts.country.clear();
    parts.isoCountryCode = code;
    return PostalAddressFormatter::render(formats.mailingTemplate(code), parts);
}

} // namespace

namespace MailingLabelText {

QString nameWithKeishou(const QString &name, const QString &keishou)
{
    if (name.isEmpty() || keishou.isEmpty() || keishou == PrintValue::KeishouNone)
        return name;
    static const QStringList before { PrintValue::KeishouMr, PrintValue::KeishouMrs, PrintValue::KeishouMs,
        PrintValue::KeishouDr };
    if (before.contains(keishou))
        return keishou + u' ' + name;
    return name + u' ' + keishou;
}

bool usesJapaneseOrder(const QVariantMap &address)
{
    // A combined prefecture-and-city line only comes from the Japanese envelope product's files.
    if (!text(address, AddressKey::StateAndCity).isEmpty())
        return true;
    // Without a country, an address written in Japanese script is a Japanese address wherever the user is.
    const StorePostalAddress parts = storeAddress(address);
    if (parts.country.isEmpty() && parts.isoCountryCode.isEmpty()
        && (writtenInJapanese(parts.state) || writtenInJapanese(parts.city)
            || writtenInJapanese(parts.street)))
        return true;
    return AddressFormats::shared().conventionCountryCode(parts) == JapanCode;
}

QStringList Parts::lines(bool withZip) const
{
    QStringList result;
    if (japaneseOrder) {
        if (withZip && !zip.isEmpty())
            result.append(zip);
        result += address;
        if (!company.isEmpty())
            result.append(company);
        if (!name.isEmpty())
            result.append(name);
        return result;
    }
    if (!name.isEmpty())
        result.append(name);
    if (!company.isEmpty())
        result.append(company);
    result += address;
    return result;
}

Parts makeParts(
    const ReceiverRecord &receiver, const QVariantMap &styleOptions, const QString &keishou, bool forSender)
{
    Parts parts;
    parts.name = receiver.name.value(Key::StringValue).toString();
    if (parts.name.isEmpty())
        parts.name = receiver.name.value(Ident::Name).toString();
    if (!forSender)
        parts.name = nameWithKeishou(parts.name, keishou);
    if (PrintOptions::flag(styleOptions.value(PrintKey::PrintCompany)))
        parts.company = receiver.company;
    parts.japaneseOrder = !receiver.hasAddress() || usesJapaneseOrder(receiver.address);
    if (!receiver.hasAddress())
        return parts;
    if (parts.japaneseOrder) {
        if (printsZip(styleOptions))
            parts.zip = text(receiver.address, Ident::ZIP);
        parts.address = japaneseAddress(receiver.address, styleOptions);
    } else {
        const QString address = countryOrderedAddress(receiver.address, styleOptions);
        if (!address.isEmpty())
            parts.address = address.split(u'\n');
    }
    return parts;
}

QString makeAdrsAndNameString(
    const ReceiverRecord &receiver, const QVariantMap &styleOptions, const QString &keishou, bool forSender)
{
    const Parts parts = makeParts(receiver, styleOptions, keishou, forSender);
    if (!parts.japaneseOrder)
        return parts.lines(true).join(u'\n');
    // The postal code leads the first address line of a label.
    QStringList lines = parts.address;
    if (!parts.zip.isEmpty()) {
        if (lines.isEmpty())
            lines.append(parts.zip);
        else
            lines.first().prepend(parts.zip + u' ');
    }
    if (!parts.company.isEmpty())
        lines.append(parts.company);
    if (!parts.name.isEmpty())
        lines.append(parts.name);
    return lines.join(u'\n');
}

} // namespace MailingLabelText
