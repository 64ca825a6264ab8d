#include "print/HagakiRenderer.h"

#include "print/HagakiBackground.h"
#include "print/PaperSizes.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintUnits.h"
#include "print/pdf/TextDrawing.h"
#include "print/vertical/VerticalFontCache.h"
#include "print/vertical/VerticalTextPainter.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainter>

using namespace Qt::StringLiterals;

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

const QColor PreviewSurround(255, 255, 178); // light yellow: 1, 1, 0.7
const QColor GridColour(236, 236, 236);

QFont zipFont(const QFont &pageFont)
{
    if (QFontDatabase::hasFamily(PrintFont::DefaultVerticalFamily))
        return QFont(PrintFont::DefaultVerticalFamily);
    return pageFont;
}

VerticalBlockLayout layoutBlock(const QVariantMap &object, const QRectF &rect, const HagakiPage &page)
{
    const QString kind = object.value(TextKey::Kind).toString();
    const qreal lineHeight = PrintOptions::number(object.value(TextKey::LineHeight));
    QList<VerticalAttributedText> lines;
    if (kind == TextValue::Name) {
        const qreal companySize = PrintOptions::number(object.value(TextKey::CompanyFontSize));
        const qreal nameSize = PrintOptions::number(object.value(TextKey::NameFontSize));
        for (const QString &line : HagakiLayout::companyLines(object))
            lines.append({ { line, page.font, companySize } });
        const QString name = HagakiLayout::nameString(
            object, object.value(TextKey::LayoutDict).toMap(), TextObject::isSender(object), page.keishou);
        for (const QString &line : name.split(u'\n'))
            lines.append({ { line, page.font, nameSize } });
    } else {
        const qreal size = PrintOptions::number(object.value(TextKey::FontSize));
        for (const QString &line : object.value(TextKey::AddressArray).toStringList())
            lines.append({ { line, page.font, size } });
    }
    if (lines.isEmpty() || !(lineHeight > 0))
        return {};
    return VerticalTextLayout::layoutBlock(lines, rect, lineHeight, page.textOptions);
}

QPointF zipOrigin(const QVariantMap &object)
{
    const QString key = TextObject::isSender(object) ? TextKey::SenderZipRect : TextKey::ReceiverZipRect;
    return TextObject::rect(object, key).topLeft();
}

bool hasZip(const QVariantMap &object)
{
    const QString key = TextObject::isSender(object) ? TextKey::SenderZipRect : TextKey::ReceiverZipRect;
    const QString zip = object.value(TextKey::AdrsDict).toMap().value(Ident::ZIP).toString();
    return !zip.isEmpty() && object.contains(key);
}

} // namespace

namespace HagakiRenderer {

RenderOptions printOptions(const QVariantMap &options)
{
    RenderOptions render;
    const QPointF offset
        = PrintChoices::printerOffsetInPoints(options.value(PrintKey::Hagaki).toMap(), PaperSizes::Postcard);
    render.origin = QPointF(PrintOptions::number(options.value(PrintKey::LeftMargin)),
                        PrintOptions::number(options.value(PrintKey::TopMargin)))
        + offset;
    return render;
}

RenderOptions previewOptions(const QVariantMap &options)
{
    RenderOptions render;
    render.origin = QPointF(PrintOptions::number(options.value(PrintKey::LeftMargin)),
        PrintOptions::number(options.value(PrintKey::TopMargin)));
    render.preview = true;
    render.drawCard = true;
    return render;
}

QList<QRectF> zipBoxes(QPointF p, bool sender)
{
    QList<QRectF> boxes;
    if (sender) {
        const QSizeF box(millimetersToPoints(3.6), millimetersToPoints(6));
        for (int i = 0; i < 3; ++i)
            boxes.append(QRectF(QPointF(p.x() + i * SenderPitch, p.y()), box));
        for (int j = 0; j < 4; ++j)
            boxes.append(QRectF(QPointF(p.x() + SenderSecondOffset + j * SenderPitch, p.y()), box));
    } else {
        const QSizeF box(millimetersToPoints(5.7), millimetersToPoints(8));
        for (int i = 0; i < 3; ++i)
            boxes.append(QRectF(QPointF(p.x() + i * ReceiverPitch, p.y()), box));
        for (int j = 0; j < 4; ++j)
            boxes.append(QRectF(QPointF(p.x() + ReceiverSecondOffset + j * ReceiverSecondPitch, p.y()), box));
    }
    return boxes;
}

QList<ZipDigit> zipDigits(const QString &zip, QPointF p, bool sender, const QFont &font)
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
    const QList<QRectF> boxes = zipBoxes(p, sender);

