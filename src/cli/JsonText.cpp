#include "cli/JsonText.h"

#include "cli/VariantJson.h"
#include "model/DateComponents.h"
#include "model/StoreContact.h"
#include "model/StoreKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

using Sink = JsonText::Writer;

// Qt's own compact text of a one-element array, without the brackets: for the rare values (numbers,
// strings that need escapes) whose spelling is best left to the writer the text must match.
QByteArray qtSpelling(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
    return text.sliced(1, text.size() - 2);
}

constexpr quint64 Lanes(quint64 unit)
{
    return unit * 0x0001000100010001ULL;
}

// Whether some 16-bit lane of x is zero; may say so of a lane after one that is.
constexpr bool anyZeroLane(quint64 x)
{
    return ((x - Lanes(1)) & ~x & Lanes(0x8000)) != 0;
}

// Whether the four UTF-16 units are all printable ASCII that JSON writes as it is: below DEL, not
// controls, no quote, no backslash.
constexpr bool plainAscii(quint64 lanes)
{
    if (lanes & Lanes(0xFF80))
        return false;
    // Each lane below 0x80: one below 0x20 borrows into its top bit.
    if ((lanes - Lanes(0x20)) & Lanes(0x8000))
        return false;
    return !anyZeroLane(lanes ^ Lanes(u'"')) && !anyZeroLane(lanes ^ Lanes(u'\\'))
        && !anyZeroLane(lanes ^ Lanes(0x7F));
}

