#pragma once

#include "print/ReceiverRecord.h"
#include "print/vertical/VerticalTextLayout.h"

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// Keys of the block rectangles stored per paper name under the envelope options' "rectDicts".
namespace EnvelopeKey {
inline const QString ReceiverRect = QStringLiteral("receiverRect");
inline const QString ReceiverRectUpDown = QStringLiteral("receiverRectUpDown");
inline const QString SenderRect = QStringLiteral("senderRect");
inline const QString SenderRectUpDown = QStringLiteral("senderRectUpDown");
} // namespace EnvelopeKey

// The paper an envelope is printed on, as the printer sees it.
struct EnvelopePaper
{
    QString name; // the key of "rectDicts" and of the printer offsets
    QSizeF size; // points, as fed
    QRectF imageable; // the printer's imageable area; the whole paper when unknown

    // A known paper (PaperSizes), portrait, fully imageable; nothing for an unknown name.
    static std::optional<EnvelopePaper> named(const QString &name);
};

// One fitted envelope block: its lines, size and the rectangles it is placed in.
struct EnvelopeBlock
{
    bool sender = false;
    QStringList lines;
    QFont font; // the body font (horizontal text) or the vertical font, at `fontSize`
    qreal fontSize = 0;
    bool vertical = false; // set in columns
    bool upDown = false; // "Up-Down": turned a quarter (horizontal) or top to bottom (vertical)
    QRectF rect; // where the block sits on the paper (before margins)
    QRectF textRect; // what the text occupies: rect's origin, the fitted extent
    QSizeF extent; // the fitted text's width and height on the page
    VerticalTextLayout::Options textOptions;
    QVariantMap textObject; // the same as a text object dictionary
};

struct EnvelopePage
{
    EnvelopePaper paper;
    std::optional<EnvelopeBlock> receiver;
    std::optional<EnvelopeBlock> sender;
    bool printBorder = false;
};

// Envelope layout (the text is the mailing-label text of a contact): the block rectangles stored per paper or
// their defaults, fitting, and default placement (receiver centred, sender near a corner).
namespace EnvelopeLayout {

// The block's rectangle: the one stored for this paper and direction, else (0, 0, W / 3, H / 3) for
// the receiver and (0, 0, W / 3, H / 4) for the sender.
QRectF blockRect(const QVariantMap &envelopeOptions, const EnvelopePaper &paper, bool sender);
// Stores a rectangle the user placed for this paper and the current direction.
void setBlockRect(QVariantMap &envelopeOptions, const QString &paperName, bool sender, const QRectF &rect);

// Builds, fits and places one block (the text object of the envelope style).
EnvelopeBlock makeTextObject(
    const ReceiverRecord &record, const QVariantMap &printOptions, bool sender, const EnvelopePaper &paper);

// The page of one receiver, with the sender's block when there is a sender.
EnvelopePage layoutPage(const ReceiverRecord &receiver, const std::optional<ReceiverRecord> &sender,
    const QVariantMap &printOptions, const EnvelopePaper &paper);

} // namespace EnvelopeLayout
