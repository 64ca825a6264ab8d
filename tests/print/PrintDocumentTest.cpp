// The pages of each print style through the one entry point the command line and the window use.
#include "print/PrintDocument.h"

#include "PrintRenderTestSupport.h"
#include "formats/ZRvCard.h"
#include "print/PaperSizes.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintRecipients.h"

#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

const PrintOptions::FontDefaults TestFonts { u"DejaVu Sans"_s, 14, u"Noto Sans CJK JP"_s };

class PrintDocumentTest : public PrintRenderTest
{
protected:
    QVariantMap options = PrintOptions::initPrintOptions(PrintValue::LanguageJapanese, TestFonts);

    static QList<ReceiverRecord> receivers(int count)
    {
        QList<ReceiverRecord> list;
        for (int i = 0; i < count; ++i)
            list << ReceiverRecord::convertContact(person(u"山田"_s, QString::number(i),
                { u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"千代田1-1"_s, u"日本"_s, u"jp"_s }));
        return list;
    }

    // How much of a page was drawn on, so that a page that stays blank is caught.
    static int inkedPixels(const PrintDocument &document, int page)
    {
        const QSizeF size = document.paperSize();
        QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        document.drawPage(&painter, page);
        painter.end();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                inked += image.pixel(x, y) != qRgb(255, 255, 255);
        }
        return inked;
    }
};

} // namespace

TEST_F(PrintDocumentTest, EachStyleGivesItsPagesOnItsPaper)
{
    struct Row
    {
        QString style;
        QString paper;
        int receivers;
        int pages;
        QString paperName;
    };
    const Row rows[] = {
        { PrintValue::StyleHagaki, QString(), 3, 3, PaperSizes::Postcard },
        // Postcards are postcards whatever paper is asked for.
        { PrintValue::StyleHagaki, PaperSizes::A4, 2, 2, PaperSizes::Postcard },
        { PrintValue::StyleEnvelope, PaperSizes::Naga3, 2, 2, PaperSizes::Naga3 },
        // 130 x 60 labels with 5 points between them: 4 columns and 12 rows on Letter.
        { PrintValue::StyleLabels, QString(), 50, 2, PaperSizes::Letter },
        { PrintValue::StyleAddressList, PaperSizes::A4, 3, 1, PaperSizes::A4 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE((row.style + u' ' + row.paper).toStdString());
        const PrintDocument document
            = PrintDocument::make({ row.style, options, receivers(row.receivers), std::nullopt, row.paper });
        ASSERT_TRUE(document.isValid()) << document.error().toStdString();
        EXPECT_EQ(document.pageCount(), row.pages);
        EXPECT_EQ(document.paperName(), row.paperName);
        EXPECT_EQ(document.paperSize(), PaperSizes::sizeInPoints(row.paperName));
        EXPECT_GT(inkedPixels(document, 0), 100);
        EXPECT_EQ(document.pages().pageCount, row.pages);
    }
}

TEST_F(PrintDocumentTest, UnknownStylesAndPapersAreErrorsAndPagesOutOfRangeDrawNothing)
{
    PrintDocument document = PrintDocument::make({ u"Poster"_s, options, receivers(1) });
    EXPECT_FALSE(document.isValid());
    EXPECT_TRUE(document.error().contains(u"Poster"_s));
    EXPECT_EQ(document.pageCount(), 0);
    document
        = PrintDocument::make({ PrintValue::StyleEnvelope, options, receivers(1), std::nullopt, u"B17"_s });
    EXPECT_FALSE(document.isValid());
    EXPECT_TRUE(document.error().contains(u"B17"_s));

    document = PrintDocument::make(
        { PrintValue::StyleEnvelope, options, receivers(1), std::nullopt, PaperSizes::DL });
    ASSERT_TRUE(document.isValid());
    EXPECT_EQ(inkedPixels(document, 1), 0);
    EXPECT_EQ(inkedPixels(document, -1), 0);
}

TEST_F(PrintDocumentTest, SenderIsChosenByNumberOrByTheAddressMarkedAsTheSenders)
{
    const auto containers = ZRvCard().containersFromVCards(
        u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;;;;\r\nFN:A\r\nADR:;;1 St;;;;\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:B;;;;\r\nFN:B\r\nADR:;;2 St;;;;\r\nADR:;;3 St;;;;\r\n"
        "X-HAGAKILAYOUTS:0;\r\n 1;\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:C;;;;\r\nFN:C\r\nEND:VCARD\r\n"_s);
    ContactTable contacts = *ZRvCard::contactsInContainer(*containers->first());
    ASSERT_EQ(contacts.size(), 3);
    const auto names = [](const PrintRecipients &chosen) {
        QStringList names;
        for (const ReceiverRecord &receiver : chosen.receivers)
            names << receiver.person->compositeName();
        return names;
    };

    // Without a number: B's second address is marked as the sender's, and the sender prints from it.
    PrintRecipients chosen = PrintRecipients::choose(contacts, PrintValue::StyleHagaki);
    ASSERT_TRUE(chosen.sender);
    EXPECT_EQ(chosen.sender->person->compositeName(), u"B"_s);
    EXPECT_EQ(chosen.sender->address.value(Ident::Street), u"3 St"_s);
    EXPECT_EQ(names(chosen), (QStringList { u"A"_s, u"C"_s }));

    chosen = PrintRecipients::choose(contacts, PrintValue::StyleHagaki, 3);
    ASSERT_TRUE(chosen.sender);
    EXPECT_EQ(chosen.sender->person->compositeName(), u"C"_s);
    EXPECT_EQ(names(chosen), (QStringList { u"A"_s, u"B"_s }));

    // Lists and labels have no sender: everyone is printed.
    chosen = PrintRecipients::choose(contacts, PrintValue::StyleLabels, 3);
    EXPECT_FALSE(chosen.sender);
    EXPECT_EQ(chosen.receivers.size(), 3);

    // A number past the contacts chooses nobody; a deleted contact is not printed.
    contacts.first()->deleted = true;
    chosen = PrintRecipients::choose(contacts, PrintValue::StyleEnvelope, 9);
    EXPECT_FALSE(chosen.sender);
    EXPECT_EQ(names(chosen), (QStringList { u"B"_s, u"C"_s }));
}
