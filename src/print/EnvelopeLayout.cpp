#include "print/EnvelopeLayout.h"

#include "model/LayoutString.h"
#include "print/HagakiTextObject.h"
#include "print/MailingLabelText.h"
#include "print/PaperSizes.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/vertical/VerticalFontCache.h"
#include "print/vertical/VerticalTextLayout.h"
#include "print/vertical/VerticalTextRoutine.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int FitPasses = 20;
constexpr qreal SenderInset = 10;
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
    const qreal across = qreal(block.lines.size()) * size;
    if (block.vertical) {
        if (block.upDown)
            return { across, VerticalTextLayout::measureLength(text, block.font, size, block.textOptions) };
        VerticalTextRoutine::Options routine;
        routine.direction = VerticalDirection::LeftToRight;
        routine.measureOnly = true;
        routine.uprightNumbers = block.textOptions.uprightNumbers;
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
    return QRectF(0, 0, paper.size.width() / 3, paper.size.height() / (sender ? 4 : 3));
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
    const QVariantMap envelope = printOptions.value(PrintKey::Envelope).toMap();
    const QString keishou = PrintOptions::text(printOptions.value(PrintKey::Keishou));

    EnvelopeBlock block;
    block.sender = sender;
    const QString text = MailingLabelText::makeAdrsAndNameString(record, envelope, keishou, sender);
    block.lines = TextObject::bounded(text, MaxLines, TextObject::MaxLineLength).split(u'\n');
    block.upDown = isUpDown(envelope);
    block.vertical = PrintOptions::flag(envelope.value(PrintKey::DrawTextInVertical));
    block.font = block.vertical ? verticalFont(envelope) : bodyFont(printOptions);
    block.textOptions.uprightNumbers = block.vertical && PrintChoices::tateChuYoko(envelope);

    const QRectF rect = blockRect(envelope, paper, sender);
    const qreal w = rect.width();
    const qreal h = rect.height();
    qreal size = (block.upDown ? h : w) / qreal(block.lines.size()) * 1.1;
    QSizeF extent;
    if (w > 0 && h > 0 && !text.isEmpty()) {
        for (int pass = 0; pass < FitPasses; ++pass) {
            extent = measure(block, size);
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
            extent = measure(block, size);
            const qreal over = std::max(extent.width() / w, extent.height() / h);
            if (over <= 0.98 || size <= SmallestSize)
                break;
            size = std::max(SmallestSize, size * 0.97 / over);
        }
    } else {
        size = std::max<qreal>(SmallestSize, std::isfinite(size) ? size : SmallestSize);
    }
    extent = measure(block, size);
    block.fontSize = size;
    block.extent = extent;

    if (rect.topLeft() == QPointF(0, 0)) {
        const qreal W = paper.size.width();
        const qreal H = paper.size.height();
        const QPointF image = paper.imageable.topLeft();
        QPointF at;
        if (sender)
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
    page.printBorder
        = PrintOptions::flag(printOptions.value(PrintKey::Envelope).toMap().value(PrintKey::PrintBorder));
    page.receiver = makeTextObject(receiver, printOptions, false, paper);
    if (sender)
        page.sender = makeTextObject(*sender, printOptions, true, paper);
    return page;
}

} // namespace EnvelopeLayout
