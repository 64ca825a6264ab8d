#include "print/pdf/PdfTextMaps.h"

#include "print/pdf/PdfFile.h"

#include <QRegularExpression>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A map holds at most this many entries per block, as the CMap format asks.
constexpr int EntriesPerBlock = 100;
// Destination strings longer than this are not text a glyph stands for.
constexpr qsizetype MaxDestinationUnits = 256;

QString textFromHex(QStringView hex)
{
    QString text;
    for (qsizetype i = 0; i + 4 <= hex.size() && text.size() < MaxDestinationUnits; i += 4) {
        bool ok = false;
        const ushort unit = hex.mid(i, 4).toUShort(&ok, 16);
        if (!ok)
            return QString();
        text += QChar(unit);
    }
    return text;
}

QByteArray hexFromText(const QString &text)
{
    QByteArray hex;
    for (QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex;
}

QByteArray hexCode(int code)
{
    return '<' + QByteArray::number(code, 16).rightJustified(4, '0').toUpper() + '>';
}

// The text of a glyph's code in the next code of a range: its last unit counts up.
QString advanced(QString text, int steps)
{
    if (!text.isEmpty())
        text.back() = QChar(ushort(text.back().unicode() + steps));
    return text;
}

QString baseFontName(const QByteArray &value)
{
    QString name = QString::fromLatin1(value);
    if (name.startsWith(u'/'))
        name.remove(0, 1);
    // A subset's name carries a six-letter tag: "ABCDEF+Name".
    static const QRegularExpression tag(u"^[A-Z]{6}\\+"_s);
    name.remove(tag);
    return name;
}

quint32 glyphForCharacter(const QRawFont &font, const QString &text)
{
    if (text.isEmpty())
        return 0;
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    return glyphs.size() == 1 ? glyphs.first() : 0;
}

// The map a face's record gives when glyph numbers follow the order of first drawing; nothing when the
// font's glyph count or its characters disagree with that order, or when fewer than `mustAgree` of the
// characters the writer found confirm it.
std::optional<QMap<int, QString>> mapByOrder(
    const DrawnGlyphs::Face &face, int glyphCount, const QMap<int, QString> &written, int mustAgree)
{
    if (glyphCount != face.order.size() + 1)
        return std::nullopt;
    int agreed = 0;
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        if (it.key() <= 0 || it.key() >= glyphCount)
            continue;
        const quint32 expected = face.order.at(it.key() - 1);
        if (glyphForCharacter(face.font, it.value()) != expected)
            return std::nullopt;
        ++agreed;
    }
    if (agreed < mustAgree)
        return std::nullopt;
    QMap<int, QString> map;
    for (qsizetype i = 0; i < face.order.size(); ++i) {
        const QString text = face.texts.value(face.order.at(i));
        if (!text.isEmpty())
            map.insert(int(i + 1), text);
    }
    return map;
}

// The map when only glyphs that have a character can be found: each is read back through the
// font's character map and given the text it was drawn for.
QMap<int, QString> mapByCharacters(const DrawnGlyphs::Face &face, const QMap<int, QString> &written)
{
    QMap<int, QString> map = written;
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QString text = face.texts.value(glyphForCharacter(face.font, it.value()));
        if (!text.isEmpty())
            it.value() = text;
    }
    return map;
}

} // namespace

