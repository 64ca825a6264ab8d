#include "print/EnvelopeRenderer.h"

#include "print/PrintChoices.h"
#include "print/PrintMetrics.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/pdf/TextDrawing.h"
#include "print/vertical/VerticalFontCache.h"
#include "print/vertical/VerticalTextLayout.h"
#include "print/vertical/VerticalTextPainter.h"
#include "print/vertical/VerticalTextRoutine.h"

#include <QPainter>
#include <QTextBoundaryFinder>

namespace {

constexpr qreal BorderOutset = 3;
constexpr qreal BorderWidth = 1.5;
const QColor PreviewSurround(255, 255, 178); // light yellow: 1, 1, 0.7

QRectF inkOf(const QList<VerticalGlyph> &glyphs)
{
    QRectF ink;
    for (const VerticalGlyph &g : glyphs) {
        if (!g.font.isValid())
            continue;
        QTransform t;
        t.translate(g.origin.x(), g.origin.y());
        t.rotate(g.rotation);
        const QRectF r = t.mapRect(g.font.boundingRect(g.glyphIndex));
        if (r.isEmpty())
            continue;
        ink = ink.isNull() ? r : ink.united(r);
    }
    return ink;
}

// Horizontal lines: glyphs placed in the block's own frame (top left at 0, 0), then carried to the page.
void setHorizontal(const EnvelopeBlock &block, EnvelopeRenderer::BlockGeometry &g)
{
    const QRawFont raw = VerticalFontCache::rawFont(block.font, block.fontSize);
    const qreal ascent = raw.isValid() ? raw.ascent() : block.fontSize * 0.9;
    const qreal lineHeight = raw.isValid() ? raw.ascent() + raw.descent() : block.fontSize * 1.2;
    const qreal rotation = block.upDown ? 90 : 0;
    for (qsizetype i = 0; i < block.lines.size(); ++i) {
        const QString &line = block.lines.at(i);
        const QPointF origin(0, i * lineHeight + ascent);
        g.lineOrigins.append(origin);
        qreal x = 0;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
        qsizetype start = 0;
        for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
            const QStringView cluster = QStringView(line).mid(start, end - start);
            const VerticalFontCache::ResolvedCluster resolved
                = VerticalFontCache::resolveCluster(cluster, block.font, block.fontSize);
            for (const VerticalFontCache::ResolvedGlyph &rg : resolved.glyphs) {
                VerticalGlyph glyph;
                glyph.text = cluster.toString();
                glyph.glyphIndex = rg.glyphIndex;
                glyph.font = rg.font;
                glyph.origin = g.transform.map(origin + QPointF(x, 0) + rg.offset);
                glyph.rotation = rotation;
                glyph.size = block.fontSize;
                glyph.kind = VerticalGlyphKind::Sideways;
                g.glyphs.append(glyph);
            }
            x += resolved.advance;
            start = end;
        }
    }
}

EnvelopeRenderer::BlockGeometry layoutBlock(
    const EnvelopeBlock &block, const EnvelopePaper &paper, QPointF origin, bool border)
{
    EnvelopeRenderer::BlockGeometry g;
    if (block.zipPlace == EnvelopeBlock::ZipPlace::Boxes && !block.zip.isEmpty())
        g.zipDigits = PostalCodeBoxes::digits(block.zip, PostalCodeBoxes::envelopeOrigin(paper.size) + origin,
            false, PostalCodeBoxes::digitFont(block.font));
    else if (block.zipPlace == EnvelopeBlock::ZipPlace::AboveBlock && !block.zip.isEmpty())
        g.zipLine = EnvelopeLayout::zipRect(block, paper).translated(origin);
    g.rect = block.rect.translated(origin);
    if (border)
        g.border = g.rect.adjusted(-BorderOutset, -BorderOutset, BorderOutset, BorderOutset);
    const QString text = block.lines.join(u'\n');
    if (block.vertical) {
        if (block.upDown) {
            // Columns from the block's right edge, top to bottom.
            g.glyphs = VerticalTextLayout::layoutLine({ { text, block.font, block.fontSize } },
                QPointF(g.rect.right(), g.rect.top()), block.textOptions)
                           .glyphs;
        } else {
            // Rows left to right with every glyph turned: it reads vertically once the envelope is turned.
            VerticalTextRoutine::Options routine;
            routine.direction = VerticalDirection::LeftToRight;
            routine.uprightNumbers = block.textOptions.uprightNumbers;
            g.glyphs = VerticalTextRoutine::layout(
                { { text, block.font, block.fontSize } }, g.rect.topLeft(), routine)
                           .glyphs;
        }
    } else {
        g.transform.translate(block.upDown ? g.rect.right() : g.rect.left(), g.rect.top());
        if (block.upDown)
            g.transform.rotate(90);
        setHorizontal(block, g);
    }
    g.inkRect = inkOf(g.glyphs);
    return g;
}

} // namespace

namespace EnvelopeRenderer {

RenderOptions printOptions(const QVariantMap &options, const QString &paperName)
{
    RenderOptions render = previewOptions(options);
    render.preview = false;
    render.origin
        += PrintChoices::printerOffsetInPoints(options.value(PrintKey::Envelope).toMap(), paperName);
    return render;
}

RenderOptions previewOptions(const QVariantMap &options)
{
    RenderOptions render;
    render.origin = QPointF(PrintOptions::number(options.value(PrintKey::LeftMargin)),
        PrintOptions::number(options.value(PrintKey::TopMargin)));
    render.preview = true;
    return render;
}

PageGeometry layoutPage(const EnvelopePage &page, QPointF origin)
{
    PageGeometry geometry;
    if (page.receiver)
        geometry.receiver = layoutBlock(*page.receiver, page.paper, origin, page.printBorder);
    if (page.sender)
        geometry.sender = layoutBlock(*page.sender, page.paper, origin, page.printBorder);
    return geometry;
}

void drawPage(QPainter *painter, const EnvelopePage &page, const RenderOptions &options)
{
    if (!painter)
        return;
    painter->save();
    if (options.preview) {
        painter->fillRect(QRectF(QPointF(0, 0), page.paper.size), PreviewSurround);
        painter->fillRect(page.paper.imageable, Qt::white);
    }
    const PageGeometry geometry = layoutPage(page, options.origin);
    for (const auto &[block, layout] :
        { std::make_pair(geometry.receiver, page.receiver), std::make_pair(geometry.sender, page.sender) }) {
        if (!block || !layout)
            continue;
        if (!block->border.isEmpty()) {
            painter->setPen(QPen(Qt::black, BorderWidth));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(block->border);
        }
        painter->setPen(Qt::black);
        VerticalTextPainter::draw(painter, block->glyphs);
        PostalCodeBoxes::drawDigits(painter, block->zipDigits, PostalCodeBoxes::digitFont(layout->font));
        if (!block->zipLine.isEmpty()) {
            const QFont font
                = PrintMetrics::font(layout->font.family(), layout->fontSize * EnvelopeLayout::ZipLineShare);
            const QPointF baseline(
                block->zipLine.left(), block->zipLine.top() + PrintMetrics::metrics(font).ascent());
            TextDrawing::drawLine(painter, baseline, layout->zip, font);
        }
    }
    painter->restore();
}

} // namespace EnvelopeRenderer
