#include "print/AddressListItems.h"
#include "print/AddressListRenderer.h"
#include "print/EnvelopeLayout.h"
#include "print/LabelRenderer.h"
#include "print/PaperSizes.h"
#include "print/PdfTextSupport.h"
#include "print/PrintJob.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintRenderTestSupport.h"
#include "print/pdf/TextMappedPdfWriter.h"

#include <QBuffer>

using namespace Qt::StringLiterals;

// What the default options print besides names: the company on labels and envelopes, and the address
// list's items; read back from the PDF.
namespace {

QByteArray pdfOf(int pageCount, const QSizeF &paper, const std::function<void(QPainter *, int)> &draw)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    TextMappedPdfWriter writer(&out);
    PrintJob::Pages pages;
    pages.paperSize = paper;
    pages.pageCount = pageCount;
    pages.drawPage = draw;
    PrintJob::Options options;
    options.order = PrintJob::PageOrder::FirstSlotFirst;
    EXPECT_TRUE(PrintJob::run(&writer, pages, options).ok());
    return out.data();
}

} // namespace

class PrintedItemsTest : public PrintRenderTest
{
protected:
    void SetUp() override
    {
        PrintRenderTest::SetUp();
        auto taro = person(u"山田"_s, u"太郎"_s,
            { u"163-1203"_s, u"東京都"_s, u"新宿区"_s, u"西新宿3-1-1"_s, u"日本"_s, u"jp"_s },
            u"株式会社サンプル商事"_s);
        taro->addLabeledValue(
            QVariantMap { { Key::Label, u"work"_s }, { Key::Value, u"03-1234-5678"_s } }, Ident::Phone);
        taro->addLabeledValue(
            QVariantMap { { Key::Label, u"work"_s }, { Key::Value, u"taro@example.jp"_s } }, Ident::Email);
        taro->setValueForIdentifier(u"たろう"_s, Ident::Nickname);
        receivers = { receiver(taro), receiver(person(u"木村"_s, u"大子"_s)) };
        options = englishOptions();
        options.insert(PrintKey::FontName, PrintFont::DefaultVerticalFamily);
    }

    QByteArray listPdf(const QVariantMap &listOptions)
    {
        const QSizeF a4 = PaperSizes::sizeInPoints(PaperSizes::A4);
        AddressListRenderer list(listOptions, receivers, a4);
        return pdfOf(list.pageCount(), a4, [&](QPainter *p, int page) { list.drawPage(p, page); });
    }

    QString listText(const QVariantMap &listOptions)
    {
        return PdfTextSupport::pdfToText(listPdf(listOptions)).value_or(QString());
    }

    QList<ReceiverRecord> receivers;
    QVariantMap options;
};

TEST_F(PrintedItemsTest, LabelsAndEnvelopesPrintTheCompanyByDefault)
{
    for (const QString &language : { PrintValue::LanguageJapanese, PrintValue::LanguageEnglish }) {
        PrintOptions::FontDefaults fonts;
        fonts.userFontName = PrintFont::DefaultVerticalFamily;
        QVariantMap defaults = PrintOptions::initPrintOptions(language, fonts);
        const EnvelopePaper paper = *EnvelopePaper::named(PaperSizes::Naga3);
        const EnvelopeBlock block = EnvelopeLayout::makeTextObject(receivers.first(), defaults, false, paper);
        EXPECT_TRUE(block.lines.contains(u"株式会社サンプル商事"_s)) << qPrintable(language);

        if (!PdfTextSupport::havePdfToText())
            continue;
        const QSizeF a4 = PaperSizes::sizeInPoints(PaperSizes::A4);
        LabelRenderer labels(defaults, receivers, a4);
        const std::optional<QString> text = PdfTextSupport::pdfToText(
            pdfOf(labels.pageCount(), a4, [&](QPainter *p, int page) { labels.drawPage(p, page); }));
        ASSERT_TRUE(text);
        EXPECT_TRUE(text->contains(u"株式会社サンプル商事"_s)) << qPrintable(*text);
    }
    // Switched off, it does not print.
    QVariantMap off = options;
    QVariantMap labelOptions = off.value(PrintKey::MailingLabels).toMap();
    labelOptions.insert(PrintKey::PrintCompany, false);
    off.insert(PrintKey::MailingLabels, labelOptions);
    LabelRenderer labels(off, receivers, PaperSizes::sizeInPoints(PaperSizes::A4));
    EXPECT_FALSE(labels.labelText(0).contains(u"株式会社"_s));
}

