#pragma once

#include "print/HagakiLayout.h"
#include "print/PostalCodeBoxes.h"
#include "print/vertical/VerticalGlyphs.h"

#include <QChar>
#include <QList>
#include <QPointF>
#include <QRectF>

class QPainter;

// Draws one postcard page in points (origin top left, y down) on any paint device: the screen preview,
// QPdfWriter and QPrinter all come through here. The caller scales the painter so that one unit is a
// point. Usage:
//
//     QPdfWriter pdf(path);
//     pdf.setPageSize(QPageSize(QPageSize::Postcard)); pdf.setPageMargins({});
//     QPainter painter(&pdf);
//     painter.scale(pdf.resolution() / 72.0, pdf.resolution() / 72.0);
//     for (qsizetype i = 0; i < n; ++i) {
//         if (i) pdf.newPage();
//         HagakiRenderer::drawPage(&painter, layout.pageForReceiver(i),
//         HagakiRenderer::printOptions(options));
//     }
namespace HagakiRenderer {

struct RenderOptions
{
    QPointF origin; // where the page's top left lands: margins, and a printer's feed offset
    bool preview = false; // screen: yellow surround, card picture and guide grid
    bool drawCard = false; // the card picture (with its postal-code boxes) also outside the preview
    QRectF imageable; // the printer's imageable area, shown white in the preview; empty: the whole card
};

// Options for printing: the top-level margins plus the printer offset stored for the postcard paper.
RenderOptions printOptions(const QVariantMap &printOptions);
RenderOptions previewOptions(const QVariantMap &printOptions);

struct Block
{
    int slot = 0;
    QString kind; // "name" or "address"
    QRectF rect; // the block's rectangle on the page
    VerticalBlockLayout layout; // its columns; glyph positions on the page
};

struct PageGeometry
{
    QList<Block> blocks;
    QList<PostalCodeBoxes::Digit> zipDigits;
};

// Everything drawPage paints, as numbers.
PageGeometry layoutPage(const HagakiPage &page, QPointF origin = {});

void drawPage(QPainter *painter, const HagakiPage &page, const RenderOptions &options);

} // namespace HagakiRenderer