    QList<ZipDigit> digits;
    auto place = [&](QChar c, QPointF topLeft, const QRectF &box) {
        ZipDigit d;
        d.digit = c;
        d.box = box;
        d.topLeft = topLeft;
        d.baseline = topLeft + QPointF(0, ascent);
        d.size = size;
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(c));
        if (!glyphs.isEmpty() && raw.isValid())
            d.glyphRect = raw.boundingRect(glyphs.first()).translated(d.baseline);
        digits.append(d);
    };
    for (qsizetype i = 0; i < std::min<qsizetype>(3, first.size()); ++i) {
        const QPointF at = sender
            ? QPointF(p.x() + i * SenderPitch + SenderDigitDx, p.y() + SenderDigitDy)
            : QPointF(p.x() + i * ReceiverPitch + ReceiverDigitDx, p.y() + ReceiverDigitDy);
        place(first.at(i), at, boxes.at(i));
    }
    for (qsizetype j = 0; j < std::min<qsizetype>(4, second.size()); ++j) {
        const QPointF at = sender
            ? QPointF(p.x() + SenderSecondOffset + j * SenderPitch + SenderDigitDx, p.y() + SenderDigitDy)
            : QPointF(p.x() + ReceiverSecondOffset + j * ReceiverSecondPitch + ReceiverDigitDx,
                p.y() + ReceiverDigitDy);
        place(second.at(j), at, boxes.at(3 + j));
    }
    return digits;
}

QList<ZipDigit> zipDigits(const QString &zip, QPointF point, bool sender)
{
    return zipDigits(zip, point, sender, zipFont(QFont(PrintFont::DefaultVerticalFamily)));
}

PageGeometry layoutPage(const HagakiPage &page, QPointF origin)
{
    PageGeometry geometry;
    const QFont digitsFont = zipFont(page.font);
    for (int slot = 0; slot < page.objects.size(); ++slot) {
        const QVariantMap &object = page.objects.at(slot);
        if (object.isEmpty())
            continue;
        const bool sender = TextObject::isSender(object);
        if (sender && !page.hasSender)
            continue;
        if (!sender && page.senderIsReceiver)
            continue;
        const QRectF rect = TextObject::rect(object);
        if (!(rect.width() > 0))
            continue;
        Block block;
        block.slot = slot;
        block.kind = object.value(TextKey::Kind).toString();
        block.rect = rect.translated(origin);
        block.layout = layoutBlock(object, block.rect, page);
        geometry.blocks.append(block);
        if (block.kind == TextValue::Address && hasZip(object)) {
            const QString zip = object.value(TextKey::AdrsDict).toMap().value(Ident::ZIP).toString();
            geometry.zipDigits += zipDigits(zip, zipOrigin(object) + origin, sender, digitsFont);
        }
    }
    return geometry;
}

void drawPage(QPainter *painter, const HagakiPage &page, const RenderOptions &options)
{
    if (!painter)
        return;
    const QSizeF paper = HagakiLayout::pageSize();
    painter->save();
    if (options.preview) {
        const QRectF page(QPointF(0, 0), paper);
        painter->fillRect(page, PreviewSurround);
        painter->fillRect(options.imageable.isEmpty() ? page : options.imageable & page, Qt::white);
    }
    if (options.preview || options.drawCard) {
        QPointF senderZip
            = PrintChoices::senderZipOrigin(QVariantMap { { PrintKey::HagakiType, page.hagakiType } });
        for (const QVariantMap &object : page.objects) {
            if (object.contains(TextKey::SenderZipRect))
                senderZip = TextObject::rect(object, TextKey::SenderZipRect).topLeft();
        }
        HagakiBackground::draw(painter, page.hagakiType, senderZip);
    }
    if (options.preview) {
        painter->setPen(QPen(GridColour, 0.2));
        for (qreal x = 50; x < paper.width(); x += 50)
            painter->drawLine(QPointF(x, 0), QPointF(x, paper.height()));
        for (qreal y = 50; y < paper.height(); y += 50)
            painter->drawLine(QPointF(0, y), QPointF(paper.width(), y));
    }

    const PageGeometry geometry = layoutPage(page, options.origin);
    painter->setPen(Qt::black);
    for (const Block &block : geometry.blocks)
        VerticalTextPainter::draw(painter, block.layout);
    const QFont digitsFont = zipFont(page.font);
    for (const ZipDigit &digit : geometry.zipDigits) {
        const QRawFont raw = VerticalFontCache::rawFont(digitsFont, digit.size);
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(digit.digit));
        if (!raw.isValid() || glyphs.isEmpty())
            continue;
        TextDrawing::drawGlyphs(
            painter, digit.baseline, raw, glyphs.first(1), { QPointF(0, 0) }, { QString(digit.digit) });
    }
    painter->restore();
}

} // namespace HagakiRenderer
