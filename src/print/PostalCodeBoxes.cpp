#include "print/PostalCodeBoxes.h"

#include "print/PrintOptionKeys.h"
#include "print/PrintUnits.h"
#include "print/pdf/TextDrawing.h"
#include "print/vertical/VerticalFontCache.h"

#include <QFontDatabase>
#include <QPainter>
#include <QStringList>

namespace PostalCodeBoxes {

namespace {

using PrintUnits::millimetersToPoints;

// Receiver boxes: three 5.7 x 8 mm boxes 7 mm apart, then four 6.8 mm apart.
constexpr qreal ReceiverPitch = 19.8425;
constexpr qreal ReceiverSecondOffset = 61.23;
constexpr qreal ReceiverSecondPitch = 19.276;
constexpr qreal ReceiverDigitDx = 2.835;
constexpr qreal ReceiverDigitDy = 1.4;
constexpr qreal ReceiverDigitSize = 18;
// Sender boxes: 4 mm apart, the second group 13 mm from the first.
constexpr qreal SenderPitch = 11.339;
constexpr qreal SenderSecondOffset = 36.85;
constexpr qreal SenderDigitDx = 0.7;
constexpr qreal SenderDigitDy = 2.8;
constexpr qreal SenderDigitSize = 11;
// The addressee's row sits 12 mm from the top and ends 8 mm from the right edge.
const qreal TopInset = millimetersToPoints(12);
const qreal RightInset = millimetersToPoints(8);

} // namespace

QFont digitFont(const QFont &pageFont)
{
    if (QFontDatabase::hasFamily(PrintFont::DefaultVerticalFamily))
        return QFont(PrintFont::DefaultVerticalFamily);
    return pageFont;
}

QList<QRectF> boxes(QPointF p, bool sender)
{
    QList<QRectF> result;
    if (sender) {
        const QSizeF box(millimetersToPoints(3.6), millimetersToPoints(6));
        for (int i = 0; i < 3; ++i)
            result.append(QRectF(QPointF(p.x() + i * SenderPitch, p.y()), box));
        for (int j = 0; j < 4; ++j)
            result.append(QRectF(QPointF(p.x() + SenderSecondOffset + j * SenderPitch, p.y()), box));
    } else {
        const QSizeF box(millimetersToPoints(5.7), millimetersToPoints(8));
        for (int i = 0; i < 3; ++i)
            result.append(QRectF(QPointF(p.x() + i * ReceiverPitch, p.y()), box));
        for (int j = 0; j < 4; ++j)
            result.append(
                QRectF(QPointF(p.x() + ReceiverSecondOffset + j * ReceiverSecondPitch, p.y()), box));
    }
    return result;
}

QPointF envelopeOrigin(const QSizeF &paperSize)
{
    const QRectF row = rowRect(QPointF(0, 0), false);
    return QPointF(paperSize.width() - RightInset - row.width(), TopInset);
}

QRectF rowRect(QPointF point, bool sender)
{
    QRectF row;
    for (const QRectF &box : boxes(point, sender))
        row = row.isNull() ? box : row.united(box);
    return row;
}

QList<Digit> digits(const QString &zip, QPointF p, bool sender, const QFont &font)
{
    QString first;
    QString second;
    const QStringList parts = zip.split(u'-');
    if (parts.size() >= 2) {
        first = parts.at(0);
        second = parts.at(1);
    } else {
        first = zip.left(3);
        second = zip.mid(3);
    }
    const qreal size = sender ? SenderDigitSize : ReceiverDigitSize;
    const QRawFont raw = VerticalFontCache::rawFont(font, size);
    const qreal ascent = VerticalFontCache::emBox(raw, size).ascent;
    const QList<QRectF> rects = boxes(p, sender);

    QList<Digit> result;
    auto place = [&](QChar c, QPointF topLeft, const QRectF &box) {
        Digit d;
        d.digit = c;
        d.box = box;
        d.topLeft = topLeft;
        d.baseline = topLeft + QPointF(0, ascent);
        d.size = size;
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(c));
        if (!glyphs.isEmpty() && raw.isValid())
            d.glyphRect = raw.boundingRect(glyphs.first()).translated(d.baseline);
        result.append(d);
    };
    for (qsizetype i = 0; i < std::min<qsizetype>(3, first.size()); ++i) {
        const QPointF at = sender
            ? QPointF(p.x() + i * SenderPitch + SenderDigitDx, p.y() + SenderDigitDy)
            : QPointF(p.x() + i * ReceiverPitch + ReceiverDigitDx, p.y() + ReceiverDigitDy);
        place(first.at(i), at, rects.at(i));
    }
    for (qsizetype j = 0; j < std::min<qsizetype>(4, second.size()); ++j) {
        const QPointF at = sender
            ? QPointF(p.x() + SenderSecondOffset + j * SenderPitch + SenderDigitDx, p.y() + SenderDigitDy)
            : QPointF(p.x() + ReceiverSecondOffset + j * ReceiverSecondPitch + ReceiverDigitDx,
                p.y() + ReceiverDigitDy);
        place(second.at(j), at, rects.at(3 + j));
    }
    return result;
}

QList<Digit> digits(const QString &zip, QPointF point, bool sender)
{
    return digits(zip, point, sender, digitFont(QFont(PrintFont::DefaultVerticalFamily)));
}

void drawDigits(QPainter *painter, const QList<Digit> &digits, const QFont &font)
{
    if (!painter)
        return;
    for (const Digit &digit : digits) {
        const QRawFont raw = VerticalFontCache::rawFont(font, digit.size);
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(digit.digit));
        if (!raw.isValid() || glyphs.isEmpty())
            continue;
        TextDrawing::drawGlyphs(
            painter, digit.baseline, raw, glyphs.first(1), { QPointF(0, 0) }, { QString(digit.digit) });
    }
}

} // namespace PostalCodeBoxes
