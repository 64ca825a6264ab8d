#include "print/vertical/VerticalFontCache.h"

#include <QGlyphRun>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QTextLayout>
#include <hb-ot.h>
#include <hb.h>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace VerticalFontCache {

namespace {

// Sizes are kept to 1/64 point so that the fitting's many trial sizes share entries.
qint64 sizeKey(qreal size)
{
    return qRound64(size * 64);
}

struct FaceEntry
{
    QRawFont raw; // outlives the face: the face reads its tables through it
    QMutex tableMutex;
    ShapingFace face;
};

hb_blob_t *referenceTable(hb_face_t *, hb_tag_t tag, void *userData)
{
    auto *entry = static_cast<FaceEntry *>(userData);
    if (tag == 0)
        return nullptr;
    const char name[5] = { char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), 0 };
    QByteArray *table = nullptr;
    {
        QMutexLocker lock(&entry->tableMutex);
        table = new QByteArray(entry->raw.fontTable(name));
    }
    if (table->isEmpty()) {
        delete table;
        return nullptr;
    }
    return hb_blob_create(table->constData(), static_cast<unsigned>(table->size()), HB_MEMORY_MODE_READONLY,
        table, [](void *data) { delete static_cast<QByteArray *>(data); });
}

struct Cache
{
    QMutex mutex;
    QHash<QString, QRawFont> rawFonts;
    QHash<QString, std::pair<qreal, qreal>> emBoxes; // per em
    QHash<QString, FaceEntry *> faces;
};

// Deliberately never destroyed: raw fonts must not outlive the application's font database, and
// the cache is reachable for the whole run.
Cache &cache()
{
    static Cache *instance = new Cache;
    return *instance;
}

QString rawKey(const QFont &font, qreal size)
{
    return font.key() + u'|' + QString::number(sizeKey(size));
}

} // namespace

QRawFont rawFont(const QFont &font, qreal size)
{
    Cache &c = cache();
    const QString key = rawKey(font, size);
    {
        QMutexLocker lock(&c.mutex);
        auto it = c.rawFonts.constFind(key);
        if (it != c.rawFonts.constEnd())
            return *it;
    }
    QRawFont raw = QRawFont::fromFont(font);
    if (raw.isValid() && size > 0)
        raw.setPixelSize(size);
    QMutexLocker lock(&c.mutex);
    // A pathological caller asking for ever new sizes must not grow memory without end.
    if (c.rawFonts.size() > 4096)
        c.rawFonts.clear();
    c.rawFonts.insert(key, raw);
    return raw;
}

ShapingFace shapingFace(const QFont &font)
{
    Cache &c = cache();
    const QString key = font.key();
    QMutexLocker lock(&c.mutex);
    if (FaceEntry *entry = c.faces.value(key))
        return entry->face;

    auto *entry = new FaceEntry;
    entry->raw = QRawFont::fromFont(font);
    c.faces.insert(key, entry);
    if (!entry->raw.isValid())
        return entry->face;

    hb_face_t *face = hb_face_create_for_tables(referenceTable, entry, nullptr);
    const unsigned upem = hb_face_get_upem(face);
    unsigned count = hb_ot_layout_table_get_feature_tags(face, HB_OT_TAG_GSUB, 0, nullptr, nullptr);
    std::vector<hb_tag_t> tags(count);
    hb_ot_layout_table_get_feature_tags(face, HB_OT_TAG_GSUB, 0, &count, tags.data());
    for (hb_tag_t tag : tags) {
        entry->face.hasVert |= tag == HB_TAG('v', 'e', 'r', 't');
        entry->face.hasVrt2 |= tag == HB_TAG('v', 'r', 't', '2');
        entry->face.hasHwid |= tag == HB_TAG('h', 'w', 'i', 'd');
        entry->face.hasTwid |= tag == HB_TAG('t', 'w', 'i', 'd');
    }
    if (entry->face.hasVert || entry->face.hasVrt2) {
        hb_font_t *hbFont = hb_font_create(face);
        hb_ot_font_set_funcs(hbFont);
        hb_font_set_scale(hbFont, int(upem), int(upem));
        hb_font_make_immutable(hbFont);
        entry->face.font = hbFont;
        entry->face.unitsPerEm = upem == 0 ? 1000 : upem;
    }
    hb_face_destroy(face); // the font keeps its own reference
    return entry->face;
}

