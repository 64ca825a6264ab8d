#include "tools/ZipSearch.h"

#include "model/Identifiers.h"
#include "tools/PostalKeys.h"

#include <array>

namespace {

struct Line
{
    qsizetype start;
    qsizetype end; // the line feed's position, or the text's end
};

Line lineAround(QStringView text, qsizetype position)
{
    const qsizetype start = position > 0 ? text.lastIndexOf(u'\n', position - 1) + 1 : 0;
    qsizetype end = text.indexOf(u'\n', position);
    if (end < 0)
        end = text.size();
    return { start, end };
}

// Calls found(position) for each occurrence of pattern in text, in order; found returns the position
// to search on from. The scan looks for one character of the pattern with the vectorised character
// search and compares the rest where it finds it: quotes and commas are on every line, so the anchor
// is the first character that is neither.
template <typename Found> void forEachOccurrence(QStringView text, QStringView pattern, Found found)
{
    if (pattern.isEmpty() || pattern.size() > text.size())
        return;
    qsizetype anchor = 0;
    while (anchor + 1 < pattern.size() && (pattern[anchor] == u'"' || pattern[anchor] == u','))
        ++anchor;
    const QChar anchorChar = pattern[anchor];
    qsizetype from = anchor;
    while (from < text.size()) {
        const qsizetype hit = text.indexOf(anchorChar, from);
        if (hit < 0)
            return;
        const qsizetype start = hit - anchor;
        if (start + pattern.size() <= text.size() && text.mid(start, pattern.size()) == pattern)
            from = qMax(found(start), start + 1) + anchor;
        else
            from = hit + 1;
    }
}

qsizetype commonPrefixLength(QStringView a, QStringView b)
{
    const qsizetype limit = qMin(a.size(), b.size());
    qsizetype i = 0;
    while (i < limit && a[i] == b[i])
        ++i;
    return i;
}

// The lines containing the longest head of key (at least two characters, or the whole of a shorter
// key) and the length of that head. Scanning once for the two-character head and measuring how far
// each occurrence runs gives the same lines as trying ever shorter heads, in a single pass.
QList<QStringView> linesWithLongestHead(QStringView key, QStringView text, qsizetype *headLength)
{
    QList<QStringView> lines;
    *headLength = 0;
    if (key.isEmpty())
        return lines;
    const QStringView head = key.left(2);
    qsizetype best = head.size();
    qsizetype lastLineStart = -1;
    forEachOccurrence(text, head, [&](qsizetype position) {
        const Line line = lineAround(text, position);
        const qsizetype length = head.size()
            + commonPrefixLength(
                key.mid(head.size()), text.mid(position + head.size(), line.end - position - head.size()));
        if (length > best) {
            best = length;
            lines.clear();
            lastLineStart = -1;
        }
        if (length == best && line.start != lastLineStart) {
            lines.append(text.mid(line.start, line.end - line.start));
            lastLineStart = line.start;
        }
        return position + 1;
    });
    *headLength = lines.isEmpty() ? 0 : best;
    return lines;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QVariantMap ZipResultRow::toVariantMap() const
{
    QVariantMap map {
        { Ident::ZIP, zip },
        { Ident::State, state },
        { Ident::City, city },
        { Ident::Street, street },
        { ZipKey::PhoneticCity, phoneticCity },
        { ZipKey::PhoneticStreet, phoneticStreet },
        { Ident::Company, company },
    };
    if (business)
        map.insert(ZipKey::PhoneticCompany, phoneticCompany);
    return map;
}

namespace ZipSearch {

QString findNumericString(QStringView text)
{
    // A Japanese input method often gives full-width digits and hyphens; the data has ASCII ones.
    QString numeric;
    for (const QChar c : text) {
        if (isDigit(c) || c == u'-')
            numeric += c;
        else if (c >= u'０' && c <= u'９')
            numeric += QChar(u'0' + (c.unicode() - u'０'));
        else if (c == u'－' || c == u'\u2212')
            numeric += u'-';
        else
            break;
    }
    return numeric;
}

QString formatZIP(QStringView code)
{
    if (code.size() <= 3)
        return code.toString();
    return code.left(3).toString().append(u'-').append(code.mid(3));
}

QStringView stripDoublequote(QStringView value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

QList<QStringView> findAddressLines(QStringView code, QStringView text)
{
    QString key = u'"' + code.toString();
    if (code.size() >= 4 && code[3] == u'-')
        key.remove(4, 1); // the "-" after the third digit, shifted by the leading quote
    QList<QStringView> lines;
    if (key.size() < 2)
        return lines;
    const bool completeCode = key.size() == 8;
    forEachOccurrence(text, key, [&](qsizetype position) {
        const qsizetype after = position + key.size();
        const QChar next = after < text.size() ? text[after] : QChar();
        if (isDigit(next) || (next == u'"' && completeCode)) {
            const Line line = lineAround(text, position);
            lines.append(text.mid(line.start, line.end - line.start));
            return line.end; // on after this line
        }
        return position + 1;
    });
    return lines;
}

QList<QStringView> findZipLines(QStringView address, QStringView text)
{
    qsizetype headLength = 0;
    QList<QStringView> lines = linesWithLongestHead(address, text, &headLength);
    if (lines.isEmpty() || headLength >= address.size())
        return lines;
    QStringView rest = address.mid(headLength);
    while (!rest.isEmpty() && rest.front().isSpace())
        rest = rest.mid(1);
    if (rest.isEmpty())
        return lines;
    // The rest narrows the lines found: its longest head over all of them, as for the whole text.
    qsizetype best = 0;
    QList<QStringView> narrowed;
    for (const QStringView line : lines) {
        qsizetype length = 0;
        if (linesWithLongestHead(rest, line, &length).isEmpty())
            continue;
        if (length > best) {
            best = length;
            narrowed.clear();
        }
        if (length == best)
            narrowed.append(line);
    }
    return narrowed;
}

QList<ZipResultRow> dictionariesFromFindLines(const QList<QStringView> &lines)
{
    QList<ZipResultRow> rows;
    rows.reserve(lines.size());
    for (const QStringView line : lines) {
        // "K," or "J," and then the seven fields, each closed by a comma after its closing quote.
        std::array<QStringView, 7> fields;
        qsizetype position = 2;
        for (QStringView &field : fields) {
            if (position >= line.size())
                break;
            qsizetype end = position;
            if (line[position] == u'"') {
                end = line.indexOf(u'"', position + 1);
                end = end < 0 ? line.size() : end + 1;
            }
            const qsizetype comma = line.indexOf(u',', end);
            const qsizetype fieldEnd = comma < 0 ? line.size() : comma;
            field = stripDoublequote(line.mid(position, fieldEnd - position));
            position = fieldEnd + 1;
        }
        ZipResultRow row;
        if (line.startsWith(u'J')) {
            row.business = true;
            row.phoneticCompany = fields[0].toString();
            row.company = fields[1].toString();
            row.state = fields[2].toString();
            row.city = fields[3].toString();
            row.street = fields[4].toString().append(fields[5]);
            row.zip = formatZIP(fields[6]);
        } else {
            row.zip = formatZIP(fields[0]);
            row.phoneticCity = fields[2].toString();
            row.phoneticStreet = fields[3].toString();
            row.state = fields[4].toString();
            row.city = fields[5].toString();
            row.street = fields[6].toString();
        }
        rows.append(row);
    }
    return rows;
}

} // namespace ZipSearch
