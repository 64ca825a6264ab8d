#include "print/EnvelopeLayout.h"

#include "model/LayoutString.h"
#include "print/HagakiTextObject.h"
#include "print/MailingLabelText.h"
#include "print/PaperSizes.h"
#include "print/PostalCodeBoxes.h"
#include "print/PrintChoices.h"
#include "print/PrintMetrics.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/pdf/TextDrawing.h"
#include "print/vertical/VerticalFontCache.h"
#include "print/vertical/VerticalNumerals.h"
#include "print/vertical/VerticalTextLayout.h"
#include "print/vertical/VerticalTextRoutine.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int FitPasses = 20;
constexpr qreal ScalingReference = 100;
constexpr qreal SenderInset = 10;
// A sender set in columns stands at the envelope's foot, on the left, as Japanese envelopes have it.
constexpr qreal SenderBottomInset = 28.35; // 10 mm
// A sender placed by default keeps this far from the addressee's text and boxes; it is set smaller,
// step by step, until it does.
constexpr qreal BlockClearance = 6;
constexpr qreal ClearanceShrink = 0.9;
// A postal code on a line of its own above columns, and its distance from them.
constexpr qreal ZipLineGap = 4;
const QChar PostalMark(0x3012); // 〒
// Text that would need a size below this is not worth printing; such a block keeps this size.
constexpr qreal SmallestSize = 2;
constexpr qsizetype MaxLines = 16;

bool isUpDown(const QVariantMap &envelope)
{
    return PrintOptions::text(envelope.value(PrintKey::TextDirection)) == PrintValue::DirectionUpDown;
}

QString rectKey(bool sender, bool upDown)
{
    if (sender)
        return upDown ? EnvelopeKey::SenderRectUpDown : EnvelopeKey::SenderRect;
    return upDown ? EnvelopeKey::ReceiverRectUpDown : EnvelopeKey::ReceiverRect;
}

QFont bodyFont(const QVariantMap &options)
{
    const QString name = PrintOptions::text(options.value(PrintKey::FontName));
    return name.isEmpty() ? QGuiApplication::font() : QFont(name);
}

QFont verticalFont(const QVariantMap &envelope)
{
    const QString name = PrintOptions::text(envelope.value(PrintKey::VerticalFontName));
    if (!name.isEmpty())
        return QFont(name);
    if (QFontDatabase::hasFamily(PrintFont::DefaultVerticalFamily))
        return QFont(PrintFont::DefaultVerticalFamily);
    return QGuiApplication::font();
}

// The fitted text's width and height on the page.
QSizeF measure(const EnvelopeBlock &block, qreal size)
{
    if (block.lines.isEmpty() || !(size > 0))
        return {};
    const QString text = block.lines.join(u'\n');
    const qreal across = qreal(block.lines.size() - 1) * size * block.textOptions.columnPitch + size;
    if (block.vertical) {
        if (block.upDown)
            return { across, VerticalTextLayout::measureLength(text, block.font, size, block.textOptions) };
        VerticalTextRoutine::Options routine;
        routine.direction = VerticalDirection::LeftToRight;
        routine.measureOnly = true;
        routine.uprightNumbers = block.textOptions.uprightNumbers;
        routine.columnPitch = block.textOptions.columnPitch;
        const VerticalLineLayout line
            = VerticalTextRoutine::layout({ { text, block.font, size } }, QPointF(0, 0), routine);
        return line.bounds.size();
    }
    const QRawFont raw = VerticalFontCache::rawFont(block.font, size);
    qreal widest = 0;
    for (const QString &line : block.lines) {
        qreal width = 0;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
        qsizetype start = 0;
        for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
            width += VerticalFontCache::resolveCluster(
                QStringView(line).mid(start, end - start), block.font, size)
                         .advance;
            start = end;
        }
        widest = std::max(widest, width);
    }
    const qreal lineHeight = raw.isValid() ? raw.ascent() + raw.descent() : size * 1.2;
    const qreal down = qreal(block.lines.size()) * lineHeight;
    return block.upDown ? QSizeF(down, widest) : QSizeF(widest, down);
}

// Text set top to bottom in columns (rather than turned or in rows).
bool setsColumns(const QVariantMap &envelope)
{
    return isUpDown(envelope) && PrintOptions::flag(envelope.value(PrintKey::DrawTextInVertical));
}

// Where a postal code set apart from the lines is drawn, on the paper.
QRectF zipArea(const EnvelopeBlock &block, const EnvelopePaper &paper)
{
    if (block.zip.isEmpty())
        return {};
    if (block.zipPlace == EnvelopeBlock::ZipPlace::Boxes)
        return PostalCodeBoxes::rowRect(PostalCodeBoxes::envelopeOrigin(paper.size), false);
    if (block.zipPlace != EnvelopeBlock::ZipPlace::AboveBlock)
        return {};
    const qreal size = block.fontSize * EnvelopeLayout::ZipLineShare;
    const QFont font = PrintMetrics::font(block.font.family(), size);
    const qreal width = TextDrawing::lineWidth(block.zip, font);
    const QFontMetricsF metrics = PrintMetrics::metrics(font);
    const qreal height = metrics.ascent() + metrics.descent();
    return QRectF(block.textRect.right() - width, block.textRect.top() - ZipLineGap - height, width, height);
}

