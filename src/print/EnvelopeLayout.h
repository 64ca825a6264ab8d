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
    // Where a postal code set apart from the lines goes: in columns, the addressee's goes in the boxes
    // envelopes print for it and the sender's on a line of its own above the columns.
    enum class ZipPlace { InLines, Boxes, AboveBlock };

    bool sender = false;
    QStringList lines;
    QString zip; // the postal code when it is not one of the lines
    ZipPlace zipPlace = ZipPlace::InLines;
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

// The block's rectangle: the one stored for this paper and direction, else (0, 0, W / 2, H / 2) for
// the receiver and (0, 0, W / 3, H / 4) for the sender.
QRectF blockRect(const QVariantMap &envelopeOptions, const EnvelopePaper &paper, bool sender);
// Stores a rectangle the user placed for this paper and the current direction.
void setBlockRect(QVariantMap &envelopeOptions, const QString &paperName, bool sender, const QRectF &rect);

// Builds, fits and places one block (the text object of the envelope style).
EnvelopeBlock makeTextObject(
    const ReceiverRecord &record, const QVariantMap &printOptions, bool sender, const EnvelopePaper &paper);

// Builds, fits and places one block no larger than `maxSize` points.
EnvelopeBlock makeTextObject(const ReceiverRecord &record, const QVariantMap &printOptions, bool sender,
    const EnvelopePaper &paper, qreal maxSize);

// Columns of vertical text are this many ems apart, leaving half an em between them.
inline constexpr qreal ColumnPitch = 1.5;
// A sender's text is set at most this share of the addressee's size.
inline constexpr qreal SenderShare = 0.8;
// A postal code on a line of its own above columns is set at this share of their size.
inline constexpr qreal ZipLineShare = 0.8;

// The page of one receiver, with the sender's block when there is a sender. The sender's text is never
// larger than the addressee's, and a sender placed by default keeps clear of the addressee's block.
EnvelopePage layoutPage(const ReceiverRecord &receiver, const std::optional<ReceiverRecord> &sender,
    const QVariantMap &printOptions, const EnvelopePaper &paper);

// Where a block's postal code is drawn when it is not one of its lines (empty when it is): the
// addressee's boxes, or the line above the sender's columns.
QRectF zipRect(const EnvelopeBlock &block, const EnvelopePaper &paper);

} // namespace EnvelopeLayout
