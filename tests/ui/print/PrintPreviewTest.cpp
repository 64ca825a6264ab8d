#include "model/Identifiers.h"
#include "model/LayoutString.h"
#include "model/ZRPerson.h"
#include "print/HagakiLayout.h"
#include "print/PaperSizes.h"
#include "print/PdfTextSupport.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionsStore.h"
#include "ui/print/PageSetupDialog.h"
#include "ui/print/PreviewView.h"
#include "ui/print/PrintController.h"
#include "ui/window/WindowActions.h"
#include "ui/window/WindowTestSupport.h"

#include <QImage>
#include <QMouseEvent>
#include <QPrinter>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace WindowTestSupport;

namespace {

QString postcardCard(
    const QString &last, const QString &first, const QString &street, const QString &more = {})
{
    return u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%1%2\r\n"
           "ADR;TYPE=HOME:;;%3;千代田区;東京都;1000013;Japan\r\n%4END:VCARD\r\n"_s.arg(
               last, first, street, more);
}

// Three people to write to.
QByteArray postcardFile()
{
    return (postcardCard(u"山田"_s, u"太郎"_s, u"霞が関1-2-3"_s)
        + postcardCard(u"佐藤"_s, u"花子"_s, u"大手町1-1"_s)
        + postcardCard(u"鈴木"_s, u"一郎"_s, u"丸の内2-2"_s))
        .toUtf8();
}

class PrintPreviewTest : public WindowTest
{
protected:
    DocumentWindow *openPostcards()
    {
        DocumentWindow *window = openWindow(writeFile(dir, u"cards.vcf"_s, postcardFile()));
        if (window)
            window->resize(1100, 700);
        QApplication::processEvents();
        return window;
    }
    static PrintController &print(DocumentWindow *window) { return *window->printController(); }
    static PreviewView &preview(DocumentWindow *window) { return *print(window).preview(); }

    static void selectRows(DocumentWindow *window, const QList<int> &rows)
    {
        window->hub().setSelectedRows(rows);
        window->tableView()->showSelection(rows);
        QApplication::processEvents();
    }

    static QString receiverName(DocumentWindow *window)
    {
        const auto &receiver = preview(window).content().receiver;
        return receiver ? receiver->name.value(Ident::Name).toString() : QString();
    }

    // Dark pixels of the preview inside a page rectangle (points), that is, text drawn there.
    static int inkIn(DocumentWindow *window, const QRectF &pageRect)
    {
        PreviewView &view = preview(window);
        const QImage image = view.grab().toImage();
        const QRectF area(view.toWidget(pageRect.topLeft()), view.toWidget(pageRect.bottomRight()));
        const qreal ratio = image.devicePixelRatio();
        int ink = 0;
        for (int y = int(area.top() * ratio); y < int(area.bottom() * ratio); ++y) {
            for (int x = int(area.left() * ratio); x < int(area.right() * ratio); ++x) {
                if (x >= 0 && y >= 0 && x < image.width() && y < image.height()
                    && qGray(image.pixel(x, y)) < 96)
                    ++ink;
            }
        }
        return ink;
    }

    static void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    static bool waitForRun(QSignalSpy &spy) { return spy.count() > 0 || spy.wait(60000); }
};

} // namespace

