#include "print/HagakiLayout.h"
#include "print/HagakiRenderer.h"
#include "print/LabelRenderer.h"
#include "print/PaperSizes.h"
#include "print/PdfTextSupport.h"
#include "print/PrintJob.h"
#include "print/PrintMetrics.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintRenderTestSupport.h"
#include "print/pdf/PdfFile.h"
#include "print/pdf/PdfTextMaps.h"
#include "print/pdf/TextDrawing.h"
#include "print/pdf/TextMappedPdfWriter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

namespace {

// Prints pages through the writer every print command uses; the finished file.
QByteArray printToPdf(const PrintJob::Pages &pages)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    TextMappedPdfWriter writer(&out);
    PrintJob::Options options;
    options.order = PrintJob::PageOrder::FirstSlotFirst;
    const PrintJob::Result result = PrintJob::run(&writer, pages, options);
    EXPECT_TRUE(result.ok()) << qPrintable(result.error);
    return out.data();
}

QString withoutSpace(QString text)
{
    text.remove(QRegularExpression(u"\\s"_s));
    return text;
}

// A small PDF from the platform's writer, with two pages of text in one font.
QByteArray plainPdf()
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    QPainter painter(&writer);
    painter.setFont(QFont(PrintFont::DefaultVerticalFamily, 12));
    painter.drawText(QPointF(100, 100), u"山田"_s);
    writer.newPage();
    painter.drawText(QPointF(100, 100), u"一大"_s);
    painter.end();
    return out.data();
}

} // namespace

class PdfTextMapTest : public PrintRenderTest
{
protected:
    void SetUp() override
    {
        PrintRenderTest::SetUp();
        if (!PdfTextSupport::havePdfToText())
            GTEST_SKIP() << "pdftotext is not installed";
    }
};

TEST_F(PdfTextMapTest, HorizontalTextReadsBackAsTheIdeographsDrawn)
{
    // Each of these shares its glyph with a radical that comes first in the font's character map.
    QVariantMap options = englishOptions();
    options.insert(PrintKey::FontName, PrintFont::DefaultVerticalFamily);
    QList<ReceiverRecord> receivers;
    receivers.append(receiver(person(
        u"山田"_s, u"一"_s, { u"100-0001"_s, u"東京都"_s, u"目黒区"_s, u"西1-2"_s, u"日本"_s, u"jp"_s })));
    receivers.append(receiver(person(
        u"木村"_s, u"大子"_s, { u"990-0001"_s, u"山形県"_s, u"山形市"_s, u"木町 3"_s, u"日本"_s, u"jp"_s })));
    LabelRenderer renderer(options, receivers, PaperSizes::sizeInPoints(PaperSizes::A4));
    PrintJob::Pages pages;
    pages.paperSize = renderer.paperSize();
    pages.pageCount = renderer.pageCount();
    pages.drawPage = [&renderer](QPainter *painter, int page) { renderer.drawPage(painter, page); };

    const std::optional<QString> text = PdfTextSupport::pdfToText(printToPdf(pages));
    ASSERT_TRUE(text);
    EXPECT_EQ(PdfTextSupport::radicalsIn(*text), QString()) << qPrintable(*text);
    for (const QString &expected :
        { u"山田 一"_s, u"木村 大子"_s, u"東京都目黒区"_s, u"西1-2"_s, u"山形県山形市"_s })
        EXPECT_TRUE(text->contains(expected)) << qPrintable(expected) << "\n" << qPrintable(*text);
    // The blank's glyph is also the tab's in the font: it must read as a blank.
    EXPECT_FALSE(text->contains(u'\t'));
}

