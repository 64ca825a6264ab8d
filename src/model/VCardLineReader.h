#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The lowest layer of the vCard reader: cuts bytes into cards and each card into properties,
// undoing line folding and content transfer encodings. It knows nothing of what properties mean.

struct VCardProperty
{
    enum class Encoding { None, QuotedPrintable, Base64 };

    QByteArrayView group; // "item1" of "item1.TEL", empty when there is none
    QByteArrayView name; // as written; compare with nameIs()
    QByteArrayView parameters; // the text between the name's ";" and the value's ":"
    QByteArrayView rawValue; // unfolded, still encoded and escaped
    QByteArrayView charset; // the CHARSET parameter, empty when absent
    Encoding encoding = Encoding::None;
    int line = 0; // 1-based line of the property's first physical line

    bool nameIs(QByteArrayView upperCaseName) const; // inline, below
    bool groupIs(QByteArrayView otherGroup) const;
    // Whether a parameter (a bare 2.1 value counts as TYPE) has the given value, ignoring case.
    bool hasParameterValue(QByteArrayView parameterName, QByteArrayView value) const;
    bool hasType(QByteArrayView value) const { return hasParameterValue("TYPE", value); }
    // The first value of the named parameter; empty when absent.
    QByteArrayView parameter(QByteArrayView parameterName) const;
    bool hasParameter(QByteArrayView parameterName) const;
};

struct VCardCard
{
    QList<VCardProperty> properties;
    QList<QByteArray> storage; // the bytes of unfolded lines that properties point into
    QByteArrayView version; // "2.1", "3.0", "4.0" or empty
    int firstLine = 0;
    QString error; // set when the card could not be read as a whole

    // Asked for every folded line: compared inline rather than through a memory comparison call.
    bool isVersion21() const
    {
        return version.size() == 3 && version[0] == '2' && version[1] == '.' && version[2] == '1';
    }
};

class VCardLineReader
{
public:
    // Bounds on what one card may hold, so that hostile input costs bounded memory.
    static constexpr qsizetype MaxLogicalLineLength = 24 * 1024 * 1024;
    static constexpr int MaxPropertiesPerCard = 20000;
    static constexpr int MaxNesting = 8;

    // Cuts the text into cards and hands each to onCard as it ends (a nested card comes out as a
    // card of its own, before the card around it). The card and its views are valid only during
    // the call. Returns the number of cards; with none, *error says why.
    static int readCards(
        QByteArrayView data, const std::function<void(const VCardCard &)> &onCard, QString *error = nullptr);

    // Calls f(name, value) for every parameter value: "TYPE=a,b" gives two calls, a bare 2.1
    // value is given the name TYPE. Quotes are removed; case is kept. f returns false to stop.
    template <typename F> static void forEachParameter(QByteArrayView parameters, F &&f);

    // The value after quoted-printable or base64 decoding (the raw bytes when neither applies).
    static QByteArray decodedBytes(const VCardProperty &property);
    // The value as text: transfer encoding undone, then the charset applied; escapes are kept.
    static QString decodedText(const VCardProperty &property);