char hexDigit(unsigned value)
{
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

// The text quoted, escaped and in UTF-8; false, with nothing written, for text holding what only the
// JSON writer itself should spell (surrogates, DEL, the line and paragraph separators). Escapes as
// the writer makes them: the short ones where JSON has them, other controls as \u00xx.
bool putQuoted(Sink &out, QStringView text)
{
    // A UTF-16 unit gives at most six bytes (an escaped control); the quotes add two.
    char *const start = out.room(text.size() * 6 + 2);
    char *cursor = start;
    *cursor++ = '"';
    const char16_t *unit = text.utf16();
    const char16_t *const end = unit + text.size();
    while (unit < end) {
        // Most text is plain ASCII: four units at a time are copied as they are when none needs a
        // closer look. The test may send a plain run the long way (a borrow between lanes), never
        // the other way round.
        if (end - unit >= 4) {
            quint64 lanes;
            std::memcpy(&lanes, unit, sizeof lanes);
            if (plainAscii(lanes)) {
                cursor[0] = char(unit[0]);
                cursor[1] = char(unit[1]);
                cursor[2] = char(unit[2]);
                cursor[3] = char(unit[3]);
                cursor += 4;
                unit += 4;
                continue;
            }
        }
        const char16_t u = *unit++;
        if (u < 0x80) {
            if (u >= 0x20 && u != u'"' && u != u'\\' && u != 0x7F) {
                *cursor++ = char(u);
                continue;
            }
            if (u == 0x7F)
                return false;
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
            return false;
        } else {
            *cursor++ = char(0xE0 | (u >> 12));
            *cursor++ = char(0x80 | ((u >> 6) & 0x3F));
            *cursor++ = char(0x80 | (u & 0x3F));
        }
    }
    *cursor++ = '"';
    out.commit(cursor);
    return true;
}

void putString(Sink &out, QStringView text)
{
    if (!putQuoted(out, text))
        out.put(qtSpelling(text.toString()));
}

void putValue(Sink &out, const QVariant &value, int depth);
void putObject(Sink &out, JsonText::Members &members, int depth);

void putList(Sink &out, const QVariantList &list, int depth)
{
    out.put("[\n");
    for (qsizetype i = 0; i < list.size(); ++i) {
        out.indent(depth + 1);
        putValue(out, list.at(i), depth + 1);
        out.put(i + 1 < list.size() ? QByteArrayView(",\n") : QByteArrayView("\n"));
    }
    out.indent(depth);
    out.put(']');
}

// A map is already in a JSON object's key order, each key once.
void putMap(Sink &out, const QVariantMap &map, int depth)
{
    out.put("{\n");
    for (auto it = map.cbegin(); it != map.cend();) {
        out.indent(depth + 1);
        putString(out, it.key());
        out.put(": ");
        putValue(out, it.value(), depth + 1);
        ++it;
        out.put(it != map.cend() ? QByteArrayView(",\n") : QByteArrayView("\n"));
    }
    out.indent(depth);
    out.put('}');
}

void putObject(Sink &out, JsonText::Members &members, int depth)
{
    // A JSON object keeps its keys in UTF-16 order, the order QString compares in.
    // An object has a few dozen members at most: sorted in place, stably, without a merge buffer.
    for (qsizetype i = 1; i < members.size(); ++i) {
        for (qsizetype j = i; j > 0 && members.at(j).first < members.at(j - 1).first; --j)
            members.swapItemsAt(j, j - 1);
    }
    out.put("{\n");
    for (qsizetype i = 0; i < members.size(); ++i) {
        // Of the members with one key, the last set is the one an object keeps.
        if (i + 1 < members.size() && members.at(i + 1).first == members.at(i).first)
            continue;
        out.indent(depth + 1);
        putString(out, members.at(i).first);
        out.put(": ");
        putValue(out, members.at(i).second, depth + 1);
        out.put(i + 1 < members.size() ? QByteArrayView(",\n") : QByteArrayView("\n"));
    }
    out.indent(depth);
    out.put('}');
}

void putObject(Sink &out, JsonText::Members &&members, int depth)
{
    putObject(out, members, depth);
}

void putValue(Sink &out, const QVariant &value, int depth)
{
    if (!value.isValid() || value.isNull()) {
        out.put("null");
        return;
    }
    const QMetaType type = value.metaType();
    switch (type.id()) {
    case QMetaType::QString:
        putString(out, *static_cast<const QString *>(value.constData()));
        return;
    case QMetaType::QVariantMap:
        putMap(out, *static_cast<const QVariantMap *>(value.constData()), depth);
        return;
    case QMetaType::QVariantList:
        putList(out, *static_cast<const QVariantList *>(value.constData()), depth);
        return;
    case QMetaType::QStringList:
        putList(out, value.toList(), depth);
        return;
    case QMetaType::Bool:
        out.put(value.toBool() ? QByteArrayView("true") : QByteArrayView("false"));
        return;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt: {
        // Every entry's index is one: written as the writer writes an integer a double holds exactly.
        out.integer(value.toLongLong());
        return;
    }
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::QByteArray:
    case QMetaType::QDate:
        out.put(qtSpelling(VariantJson::toJson(value)));
        return;
    default:
        // The value types of the records are few and rarer than the texts, lists and maps above.
        if (type == QMetaType::fromType<DateComponents>()) {
            putString(out, VariantJson::dateText(value.value<DateComponents>()));
            return;
        }
        if (type == QMetaType::fromType<StorePostalAddress>()) {
            const auto a = value.value<StorePostalAddress>();
            putObject(out,
                { { CN::PostalAddressStreetKey, a.street }, { CN::PostalAddressCityKey, a.city },
                    { CN::PostalAddressStateKey, a.state }, { CN::PostalAddressPostalCodeKey, a.postalCode },
                    { CN::PostalAddressCountryKey, a.country },
                    { CN::PostalAddressISOCountryCodeKey, a.isoCountryCode } },
                depth);
            return;
        }
        if (type == QMetaType::fromType<StoreSocialProfile>()) {
            const auto p = value.value<StoreSocialProfile>();
            putObject(out,
                { { CN::SocialProfileServiceKey, p.service }, { CN::SocialProfileUsernameKey, p.username },
                    { CN::SocialProfileURLStringKey, p.urlString },
                    { CN::SocialProfileUserIdentifierKey, p.userIdentifier } },
                depth);
            return;
        }
        if (type == QMetaType::fromType<StoreInstantMessageAddress>()) {
            const auto m = value.value<StoreInstantMessageAddress>();
            putObject(out,
                { { CN::InstantMessageAddressServiceKey, m.service },
                    { CN::InstantMessageAddressUsernameKey, m.username } },
                depth);
            return;
        }
        if (type == QMetaType::fromType<StoreContactRelation>()) {
            putString(out, value.value<StoreContactRelation>().name);
            return;
        }
        putString(out, value.toString());
        return;
    }
}

} // namespace

namespace JsonText {

void Writer::string(QStringView text)
{
    putString(*this, text);
}

void Writer::integer(qint64 number)
{
    constexpr qint64 Exact = qint64(1) << 53;
    if (number > -Exact && number < Exact) {
        char digits[24];
        const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
        Q_UNUSED(error);
        put(QByteArrayView(digits, end - digits));
        return;
    }
    put(qtSpelling(QJsonValue(number)));
}

void Writer::value(const QVariant &value, int depth)
{
    putValue(*this, value, depth);
}

void appendString(QByteArray &out, const QString &text)
{
    Sink sink(out);
    putString(sink, text);
}

void appendObject(QByteArray &out, Members members, int depth)
{
    Sink sink(out);
    putObject(sink, members, depth);
}

void appendValue(QByteArray &out, const QVariant &value, int depth)
{
    Sink sink(out);
    putValue(sink, value, depth);
}

} // namespace JsonText
