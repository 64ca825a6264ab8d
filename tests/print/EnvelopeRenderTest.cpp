#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "print/EnvelopeRenderer.h"
#include "print/PaperSizes.h"
#include "print/PostalCodeBoxes.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QVariantMap options(
    const QString &direction, bool vertical, bool border = false, const QVariantMap &rects = {})
{
    QVariantMap envelope { { PrintKey::TextDirection, direction }, { PrintKey::DrawTextInVertical, vertical },
        { PrintKey::PrintBorder, border }, { PrintKey::PrintZIP, true },
        { PrintKey::VerticalFontName, PrintFont::DefaultVerticalFamily } };
    if (!rects.isEmpty())
        envelope.insert(PrintKey::RectDicts, rects);
    return { { PrintKey::Keishou, PrintValue::KeishouSama },
        { PrintKey::FontName, PrintFont::DefaultVerticalFamily }, { PrintKey::Envelope, envelope } };
}

ReceiverRecord record(const QString &name, const QString &street = u"霞が関1-2-3"_s)
{
    ReceiverRecord r;
    r.name = { { Ident::Name, name }, { Key::StringValue, name } };
    r.address = { { Ident::ZIP, u"100-0013"_s }, { Ident::State, u"東京都"_s },
        { Ident::City, u"千代田区"_s }, { Ident::Street, street } };
    return r;
}

EnvelopePaper paper(const QString &name, const QRectF &imageable = {})
{
    EnvelopePaper p = *EnvelopePaper::named(name);
    if (!imageable.isNull())
        p.imageable = imageable;
    return p;
}

bool inside(const QRectF &inner, const QRectF &outer, qreal slack = 1.0)
{
    return outer.adjusted(-slack, -slack, slack, slack).contains(inner);
}

} // namespace

TEST(EnvelopeRenderTest, DefaultPlacementCentresTheReceiverAndCornersTheSender)
{
    const EnvelopePaper us10 = paper(PaperSizes::Us10, QRectF(18, 12, 261, 660));
    const qreal W = us10.size.width();
    const qreal H = us10.size.height();

    const EnvelopePage lr = EnvelopeLayout::layoutPage(
        record(u"山田 太郎"_s), record(u"鈴木 一郎"_s), options(PrintValue::DirectionLeftRight, false), us10);
    ASSERT_TRUE(lr.receiver && lr.sender);
    EXPECT_NEAR(lr.receiver->rect.center().x(), W / 2, 1e-6);
    EXPECT_NEAR(lr.receiver->rect.center().y(), H / 2, 1e-6);
    EXPECT_EQ(lr.receiver->rect, lr.receiver->textRect);
    EXPECT_NEAR(lr.sender->rect.right(), 0.75 * W + 18, 1e-6);
    EXPECT_NEAR(lr.sender->rect.top(), 12 + 10, 1e-6);

    const EnvelopePage ud = EnvelopeLayout::layoutPage(
        record(u"山田 太郎"_s), record(u"鈴木 一郎"_s), options(PrintValue::DirectionUpDown, false), us10);
    EXPECT_NEAR(ud.sender->rect.left(), 18 + 10, 1e-6);
    EXPECT_NEAR(ud.sender->rect.top(), 0.25 * W + 12 + 10, 1e-6);
    EXPECT_NEAR(ud.receiver->rect.center().y(), H / 2, 1e-6);
    // The sender never gets the honorific; the receiver does.
    EXPECT_TRUE(ud.receiver->lines.join(u'\n').contains(u"様"_s));
    EXPECT_FALSE(ud.sender->lines.join(u'\n').contains(u"様"_s));
}