// Everything a block prints on the paper: its text and its postal code.
QRectF footprint(const EnvelopeBlock &block, const EnvelopePaper &paper)
{
    const QRectF zip = zipArea(block, paper);
    return zip.isEmpty() ? block.textRect : block.textRect.united(zip);
}

} // namespace

std::optional<EnvelopePaper> EnvelopePaper::named(const QString &name)
{
    const QSizeF size = PaperSizes::sizeInPoints(name);
    if (size.isEmpty())
        return std::nullopt;
    return EnvelopePaper { name, size, QRectF(QPointF(0, 0), size) };
}

namespace EnvelopeLayout {

QRectF blockRect(const QVariantMap &envelope, const EnvelopePaper &paper, bool sender)
{
    const QVariantMap stored = envelope.value(PrintKey::RectDicts).toMap().value(paper.name).toMap();
    if (auto rect = TextObject::storedRect(stored.value(rectKey(sender, isUpDown(envelope)))))
        return *rect;
    // The addressee's block may take half the paper each way: in a third, a long street line came out
    // at 7 to 9 points on a 洋形2号 or US #10 envelope.
    if (!sender)
        return QRectF(0, 0, paper.size.width() / 2, paper.size.height() / 2);
    return QRectF(0, 0, paper.size.width() / 3, paper.size.height() / 4);
}

void setBlockRect(QVariantMap &envelope, const QString &paperName, bool sender, const QRectF &rect)
{
    QVariantMap all = envelope.value(PrintKey::RectDicts).toMap();
    QVariantMap perPaper = all.value(paperName).toMap();
    perPaper.insert(rectKey(sender, isUpDown(envelope)), LayoutString::stringFromRect(rect));
    all.insert(paperName, perPaper);
    envelope.insert(PrintKey::RectDicts, all);
}

EnvelopeBlock makeTextObject(
    const ReceiverRecord &record, const QVariantMap &printOptions, bool sender, const EnvelopePaper &paper)
{
    return makeTextObject(record, printOptions, sender, paper, std::numeric_limits<qreal>::infinity());
}

EnvelopeBlock makeTextObject(const ReceiverRecord &record, const QVariantMap &printOptions, bool sender,
    const EnvelopePaper &paper, qreal maxSize)
{
    const QVariantMap envelope = printOptions.value(PrintKey::Envelope).toMap();
    const QString keishou = PrintOptions::text(printOptions.value(PrintKey::Keishou));

    EnvelopeBlock block;
    block.sender = sender;
    block.upDown = isUpDown(envelope);
    block.vertical = PrintOptions::flag(envelope.value(PrintKey::DrawTextInVertical));
    block.font = block.vertical ? verticalFont(envelope) : bodyFont(printOptions);
    block.textOptions.uprightNumbers = block.vertical && PrintChoices::tateChuYoko(envelope);
    if (block.vertical)
        block.textOptions.columnPitch = ColumnPitch;

    MailingLabelText::Parts parts = MailingLabelText::makeParts(record, envelope, keishou, sender);
    if (block.vertical && parts.japaneseOrder) {
        const VerticalNumerals::Options numerals = PrintChoices::numeralOptions(envelope);
        for (QString &line : parts.address)
            line = VerticalNumerals::transform(line, numerals);
    }
    // A postal code never runs inside a column: in columns it goes where envelopes have their boxes (the
    // sender's above its columns); otherwise it takes a line of its own, marked as one.
    if (!parts.zip.isEmpty() && setsColumns(envelope)) {
        block.zip = parts.zip.left(TextObject::MaxLineLength);
        block.zipPlace = sender ? EnvelopeBlock::ZipPlace::AboveBlock : EnvelopeBlock::ZipPlace::Boxes;
        parts.zip.clear();
    } else if (!parts.zip.isEmpty()) {
        parts.zip.prepend(PostalMark);
    }
    const QString text
        = TextObject::bounded(parts.lines(true).join(u'\n'), MaxLines, TextObject::MaxLineLength);
    block.lines = text.split(u'\n');

    const QRectF rect = blockRect(envelope, paper, sender);
    const qreal w = rect.width();
    const qreal h = rect.height();
    qreal size = (block.upDown ? h : w) / qreal(block.lines.size()) * 1.1;
    QSizeF extent;
    if (w > 0 && h > 0 && !text.isEmpty()) {
        // Unhinted text grows in proportion to its size: it is measured once and scaled for every size
        // the fitting tries, then measured again at the size found.
        const QSizeF perPoint = measure(block, ScalingReference) / ScalingReference;
        const auto scaled = [&perPoint](qreal at) { return perPoint * at; };
        for (int pass = 0; pass < FitPasses; ++pass) {
            extent = scaled(size);
            const qreal rw = extent.width() / w;
            const qreal rh = extent.height() / h;
            if (rw > 0.98 || rh > 0.98)
                size -= 0.2;
            else if (rw < 0.6 && rh < 0.6)
                size += 1.2;
            else if (rw < 0.8 && rh < 0.8)
                size += 0.8;
            else if (rw < 0.9 && rh < 0.9)
                size += 0.4;
            else
                break;
            if (size < SmallestSize) {
                size = SmallestSize;
                break;
            }
        }
        // Twenty small steps cannot bring a size started far too large into the block; text running
        // off the envelope or over the other block is worse than a smaller size.
        for (int pass = 0; pass < FitPasses; ++pass) {
            extent = pass == 0 ? measure(block, size) : scaled(size);
            const qreal over = std::max(extent.width() / w, extent.height() / h);
            if (over <= 0.98 || size <= SmallestSize)
                break;
            size = std::max(SmallestSize, size * 0.97 / over);
        }
    } else {
        size = std::max<qreal>(SmallestSize, std::isfinite(size) ? size : SmallestSize);
    }
    if (size > maxSize)
        size = std::max(SmallestSize, maxSize);
    extent = measure(block, size);
    // What scaling could not foresee (a glyph from another font, a rounded advance) is taken off here.
    if (w > 0 && h > 0) {
        const qreal over = std::max(extent.width() / w, extent.height() / h) / 0.98;
        if (over > 1 && std::isfinite(over) && size > SmallestSize) {
            size = std::max(SmallestSize, size / over * 0.995);
            extent = measure(block, size);
        }
    }
    block.fontSize = size;
    block.extent = extent;

    if (rect.topLeft() == QPointF(0, 0)) {
        const qreal W = paper.size.width();
        const qreal H = paper.size.height();
        const QPointF image = paper.imageable.topLeft();
        QPointF at;
        if (sender && setsColumns(envelope))
            at = QPointF(
                image.x() + SenderInset, paper.imageable.bottom() - extent.height() - SenderBottomInset);
        else if (sender)
            at = block.upDown ? QPointF(image.x() + SenderInset, 0.25 * W + image.y() + SenderInset)
                              : QPointF(0.75 * W - extent.width() + image.x(), image.y() + SenderInset);
        else
            at = QPointF((W - extent.width()) / 2, (H - extent.height()) / 2);
        block.rect = QRectF(at, extent);
    } else {
        block.rect = rect;
    }
    block.textRect = QRectF(block.rect.topLeft(), extent);

    QVariantMap &object = block.textObject;
    object.insert(TextKey::FontName, PrintOptions::text(printOptions.value(PrintKey::FontName)));
    object.insert(TextKey::Type, sender ? TextValue::Sender : TextValue::Receiver);
    object.insert(TextKey::Kind, TextValue::AddressAndName);
    object.insert(TextKey::AttributedString, text);
    object.insert(TextKey::FontSize, size);
    object.insert(TextKey::PrintVertical, block.vertical);
    object.insert(
        TextKey::TextDirection, block.upDown ? PrintValue::DirectionUpDown : PrintValue::DirectionLeftRight);
    object.insert(TextKey::VerticalFontName, block.vertical ? block.font.family() : QString());
    TextObject::setRect(object, block.rect);
    TextObject::setRect(object, block.textRect, TextKey::TextRect);
    return block;
}

EnvelopePage layoutPage(const ReceiverRecord &receiver, const std::optional<ReceiverRecord> &sender,
    const QVariantMap &printOptions, const EnvelopePaper &paper)
{
    EnvelopePage page;
    page.paper = paper;
    const QVariantMap envelope = printOptions.value(PrintKey::Envelope).toMap();
    page.printBorder = PrintOptions::flag(envelope.value(PrintKey::PrintBorder));
    page.receiver = makeTextObject(receiver, printOptions, false, paper);
    if (!sender)
        return page;
    // Blocks fitted each to its own rectangle would set a short return address larger than the
    // addressee's; and one placed by default may land on the addressee's text.
    qreal maxSize = page.receiver->fontSize * SenderShare;
    page.sender = makeTextObject(*sender, printOptions, true, paper, maxSize);
    const bool placedByDefault = blockRect(envelope, paper, true).topLeft() == QPointF(0, 0);
    const QRectF addressee = footprint(*page.receiver, paper)
                                 .adjusted(-BlockClearance, -BlockClearance, BlockClearance, BlockClearance);
    while (placedByDefault && footprint(*page.sender, paper).intersects(addressee)
        && page.sender->fontSize > SmallestSize) {
        maxSize = page.sender->fontSize * ClearanceShrink;
        page.sender = makeTextObject(*sender, printOptions, true, paper, maxSize);
    }
    return page;
}

QRectF zipRect(const EnvelopeBlock &block, const EnvelopePaper &paper)
{
    return zipArea(block, paper);
}

} // namespace EnvelopeLayout
