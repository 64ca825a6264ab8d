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

QString japaneseAddress(const QVariantMap &address, const QVariantMap &styleOptions)
{
    QString first;
    const QString zip = text(address, Ident::ZIP);
    if (printsZip(styleOptions) && !zip.isEmpty())
        first += zip + u' ';
    const QString country = text(address, Ident::Country);
    if (PrintOptions::flag(styleOptions.value(PrintKey::PrintCountry)) && !country.isEmpty())
        first += country + u' ';
    const QString stateAndCity = text(address, AddressKey::StateAndCity);
    if (!stateAndCity.isEmpty())
        first += stateAndCity;
    else
        first += text(address, Ident::State) + text(address, Ident::City);
    QString result = first + u'\n';
    const QString street = text(address, Ident::Street);
    if (!street.isEmpty())
        result += street + u'\n';
    return result;
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

QString makeAdrsAndNameString(
    const ReceiverRecord &receiver, const QVariantMap &styleOptions, const QString &keishou, bool forSender)
{
    QString name = receiver.name.value(Key::StringValue).toString();
    if (name.isEmpty())
        name = receiver.name.value(Ident::Name).toString();
    if (!forSender)
        name = nameWithKeishou(name, keishou);
    const bool company
        = PrintOptions::flag(styleOptions.value(PrintKey::PrintCompany)) && !receiver.company.isEmpty();

    QStringList lines;
    if (!receiver.hasAddress() || usesJapaneseOrder(receiver.address)) {
        QString result;
        if (receiver.hasAddress())
            result += japaneseAddress(receiver.address, styleOptions);
        if (company)
            result += receiver.company + u'\n';
        result += name;
        if (result.endsWith(u'\n'))
            result.chop(1);
        return result;
    }
    if (!name.isEmpty())
        lines.append(name);
    if (company)
        lines.append(receiver.company);
    const QString address = countryOrderedAddress(receiver.address, styleOptions);
    if (!address.isEmpty())
        lines.append(address);
    return lines.join(u'\n');
}

} // namespace MailingLabelText