TEST(EnvelopeRenderTest, BlockPositionsAreKeptPerPaperAndDirection)
{
    QVariantMap envelope = options(PrintValue::DirectionLeftRight, false).value(PrintKey::Envelope).toMap();
    EnvelopeLayout::setBlockRect(envelope, PaperSizes::Naga3, false, QRectF(40, 200, 150, 120));
    EnvelopeLayout::setBlockRect(envelope, PaperSizes::Naga3, true, QRectF(20, 20, 100, 60));
    QVariantMap all = options(PrintValue::DirectionLeftRight, false);
    all.insert(PrintKey::Envelope, envelope);

    const EnvelopePage naga3 = EnvelopeLayout::layoutPage(
        record(u"山田 太郎"_s), record(u"鈴木 一郎"_s), all, paper(PaperSizes::Naga3));
    EXPECT_EQ(naga3.receiver->rect, QRectF(40, 200, 150, 120));
    EXPECT_EQ(naga3.sender->rect, QRectF(20, 20, 100, 60));
    EXPECT_EQ(naga3.receiver->textRect.topLeft(), QPointF(40, 200));
    EXPECT_TRUE(inside(naga3.receiver->textRect, naga3.receiver->rect, 0.01));

    // Another paper keeps its own (default) positions ...
    const EnvelopePaper dl = paper(PaperSizes::DL);
    const EnvelopePage other = EnvelopeLayout::layoutPage(record(u"山田 太郎"_s), std::nullopt, all, dl);
    EXPECT_NEAR(other.receiver->rect.center().x(), dl.size.width() / 2, 1e-6);
    EXPECT_FALSE(other.sender.has_value());
    // ... and so does the other direction on the same paper.
    envelope.insert(PrintKey::TextDirection, PrintValue::DirectionUpDown);
    all.insert(PrintKey::Envelope, envelope);
    EXPECT_EQ(EnvelopeLayout::blockRect(envelope, paper(PaperSizes::Naga3), false),
        QRectF(0, 0, paper(PaperSizes::Naga3).size.width() / 2, paper(PaperSizes::Naga3).size.height() / 2));
    EXPECT_EQ(EnvelopeLayout::blockRect(envelope, paper(PaperSizes::Naga3), true),
        QRectF(0, 0, paper(PaperSizes::Naga3).size.width() / 3, paper(PaperSizes::Naga3).size.height() / 4));
}

TEST(EnvelopeRenderTest, BorderLiesThreePointsOutsideTheBlock)
{
    const EnvelopePaper c5 = paper(PaperSizes::C5);
    const QVariantMap on = options(PrintValue::DirectionLeftRight, false, true);
    const EnvelopePage page
        = EnvelopeLayout::layoutPage(record(u"山田 太郎"_s), record(u"鈴木 一郎"_s), on, c5);
    const QPointF margins(12, 8);
    const EnvelopeRenderer::PageGeometry g = EnvelopeRenderer::layoutPage(page, margins);
    EXPECT_EQ(g.receiver->rect, page.receiver->rect.translated(margins));
    EXPECT_EQ(g.receiver->border, g.receiver->rect.adjusted(-3, -3, 3, 3));
    EXPECT_EQ(g.sender->border, g.sender->rect.adjusted(-3, -3, 3, 3));

    const EnvelopePage plain = EnvelopeLayout::layoutPage(
        record(u"山田 太郎"_s), std::nullopt, options(PrintValue::DirectionLeftRight, false), c5);
    EXPECT_TRUE(EnvelopeRenderer::layoutPage(plain).receiver->border.isEmpty());
}

