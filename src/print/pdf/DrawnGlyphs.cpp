#include "print/pdf/DrawnGlyphs.h"

#include <QByteArray>

namespace {

quint16 bigEndian16(const QByteArray &data, qsizetype offset)
{
    return quint16((quint8(data[offset]) << 8) | quint8(data[offset + 1]));
}

constexpr quint16 PostscriptNameId = 6;
constexpr quint16 PlatformMacintosh = 1;
constexpr quint16 PlatformWindows = 3;

// A glyph keeps its place in the order from its first drawing; a text learnt later fills a gap.
void remember(DrawnGlyphs::Face &face, quint32 glyph, const QString &text)
{
    if (glyph == 0)
        return;
    const auto it = face.texts.find(glyph);
    if (it == face.texts.end()) {
        face.order.append(glyph);
        face.texts.insert(glyph, text);
    } else if (it->isEmpty()) {
        *it = text;
    }
}

} // namespace

QString DrawnGlyphs::postscriptName(const QRawFont &font)
{
    const QByteArray table = font.fontTable("name");
    if (table.size() < 6)
        return QString();
    const qsizetype count = bigEndian16(table, 2);
    const qsizetype strings = bigEndian16(table, 4);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype record = 6 + i * 12;
        if (record + 12 > table.size())
            break;
        const quint16 platform = bigEndian16(table, record);
        const quint16 nameId = bigEndian16(table, record + 6);
        const qsizetype length = bigEndian16(table, record + 8);
        const qsizetype offset = strings + bigEndian16(table, record + 10);
        if (nameId != PostscriptNameId || offset + length > table.size())
            continue;
        const QByteArray raw = table.mid(offset, length);
        if (platform == PlatformWindows) {
            QString name;
            for (qsizetype j = 0; j + 1 < raw.size(); j += 2)
                name += QChar(bigEndian16(raw, j));
            return name;
        }
        if (platform == PlatformMacintosh)
            return QString::fromLatin1(raw);
    }
    return QString();
}

QString DrawnGlyphs::faceKey(const QRawFont &font)
{
    return font.familyName() + u'|' + font.styleName() + u'|' + QString::number(int(font.weight())) + u'|'
        + QString::number(int(font.style()));
}

const DrawnGlyphs::Face *DrawnGlyphs::findFace(const QRawFont &font) const
{
    for (const auto &[raw, index] : m_recent) {
        if (raw == font)
            return &m_faces.at(index);
    }
    const auto it = m_faceIndex.constFind(faceKey(font));
    if (it == m_faceIndex.constEnd())
        return nullptr;
    rememberFont(font, *it);
    return &m_faces.at(*it);
}

DrawnGlyphs::Face &DrawnGlyphs::faceFor(const QRawFont &font)
{
    if (const Face *face = findFace(font))
        return m_faces[face - m_faces.constData()];
    m_faceIndex.insert(faceKey(font), m_faces.size());
    m_faces.append(Face { postscriptName(font), font, {}, {} });
    rememberFont(font, m_faces.size() - 1);
    return m_faces.last();
}

void DrawnGlyphs::rememberFont(const QRawFont &font, qsizetype face) const
{
    constexpr qsizetype Remembered = 16;
    if (m_recent.size() == Remembered)
        m_recent.removeLast();
    m_recent.prepend({ font, face });
}

void DrawnGlyphs::record(const QRawFont &font, quint32 glyph, const QString &text)
{
    if (!font.isValid() || glyph == 0)
        return;
    remember(faceFor(font), glyph, text);
}

void DrawnGlyphs::record(const QRawFont &font, const QList<quint32> &glyphs, const QStringList &texts)
{
    if (!font.isValid())
        return;
    Face &face = faceFor(font);
    for (qsizetype i = 0; i < glyphs.size(); ++i)
        remember(face, glyphs.at(i), i < texts.size() ? texts.at(i) : QString());
}

bool DrawnGlyphs::knowsAll(const QRawFont &font, const QList<quint32> &glyphs) const
{
    const Face *face = findFace(font);
    if (!face)
        return glyphs.isEmpty();
    for (quint32 glyph : glyphs) {
        if (glyph != 0 && !face->texts.contains(glyph))
            return false;
    }
    return true;
}