TEST_F(PdfTextMapTest, VerticalTextReadsBackWithItsVerticalForms)
{
    QVariantMap options { { PrintKey::Keishou, PrintValue::KeishouSama },
        { PrintKey::Hagaki, QVariantMap { { PrintKey::FontName, PrintFont::DefaultVerticalFamily } } } };
    ReceiverRecord r;
    r.name = { { Ident::LastName, u"西田"_s }, { Ident::FirstName, u"一子"_s } };
    // ー, 「」 and 、 are set with glyphs of their own that no character maps to.
    r.address = { { Ident::ZIP, u"153-0063"_s }, { Ident::State, u"東京都"_s }, { Ident::City, u"目黒区"_s },
        { Ident::Street, u"目黒本町「大木」ハイツ、ルーム"_s } };
    HagakiLayout layout;
    layout.setPrintOptions(options);
    layout.setReceiverPersons({ r });
    PrintJob::Pages pages;
    pages.paperSize = HagakiLayout::pageSize();
    pages.paperName = PaperSizes::Postcard;
    pages.pageCount = 1;
    pages.drawPage = [&layout](QPainter *painter, int page) {
        HagakiRenderer::drawPage(painter, layout.pageForReceiver(page), {});
    };

    const std::optional<QString> raw = PdfTextSupport::pdfToText(printToPdf(pages), { u"-raw"_s });
    ASSERT_TRUE(raw);
    const QString text = withoutSpace(*raw);
    EXPECT_EQ(PdfTextSupport::radicalsIn(text), QString()) << qPrintable(text);
    for (const QString &expected :
        { u"西田"_s, u"一子様"_s, u"東京都目黒区"_s, u"目黒本町「大木」ハイツ、ルーム"_s, u"1530063"_s })
        EXPECT_TRUE(text.contains(expected)) << qPrintable(expected) << "\n" << qPrintable(text);
}

TEST(PdfTextMapsTest, TextMapsAreReadInEveryFormAndWrittenBack)
{
    const QByteArray written
        = "2 beginbfrange\n<0000> <0000> <0000>\n<0001> <0003> [<5C71> <7530> <D840DC0B>]\n"
          "endbfrange\n1 beginbfrange\n<0010> <0012> <0041>\nendbfrange\n"
          "1 beginbfchar\n<0020> <0066 0069>\nendbfchar\n";
    const QMap<int, QString> map = PdfTextMaps::parse(written);
    EXPECT_EQ(map.value(1), u"山"_s);
    EXPECT_EQ(map.value(2), u"田"_s);
    EXPECT_EQ(map.value(3), QString::fromUcs4(U"\U0002000B")) << "a pair of surrogates is one text";
    EXPECT_EQ(map.value(0x11), u"B"_s) << "a range with a start counts up";
    EXPECT_EQ(map.value(0x12), u"C"_s);
    EXPECT_EQ(map.value(0x20), u"fi"_s) << "a glyph may stand for several characters";
    EXPECT_EQ(PdfTextMaps::parse(PdfTextMaps::write(map)), map);

    QMap<int, QString> many;
    for (int i = 1; i <= 250; ++i)
        many.insert(i, QString(QChar(0x4E00 + i)));
    const QByteArray blocks = PdfTextMaps::write(many);
    EXPECT_EQ(blocks.count("beginbfchar"), 3) << "at most 100 entries a block";
    EXPECT_EQ(PdfTextMaps::parse(blocks), many);

    EXPECT_EQ(PdfTextMaps::lastGlyphInWidths("[0 [1000 555 555] 8 19 1000 20 [555 552]]"), 21);
    EXPECT_EQ(PdfTextMaps::lastGlyphInWidths("[0 [1000]]"), 0);
    EXPECT_EQ(PdfTextMaps::lastGlyphInWidths("nothing"), -1);
}

TEST(PdfFileTest, ReplacingAnObjectKeepsTheFileWhole)
{
    const QByteArray pdf = plainPdf();
    std::optional<PdfFile> file = PdfFile::parse(pdf);
    ASSERT_TRUE(file);
    int map = -1;
    for (int number : file->objectNumbers()) {
        if (PdfFile::value(file->dictionary(number), "Type") == "/Font"
            && PdfFile::value(file->dictionary(number), "Subtype") == "/Type0")
            map = PdfFile::reference(PdfFile::value(file->dictionary(number), "ToUnicode"));
    }
    ASSERT_GT(map, 0) << "the writer gives its font a text map";
    const QByteArray longer = QByteArray(5000, 'x');
    file->replaceStream(map, "/Note (a longer stream)", longer);
    const QByteArray rewritten = file->write();

    const std::optional<PdfFile> again = PdfFile::parse(rewritten);
    ASSERT_TRUE(again) << "the rewritten file reads again";
    EXPECT_EQ(again->objectNumbers(), file->objectNumbers());
    for (int number : again->objectNumbers()) {
        EXPECT_TRUE(again->object(number).startsWith(QByteArray::number(number) + " 0 obj")) << number;
        if (number != map) {
            EXPECT_EQ(again->object(number), PdfFile::parse(pdf)->object(number)) << number;
        }
    }
    EXPECT_EQ(again->streamData(map), longer);
    EXPECT_EQ(PdfFile::value(again->dictionary(map), "Note"), "(a");
}

