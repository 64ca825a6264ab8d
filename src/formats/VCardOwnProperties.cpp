#include "formats/VCardOwnProperties.h"

#include "formats/VCardLineBreaks.h"
#include "model/VCardLineReader.h"

using namespace VCardLineBreaks;

namespace {

// Property names are short; a longer run of name bytes is no name of ours.
constexpr qsizetype MaxNameBytes = 64;
constexpr qsizetype MaxCategoriesPerCard = 4096;

constexpr QByteArrayView CategoriesName = "CATEGORIES";
constexpr QByteArrayView RenmeiName = "X-RENMEI";
constexpr QByteArrayView LayoutsName = "X-HAGAKILAYOUTS";

// The end of the line starting at position, before its break.
qsizetype lineEndAt(const char *bytes, qsizetype size, qsizetype position)
{
    while (position < size && breakLength(bytes, size, position) == 0)
        ++position;
    return position;
}

bool isFoldSpace(char c)
{
    return c == ' ' || c == '\t';
}

// The continuation line after the line ending at lineEnd: its start, past empty lines (line ends
// doubled on the way, CR CR LF among them); -1 when the next line with text is no continuation.
qsizetype continuationAfter(const char *bytes, qsizetype size, qsizetype lineEnd)
{
    qsizetype at = lineEnd;
    while (at < size) {
        const qsizetype length = breakLength(bytes, size, at);
        if (length == 0)
            return isFoldSpace(bytes[at]) ? at : -1;
        // A lone CR is a break of one byte; breakLength counts CR LF as one break of two.
        at += length;
    }
    return -1;
}

// Each non-empty line of the first X-HAGAKILAYOUTS, the first one after the colon: a layout string
// per address, one per line, the continuation lines beginning with a space. A property whose first
// line holds nothing is no layout list.
QStringList layoutLines(QByteArrayView card)
{
    const char *bytes = card.data();
    const qsizetype size = card.size();
    for (qsizetype at = 0; at < size; at = nextLineStart(bytes, size, at)) {
        if (VCardOwnProperties::kindOfLine(card.sliced(at)) != VCardOwnProperties::Layouts)
            continue;
        qsizetype end = lineEndAt(bytes, size, at);
        const QByteArrayView first = card.sliced(at, end - at);
        const qsizetype colon = first.indexOf(':');
        if (colon < 0 || first.sliced(colon + 1).trimmed().isEmpty())
            return {};
        QStringList lines { QString::fromUtf8(first.sliced(colon + 1).trimmed()) };
        for (qsizetype next = continuationAfter(bytes, size, end); next >= 0;
             next = continuationAfter(bytes, size, end)) {
            end = lineEndAt(bytes, size, next);
            const QByteArrayView line = card.sliced(next + 1, end - next - 1).trimmed();
            if (!line.isEmpty())
                lines.append(QString::fromUtf8(line));
        }
        return lines;
    }
    return {};
}

} // namespace

VCardOwnProperties::Kind VCardOwnProperties::kindOfLine(QByteArrayView line)
{
    qsizetype nameStart = 0;
    qsizetype end = 0;
    const qsizetype limit = qMin(line.size(), MaxNameBytes);
    for (; end < limit; ++end) {
        const char c = line[end];
        if (c == ':' || c == ';')
            break;
        if (uchar(c) < 0x20)
            return None; // the line ends before its name does
        if (c == '.')
            nameStart = end + 1; // a group prefix: item1.CATEGORIES
    }
    if (end == limit)
        return None;
    const QByteArrayView name = line.sliced(nameStart, end - nameStart);
    if (VCardLineReader::equalsIgnoringCase(name, CategoriesName))
        return Categories;
    if (VCardLineReader::equalsIgnoringCase(name, RenmeiName))
        return Renmei;
    if (VCardLineReader::equalsIgnoringCase(name, LayoutsName))
        return Layouts;
    return None;
}

VCardOwnProperties VCardOwnProperties::read(QByteArrayView card, unsigned kinds)
{
    VCardOwnProperties result;
    bool renmeiSeen = false;
    if (kinds & (Categories | Renmei)) {
        // Through the card reader's own lines: folded, with parameters, quoted-printable or not.
        VCardLineReader::readCards(
            card, [&](const VCardCard &read) { result.addFromCard(read, kinds, &renmeiSeen); });
    }
    if (kinds & Layouts)
        result.layouts = layoutLines(card);
    return result;
}

void VCardOwnProperties::addFromCard(const VCardCard &card, unsigned kinds, bool *renmeiSeen)
{
    // Both are read when either is asked for: the line walk that tells which a card holds sees names
    // only, and the two cost nothing more together.
    if (!(kinds & (Categories | Renmei)))
        return;
    for (const VCardProperty &property : card.properties) {
        if (property.nameIs(CategoriesName)) {
            const QString value = VCardLineReader::decodedText(property);
            for (const QString &piece : VCardLineReader::components(value, u',', MaxCategoriesPerCard)) {
                const QString name = piece.trimmed();
                if (!name.isEmpty() && categories.size() < MaxCategoriesPerCard)
                    categories.append(name);
            }
        } else if (property.nameIs(RenmeiName) && !*renmeiSeen) {
            *renmeiSeen = true;
            const QString value = VCardLineReader::unescape(VCardLineReader::decodedText(property));
            if (!value.isEmpty())
                renmei = value;
        }
    }
}