TEST(EnvelopeRenderTest, EachOrientationSetsItsTextInsideItsBlock)
{
    struct Row
    {
        const char *guards;
        QString direction;
        bool vertical;
        QString paper;
        qreal rotation; // of a kanji glyph
    } rows[] = {
        { "horizontal, as fed", PrintValue::DirectionLeftRight, false, PaperSizes::Us10, 0 },
        { "horizontal, turned a quarter", PrintValue::DirectionUpDown, false, PaperSizes::Us10, 90 },
        { "vertical columns on a long envelope", PrintValue::DirectionUpDown, true, PaperSizes::Naga3, 0 },
        { "vertical, set along the paper", PrintValue::DirectionLeftRight, true, PaperSizes::You2, -90 },
    };
    const QString longStreet = u"霞が関一丁目二番三号中央合同庁舎第二号館別館二十五階"_s;
    for (const Row &row : rows) {
        const EnvelopePaper p = paper(row.paper);
        // A user-placed block, narrower than the defaults: fitting, not placement, must keep the text in.
        QVariantMap perPaper { { row.direction == PrintValue::DirectionUpDown ? u"receiverRectUpDown"_s
                                                                              : u"receiverRect"_s,
            u"{{30, 40}, {120, 160}}"_s } };
        const QVariantMap opts = options(row.direction, row.vertical, false, { { row.paper, perPaper } });
        const EnvelopePage page
            = EnvelopeLayout::layoutPage(record(u"山田 太郎"_s, longStreet), std::nullopt, opts, p);
        ASSERT_TRUE(page.receiver) << row.guards;
        EXPECT_EQ(page.receiver->rect, QRectF(30, 40, 120, 160)) << row.guards;
        EXPECT_LE(page.receiver->extent.width(), 120 + 1e-6) << row.guards;
        EXPECT_LE(page.receiver->extent.height(), 160 + 1e-6) << row.guards;
        const EnvelopeRenderer::PageGeometry g = EnvelopeRenderer::layoutPage(page);
        ASSERT_FALSE(g.receiver->glyphs.isEmpty()) << row.guards;
        EXPECT_TRUE(inside(g.receiver->inkRect, g.receiver->rect, 2)) << row.guards;
        bool found = false;
        for (const VerticalGlyph &glyph : g.receiver->glyphs) {
            if (glyph.text == u"霞"_s) {
                EXPECT_EQ(glyph.rotation, row.rotation) << row.guards;
                found = true;
            }
        }
        EXPECT_TRUE(found) << row.guards;
    }
}

