#include "cli/JsonText.h"

#include "cli/VariantJson.h"
#include "model/DateComponents.h"
#include "model/StoreContact.h"
#include "model/StoreKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

constexpr QByteArrayView Step = "    ";

void indent(QByteArray &out, int depth)
{
    for (int i = 0; i < depth; ++i)
        out += Step;
}

// Qt's own compact text of a one-element array, without the brackets: for the rare values (numbers,
// strings that need escapes) whose spelling is best left to the writer the text must match.
QByteArray qtSpelling(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
    return text.sliced(1, text.size() - 2);
}

// Written as UTF-8 as it is: printable, no quote or backslash, no surrogate, no line or paragraph
// separator.
bool isPlain(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == u'"' || u == u'\\' || u == 0x7F || (u >= 0xD800 && u <= 0xDFFF) || u == 0x2028
            || u == 0x2029)
            return false;
    }
    return true;
}

QString dateText(const DateComponents &date)
{
    return VariantJson::toJson(QVariant::fromValue(date)).toString();
}

void appendList(QByteArray &out, const QVariantList &list, int depth)
{
    out += "[\n";
    for (qsizetype i = 0; i < list.size(); ++i) {
        indent(out, depth + 1);
        JsonText::appendValue(out, list.at(i), depth + 1);
        out += i + 1 < list.size() ? ",\n" : "\n";
    }
    indent(out, depth);
    out += ']';
}

} // namespace

namespace JsonText {

void appendString(QByteArray &out, const QString &text)
{
    if (!isPlain(text)) {
        out += qtSpelling(text);
        return;
    }
    out += '"';
    out += text.toUtf8();
    out += '"';
}

void appendObject(QByteArray &out, Members members, int depth)
{
    std::stable_sort(members.begin(), members.end(),
        // A JSON object keeps its keys in UTF-16 order, the order QString compares in.
        [](const auto &a, const auto &b) { return a.first < b.first; });
    out += "{\n";
    for (qsizetype i = 0; i < members.size(); ++i) {
        // Of the members with one key, the last set is the one an object keeps.
        if (i + 1 < members.size() && members.at(i + 1).first == members.at(i).first)
            continue;
        indent(out, depth + 1);
        appendString(out, members.at(i).first);
        out += ": ";
        appendValue(out, members.at(i).second, depth + 1);
        out += i + 1 < members.size() ? ",\n" : "\n";
    }
    indent(out, depth);
    out += '}';
}

void appendValue(QByteArray &out, const QVariant &value, int depth)
{
    if (!value.isValid() || value.isNull()) {
        out += "null";
        return;
    }
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<DateComponents>()) {
        appendString(out, dateText(value.value<DateComponents>()));
        return;
    }
    if (type == QMetaType::fromType<StorePostalAddress>()) {
        const auto a = value.value<StorePostalAddress>();
        appendObject(out,
            { { CN::PostalAddressStreetKey, a.street }, { CN::PostalAddressCityKey, a.city },
                { CN::PostalAddressStateKey, a.state }, { CN::PostalAddressPostalCodeKey, a.postalCode },
                { CN::PostalAddressCountryKey, a.country },
                { CN::PostalAddressISOCountryCodeKey, a.isoCountryCode } },
            depth);
        return;
    }
    if (type == QMetaType::fromType<StoreSocialProfile>()) {
        const auto p = value.value<StoreSocialProfile>();
        appendObject(out,
            { { CN::SocialProfileServiceKey, p.service }, { CN::SocialProfileUsernameKey, p.username },
                { CN::SocialProfileURLStringKey, p.urlString },
                { CN::SocialProfileUserIdentifierKey, p.userIdentifier } },
            depth);
        return;
    }
    if (type == QMetaType::fromType<StoreInstantMessageAddress>()) {
        const auto m = value.value<StoreInstantMessageAddress>();
        appendObject(out,
            { { CN::InstantMessageAddressServiceKey, m.service },
                { CN::InstantMessageAddressUsernameKey, m.username } },
            depth);
        return;
    }
    if (type == QMetaType::fromType<StoreContactRelation>()) {
        appendString(out, value.value<StoreContactRelation>().name);
        return;
    }
    switch (type.id()) {
    case QMetaType::QString:
        appendString(out, *static_cast<const QString *>(value.constData()));
        return;
    case QMetaType::QVariantMap: {
        const QVariantMap &map = *static_cast<const QVariantMap *>(value.constData());
        Members members;
        members.reserve(map.size());
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            members.append({ it.key(), it.value() });
        appendObject(out, std::move(members), depth);
        return;
    }
    case QMetaType::QVariantList:
        appendList(out, *static_cast<const QVariantList *>(value.constData()), depth);
        return;
    case QMetaType::QStringList:
        appendList(out, value.toList(), depth);
        return;
    case QMetaType::Bool:
        out += value.toBool() ? "true" : "false";
        return;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::QByteArray:
    case QMetaType::QDate:
        out += qtSpelling(VariantJson::toJson(value));
        return;
    default:
        appendString(out, value.toString());
        return;
    }
}

} // namespace JsonText
