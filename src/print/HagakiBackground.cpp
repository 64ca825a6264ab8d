#include "print/HagakiBackground.h"

#include "print/PostalCodeBoxes.h"
#include "print/PrintMetrics.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintUnits.h"
#include "print/pdf/TextDrawing.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

using PrintUnits::millimetersToPoints;

const QColor PostalRed(214, 40, 40);
const QColor NengaRed(200, 30, 45);
const QColor CardEdge(150, 150, 150);

void drawBoxes(QPainter *painter, QPointF origin, bool sender, const QColor &colour)
{
    const QList<QRectF> boxes = PostalCodeBoxes::boxes(origin, sender);
    painter->setPen(QPen(colour, sender ? 0.5 : 0.8));
    painter->setBrush(Qt::NoBrush);
    for (const QRectF &box : boxes)
        painter->drawRect(box);
    if (boxes.size() == 7) {
        // The short bar between the three- and four-digit groups.
        const QRectF third = boxes.at(2);
        const QRectF fourth = boxes.at(3);
        const qreal y = third.center().y();
        painter->drawLine(QPointF(third.right(), y), QPointF(fourth.left(), y));
    }
}

void drawTitle(QPainter *painter, const QString &text, const QRectF &area, qreal size, const QColor &colour)
{
    const QFont font
        = PrintMetrics::font(PrintFont::DefaultSerifVerticalFamily, qMax<qreal>(1, qRound(size)));
    const QFontMetricsF metrics = PrintMetrics::metrics(font);
    const qreal width = TextDrawing::lineWidth(text, font);
    const QPointF baseline(
        area.center().x() - width / 2, area.center().y() + (metrics.ascent() - metrics.descent()) / 2);
    painter->setPen(colour);
    TextDrawing::drawLine(painter, baseline, text, font);
}

// The stamp printed in the top left corner: a framed picture of a small flower over waves.
void drawStamp(QPainter *painter, const QRectF &frame, const QColor &colour, const QString &value)
{
    painter->setPen(QPen(colour, 0.8));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(frame);
    const QRectF inner = frame.adjusted(3, 3, -3, -3);
    painter->drawRect(inner);
    const QPointF centre(inner.center().x(), inner.top() + inner.height() * 0.4);
    const qreal petal = inner.width() * 0.12;
    painter->setBrush(colour.lighter(160));
    for (int i = 0; i < 5; ++i) {
        painter->save();
        painter->translate(centre);
        painter->rotate(i * 72.0);
        painter->drawEllipse(QPointF(0, -petal), petal * 0.6, petal);
        painter->restore();
    }
    painter->setBrush(Qt::NoBrush);
    QPainterPath waves;
    const qreal y = inner.top() + inner.height() * 0.72;
    waves.moveTo(inner.left() + 2, y);
    for (int i = 0; i < 4; ++i) {
        const qreal x = inner.left() + 2 + i * (inner.width() - 4) / 4;
        const qreal step = (inner.width() - 4) / 4;
        waves.quadTo(QPointF(x + step / 2, y - 4), QPointF(x + step, y));
    }
    painter->drawPath(waves);
    drawTitle(painter, value, QRectF(inner.left(), inner.bottom() - 11, inner.width(), 10), 7, colour);
}

} // namespace

namespace HagakiBackground {

QSizeF imageSize(const QString &hagakiType)
{
    if (hagakiType == PrintValue::HagakiTypeGeneral)
        return { 285, 420 };
    if (hagakiType == PrintValue::HagakiTypeNenga)
        return { 285, 422 };
    return {};
}

void draw(QPainter *painter, const QString &hagakiType, QPointF senderZipOrigin)
{
    const QSizeF size = imageSize(hagakiType);
    if (!painter || size.isEmpty())
        return;
    const bool nenga = hagakiType == PrintValue::HagakiTypeNenga;
    const QColor ink = nenga ? NengaRed : PostalRed;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF card(QPointF(0, 0), size);
    painter->fillRect(card, nenga ? QColor(255, 253, 246) : Qt::white);
    painter->setPen(QPen(CardEdge, 0.5));
    painter->drawRect(card.adjusted(0.25, 0.25, -0.25, -0.25));

    const QRectF stamp(
        millimetersToPoints(8), millimetersToPoints(8), millimetersToPoints(20), millimetersToPoints(24));
    drawStamp(painter, stamp, ink, u"63"_s);

    drawBoxes(painter, QPointF(millimetersToPoints(44.3), millimetersToPoints(12)), false, ink);
    drawBoxes(painter, senderZipOrigin, true, ink);

    const QRectF titleArea(millimetersToPoints(30), millimetersToPoints(3), millimetersToPoints(40), 10);
    drawTitle(painter, u"郵 便 は が き"_s, titleArea, 8, ink);

    if (nenga) {
        // The New Year mark under the stamp and the lottery band along the foot of the card.
        const QRectF mark(stamp.left(), stamp.bottom() + 4, stamp.width(), 16);
        painter->setPen(QPen(ink, 0.8));
        painter->drawRoundedRect(mark, 3, 3);
        drawTitle(painter, u"年賀"_s, mark, 10, ink);
        const QRectF band(millimetersToPoints(35), size.height() - millimetersToPoints(9),
            millimetersToPoints(58), millimetersToPoints(5));
        painter->setPen(QPen(ink, 0.5));
        painter->drawRect(band);
        drawTitle(painter, u"お年玉くじ番号  組  000000"_s, band, 7, ink);
    }
    painter->restore();
}

} // namespace HagakiBackground
