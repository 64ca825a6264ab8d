#include "print/pdf/TextDrawing.h"

#include "print/PrintMetrics.h"
#include "print/pdf/TextMappedPdfWriter.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>

namespace TextDrawing {

namespace {

void drawRun(QPainter *painter, QPointF origin, const QRawFont &font, const QList<quint32> &glyphs,
    const QList<QPointF> &positions)
{
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter->drawGlyphRun(origin, run);
}

// Lays out one line at the reference resolution, so that its glyph runs are in points.
void layOut(QTextLayout &layout)
{
    layout.setCacheEnabled(true);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    // A piece of a line ending in a blank ("Phone: ") hands its blank on to the next piece.
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setPosition(QPointF(0, 0));
    layout.endLayout();
}

// The text of each glyph of the line's runs: the glyphs Qt made for each grapheme, the first of them
// standing for the whole grapheme.
QHash<std::pair<QString, quint32>, QString> glyphTexts(QTextLayout &layout, const QString &text)
{
    QHash<std::pair<QString, quint32>, QString> texts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
        bool first = true;
        for (const QGlyphRun &run : layout.glyphRuns(int(start), int(end - start))) {
            const QString face = run.rawFont().familyName() + u'|' + run.rawFont().styleName();
            for (quint32 glyph : run.glyphIndexes()) {
                const auto key = std::make_pair(face, glyph);
                if (first)
                    texts.insert(key, text.mid(start, end - start));
                else if (!texts.contains(key))
                    texts.insert(key, QString());
                first = false;
            }
        }
        start = end;
    }
    return texts;
}

} // namespace

void drawGlyphs(QPainter *painter, QPointF origin, const QRawFont &font, const QList<quint32> &glyphs,
    const QList<QPointF> &positions, const QStringList &texts)
{
    if (!painter || !font.isValid() || glyphs.isEmpty())
        return;
    if (DrawnGlyphs *drawn = TextMappedPdfWriter::drawnGlyphsFor(painter->device()))
        drawn->record(font, glyphs, texts);
    drawRun(painter, origin, font, glyphs, positions);
}

qreal drawLine(QPainter *painter, QPointF baseline, const QString &text, const QFont &font)
{
    if (!painter || text.isEmpty())
        return 0;
    QTextLayout layout(text, font, PrintMetrics::referenceDevice());
    layOut(layout);
    if (layout.lineCount() == 0)
        return 0;
    // Where the text ends, not how far its ink reaches: the natural width adds a last glyph's overhang.
    const qreal advance = layout.lineAt(0).cursorToX(int(text.size()));
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty())
        return advance;
    const qreal ascent = layout.lineAt(0).ascent();
    const QPointF origin = baseline - QPointF(0, ascent);

    DrawnGlyphs *drawn = TextMappedPdfWriter::drawnGlyphsFor(painter->device());
    bool known = true;
    for (const QGlyphRun &run : runs)
        known = known && (!drawn || drawn->knowsAll(run.rawFont(), run.glyphIndexes()));
    // The common line, one font and one glyph per character, reads its texts off the characters;
    // anything else asks the layout grapheme by grapheme.
    const bool oneToOne = !known && runs.size() == 1
        && runs.first().rawFont().glyphIndexesForString(text) == runs.first().glyphIndexes();
    QHash<std::pair<QString, quint32>, QString> texts;
    if (!known && !oneToOne)
        texts = glyphTexts(layout, text);

    for (const QGlyphRun &run : runs) {
        if (drawn && oneToOne) {
            QStringList runTexts;
            runTexts.reserve(text.size());
            for (QChar c : text)
                runTexts.append(QString(c));
            drawn->record(run.rawFont(), run.glyphIndexes(), runTexts);
        } else if (drawn && !known) {
            const QString face = run.rawFont().familyName() + u'|' + run.rawFont().styleName();
            QStringList runTexts;
            for (quint32 glyph : run.glyphIndexes())
                runTexts.append(texts.value(std::make_pair(face, glyph)));
            drawn->record(run.rawFont(), run.glyphIndexes(), runTexts);
        }
        drawRun(painter, origin, run.rawFont(), run.glyphIndexes(), run.positions());
    }
    return advance;
}

qreal lineWidth(const QString &text, const QFont &font)
{
    if (text.isEmpty())
        return 0;
    QTextLayout layout(text, font, PrintMetrics::referenceDevice());
    layOut(layout);
    return layout.lineCount() > 0 ? layout.lineAt(0).cursorToX(int(text.size())) : 0;
}

} // namespace TextDrawing
