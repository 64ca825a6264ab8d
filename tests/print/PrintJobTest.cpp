#include "print/PrintJob.h"

#include "print/LabelRenderer.h"
#include "print/PaperSizes.h"
#include "print/PrintDocument.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintRenderTestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// The page count and every page's size of a PDF, read from its page tree.
struct PdfPages
{
    int count = -1;
    QList<QSizeF> mediaBoxes;
};

PdfPages readPdf(const QByteArray &pdf)
{
    PdfPages pages;
    const QString text = QString::fromLatin1(pdf);
    const auto count = QRegularExpression(u"/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"_s).match(text);
    if (count.hasMatch())
        pages.count = count.captured(1).toInt();
    auto boxes = QRegularExpression(
        u"/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s*\\]"_s)
                     .globalMatch(text);
    while (boxes.hasNext()) {
        const auto m = boxes.next();
        pages.mediaBoxes.append(QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(),
            m.captured(4).toDouble() - m.captured(2).toDouble()));
    }
    return pages;
}

// Pages that record which slot each printed page asked for.
PrintJob::Pages recordingPages(int count, QList<int> *drawn)
{
    PrintJob::Pages pages;
    pages.paperSize = PaperSizes::sizeInPoints(PaperSizes::A4);
    pages.paperName = PaperSizes::A4;
    pages.pageCount = count;
    pages.drawPage = [drawn](QPainter *painter, int page) {
        drawn->append(page);
        painter->drawRect(QRectF(10, 10, 100, 100));
    };
    return pages;
}

} // namespace

class PrintJobTest : public PrintRenderTest
{
};

TEST_F(PrintJobTest, PrintedPagesRunFromTheLastSlotUnlessAskedOtherwise)
{
    // A 3-page run: printed page 1 shows slot 2.
    EXPECT_EQ(PrintJob::slotForPrintedPage(1, 3), 2);
    EXPECT_EQ(PrintJob::slotForPrintedPage(3, 3), 0);
    EXPECT_EQ(PrintJob::slotForPrintedPage(1, 3, PrintJob::PageOrder::FirstSlotFirst), 0);
    EXPECT_EQ(PrintJob::slotForPrintedPage(5, 3), 0) << "out-of-range pages are clamped";
    EXPECT_EQ(PrintJob::slotForPrintedPage(1, 0), 0);

    QList<int> drawn;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QList<std::pair<int, int>> progress;
    PrintJob::Options options;
    options.progress = [&](int done, int total) { progress.append({ done, total }); };
    const PrintJob::Result result = PrintJob::run(&writer, recordingPages(3, &drawn), options);
    EXPECT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.pagesPrinted, 3);
    EXPECT_EQ(drawn, (QList<int> { 2, 1, 0 }));
    EXPECT_EQ(progress, (QList<std::pair<int, int>> { { 1, 3 }, { 2, 3 }, { 3, 3 } }));
}

TEST_F(PrintJobTest, CancelStopsBeforeTheNextPage)
{
    QList<int> drawn;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    std::atomic<bool> cancel = false;
    PrintJob::Options options;
    options.order = PrintJob::PageOrder::FirstSlotFirst;
    options.cancel = &cancel;
    options.progress = [&](int done, int) {
        if (done == 2)
            cancel = true;
    };
    const PrintJob::Result result = PrintJob::run(&writer, recordingPages(10, &drawn), options);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.pagesPrinted, 2);
    EXPECT_EQ(drawn, (QList<int> { 0, 1 }));
}

TEST_F(PrintJobTest, RefusesWhatCannotPrint)
{
    QList<int> drawn;
    PrintJob::Pages empty = recordingPages(1, &drawn);
    empty.paperSize = QSizeF();
    empty.paperName.clear();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    EXPECT_FALSE(PrintJob::run(&writer, empty).ok());
    EXPECT_FALSE(PrintJob::run(nullptr, recordingPages(1, &drawn)).ok());
    EXPECT_TRUE(drawn.isEmpty());
}

TEST_F(PrintJobTest, LabelRunWritesAPdfOfTheRightPagesAndPaper)
{
    QList<ReceiverRecord> receivers;
    for (int i = 0; i < 49; ++i)
        receivers.append(receiver(person(u"Person %1"_s.arg(i), {},
            { u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"千代田%1"_s.arg(i), {}, u"JP"_s })));
    const QSizeF letter = PaperSizes::sizeInPoints(PaperSizes::Letter);
    const LabelRenderer renderer(englishOptions(), receivers, letter);
    ASSERT_EQ(renderer.pageCount(), 2); // 48 a page

    PrintJob::Pages pages;
    pages.paperSize = letter;
    pages.paperName = PaperSizes::Letter;
    pages.pageCount = renderer.pageCount();
    pages.drawPage = [&](QPainter *painter, int page) { renderer.drawPage(painter, page); };

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        ASSERT_TRUE(PrintJob::run(&writer, pages).ok());
    }
    const PdfPages pdf = readPdf(buffer.data());
    EXPECT_EQ(pdf.count, 2);
    ASSERT_EQ(pdf.mediaBoxes.size(), 2);
    for (const QSizeF &box : pdf.mediaBoxes) {
        EXPECT_NEAR(box.width(), 612, 1.0);
        EXPECT_NEAR(box.height(), 792, 1.0);
    }
}

TEST_F(PrintJobTest, SheetsTurnedAQuarterPrintAcrossTheirPaperAndPostcardsNeverTurn)
{
    QList<ReceiverRecord> receivers;
    for (int i = 0; i < 3; ++i)
        receivers.append(receiver(person(u"Person %1"_s.arg(i), {},
            { u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"千代田%1"_s.arg(i), {}, u"JP"_s })));
    PrintDocument::Request request { PrintValue::StyleAddressList, englishOptions(), receivers };
    request.paperName = PaperSizes::A4;
    request.landscape = true;
    const PrintDocument list = PrintDocument::make(request);
    ASSERT_TRUE(list.isValid()) << list.error().toStdString();
    EXPECT_NEAR(list.paperSize().width(), 841.9, 0.5);
    EXPECT_NEAR(list.paperSize().height(), 595.3, 0.5);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        ASSERT_TRUE(PrintJob::run(&writer, list.pages()).ok());
    }
    const PdfPages pdf = readPdf(buffer.data());
    ASSERT_FALSE(pdf.mediaBoxes.isEmpty());
    EXPECT_NEAR(pdf.mediaBoxes.first().width(), 841.9, 1.0);
    EXPECT_NEAR(pdf.mediaBoxes.first().height(), 595.3, 1.0);

    request.style = PrintValue::StyleHagaki;
    const PrintDocument cards = PrintDocument::make(request);
    ASSERT_TRUE(cards.isValid());
    EXPECT_LT(cards.paperSize().width(), cards.paperSize().height());
    EXPECT_EQ(cards.pageCount(), 3);
}
