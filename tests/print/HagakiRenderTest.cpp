#include "model/Identifiers.h"
#include "print/HagakiBackground.h"
#include "print/HagakiRenderer.h"
#include "print/PaperSizes.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QVariantMap options(const QString &type = PrintValue::HagakiTypeNenga)
{
    return { { PrintKey::Keishou, PrintValue::KeishouSama },
        { PrintKey::Hagaki,
            QVariantMap { { PrintKey::FontName, PrintFont::DefaultVerticalFamily },
                { PrintKey::HagakiType, type } } } };
}

ReceiverRecord record(const QString &last, const QString &first, const QString &zip, const QString &street,
    const QVariantMap &layout = {}, const QString &renmei = {}, const QString &company = {})
{
    ReceiverRecord r;
    r.name = { { Ident::LastName, last }, { Ident::FirstName, first } };
    r.name.insert(Key::StringValue, last + u' ' + first);
    r.address = { { Ident::ZIP, zip }, { Ident::State, u"東京都"_s }, { Ident::City, u"港区"_s },
        { Ident::Street, street } };
    r.layoutDict = layout;
    r.renmei = renmei;
    r.company = company;
    return r;
}

// How many pixels of `rect` (page points at `scale` pixels a point) are dark.
int darkPixels(const QImage &image, const QRectF &rect, qreal scale)
{
    int count = 0;
    const QRect r = QRectF(rect.topLeft() * scale, rect.size() * scale).toAlignedRect() & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    return count;
}

} // namespace

TEST(HagakiRenderTest, PostalCodeDigitsLandInTheirBoxes)
{
    const QPointF receiver(125.575, 34.016);
    struct Row
    {
        const char *guards;
        QString zip;
        bool sender;
        QString firstBoxes; // the digits of boxes 0, 1, 2
        QString secondBoxes; // the digits of boxes 3 ...
    } rows[] = {
        { "seven digits without a hyphen", u"1000013"_s, false, u"100"_s, u"0013"_s },
        { "split at the hyphen", u"100-0013"_s, false, u"100"_s, u"0013"_s },
        { "a short second part fills only its first boxes", u"123-45"_s, false, u"123"_s, u"45"_s },
        { "extra digits are not drawn", u"12345678"_s, false, u"123"_s, u"4567"_s },
        { "a long first part is cut at three", u"1234-5"_s, false, u"123"_s, u"5"_s },
        { "sender row", u"1000013"_s, true, u"100"_s, u"0013"_s },
        { "empty", u""_s, false, u""_s, u""_s },
    };
    for (const Row &row : rows) {
        const QList<QRectF> boxes = PostalCodeBoxes::boxes(receiver, row.sender);
        ASSERT_EQ(boxes.size(), 7);
        const QList<PostalCodeBoxes::Digit> digits = PostalCodeBoxes::digits(row.zip, receiver, row.sender);
        ASSERT_EQ(digits.size(), row.firstBoxes.size() + row.secondBoxes.size()) << row.guards;
        const QString expected = row.firstBoxes + row.secondBoxes;
        for (qsizetype i = 0; i < digits.size(); ++i) {
            const PostalCodeBoxes::Digit &d = digits.at(i);
            EXPECT_EQ(d.digit, expected.at(i)) << row.guards;
            const QRectF box = boxes.at(i < row.firstBoxes.size() ? i : 3 + (i - row.firstBoxes.size()));
            EXPECT_EQ(d.box, box) << row.guards << " digit " << i;
            EXPECT_FALSE(d.glyphRect.isEmpty()) << row.guards;
            EXPECT_TRUE(box.contains(d.glyphRect)) << row.guards << " digit " << i;
        }
    }
    // The official receiver positions: 44.3 mm from the left, 12 mm from the top, 7 mm then 6.8 mm apart.
    const QList<QRectF> boxes = PostalCodeBoxes::boxes(receiver, false);
    EXPECT_NEAR(boxes[0].left(), 125.575, 1e-9);
    EXPECT_NEAR(boxes[1].left() - boxes[0].left(), 19.8425, 1e-9);
    EXPECT_NEAR(boxes[3].left(), 125.575 + 61.23, 1e-9);
    EXPECT_NEAR(boxes[4].left() - boxes[3].left(), 19.276, 1e-9);
    const QList<PostalCodeBoxes::Digit> digits = PostalCodeBoxes::digits(u"1000013"_s, receiver, false);
    EXPECT_NEAR(digits[1].topLeft.x(), 125.575 + 19.8425 + 2.835, 1e-9);
    EXPECT_NEAR(digits[1].topLeft.y(), 34.016 + 1.4, 1e-9);
    EXPECT_NEAR(digits[1].size, 18, 1e-9);
}

