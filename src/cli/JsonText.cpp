#include "cli/JsonText.h"

#include "cli/VariantJson.h"
#include "model/DateComponents.h"
#include "model/StoreContact.h"
#include "model/StoreKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

// Enough spaces for any depth a contact's values reach; deeper values are indented piece by piece.
constexpr QByteArrayView Spaces = "                                                                ";
constexpr qsizetype StepWidth = 4;

void indent(QByteArray &out, int depth)
{
    qsizetype width = depth * StepWidth;
    while (width > 0) {
        const qsizetype piece = std::min(width, Spaces.size());
        out.append(Spaces.first(piece));
        width -= piece;
    }
}

// Qt's own compact text of a one-element array, without the brackets: for the rare values (numbers,
// strings that need escapes) whose spelling is best left to the writer the text must match.
QByteArray qtSpelling(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
    return text.sliced(1, text.size() - 2);
}

char hexDigit(unsigned value)
{
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

// The text quoted, escaped and in UTF-8, written straight into the end of out; false, with out as it
// was, for text holding what only the JSON writer itself should spell (surrogates, DEL, the line and
// paragraph separators). Escapes as the writer makes them: the short ones where JSON has them, other
// controls as \u00xx.
bool appendQuoted(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    // A UTF-16 unit gives at most six bytes (an escaped control); the quotes add two.
    out.resize(start + text.size() * 6 + 2);
    char *cursor = out.data() + start;
    *cursor++ = '"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            if (u >= 0x20 && u != u'"' && u != u'\\' && u != 0x7F) {
                *cursor++ = char(u);
                continue;
            }
            if (u == 0x7F) {
                out.resize(start);
                return false;
            }
            *cursor++ = '\\';
            switch (u) {
            case u'"':
                *cursor++ = '"';
                break;
            case u'\\':
                *cursor++ = '\\';
                break;
            case u'\b':
                *cursor++ = 'b';
                break;
            case u'\f':
                *cursor++ = 'f';
                break;
            case u'\n':
                *cursor++ = 'n';
                break;
            case u'\r':
                *cursor++ = 'r';
                break;
            case u'\t':
                *cursor++ = 't';
                break;
            default:
                *cursor++ = 'u';
                *cursor++ = '0';
                *cursor++ = '0';
                *cursor++ = hexDigit(u >> 4);
                *cursor++ = hexDigit(u & 0xF);
                break;
            }
        } else if (u < 0x800) {
            *cursor++ = char(0xC0 | (u >> 6));
            *cursor++ = char(0x80 | (u & 0x3F));
        } else if ((u >= 0xD800 && u <= 0xDFFF) || u == 0x2028 || u == 0x2029) {
            out.resize(start);
            return false;
        } else {
            *cursor++ = char(0xE0 | (u >> 12));
            *cursor++ = char(0x80 | ((u >> 6) & 0x3F));
            *cursor++ = char(0x80 | (u & 0x3F));
        }
    }
    *cursor++ = '"';
    out.resize(cursor - out.constData());
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

// A map is already in a JSON object's key order, each key once.
void appendMap(QByteArray &out, const QVariantMap &map, int depth)
{
    out += "{\n";
    for (auto it = map.cbegin(); it != map.cend();) {
        indent(out, depth + 1);
        JsonText::appendString(out, it.key());
        out += ": ";
        JsonText::appendValue(out, it.value(), depth + 1);
        ++it;
        out += it != map.cend() ? ",\n" : "\n";
    }
    indent(out, depth);
    out += '}';
}

} // namespace

namespace JsonText {

void appendString(QByteArray &out, const QString &text)
{
    if (!appendQuoted(out, text))
        out += qtSpelling(text);
}

void appendObject(QByteArray &out, Members members, int depth)
{
    // A JSON object keeps its keys in UTF-16 order, the order QString compares in.
    // An object has a few dozen members at most: sorted in place, stably, without a merge buffer.
    for (qsizetype i = 1; i < members.size(); ++i) {
        for (qsizetype j = i; j > 0 && members.at(j).first < members.at(j - 1).first; --j)
            members.swapItemsAt(j, j - 1);
    }
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
    switch (type.id()) {
    case QMetaType::QString:
        appendString(out, *static_cast<const QString *>(value.constData()));
        return;
    case QMetaType::QVariantMap:
        appendMap(out, *static_cast<const QVariantMap *>(value.constData()), depth);
        return;
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
    case QMetaType::UInt: {
        // Every entry's index is one: written as the writer writes an integer a double holds exactly.
        constexpr qint64 Exact = qint64(1) << 53;
        const qint64 number = value.toLongLong();
        if (number > -Exact && number < Exact) {
            out += QByteArray::number(number);
            return;
        }
        out += qtSpelling(VariantJson::toJson(value));
        return;
    }
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::QByteArray:
    case QMetaType::QDate:
        out += qtSpelling(VariantJson::toJson(value));
        return;
    default:
        // The value types of the records are few and rarer than the texts, lists and maps above.
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
        appendString(out, value.toString());
        return;
    }
}

} // namespace JsonText