TEST(PdfFileTest, FilesItDoesNotTakeAreRefusedAndLeftAlone)
{
    const QByteArray pdf = plainPdf();
    const struct
    {
        const char *guards;
        QByteArray data;
    } rows[] = {
        { "empty", QByteArray() },
        { "not a PDF", "hello"_ba },
        { "cut before its table", pdf.left(pdf.size() / 2) },
        { "a table offset past the end", QByteArray(pdf).replace("startxref\n", "startxref\n99999999") },
        { "updated in place", QByteArray(pdf).replace("/Root", "/Prev 10 /Root") },
        { "an object moved", QByteArray(pdf).replace("2 0 obj", "9 0 obj") },
    };
    DrawnGlyphs drawn;
    QRawFont font = QRawFont::fromFont(QFont(PrintFont::DefaultVerticalFamily));
    drawn.record(font, 5, u"x"_s);
    for (const auto &row : rows) {
        QString error;
        EXPECT_FALSE(PdfFile::parse(row.data, &error)) << row.guards;
        EXPECT_FALSE(error.isEmpty()) << row.guards;
        const PdfTextMaps::Result result = PdfTextMaps::correct(row.data, drawn);
        EXPECT_EQ(result.pdf, row.data) << row.guards;
    }
}

TEST(PdfTextMapsTest, AFontDrawnOtherwiseThanRecordedKeepsWhatCanBeConfirmed)
{
    // The record holds glyphs in another order than the file's font: nothing is renumbered by order,
    // but glyphs found through their characters still get the text that was drawn.
    const QByteArray pdf = plainPdf();
    QRawFont font = QRawFont::fromFont(QFont(PrintFont::DefaultVerticalFamily));
    ASSERT_TRUE(font.isValid());
    DrawnGlyphs drawn;
    const QList<quint32> glyphs = font.glyphIndexesForString(u"大一田山"_s);
    drawn.record(font, glyphs, { u"大"_s, u"一"_s, u"田"_s, u"山"_s });
    const PdfTextMaps::Result result = PdfTextMaps::correct(pdf, drawn);
    EXPECT_EQ(result.rewritten, 0);
    EXPECT_EQ(result.partly, 1);
    const std::optional<QString> text = PdfTextSupport::pdfToText(result.pdf);
    if (text) {
        EXPECT_TRUE(text->contains(u"山田"_s)) << qPrintable(*text);
        EXPECT_TRUE(text->contains(u"一大"_s)) << qPrintable(*text);
    }
}

TEST(TextMappedPdfWriterTest, AnOutputThatTakesNoDataIsAFailureNotASuccess)
{
    PrintJob::Pages pages;
    pages.paperSize = QSizeF(200, 200);
    pages.pageCount = 1;
    pages.drawPage = [](QPainter *painter, int) { painter->drawRect(QRectF(10, 10, 50, 50)); };
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    TextMappedPdfWriter writer(&readOnly);
    const PrintJob::Result result = PrintJob::run(&writer, pages);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(readOnly.data().isEmpty());
    // Finishing twice writes once.
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    TextMappedPdfWriter second(&out);
    ASSERT_TRUE(PrintJob::run(&second, pages).ok());
    const qsizetype written = out.data().size();
    EXPECT_GT(written, 0);
    EXPECT_TRUE(second.finish());
    EXPECT_EQ(out.data().size(), written);
}

TEST(TextDrawingTest, ALinesAdvanceCountsItsTrailingBlankAsTheMeasureDoes)
{
    const QFont font = PrintMetrics::font(PrintFont::DefaultVerticalFamily, 12);
    QImage image(200, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    for (const QString &text : { u"Phone: "_s, u"東京都 "_s, u"x"_s }) {
        const qreal drawn = TextDrawing::drawLine(&painter, QPointF(0, 20), text, font);
        EXPECT_NEAR(drawn, PrintMetrics::metrics(font).horizontalAdvance(text), 0.01) << qPrintable(text);
        EXPECT_NEAR(TextDrawing::lineWidth(text, font), drawn, 1e-9);
    }
    EXPECT_EQ(TextDrawing::drawLine(&painter, QPointF(0, 20), QString(), font), 0);
}