TEST_F(PrintPreviewTest, ThePreviewShowsTheFirstSelectedReceiverAndFollowsSelectionStyleAndPaper)
{
    DocumentWindow *window = openPostcards();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->previewPane()->isVisible());
    const QStringList shown = shownNames(window); // in the table's order
    ASSERT_EQ(shown.size(), 3);
    selectRows(window, { 1, 2 });
    EXPECT_EQ(receiverName(window), shown.at(1));
    const PrintDocument &document = preview(window).document();
    ASSERT_TRUE(document.isValid());
    EXPECT_EQ(document.pageCount(), 1);
    EXPECT_EQ(document.paperSize(), HagakiLayout::pageSize());
    // A postcard fills the pane's height: 420 high, its width in proportion, centred.
    const QRectF page = preview(window).pageRect();
    EXPECT_NEAR(page.height(), 420, 0.5);
    EXPECT_NEAR(
        page.width(), 420 * HagakiLayout::pageSize().width() / HagakiLayout::pageSize().height(), 0.5);
    // The receiver's name is drawn in its block; the empty card's lower corner holds no text.
    EXPECT_GT(inkIn(window, { 100, 80, 100, 270 }), 50);

    selectRows(window, { 0 });
    EXPECT_EQ(receiverName(window), shown.at(0));
    selectRows(window, {});
    EXPECT_FALSE(preview(window).content().receiver);

    // Another style stored by anyone: envelopes show on their paper (Letter until Page Setup says).
    PrintOptionsStore::savePrintStyle(window->hub().defaults().settings(), PrintValue::StyleEnvelope);
    EXPECT_EQ(print(window).printStyle(), PrintValue::StyleEnvelope);
    EXPECT_EQ(preview(window).document().paperName(), u"Letter"_s);
    EXPECT_NEAR(preview(window).pageRect().width(), 285, 0.5);

    print(window).showPageSetup();
    auto *dialog = waitForWindow<PageSetupDialog>();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->findChild<QAbstractButton *>(u"landscape"_s)->isEnabled()); // envelopes feed upright
    dialog->paperMenu()->setCurrentIndex(dialog->paperMenu()->findData(PaperSizes::Naga3));
    dialog->accept();
    QApplication::processEvents();
    EXPECT_EQ(preview(window).document().paperName(), PaperSizes::Naga3);
    const QSizeF naga3 = PaperSizes::sizeInPoints(PaperSizes::Naga3);
    EXPECT_NEAR(preview(window).pageRect().height(), 420, 0.5); // tall and narrow: the height fills
    EXPECT_NEAR(preview(window).pageRect().width(), 420 * naga3.width() / naga3.height(), 0.5);

    // A sheet style hides the pane; its pages turn with Page Setup.
    selectRows(window, { 0, 1, 2 });
    PrintOptionsStore::savePrintStyle(window->hub().defaults().settings(), PrintValue::StyleLabels);
    EXPECT_FALSE(window->previewPane()->isVisible());
    print(window).setPageSetup({ PaperSizes::A4, QPageLayout::Landscape });
    const PrintDocument sheets = print(window).makeDocument();
    EXPECT_GT(sheets.paperSize().width(), sheets.paperSize().height());
    // Each style keeps its paper.
    PrintOptionsStore::savePrintStyle(window->hub().defaults().settings(), PrintValue::StyleEnvelope);
    EXPECT_EQ(print(window).pageSetup().paperName, PaperSizes::Naga3);
    EXPECT_TRUE(window->previewPane()->isVisible());

    // Options saved by anyone show at once.
    QSettings &settings = window->hub().defaults().settings();
    PrintOptionsStore::savePrintStyle(settings, PrintValue::StyleHagaki);
    QVariantMap options = PrintOptionsStore::load(settings);
    QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
    hagaki.insert(PrintKey::HagakiType, PrintValue::HagakiTypeGeneral);
    options.insert(PrintKey::Hagaki, hagaki);
    PrintOptionsStore::save(settings, options);
    EXPECT_EQ(preview(window).content().options.value(PrintKey::Hagaki).toMap().value(PrintKey::HagakiType),
        PrintValue::HagakiTypeGeneral);
    EXPECT_EQ(preview(window).document().paperName(), PaperSizes::Postcard);
}

// A window opens with its first row selected before it is shown, as `corvanthe FILE` does; a scene or a
// caller may choose another row before showing it. The preview shows that row's card from the start.
TEST_F(PrintPreviewTest, ARowSelectedBeforeTheWindowIsShownIsPreviewedOnShow)
{
    for (const bool showSelection : { false, true }) {
        auto document = std::make_unique<Document>();
        DocumentError error;
        const QString path = writeFile(dir, u"cards.vcf"_s, postcardFile());
        ASSERT_TRUE(document->readFromURL(path, ContactFileDialog::documentType(path), &error));
        auto *window = new DocumentWindow(std::move(document), *defaults);
        window->resize(1100, 700);
        window->hub().setSelectedRows({ 1 });
        if (showSelection)
            window->tableView()->showSelection({ 1 });
        show(window);
        QApplication::processEvents();
        const QStringList shown = shownNames(window);
        ASSERT_EQ(shown.size(), 3);
        EXPECT_EQ(window->hub().selectedRows(), QList<int> { 1 }) << showSelection;
        EXPECT_EQ(receiverName(window), shown.at(1)) << showSelection;
        EXPECT_GT(inkIn(window, { 100, 80, 100, 270 }), 50) << showSelection;
        window->close();
        QApplication::processEvents();
    }
}