    // Undoes backslash escapes (\n \N \\ \, \; \: \"). An unknown escape keeps its backslash.
    static QString unescape(QString text);
    // The same in bytes, for values that are not text (a data: URI).
    static QByteArray unescapeBytes(QByteArrayView bytes);
    // unescape(decodedText(property)) for a value of plain UTF-8 bytes (no transfer encoding, no
    // other charset), with the escapes undone in the bytes, so that the text is made once; nullopt
    // when the bytes are not well-formed UTF-8. A component of a value keeps a leading U+FEFF
    // (dropByteOrderMark false): only at the start of the whole value is it a byte-order mark.
    static std::optional<QString> unescapedUtf8Value(QByteArrayView bytes, bool dropByteOrderMark = true);
    // QByteArrayView::trimmed and QString::trimmed for text that seldom has anything to trim: the
    // common case is decided inline, which matters with a call for every value of a large file.
    static QByteArrayView trimmedBytes(QByteArrayView v)
    {
        const auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
        if (v.isEmpty() || (!space(v.front()) && !space(v.back())))
            return v;
        return v.trimmed();
    }
    // QChar::isSpace, deciding without a table lookup for the letters of most scripts: no white
    // space lies past U+3000, where kana and the CJK ideographs begin.
    static bool maybeSpace(QChar c)
    {
        const char16_t u = c.unicode();
        return u == ' ' || (u >= '\t' && u <= '\r') || (u > 127 && u <= 0x3000 && c.isSpace());
    }
    static QString trimmedText(QString &&text)
    {
        // Read through a const string: the text may be raw data, which writable access would copy.
        const QString &view = text;
        if (view.isEmpty() || (!maybeSpace(view.front()) && !maybeSpace(view.back())))
            return std::move(text);
        return std::move(text).trimmed();
    }
    // Whether a value that forEachParameter(parameters) gave was written in quotes, which makes it
    // text rather than a keyword (a service called "pref").
    static bool isQuotedParameterValue(QByteArrayView parameters, QByteArrayView value)
    {
        return value.data() > parameters.data() && value.data() <= parameters.data() + parameters.size()
            && value.data()[-1] == '"';
    }
    // ASCII case-insensitive equality, for names and parameter values.
    static bool equalsIgnoringCase(QByteArrayView a, QByteArrayView b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x != y && ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z'))
                return false;
        }
        return true;
    }
    // The ";"-separated components of a structured value (N, ADR, ORG), each unescaped, into
    // out[0..maxComponents), the last one taking the rest; returns how many. The same as
    // splitComponents(decodedText(property)), but plain UTF-8 values are cut in their bytes and each
    // component decoded on its own, without the whole value being made into text first.
    static int structuredComponents(const VCardProperty &property, QString *out, int maxComponents);
    // Splits at every separator that no backslash escapes, then unescapes each component.
    static QList<QString> components(QStringView text, QChar separator, qsizetype maxComponents = 64);
    // The same into out[0..maxComponents), the last one taking the rest; returns how many.
    static int splitComponents(QStringView text, QChar separator, QString *out, int maxComponents);

    static QByteArray decodeQuotedPrintable(QByteArrayView bytes);
    static QByteArray decodeBase64(QByteArrayView bytes); // ignores white space; bounded
};

template <typename F> void VCardLineReader::forEachParameter(QByteArrayView parameters, F &&f)
{
    const char *p = parameters.data();
    const char *end = p + parameters.size();
    while (p < end) {
        // One parameter runs up to the next ";" outside quotes.
        const char *nameStart = p;
        const char *eq = nullptr;
        const char *q = p;
        bool quoted = false;
        for (; q < end; ++q) {
            if (*q == '"')
                quoted = !quoted;
            else if (!quoted && *q == ';')
                break;
            else if (!quoted && *q == '=' && !eq)
                eq = q;
        }
        const char *paramEnd = q;
        QByteArrayView name
            = eq ? trimmedBytes(QByteArrayView(nameStart, eq - nameStart)) : QByteArrayView("TYPE");
        const char *v = eq ? eq + 1 : nameStart;
        // Values are a comma list, each possibly quoted.
        while (v <= paramEnd) {
            const char *valueEnd = v;
            bool inQuotes = false;
            for (; valueEnd < paramEnd; ++valueEnd) {
                if (*valueEnd == '"')
                    inQuotes = !inQuotes;
                else if (!inQuotes && *valueEnd == ',')
                    break;
            }
            QByteArrayView value = trimmedBytes(QByteArrayView(v, valueEnd - v));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.sliced(1, value.size() - 2);
            else if (!value.isEmpty() && value.front() == '"')
                value = value.sliced(1);
            if (!(value.isEmpty() && !eq)) {
                if (!f(name, value))
                    return;
            }
            v = valueEnd + 1;
        }
        p = paramEnd + 1;
    }
}

// Asked some ten times for every property of a file.
inline bool VCardProperty::nameIs(QByteArrayView upperCaseName) const
{
    return VCardLineReader::equalsIgnoringCase(name, upperCaseName);
}
