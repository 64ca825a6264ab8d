#pragma once

#include "print/EnvelopeLayout.h"
#include "print/PostalCodeBoxes.h"

#include <QList>
#include <QPointF>
#include <QTransform>

class QPainter;

// Draws one envelope page in points (origin top left, y down); the preview, QPdfWriter and QPrinter all
// come through here, the caller scaling the painter to points. Usage:
//
//     const EnvelopePaper paper = *EnvelopePaper::named(PaperSizes::Naga3);
//     QPdfWriter pdf(path);
//     pdf.setPageSize(QPageSize(paper.size, QPageSize::Point)); pdf.setPageMargins({});
//     QPainter painter(&pdf);
//     painter.scale(pdf.resolution() / 72.0, pdf.resolution() / 72.0);
//     EnvelopeRenderer::drawPage(&painter, EnvelopeLayout::layoutPage(receiver, sender, options, paper),
//         EnvelopeRenderer::printOptions(options, paper.name));
namespace EnvelopeRenderer {

struct RenderOptions
{
    QPointF origin; // margins and the printer's feed offset
    bool preview = false; // screen: yellow surround, white imageable area
};

RenderOptions printOptions(const QVariantMap &printOptions, const QString &paperName);
RenderOptions previewOptions(const QVariantMap &printOptions);

// A block as it is painted: horizontal lines (baseline origins, in the block's own frame) or vertical
// glyphs, and the transform from that frame to the page.
struct BlockGeometry
{
    QRectF rect; // on the page, margins applied
    QRectF border; // the outline, 3 points outside the block; empty when no border is printed
    QTransform transform; // block frame -> page
    QList<QPointF> lineOrigins; // horizontal text: baseline origin of each line
    QList<VerticalGlyph> glyphs; // vertical text: glyphs in the block frame
    QRectF inkRect; // where the text lands on the page
    QList<PostalCodeBoxes::Digit> zipDigits; // the addressee's postal code in its boxes
    QRectF zipLine; // the sender's postal code on its line above the columns
};

struct PageGeometry
{
    std::optional<BlockGeometry> receiver;
    std::optional<BlockGeometry> sender;
};

PageGeometry layoutPage(const EnvelopePage &page, QPointF origin = {});

void drawPage(QPainter *painter, const EnvelopePage &page, const RenderOptions &options);

} // namespace EnvelopeRenderer