TEST(HagakiRenderTest, BlocksSetTheirGlyphsInsideTheirRectangles)
{
    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setSenderPerson(record(u"鈴木"_s, u"一郎"_s, u"5300001"_s, u"梅田3-1-1"_s));
    layout.setReceiverPersons({ record(u"山田"_s, u"太郎"_s, u"1000013"_s,
        u"芝公園四丁目二番八号東京タワービルディング二十一階二一〇三号室"_s, { { Key::Renmei, true } },
        u"花子\n次郎"_s) });
    const QPointF origin(5, 7);
    const HagakiRenderer::PageGeometry geometry = HagakiRenderer::layoutPage(layout.page(), origin);
    ASSERT_EQ(geometry.blocks.size(), 4);
    for (const HagakiRenderer::Block &block : geometry.blocks) {
        EXPECT_EQ(block.rect, TextObject::rect(layout.objectTable()[block.slot]).translated(origin));
        ASSERT_FALSE(block.layout.lines.isEmpty()) << block.slot;
        const QRectF text = block.layout.textRect;
        EXPECT_GE(text.left(), block.rect.left() - 0.5) << block.slot;
        EXPECT_LE(text.right(), block.rect.right() + 0.5) << block.slot;
        EXPECT_GE(text.top(), block.rect.top() - 0.5) << block.slot;
        EXPECT_LE(text.bottom(), block.rect.bottom() + 0.5) << block.slot;
    }
    // The name block: the main name from the top, the joint names beside it, right to left.
    const VerticalBlockLayout &name = geometry.blocks[0].layout;
    ASSERT_EQ(name.lines.size(), 3);
    EXPECT_NEAR(name.lines[0].bounds.top(), geometry.blocks[0].rect.top(), 0.5);
    EXPECT_GT(name.lines[0].bounds.left(), name.lines[1].bounds.left());
    EXPECT_GT(name.lines[1].bounds.left(), name.lines[2].bounds.left());
    // Receiver and sender postal codes: seven digits each.
    EXPECT_EQ(geometry.zipDigits.size(), 14);
}

TEST(HagakiRenderTest, SenderAndReceiverBlocksAreSkippedWhereTheyDoNotBelong)
{
    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setReceiverPersons({ record(u"山田"_s, u"太郎"_s, u"1000013"_s, u"1-2-3"_s) });
    EXPECT_EQ(HagakiRenderer::layoutPage(layout.page()).blocks.size(), 2) << "no sender: receiver only";
    HagakiPage own = layout.page();
    own.hasSender = true;
    own.senderIsReceiver = true;
    own.objects[2] = own.objects[0];
    own.objects[2].insert(TextKey::Type, TextValue::Sender);
    EXPECT_EQ(HagakiRenderer::layoutPage(own).blocks.size(), 1) << "the sender's own card: sender only";
    HagakiPage empty = layout.page();
    TextObject::setRect(empty.objects[1], QRectF(204, 75, 0, 275));
    EXPECT_EQ(HagakiRenderer::layoutPage(empty).blocks.size(), 1) << "a block without width is skipped";
}

TEST(HagakiRenderTest, PreviewShowsTheCardPictureOnlyForACardType)
{
    const qreal scale = 2;
    const QSizeF page = HagakiLayout::pageSize();
    auto render = [&](const QString &type) {
        HagakiLayout layout;
        layout.setPrintOptions(options(type));
        layout.setReceiverPersons({ record(u"山田"_s, u"太郎"_s, u"1000013"_s, u"1-2-3"_s) });
        QImage image((page * scale).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        HagakiRenderer::drawPage(&painter, layout.page(), HagakiRenderer::previewOptions(options(type)));
        return image;
    };
    auto redPixels = [&](const QImage &image, const QRectF &rect) {
        int count = 0;
        const QRect r = QRectF(rect.topLeft() * scale, rect.size() * scale).toAlignedRect() & image.rect();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 150 && c.green() < 120 && c.blue() < 120 ? 1 : 0;
            }
        return count;
    };
    const QRectF firstBox = PostalCodeBoxes::boxes({ 125.575, 34.016 }, false).first();
    const QImage none = render(PrintValue::HagakiTypeNone);
    const QImage nenga = render(PrintValue::HagakiTypeNenga);
    const QImage general = render(PrintValue::HagakiTypeGeneral);
    EXPECT_EQ(redPixels(none, firstBox.adjusted(-1, -1, 1, 1)), 0);
    EXPECT_GT(redPixels(nenga, firstBox.adjusted(-1, -1, 1, 1)), 0);
    EXPECT_GT(redPixels(general, firstBox.adjusted(-1, -1, 1, 1)), 0);
    // The guide grid is there without a card too: the line x = 100 in an empty stretch of the page.
    const QColor grid = none.pixelColor(qRound(100 * scale), qRound(150 * scale));
    EXPECT_LT(grid.lightness(), 255);
    EXPECT_EQ(HagakiBackground::imageSize(PrintValue::HagakiTypeGeneral), QSizeF(285, 420));
    EXPECT_EQ(HagakiBackground::imageSize(PrintValue::HagakiTypeNenga), QSizeF(285, 422));
    EXPECT_TRUE(HagakiBackground::imageSize(PrintValue::HagakiTypeNone).isEmpty());
}

