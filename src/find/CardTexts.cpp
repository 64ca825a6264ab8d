#include "find/CardTexts.h"

#include "model/VCardLineReader.h"

#include <QLocale>
#include <QStringView>
#include <algorithm>
#include <iterator>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

char16_t upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// Whether the upper-case ASCII word starts at text[at], ignoring case.
bool wordAt(QStringView text, qsizetype at, std::u16string_view word)
{
    if (text.size() - at < qsizetype(word.size()))
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (upper(text[at + qsizetype(i)].unicode()) != word[i])
            return false;
    }
    return true;
}

struct Head
{
    bool needsRecord = false;
    bool dated = false;
};

// What the group, name and parameters of a line say of its value. The words are looked for
// anywhere in them, a parameter's value or a longer name included: a word found where it means
// nothing only sends the card to its record.
Head readHead(QStringView head)
{
    Head h;
    for (qsizetype i = 0; i < head.size() && !h.needsRecord; ++i) {
        switch (upper(head[i].unicode())) {
        case u'E':
            h.needsRecord = wordAt(head, i, u"ENCODING");
            break;
        case u'C':
            h.needsRecord = wordAt(head, i, u"CHARSET");
            break;
        case u'Q':
            h.needsRecord = wordAt(head, i, u"QUOTED-PRINTABLE");
            break;
        case u'S':
            // A name's sort-as parameter gives its readings.
            h.needsRecord = wordAt(head, i, u"SORT-AS");
            break;
        case u'B':
            h.needsRecord = wordAt(head, i, u"BASE64");
            h.dated = h.dated || wordAt(head, i, u"BDAY");
            break;
        case u'D':
            // X-ABDATE, DEATHDATE and every other date of a name of its own
            h.dated = h.dated || wordAt(head, i, u"DATE");
            break;
        case u'A':
            h.dated = h.dated || wordAt(head, i, u"ANNIVERSARY");
            break;
        case u'X':
            // Events in a phone's own rows, and names that spell their meaning in hex
            h.dated = h.dated || wordAt(head, i, u"X-ANDROID-CUSTOM") || wordAt(head, i, u"X-FCENCODED");
            break;
        default:
            break;
        }
    }
    return h;
}

bool isBlank(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// The property name of a line's head, without its group; white space around it is no part of it.
QStringView nameOf(QStringView head)
{
    qsizetype end = 0;
    while (end < head.size() && head[end] != u';')
        ++end;
    while (end > 0 && isBlank(head[end - 1]))
        --end;
    qsizetype start = end;
    while (start > 0 && head[start - 1] != u'.')
        --start;
    while (start == 0 && start < end && isBlank(head[start]))
        ++start;
    return head.sliced(start, end - start);
}

enum class Kept { Nothing, Value, Line };

// How much of a line a record can show. Nothing: lines no value comes from, and pictures. Value: the
// properties whose parameters say no more than where the value goes. Line: any other, whose
// parameters may be read as a value (a profile's user name).
Kept keptOf(QStringView name)
{
    static constexpr std::u16string_view nothing[] = { u"BEGIN", u"END", u"VERSION", u"UID", u"REV",
        u"PRODID", u"X-ABLABEL", u"X-ABADR", u"CATEGORIES", u"X-ABSHOWAS", u"KIND", u"PHOTO", u"LOGO" };
    static constexpr std::u16string_view value[] = { u"N", u"FN", u"TEL", u"EMAIL", u"ADR", u"ORG", u"TITLE",
        u"ROLE", u"NOTE", u"URL", u"NICKNAME", u"BDAY", u"ANNIVERSARY", u"X-ABDATE", u"X-PHONETIC-FIRST-NAME",
        u"X-PHONETIC-MIDDLE-NAME", u"X-PHONETIC-LAST-NAME", u"X-MAIDENNAME" };
    const auto is = [name](std::u16string_view word) {
        return name.size() == qsizetype(word.size()) && wordAt(name, 0, word);
    };
    if (std::any_of(std::begin(nothing), std::end(nothing), is))
        return Kept::Nothing;
    if (std::any_of(std::begin(value), std::end(value), is))
        return Kept::Value;
    return Kept::Line;
}

// Where the head of a line ends: at its first colon outside quotes, as the card reader cuts it, or
// at its first colon when every colon is inside quotes; -1 when it has none.
qsizetype headEnd(QStringView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (!quoted && line[i] == u':')
            return i;
    }
    return line.indexOf(u':');
}

void appendText(std::u16string &out, QStringView text, char16_t separator)
{
    out.append(reinterpret_cast<const char16_t *>(text.data()), size_t(text.size()));
    out.push_back(separator);
}

// The street a record makes of an address value whose post-office box or extended address is not
// empty: each of the three that has text, on a line of its own.
void appendStreet(std::u16string &out, QStringView value, char16_t separator)
{
    QString parts[4];
    VCardLineReader::splitComponents(value, u';', parts, 4);
    // Each trimmed first, as the record takes them: spaces before a ";" are not on the street's lines.
    for (int i = 0; i < 3; ++i)
        parts[i] = VCardLineReader::trimmedText(std::move(parts[i]));
    if (parts[0].isEmpty() && parts[1].isEmpty())
        return;
    QString street;
    for (int i = 0; i < 3; ++i) {
        if (parts[i].isEmpty())
            continue;
        if (!street.isEmpty())
            street += u'\n';
        street += parts[i];
    }
    appendText(out, street, separator);
}

// The street a record makes of a label no address stands beside: its lines trimmed, the empty
// ones dropped.
void appendLabelStreet(std::u16string &out, QStringView value, char16_t separator)
{
    const QString text = VCardLineReader::unescape(value.toString());
    QString street;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (!street.isEmpty())
            street += u'\n';
        street += line;
    }
    appendText(out, street, separator);
}