namespace PdfTextMaps {

QMap<int, QString> parse(const QByteArray &cmap)
{
    QMap<int, QString> map;
    const QString text = QString::fromLatin1(cmap);
    static const QRegularExpression block(
        u"beginbf(char|range)(.*?)endbf\\1"_s, QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression hexToken(u"<([0-9A-Fa-f\\s]*)>|\\[|\\]"_s);
    static const QRegularExpression blanks(u"\\s"_s);
    for (auto blocks = block.globalMatch(text); blocks.hasNext();) {
        const QRegularExpressionMatch match = blocks.next();
        const bool range = match.captured(1) == u"range"_s;
        QList<QString> tokens; // hex strings, "[" and "]"
        for (auto it = hexToken.globalMatch(match.capturedView(2)); it.hasNext();) {
            const QRegularExpressionMatch token = it.next();
            // Hex strings may be broken by blanks.
            tokens.append(token.captured(1).isNull() ? token.captured(0) : token.captured(1).remove(blanks));
        }
        qsizetype i = 0;
        while (i < tokens.size()) {
            bool ok = false;
            const int low = tokens.at(i).toInt(&ok, 16);
            if (!ok)
                break;
            if (!range) {
                if (i + 1 >= tokens.size())
                    break;
                map.insert(low, textFromHex(tokens.at(i + 1)));
                i += 2;
                continue;
            }
            if (i + 2 >= tokens.size())
                break;
            const int high = tokens.at(i + 1).toInt(&ok, 16);
            if (!ok || high < low || high - low > 0xFFFF)
                break;
            if (tokens.at(i + 2) == u"["_s) {
                qsizetype j = i + 3;
                for (int code = low; j < tokens.size() && tokens.at(j) != u"]"_s; ++j, ++code) {
                    if (code <= high)
                        map.insert(code, textFromHex(tokens.at(j)));
                }
                i = j + 1;
            } else {
                const QString start = textFromHex(tokens.at(i + 2));
                for (int code = low; code <= high; ++code)
                    map.insert(code, advanced(start, code - low));
                i += 3;
            }
        }
    }
    return map;
}

QByteArray write(const QMap<int, QString> &entries)
{
    QByteArray out = "/CIDInit /ProcSet findresource begin\n"
                     "12 dict begin\n"
                     "begincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n"
                     "/CMapType 2 def\n"
                     "1 begincodespacerange\n"
                     "<0000> <FFFF>\n"
                     "endcodespacerange\n";
    QList<std::pair<int, QString>> items;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (it.key() >= 0 && it.key() <= 0xFFFF && !it.value().isEmpty())
            items.append({ it.key(), it.value().left(MaxDestinationUnits) });
    }
    for (qsizetype first = 0; first < items.size(); first += EntriesPerBlock) {
        const qsizetype count = std::min<qsizetype>(EntriesPerBlock, items.size() - first);
        out += QByteArray::number(count) + " beginbfchar\n";
        for (qsizetype i = first; i < first + count; ++i)
            out += hexCode(items.at(i).first) + " <" + hexFromText(items.at(i).second) + ">\n";
        out += "endbfchar\n";
    }
    out += "endcmap\n"
           "CMapName currentdict /CMap defineresource pop\n"
           "end\n"
           "end\n";
    return out;
}

int lastGlyphInWidths(const QByteArray &widths)
{
    // Entries are "c [w1 w2 ...]" (glyphs c, c + 1, ...) or "c1 c2 w" (glyphs c1 to c2).
    static const QRegularExpression token(u"\\[|\\]|[-+]?\\d+(?:\\.\\d*)?"_s);
    int last = -1;
    QList<QString> pending;
    int inArray = -1; // the first glyph of the array being read, or -1
    int arrayCount = 0;
    const QString text = QString::fromLatin1(widths);
    qsizetype start = text.indexOf(u'[');
    if (start < 0)
        return -1;
    for (auto it = token.globalMatch(text.mid(start + 1)); it.hasNext();) {
        const QString t = it.next().captured(0);
        if (t == u"["_s) {
            if (pending.size() != 1)
                return last;
            inArray = pending.first().toInt();
            arrayCount = 0;
            pending.clear();
        } else if (t == u"]"_s) {
            if (inArray < 0)
                break; // the end of the whole array
            last = std::max(last, inArray + arrayCount - 1);
            inArray = -1;
        } else if (inArray >= 0) {
            ++arrayCount;
        } else {
            pending.append(t);
            if (pending.size() == 3) {
                last = std::max(last, pending.at(1).toInt());
                pending.clear();
            }
        }
    }
    return last;
}

Result correct(const QByteArray &pdf, const DrawnGlyphs &drawn)
{
    Result result;
    result.pdf = pdf;
    if (drawn.isEmpty())
        return result;
    QString error;
    std::optional<PdfFile> file = PdfFile::parse(pdf, &error);
    if (!file) {
        result.error = error;
        return result;
    }

    bool changed = false;
    for (int number : file->objectNumbers()) {
        const QByteArray font = file->dictionary(number);
        if (PdfFile::value(font, "Type") != "/Font" || PdfFile::value(font, "Subtype") != "/Type0")
            continue;
        const int toUnicode = PdfFile::reference(PdfFile::value(font, "ToUnicode"));
        if (toUnicode < 0 || !file->contains(toUnicode))
            continue;
        ++result.fonts;
        QByteArray descendants = PdfFile::value(font, "DescendantFonts");
        descendants = descendants.mid(1, descendants.size() - 2); // [n 0 R]
        const int descendant = PdfFile::reference(descendants.trimmed());
        const int glyphCount
            = descendant < 0 ? -1 : lastGlyphInWidths(PdfFile::value(file->dictionary(descendant), "W")) + 1;

        // What the writer put in the map, when it is plain text to read.
        const QByteArray mapDictionary = file->dictionary(toUnicode);
        QMap<int, QString> written;
        if (PdfFile::value(mapDictionary, "Filter").isEmpty()) {
            if (const std::optional<QByteArray> stream = file->streamData(toUnicode))
                written = parse(*stream);
        }

        const QString name = baseFontName(PdfFile::value(font, "BaseFont"));
        QList<const DrawnGlyphs::Face *> named;
        QList<const DrawnGlyphs::Face *> others;
        for (const DrawnGlyphs::Face &face : drawn.faces())
            (face.postscriptName == name ? named : others).append(&face);

        // A face of the font's name is taken on its glyph count and characters; one of another name (a
        // font without a name table) only when most of its glyphs are confirmed by their characters.
        std::optional<QMap<int, QString>> map;
        for (const DrawnGlyphs::Face *face : named) {
            if ((map = mapByOrder(*face, glyphCount, written, 0)))
                break;
        }
        for (qsizetype i = 0; !map && i < others.size(); ++i)
            map = mapByOrder(*others.at(i), glyphCount, written, std::max(1, glyphCount / 2));
        if (map) {
            ++result.rewritten;
        } else if (named.size() == 1 && !written.isEmpty()) {
            map = mapByCharacters(*named.first(), written);
            ++result.partly;
        }
        if (map && *map != written) {
            file->replaceStream(toUnicode, QByteArray(), write(*map));
            changed = true;
        }
    }
    if (changed)
        result.pdf = file->write();
    return result;
}

} // namespace PdfTextMaps