TEST_F(PrintedItemsTest, TheAddressListPrintsItsDefaultItemsAndTheChosenOnesInTheirOrder)
{
    if (!PdfTextSupport::havePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString defaults = listText(options);
    for (const QString &expected : { u"山田 太郎"_s, u"西新宿3-1-1"_s, u"03-1234-5678"_s,
             u"taro@example.jp"_s, u"株式会社サンプル商事"_s, u"木村 大子"_s })
        EXPECT_TRUE(defaults.contains(expected)) << qPrintable(expected) << "\n" << qPrintable(defaults);
    EXPECT_FALSE(defaults.contains(u"たろう"_s)) << "the nickname is not a default item";

    // Chosen items: the nickname, then the phone; nothing else.
    QVariantMap chosen = options;
    QVariantMap list = chosen.value(PrintKey::AddressList).toMap();
    QVariantList items = list.value(PrintKey::ItemTable).toList();
    for (int row = 1; row < items.size(); ++row)
        AddressListItems::setItemState(items, row, false);
    const auto rowOf = [&items](const QString &title) {
        for (int row = 0; row < items.size(); ++row) {
            if (items.at(row).toMap().value(PrintKey::ItemTitle).toString() == title)
                return row;
        }
        return -1;
    };
    AddressListItems::setItemState(items, rowOf(Ident::Nickname), true);
    AddressListItems::setItemState(items, rowOf(Ident::Phone), true);
    AddressListItems::moveItem(items, rowOf(Ident::Nickname), 1);
    list.insert(PrintKey::ItemTable, items);
    chosen.insert(PrintKey::AddressList, list);
    const QString text = listText(chosen);
    const qsizetype nickname = text.indexOf(u"たろう"_s);
    const qsizetype phone = text.indexOf(u"03-1234-5678"_s);
    EXPECT_GE(nickname, 0) << qPrintable(text);
    EXPECT_GT(phone, nickname) << qPrintable(text);
    EXPECT_FALSE(text.contains(u"西新宿"_s) || text.contains(u"taro@example.jp"_s)) << qPrintable(text);
}

TEST_F(PrintedItemsTest, TheAddressListKeepsClearOfTheSheetsEdgesWhenNoPrinterIsKnown)
{
    if (!PdfTextSupport::havePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    // The default margins are 0; a PDF still keeps its text 10 mm from every edge.
    const QList<PdfTextSupport::Word> words = PdfTextSupport::words(listPdf(options));
    ASSERT_FALSE(words.isEmpty());
    const QSizeF a4 = PaperSizes::sizeInPoints(PaperSizes::A4);
    const double inset = 72.0 * 10.0 / 25.4;
    for (const PdfTextSupport::Word &word : words) {
        EXPECT_GE(word.box.left(), inset - 0.5) << qPrintable(word.text);
        EXPECT_GE(word.box.top(), inset - 3) << qPrintable(word.text); // the box includes the line's leading
        EXPECT_LE(word.box.right(), a4.width() - inset + 0.5) << qPrintable(word.text);
    }
    // Margins count from there, as they do from a printer's printable area.
    QVariantMap margins = options;
    margins.insert(PrintKey::LeftMargin, 36);
    const QList<PdfTextSupport::Word> moved = PdfTextSupport::words(listPdf(margins));
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_NEAR(moved.first().box.left(), words.first().box.left() + 36, 0.5);
}