namespace {

quint16 bigEndian16(const QByteArray &data, qsizetype offset)
{
    return quint16((quint8(data[offset]) << 8) | quint8(data[offset + 1]));
}

// Em-box fractions of a font from its OS/2 and head tables, or from its line metrics.
std::pair<qreal, qreal> emBoxFractions(const QRawFont &raw)
{
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    constexpr qsizetype typoAscenderOffset = 68;
    constexpr qsizetype typoDescenderOffset = 70;
    constexpr qsizetype unitsPerEmOffset = 18;
    if (os2.size() >= typoDescenderOffset + 2 && head.size() >= unitsPerEmOffset + 2) {
        const qreal upem = bigEndian16(head, unitsPerEmOffset);
        const qreal ascender = qint16(bigEndian16(os2, typoAscenderOffset));
        const qreal descender = -qint16(bigEndian16(os2, typoDescenderOffset));
        // Only a plausible box: both parts non-negative and together about one em.
        if (upem > 0 && ascender > 0 && descender >= 0 && ascender + descender > upem * 0.8
            && ascender + descender < upem * 1.25)
            return { ascender / upem, descender / upem };
    }
    const qreal size = raw.pixelSize();
    if (size > 0 && raw.ascent() + raw.descent() > 0) {
        const qreal total = raw.ascent() + raw.descent();
        return { raw.ascent() / total, raw.descent() / total };
    }
    return { 0.88, 0.12 };
}

} // namespace

EmBox emBox(const QRawFont &font, qreal size)
{
    Cache &c = cache();
    const QString key
        = font.familyName() + u'|' + font.styleName() + u'|' + QString::number(int(font.weight()));
    std::pair<qreal, qreal> fractions;
    {
        QMutexLocker lock(&c.mutex);
        auto it = c.emBoxes.constFind(key);
        if (it != c.emBoxes.constEnd()) {
            fractions = *it;
            return { fractions.first * size, fractions.second * size };
        }
    }
    fractions = font.isValid() ? emBoxFractions(font) : std::pair<qreal, qreal> { 0.88, 0.12 };
    QMutexLocker lock(&c.mutex);
    c.emBoxes.insert(key, fractions);
    return { fractions.first * size, fractions.second * size };
}

EmBox emBox(const QFont &font, qreal size)
{
    return emBox(rawFont(font, size), size);
}

bool hasVerticalVariant(const QFont &font)
{
    return shapingFace(font).font != nullptr;
}

ResolvedCluster resolveCluster(QStringView cluster, const QFont &font, qreal size)
{
    ResolvedCluster result;
    if (cluster.isEmpty() || size <= 0)
        return result;

    // The common case: one character the font has. No layout engine needed.
    const bool single = cluster.size() == 1 || (cluster.size() == 2 && cluster[0].isHighSurrogate());
    if (single) {
        QRawFont raw = rawFont(font, size);
        if (raw.isValid()) {
            const QList<quint32> indexes = raw.glyphIndexesForString(cluster.toString());
            if (indexes.size() == 1 && indexes.front() != 0) {
                const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes);
                result.glyphs.append({ raw, indexes.front(), QPointF() });
                result.advance = advances.isEmpty() ? size : advances.front().x();
                return result;
            }
        }
    }

    // Otherwise let the text engine shape the sequence and pick fallback fonts, then bring its
    // glyphs to the exact size: the engine works in whole device pixels.
    QTextLayout layout(cluster.toString(), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return result;
    const qreal lineAscent = line.ascent();
    qreal advanceScale = 0;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        QRawFont raw = run.rawFont();
        const qreal sourceSize = raw.pixelSize();
        if (!raw.isValid() || sourceSize <= 0)
            continue;
        const qreal scale = size / sourceSize;
        if (advanceScale == 0)
            advanceScale = scale;
        raw.setPixelSize(size);
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            const QPointF p = positions[i];
            result.glyphs.append({ raw, indexes[i], QPointF(p.x() * scale, (p.y() - lineAscent) * scale) });
        }
    }
    result.advance = advanceScale > 0 ? line.naturalTextWidth() * advanceScale : size;
    return result;
}

} // namespace VerticalFontCache