TEST_F(PrintPreviewTest, DraggingABlockInLayoutModeStoresItInTheContactAsOneUndoStep)
{
    DocumentWindow *window = openPostcards();
    ASSERT_TRUE(window);
    selectRows(window, { 0 });
    QAction *layout = window->actions()->action(Command::ToggleLayout);
    ASSERT_TRUE(layout->isVisible());
    layout->trigger();
    EXPECT_TRUE(print(window).isLayoutMode());
    EXPECT_FALSE(window->hub().editState());
    EXPECT_FALSE(window->actions()->action(Command::ToggleEdit)->isEnabled());
    EXPECT_EQ(layout->text(), u"Lock"_s);

    PreviewView &view = preview(window);
    ASSERT_FALSE(view.editor().blocks().isEmpty());
    const QRectF before = view.editor().blocks().first().rect;
    const QPointF grab = view.toWidget(before.center());
    sendMouse(&view, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    ASSERT_TRUE(view.editor().selectedBlock());
    EXPECT_EQ(view.cursor().shape(), Qt::ClosedHandCursor);
    const qreal scale = view.pageRect().width() / view.paperSize().width();
    for (int step = 1; step <= 5; ++step)
        sendMouse(
            &view, QEvent::MouseMove, grab + QPointF(-4 * step * scale, 2 * step * scale), Qt::LeftButton);
    sendMouse(&view, QEvent::MouseButtonRelease, grab + QPointF(-20 * scale, 10 * scale), Qt::NoButton);

    const std::shared_ptr<ZRPerson> person = window->hub().selectedContacts().first()->person;
    const QVariantMap address = person->addressValues().first().toMap();
    const QRectF stored = LayoutString::rectFromString(address.value(Key::ReceiverName).toString());
    EXPECT_NEAR(stored.x(), before.x() - 20, 0.02);
    EXPECT_NEAR(stored.y(), before.y() + 10, 0.02);
    EXPECT_TRUE(address.contains(Key::ReceiverAddress));
    EXPECT_TRUE(window->hub().viewController().isDocumentEdited());
    // The preview now draws the stored place, and keeps the block selected.
    ASSERT_TRUE(view.editor().selectedBlock());
    EXPECT_NEAR(view.editor().selectedBlock()->rect.x(), before.x() - 20, 0.02);

    // Arrow keys move the block on screen only.
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_NEAR(view.editor().selectedBlock()->rect.x(), before.x() - 19, 0.02);
    EXPECT_EQ(
        person->addressValues().first().toMap().value(Key::ReceiverName), address.value(Key::ReceiverName));

    window->hub().viewController().undo();
    QApplication::processEvents();
    EXPECT_FALSE(person->addressValues().first().toMap().contains(Key::ReceiverName));
    EXPECT_NEAR(view.editor().selectedBlock()->rect.x(), before.x(), 0.02);

    layout->trigger();
    EXPECT_FALSE(print(window).isLayoutMode());
    EXPECT_TRUE(window->hub().editState());
    EXPECT_EQ(layout->text(), u"Layout"_s);
    EXPECT_TRUE(view.editor().blocks().isEmpty());
}

TEST_F(PrintPreviewTest, PrintingOntoAFilePrinterAndExportingPdfGiveOnePagePerSelectedContact)
{
    DocumentWindow *window = openPostcards();
    ASSERT_TRUE(window);
    selectRows(window, { 0, 1, 2 });
    QSignalSpy finished(&print(window), &PrintController::finished);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString printed = dir.filePath(u"printed.pdf"_s);
    printer.setOutputFileName(printed);
    ASSERT_TRUE(print(window).printWith(&printer));
    ASSERT_TRUE(waitForRun(finished));
    EXPECT_TRUE(finished.takeFirst().at(0).toBool());
    QFile printedFile(printed);
    ASSERT_TRUE(printedFile.open(QIODevice::ReadOnly));
    const QByteArray printedBytes = printedFile.readAll();
    EXPECT_EQ(printedBytes.count("/Type /Page\n") + printedBytes.count("/Type /Page\r"), 3);

    const QString exported = dir.filePath(u"cards.pdf"_s);
    ASSERT_TRUE(print(window).exportPdfTo(exported));
    ASSERT_TRUE(waitForRun(finished));
    EXPECT_TRUE(finished.takeFirst().at(0).toBool());
    QFile pdf(exported);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    if (PdfTextSupport::havePdfToText()) {
        const std::optional<QString> text = PdfTextSupport::pdfToText(bytes);
        ASSERT_TRUE(text);
        const QString flat = QString(*text).remove(u' ').remove(u'\n');
        // In the table's order, one card a page.
        const QStringList shown = shownNames(window);
        ASSERT_EQ(shown.size(), 3);
        const auto at = [&](int i) { return flat.indexOf(shown.at(i).left(2)); };
        EXPECT_GE(at(0), 0);
        EXPECT_LT(at(0), at(1));
        EXPECT_LT(at(1), at(2));
        EXPECT_EQ(text->count(u'\f'), 3);
    }

    // A file that can't be written is said so, and nothing is left behind.
    const QString nowhere = dir.filePath(u"missing/cards.pdf"_s);
    EXPECT_FALSE(print(window).exportPdfTo(nowhere));
    QMessageBox *box = waitForMessage(u"The PDF could not be written."_s);
    ASSERT_TRUE(box);
    box->close();
    EXPECT_FALSE(QFile::exists(nowhere));
    ASSERT_EQ(finished.size(), 1);
    EXPECT_FALSE(finished.takeFirst().at(0).toBool());
}
