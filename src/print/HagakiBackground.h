#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;

// The pictures of the two cards the preview shows under the text: an ordinary postcard and a New Year
// card, drawn by code with their printed postal-code boxes at the official positions.
namespace HagakiBackground {

// 285 x 420 points for "General", 285 x 422 for "Nenga", empty for anything else.
QSizeF imageSize(const QString &hagakiType);

// Draws the card of `hagakiType` with its top left at (0, 0); nothing for "None" or an unknown type.
// `senderZipOrigin` is where the sender's postal-code boxes are printed on this card.
void draw(QPainter *painter, const QString &hagakiType, QPointF senderZipOrigin);

} // namespace HagakiBackground