TEST(HagakiRenderTest, RasterisedDigitsSitInsideThePrintedBoxes)
{
    const qreal scale = 4;
    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setReceiverPersons({ record(u"山田"_s, u"太郎"_s, u"987-6543"_s, u"1-2-3"_s) });
    HagakiRenderer::RenderOptions render;
    render.drawCard = true;
    QImage image((HagakiLayout::pageSize() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    HagakiRenderer::drawPage(&painter, layout.page(), render);
    painter.end();
    for (const QRectF &box : PostalCodeBoxes::boxes({ 125.575, 34.016 }, false))
        EXPECT_GT(darkPixels(image, box.adjusted(1.5, 1.5, -1.5, -1.5), scale), 20);
}

TEST(HagakiRenderTest, PdfOfAPostcardRunHasOnePostcardPagePerReceiver)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"cards.pdf"_s);
    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setSenderPerson(record(u"鈴木"_s, u"一郎"_s, u"5300001"_s, u"梅田3-1-1"_s));
    layout.setReceiverPersons({
        record(u"山田"_s, u"太郎"_s, u"1000013"_s, u"霞が関1-2-3"_s,
            { { Key::Renmei, true }, { Key::Company, true } }, u"花子"_s, u"山田商店"_s),
        record(u"佐藤"_s, u"花子"_s, u"1500001"_s, u"神宮前1-2-3\nコーポ原宿101"_s),
        record(u"田中"_s, u"次郎"_s, u"0600001"_s, u"北一条西2-1"_s),
    });
    {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QSizeF(100, 148), QPageSize::Millimeter));
        pdf.setPageMargins({});
        pdf.setResolution(288);
        QPainter painter(&pdf);
        painter.scale(pdf.resolution() / 72.0, pdf.resolution() / 72.0);
        for (qsizetype i = 0; i < layout.receiverPersons().size(); ++i) {
            if (i > 0)
                pdf.newPage();
            HagakiRenderer::drawPage(
                &painter, layout.pageForReceiver(i), HagakiRenderer::printOptions(options()));
        }
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    EXPECT_GT(text.size(), 2000);
    const QRegularExpression mediaBox(u"/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"_s);
    auto it = mediaBox.globalMatch(text);
    int pages = 0;
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        EXPECT_NEAR(m.captured(1).toDouble(), 283.46, 0.6);
        EXPECT_NEAR(m.captured(2).toDouble(), 419.53, 0.6);
        ++pages;
    }
    EXPECT_EQ(pages, 3);
}

TEST(HagakiRenderTest, PrintingMovesThePageByTheMarginsAndThePrinterOffset)
{
    QVariantMap opts = options();
    opts.insert(PrintKey::LeftMargin, u"4"_s);
    opts.insert(PrintKey::TopMargin, 6.0);
    QVariantMap hagaki = opts.value(PrintKey::Hagaki).toMap();
    PrintChoices::setPrinterOffset(hagaki, PaperSizes::Postcard, QPointF(2, -1));
    PrintChoices::setPrinterOffset(hagaki, PaperSizes::A4, QPointF(9, 9)); // another paper: not used
    opts.insert(PrintKey::Hagaki, hagaki);

    const HagakiRenderer::RenderOptions print = HagakiRenderer::printOptions(opts);
    EXPECT_NEAR(print.origin.x(), 4 + 2 * 72 / 25.4, 1e-9);
    EXPECT_NEAR(print.origin.y(), 6 - 1 * 72 / 25.4, 1e-9);
    EXPECT_FALSE(print.preview);
    const HagakiRenderer::RenderOptions preview = HagakiRenderer::previewOptions(opts);
    EXPECT_EQ(preview.origin, QPointF(4, 6)) << "the screen shows the card where the printer should put it";

    HagakiLayout layout;
    layout.setPrintOptions(opts);
    layout.setReceiverPersons({ record(u"山田"_s, u"太郎"_s, u"1000013"_s, u"1-2-3"_s) });
    const HagakiRenderer::PageGeometry moved = HagakiRenderer::layoutPage(layout.page(), print.origin);
    const HagakiRenderer::PageGeometry still = HagakiRenderer::layoutPage(layout.page());
    ASSERT_EQ(moved.zipDigits.size(), still.zipDigits.size());
    EXPECT_EQ(moved.zipDigits[0].topLeft, still.zipDigits[0].topLeft + print.origin);
    EXPECT_EQ(moved.blocks[0].rect, still.blocks[0].rect.translated(print.origin));
}