// Whether a name's value goes on past its fifth component, which the record folds into the family
// name or the suffix with words of its own between them.
bool hasSixthComponent(QStringView value)
{
    int separators = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\')
            ++i;
        else if (value[i] == u';' && ++separators == 5)
            return true;
    }
    return false;
}

// Asked four times for every line: most names differ in length, which is told at once.
bool isNamed(QStringView name, std::u16string_view word)
{
    return name.size() == qsizetype(word.size()) && wordAt(name, 0, word);
}

} // namespace

CardTexts::Reading CardTexts::append(QByteArrayView card, char16_t separator, std::u16string &out)
{
    // Percent-encoded addresses are decoded into messaging and related names.
    if (card.contains('%'))
        return Reading::NeedsRecord;
    // Lines may end in a carriage return alone: the reader cuts them there, which this does not.
    for (qsizetype cr = card.indexOf('\r'); cr >= 0; cr = card.indexOf('\r', cr + 1)) {
        if (cr + 1 < card.size() && card[cr + 1] != '\n')
            return Reading::NeedsRecord;
    }
    const QString text = QString::fromUtf8(card);
    if (text.contains(QChar::ReplacementCharacter))
        return Reading::NeedsRecord; // not UTF-8 (or a replacement character read as it stands)
    // Most cards have neither: each line need not be looked through for them.
    const bool anyQuote = card.contains('"');
    const bool anyBackslash = card.contains('\\');
    const size_t rollback = out.size();
    const auto needsRecord = [&] {
        out.resize(rollback);
        return Reading::NeedsRecord;
    };
    bool dated = false;
    bool inSkipped = false;
    bool strayLine = false;
    int notes = 0;
    const QStringView all(text);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf(u'\n', start);
        if (end < 0)
            end = all.size();
        QStringView line = all.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const bool continued = line.front() == u' ' || line.front() == u'\t';
        const qsizetype colon = continued ? -1 : anyQuote ? headEnd(line) : line.indexOf(u':');
        // A line with no colon after a skipped value may be its data (a picture's) or a stray line;
        // folded lines after it, though, may give it the colon it lacks and make it a property.
        if (continued && strayLine)
            return needsRecord();
        strayLine = inSkipped && !continued && colon < 0;
        // A skipped value may go on over lines of its own (a picture's data), folded or not.
        if (inSkipped && (continued || colon < 0))
            continue;
        inSkipped = false;
        // A folded line, or one of a value that the reader joins to the one before it.
        if (continued || colon < 0)
            return needsRecord();
        const QStringView head = line.first(colon);
        const QStringView name = nameOf(head);
        const Kept kept = keptOf(name);
        if (kept == Kept::Nothing) {
            inSkipped = true;
            continue;
        }
        const Head h = readHead(head);
        if (h.needsRecord)
            return needsRecord();
        // A record joins its card's notes into one, a line each.
        if (isNamed(name, u"NOTE") && ++notes > 1)
            return needsRecord();
        if (isNamed(name, u"N") && hasSixthComponent(line.sliced(colon + 1)))
            return needsRecord();
        dated = dated || h.dated;
        const QStringView shown = kept == Kept::Value ? line.sliced(colon + 1) : line;
        const bool escaped = anyBackslash && shown.contains(u'\\');
        // The values of the properties read for their values have their escapes undone; of any
        // other, who knows.
        if (!escaped || kept == Kept::Line)
            appendText(out, shown, separator);
        if (escaped)
            appendText(out, VCardLineReader::unescape(shown.toString()), separator);
        // An address's post-office box and extended address go on lines of their own before its street.
        if (kept == Kept::Value && isNamed(name, u"ADR"))
            appendStreet(out, line.sliced(colon + 1), separator);
        if (isNamed(name, u"LABEL"))
            appendLabelStreet(out, line.sliced(colon + 1), separator);
        // Quotes are dropped from a parameter's value, and from a value cut inside quotes.
        if (kept == Kept::Line && line.contains(u'"')) {
            QString unquoted = line.toString();
            appendText(out, unquoted.remove(u'"'), separator);
        }
        // A user name taken from a profile's address holds neither quotes nor line breaks.
        if (kept == Kept::Line && escaped) {
            QString plain = VCardLineReader::unescape(line.toString());
            if (plain.contains(u'\n') || plain.contains(u'"')) {
                plain.remove(u'"').replace(u'\n', u' ');
                appendText(out, plain, separator);
            }
        }
    }
    return dated ? Reading::DatedTexts : Reading::Texts;
}

bool CardTexts::mayBeInDate(const QString &text, Qt::CaseSensitivity cs)
{
    // A date reads year.month.day(weekday), or month.day without a year; a year may have any
    // number of digits and a sign. The text could be a piece of one if, with each digit taken for
    // a zero, it is a piece of such a date of zeros.
    QString zeroed = text;
    for (QChar &c : zeroed) {
        if (c >= u'0' && c <= u'9')
            c = u'0';
    }
    const QLocale locale;
    // A signed year's digits must run from its sign up to the first dot, whatever their number.
    const qsizetype longest = qMax<qsizetype>(zeroed.size(), 4);
    for (qsizetype digits = zeroed.startsWith(u'-') ? 1 : longest; digits <= longest; ++digits) {
        for (int day = 1; day <= 7; ++day) {
            QString date = u"-"_s;
            date += QString(digits, u'0');
            date += u".00.00("_s;
            date += locale.dayName(day, QLocale::ShortFormat);
            date += u')';
            if (date.contains(zeroed, cs))
                return true;
        }
    }
    return false;
}