TEST(EnvelopeRenderTest, PreviewPaintsTheSurroundAndTheText)
{
    const EnvelopePaper dl = paper(PaperSizes::DL, QRectF(10, 10, 290, 603));
    const QVariantMap opts = options(PrintValue::DirectionUpDown, true, true);
    const EnvelopePage page
        = EnvelopeLayout::layoutPage(record(u"山田 太郎"_s), record(u"鈴木 一郎"_s), opts, dl);
    QImage image(dl.size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    EnvelopeRenderer::drawPage(&painter, page, EnvelopeRenderer::previewOptions(opts));
    painter.end();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(255, 255, 178));
    int dark = 0;
    const QRect block = page.receiver->rect.toAlignedRect() & image.rect();
    for (int y = block.top(); y <= block.bottom(); ++y)
        for (int x = block.left(); x <= block.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(dark, 50);
}

TEST(EnvelopeRenderTest, PostalCodesStayOutOfColumnsAndSendersNeverOutsizeTheAddressee)
{
    struct Row
    {
        const char *guards;
        QString paper;
        QString direction;
        bool vertical;
    } rows[] = {
        { "長形3号 in columns", PaperSizes::Naga3, PrintValue::DirectionUpDown, true },
        { "洋形2号 written across", PaperSizes::You2, PrintValue::DirectionLeftRight, false },
        { "US #10 turned", PaperSizes::Us10, PrintValue::DirectionUpDown, false },
        { "長形4号 in rows", PaperSizes::Naga4, PrintValue::DirectionLeftRight, true },
    };
    // A long street for the addressee, a short return address: fitted alone, the sender came out
    // twice the addressee's size.
    const ReceiverRecord addressee = record(u"山田 太郎"_s, u"西新宿3-1-1 サンプルビル25F"_s);
    ReceiverRecord sender = record(u"西田 一"_s, u"1203"_s);
    sender.address.insert(Ident::ZIP, u"990-0001"_s);
    for (const Row &row : rows) {
        QVariantMap all = options(row.direction, row.vertical);
        QVariantMap envelope = all.value(PrintKey::Envelope).toMap();
        PrintChoices::setKanjiNumerals(envelope, PrintChoices::KanjiNumerals::Off);
        all.insert(PrintKey::Envelope, envelope);
        const EnvelopePaper p = paper(row.paper);
        const EnvelopePage page = EnvelopeLayout::layoutPage(addressee, sender, all, p);
        const EnvelopeRenderer::PageGeometry geometry = EnvelopeRenderer::layoutPage(page);
        ASSERT_TRUE(geometry.receiver && geometry.sender) << row.guards;

        // Sizes, read from the glyphs set.
        qreal smallestAddressee = 1e9;
        for (const VerticalGlyph &g : geometry.receiver->glyphs)
            smallestAddressee = std::min(smallestAddressee, g.size);
        for (const VerticalGlyph &g : geometry.sender->glyphs)
            EXPECT_LT(g.size, smallestAddressee) << row.guards << ": " << qPrintable(g.text);
        // Default blocks keep apart, postal codes included.
        QRectF addresseeInk = geometry.receiver->inkRect;
        for (const PostalCodeBoxes::Digit &d : geometry.receiver->zipDigits)
            addresseeInk = addresseeInk.united(d.glyphRect);
        QRectF senderInk = geometry.sender->inkRect;
        if (!geometry.sender->zipLine.isEmpty())
            senderInk = senderInk.united(geometry.sender->zipLine);
        EXPECT_FALSE(addresseeInk.intersects(senderInk)) << row.guards;
        EXPECT_TRUE(QRectF(QPointF(0, 0), p.size).contains(senderInk)) << row.guards;

        QString addresseeText;
        for (const VerticalGlyph &g : geometry.receiver->glyphs)
            addresseeText += g.text;
        if (row.vertical && row.direction == PrintValue::DirectionUpDown) {
            // In columns: the digits go in the envelope's boxes, none of them in a column ...
            EXPECT_FALSE(addresseeText.contains(u"163"_s) || addresseeText.contains(u"100"_s)) << row.guards;
            const QList<QRectF> boxes
                = PostalCodeBoxes::boxes(PostalCodeBoxes::envelopeOrigin(p.size), false);
            ASSERT_EQ(geometry.receiver->zipDigits.size(), 7) << row.guards;
            for (qsizetype i = 0; i < 7; ++i)
                EXPECT_TRUE(boxes.at(i).contains(geometry.receiver->zipDigits.at(i).glyphRect)) << i;
            // ... the sender's on its own line above its columns ...
            EXPECT_LT(geometry.sender->zipLine.bottom(), geometry.sender->inkRect.top()) << row.guards;
            // ... and columns keep half an em between them.
            QList<qreal> columns;
            for (const VerticalGlyph &g : geometry.receiver->glyphs) {
                if (g.rotation == 0 && !columns.contains(std::round(g.origin.x())))
                    columns.append(std::round(g.origin.x()));
            }
            std::sort(columns.begin(), columns.end());
            ASSERT_GE(columns.size(), 2) << row.guards;
            for (qsizetype i = 1; i < columns.size(); ++i)
                EXPECT_GE(columns.at(i) - columns.at(i - 1), 1.4 * page.receiver->fontSize - 1) << row.guards;
        } else {
            // Otherwise the postal code is a line of its own.
            EXPECT_EQ(page.receiver->lines.first(), u"〒100-0013"_s) << row.guards;
            for (const QString &line : page.receiver->lines.mid(1))
                EXPECT_FALSE(line.contains(u"100-0013"_s)) << row.guards;
            // Its digits are set alike: "100" does not stand in a cell of its own beside "0013" lying down.
            QList<VerticalGlyph> zipDigits;
            QString zipText;
            for (const VerticalGlyph &g : geometry.receiver->glyphs) {
                if (zipText.size() >= 9)
                    break;
                zipText += g.text;
                if (!g.text.isEmpty() && g.text.at(0).isDigit())
                    zipDigits.append(g);
            }
            EXPECT_TRUE(zipText.startsWith(u"〒100-0013"_s)) << row.guards << ": " << qPrintable(zipText);
            for (const VerticalGlyph &g : zipDigits) {
                EXPECT_EQ(g.rotation, zipDigits.first().rotation) << row.guards << ": " << qPrintable(g.text);
                EXPECT_EQ(g.size, zipDigits.first().size) << row.guards << ": " << qPrintable(g.text);
            }
        }
    }
}
