#pragma once

#include <QChar>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// The printed postal-code boxes of Japanese mail: the addressee's seven boxes (three, then four) of a
// postcard or envelope, 12 mm from the top and 8 mm from the right edge, and the sender's smaller row;
// and where each digit of a code is drawn in them.
namespace PostalCodeBoxes {

// One digit of a postal code: the box it belongs in and where its glyph lands.
struct Digit
{
    QChar digit;
    QRectF box; // the printed box it belongs in
    QPointF topLeft; // the point the digit is drawn at (top left of its line)
    QPointF baseline; // its baseline origin
    QRectF glyphRect; // the glyph's ink, in page points
    qreal size = 0;
};

// The seven boxes of a row whose first box's top left is `point`.
QList<QRectF> boxes(QPointF point, bool sender);
// The rectangle the whole row covers.
QRectF rowRect(QPointF point, bool sender);

// Where the addressee's boxes start on a Japanese envelope of `paperSize` (points, portrait): at the
// postcard's distances from the top and right edges.
QPointF envelopeOrigin(const QSizeF &paperSize);

// The font digits are written in: the default vertical family when installed, else `pageFont`.
QFont digitFont(const QFont &pageFont);

// Splits at the first "-" (or after three characters) and places at most three and four digits.
QList<Digit> digits(const QString &zip, QPointF point, bool sender, const QFont &font);
QList<Digit> digits(const QString &zip, QPointF point, bool sender);

// Draws placed digits with the painter's pen.
void drawDigits(QPainter *painter, const QList<Digit> &digits, const QFont &font);

} // namespace PostalCodeBoxes
