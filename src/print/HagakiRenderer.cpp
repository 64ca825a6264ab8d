#include "print/HagakiRenderer.h"

#include "print/HagakiBackground.h"
#include "print/HagakiName.h"
#include "print/PaperSizes.h"
#include "print/PostalCodeBoxes.h"
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

const QColor PreviewSurround(255, 255, 178); // light yellow: 1, 1, 0.7
const QColor GridColour(236, 236, 236);

// Company lines first, from the block's top (later ones end at its foot); then the name, whose joint
// names start where the main name does.
VerticalBlockLayout layoutNameBlock(const QVariantMap &object, const QRectF &rect, const HagakiPage &page)
{
    const qreal lineHeight = PrintOptions::number(object.value(TextKey::LineHeight));
    const qreal companySize = PrintOptions::number(object.value(TextKey::CompanyFontSize));
    const qreal nameSize = PrintOptions::number(object.value(TextKey::NameFontSize));
    if (!(lineHeight > 0))
        return {};
    VerticalBlockLayout block;
    qreal right = rect.right();
    const QStringList company = HagakiLayout::companyLines(object);
    for (qsizetype i = 0; i < company.size(); ++i, right -= lineHeight) {
        const VerticalAttributedText line { { company.at(i), page.font, companySize } };
        const qreal top
            = i == 0 ? rect.top() : rect.bottom() - VerticalTextLayout::measureLength(line, page.textOptions);
        block.lines.append(VerticalTextLayout::layoutLine(line, QPointF(right, top), page.textOptions));
    }
    const HagakiName::Parts parts = HagakiName::parts(
        object, object.value(TextKey::LayoutDict).toMap(), TextObject::isSender(object), page.keishou);
    qreal top = rect.top();
    if (!company.isEmpty()) {
        const QList<qreal> lengths = HagakiName::lengths(parts, page.font, nameSize, page.textOptions);
        top = rect.bottom() - (lengths.isEmpty() ? 0 : lengths.first());
    }
    block.lines
        += HagakiName::layOutColumns(parts, page.font, nameSize, right, top, lineHeight, page.textOptions);
    for (const VerticalLineLayout &line : block.lines) {
        if (!line.bounds.isEmpty())
            block.textRect = block.textRect.isNull() ? line.bounds : block.textRect.united(line.bounds);
    }
    return block;
}

VerticalBlockLayout layoutBlock(const QVariantMap &object, const QRectF &rect, const HagakiPage &page)
{
    if (object.value(TextKey::Kind).toString() == TextValue::Name)
        return layoutNameBlock(object, rect, page);
    const qreal lineHeight = PrintOptions::number(object.value(TextKey::LineHeight));
    const qreal size = PrintOptions::number(object.value(TextKey::FontSize));
    QList<VerticalAttributedText> lines;
    for (const QString &line : object.value(TextKey::AddressArray).toStringList())
        lines.append({ { line, page.font, size } });
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

PageGeometry layoutPage(const HagakiPage &page, QPointF origin)
{
    PageGeometry geometry;
    const QFont digitsFont = PostalCodeBoxes::digitFont(page.font);
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
            geometry.zipDigits
                += PostalCodeBoxes::digits(zip, zipOrigin(object) + origin, sender, digitsFont);
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
    PostalCodeBoxes::drawDigits(painter, geometry.zipDigits, PostalCodeBoxes::digitFont(page.font));
    painter->restore();
}

} // namespace HagakiRenderer
