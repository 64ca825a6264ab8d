#include "ui/print/PrintController.h"

#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "document/ViewController.h"
#include "model/ZRPerson.h"
#include "print/LayoutWriteBack.h"
#include "print/PrintJob.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionsNotice.h"
#include "print/PrintOptionsStore.h"
#include "print/pdf/TextMappedPdfWriter.h"
#include "ui/dialogs/Alerts.h"
#include "ui/dialogs/ProgressTask.h"
#include "ui/print/PreviewView.h"
#include "ui/window/DocumentWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QSettings>
#include <utility>

namespace {

// The labels and the address list preview their first page; more contacts than this never fit on it.
constexpr qsizetype PreviewSheetReceivers = 200;
// Runs that end sooner than this show no progress window.
constexpr int ProgressShowDelay = 400;

// The paper each style prints on, shared by every window as the print system's setup is.
QHash<QString, PageSetup> &sharedSetups()
{
    static QHash<QString, PageSetup> setups;
    return setups;
}

PageSetup defaultSetup(const QString &style)
{
    return { PrintOptionsStore::paperNameForStyle(style), QPageLayout::Portrait };
}

} // namespace

// What one print or PDF run holds until it has ended: the pages, the device, and the file behind it.
struct PrintController::PrintRun
{
    PrintDocument document;
    std::unique_ptr<QSaveFile> file;
    std::unique_ptr<QPagedPaintDevice> ownDevice; // destroyed before the file it writes into
    std::unique_ptr<QPrinter> printer;
    QPagedPaintDevice *device = nullptr;
    bool inOrder = false;
    PrintJob::Result result;
};

PrintController::PrintController(DocumentWindow *window)
    : QObject(window)
    , m_window(window)
{
    QSettings &settings = window->hub().defaults().settings();
    m_style = PrintOptionsStore::loadPrintStyle(settings);
    // A window starts on its style's own paper.
    sharedSetups().insert(m_style, defaultSetup(m_style));
    window->setPrintStyle(m_style);

    m_preview = new PreviewView(window->previewPane());
    window->previewPane()->layout()->addWidget(m_preview);
    connect(m_preview, &PreviewView::blocksPlaced, this, &PrintController::storePlacedBlocks);

    m_task = new ProgressTask(window, this);
    m_task->setShowDelay(ProgressShowDelay);
    connect(m_task, &ProgressTask::finished, this, &PrintController::runFinished);

    m_exportPdf = new QAction(tr("Export as PDF…"), this);
    m_exportPdf->setObjectName(QStringLiteral("exportPdfAction"));
    m_exportPdf->setStatusTip(tr("Write the selected contacts' pages to a PDF file"));
    connect(m_exportPdf, &QAction::triggered, this, &PrintController::exportPdf);

    DocumentHub &hub = window->hub();
    ViewController &vc = hub.viewController();
    connect(&hub, &DocumentHub::contactsChanged, this, &PrintController::refreshPreview);
    connect(&vc, &ViewController::selectionChanged, this, &PrintController::refreshPreview);
    connect(&vc, &ViewController::postcardPreviewNeedsRefresh, this, &PrintController::refreshPreview);
    connect(&PrintOptionsNotice::instance(), &PrintOptionsNotice::printOptionsUpdated, this,
        &PrintController::refreshPreview);
    connect(&PrintOptionsNotice::instance(), &PrintOptionsNotice::printStyleChanged, this,
        &PrintController::styleChanged);
    refreshPreview();
}

PrintController::~PrintController() = default;

PageSetup PrintController::pageSetup() const
{
    if (m_style == PrintValue::StyleHagaki)
        return defaultSetup(m_style);
    return sharedSetups().value(m_style, defaultSetup(m_style));
}

void PrintController::setPageSetup(const PageSetup &setup)
{
    PageSetup stored = setup;
    if (!PageSetupDialog::styleTurns(m_style))
        stored.orientation = QPageLayout::Portrait;
    sharedSetups().insert(m_style, stored);
    refreshPreview();
}

PrintRecipients PrintController::recipients(qsizetype limit) const
{
    DocumentHub &hub = m_window->hub();
    PrintRecipients chosen;
    for (const ContactEntryPtr &entry : hub.selectedContacts()) {
        if (limit >= 0 && chosen.receivers.size() >= limit)
            break;
        if (entry && entry->person && !entry->deleted)
            chosen.receivers.append(ReceiverRecord::convertContact(entry->person));
    }
    if (PrintRecipients::styleHasSender(m_style)) {
        const ContactEntryPtr sender = hub.viewController().senderInHagakiView();
        if (sender && sender->person && !sender->deleted)
            chosen.sender = ReceiverRecord::convertContact(
                sender->person, ReceiverRecord::senderLabelIndex(sender->person));
    }
    return chosen;
}

PrintDocument PrintController::makeDocument(PrintDocument::Surface surface) const
{
    const PrintRecipients chosen = recipients();
    const PageSetup setup = pageSetup();
    PrintDocument::Request request;
    request.style = m_style;
    request.options = PrintOptionsStore::load(m_window->hub().defaults().settings());
    request.receivers = chosen.receivers;
    request.sender = chosen.sender;
    request.paperName = setup.paperName;
    request.landscape = setup.orientation == QPageLayout::Landscape;
    request.surface = surface;
    return PrintDocument::make(request);
}

void PrintController::refreshPreview()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    // Select All over a large file should not convert every contact for one page.
    PrintRecipients chosen = recipients(PreviewSheetReceivers + 1);
    const PageSetup setup = pageSetup();
    PreviewView::Content content;
    content.style = m_style;
    content.options = PrintOptionsStore::load(m_window->hub().defaults().settings());
    if (!chosen.receivers.isEmpty())
        content.receiver = chosen.receivers.takeFirst();
    content.moreReceivers = chosen.receivers;
    content.sender = chosen.sender;
    content.paperName = setup.paperName;
    content.landscape = setup.orientation == QPageLayout::Landscape;
    m_preview->setContent(content);
    // Postcards and envelopes are one contact a page, which the pane shows; a sheet of labels or a list
    // page is too small to read there.
    m_window->previewPane()->setVisible(PreviewView::styleHasLayout(m_style));
    m_refreshing = false;
}

void PrintController::styleChanged(const QString &style)
{
    if (style == m_style)
        return;
    m_style = style;
    m_window->setPrintStyle(style);
    if (m_layoutMode && !PreviewView::styleHasLayout(style))
        setLayoutMode(false);
    refreshPreview();
}

void PrintController::setLayoutMode(bool on)
{
    if (on == m_layoutMode)
        return;
    m_layoutMode = on;
    ViewController &vc = m_window->hub().viewController();
    // Blocks are placed with the table locked; leaving layout mode hands editing back.
    vc.enableEditButton(!on);
    m_window->hub().setEditState(!on);
    m_preview->setLayoutMode(on);
    m_window->setLayoutMode(on);
    if (on)
        m_preview->setFocus(Qt::OtherFocusReason);
}

void PrintController::storePlacedBlocks(
    const QList<LayoutEditor::Block> &changed, const QList<LayoutEditor::Block> &all)
{
    DocumentHub &hub = m_window->hub();
    const PreviewView::Content &content = m_preview->content();
    if (content.style == PrintValue::StyleEnvelope) {
        QSettings &settings = hub.defaults().settings();
        QVariantMap options = PrintOptionsStore::load(settings);
        const QString paper = m_preview->document().paperName();
        for (const LayoutEditor::Block &block : changed)
            options = LayoutWriteBack::withEnvelopeRect(
                options, paper, LayoutWriteBack::isSenderBlock(block.kind), block.rect);
        PrintOptionsStore::save(settings, options); // its notice redraws every preview
        return;
    }
    bool receiverSide = false;
    bool senderSide = false;
    for (const LayoutEditor::Block &block : changed)
        (LayoutWriteBack::isSenderBlock(block.kind) ? senderSide : receiverSide) = true;
    ViewController &vc = hub.viewController();
    const QString name = tr("Move Postcard Text");
    if (receiverSide && content.receiver) {
        const ContactTable selected = hub.selectedContacts();
        const ContactEntryPtr first = selected.isEmpty() ? ContactEntryPtr() : selected.first();
        LayoutWriteBack::storePostcardLayout(
            vc, first, *content.receiver, LayoutWriteBack::placedLayout(*content.receiver, all, false), name);
    }
    if (senderSide && content.sender)
        LayoutWriteBack::storePostcardLayout(vc, vc.senderInHagakiView(), *content.sender,
            LayoutWriteBack::placedLayout(*content.sender, all, true), name);
    refreshPreview();
}

void PrintController::showPageSetup()
{
    auto *dialog = new PageSetupDialog(m_style, pageSetup(), m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { setPageSetup(dialog->setup()); });
    dialog->open();
}

bool PrintController::isRunning() const
{
    return m_task->isRunning();
}

void PrintController::print()
{
    if (isRunning() || m_window->hub().selectedContacts().isEmpty())
        return;
    auto *printer = new QPrinter(QPrinter::HighResolution);
    auto *dialog = new QPrintDialog(printer, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    // Every page of the selected contacts prints: a run has no page numbers a user would know.
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog->setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    connect(dialog, &QDialog::finished, this, [this, printer](int result) {
        std::unique_ptr<QPrinter> owned(printer);
        if (result != QDialog::Accepted)
            return;
        auto run = std::make_shared<PrintRun>();
        run->printer = std::move(owned);
        run->device = run->printer.get();
        start(run, tr("Printing…"), tr("The contacts could not be printed."));
    });
    dialog->open();
}

bool PrintController::printWith(QPrinter *printer)
{
    if (!printer || isRunning())
        return false;
    auto run = std::make_shared<PrintRun>();
    run->device = printer;
    return start(run, tr("Printing…"), tr("The contacts could not be printed."));
}

void PrintController::exportPdf()
{
    if (isRunning() || m_window->hub().selectedContacts().isEmpty())
        return;
    const QString base = QFileInfo(m_window->hub().documentName()).completeBaseName();
    auto *dialog = new QFileDialog(m_window, tr("Export as PDF"),
        (base.isEmpty() ? tr("Untitled") : base) + QStringLiteral(".pdf"), tr("PDF (*.pdf)"));
    dialog->setObjectName(QStringLiteral("exportPdfDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::fileSelected, this, &PrintController::exportPdfTo);
    dialog->open();
}

bool PrintController::exportPdfTo(const QString &path)
{
    if (isRunning())
        return false;
    auto run = std::make_shared<PrintRun>();
    // Written beside the target and renamed over it only once whole: a cancelled or failed run leaves
    // any earlier file as it was.
    run->file = std::make_unique<QSaveFile>(path);
    if (!run->file->open(QIODevice::WriteOnly)) {
        const QString error = run->file->errorString();
        Alerts::show(m_window, tr("The PDF could not be written."), error);
        emit finished(false, error);
        return false;
    }
    auto writer = std::make_unique<TextMappedPdfWriter>(run->file.get());
    writer->setCreator(QStringLiteral("Corvanthe"));
    writer->setTitle(QFileInfo(path).completeBaseName());
    run->device = writer.get();
    run->ownDevice = std::move(writer);
    run->inOrder = true;
    return start(run, tr("Writing the PDF…"), tr("The PDF could not be written."));
}

bool PrintController::start(
    const std::shared_ptr<PrintRun> &run, const QString &message, const QString &failure)
{
    run->document = makeDocument(PrintDocument::Surface::Paper);
    if (!run->document.isValid() || run->document.pageCount() == 0) {
        const QString error
            = run->document.isValid() ? tr("There are no contacts to print.") : run->document.error();
        if (run->file)
            run->file->cancelWriting();
        Alerts::show(m_window, failure, error);
        emit finished(false, error);
        return false;
    }
    // A file is read from its first page; a printer's stack comes out face up, so it prints last first.
    auto *printer = dynamic_cast<QPrinter *>(run->device);
    if (printer && printer->outputFormat() == QPrinter::PdfFormat)
        run->inOrder = true;
    m_run = run;
    m_failure = failure;
    return m_task->start(
        message, [run](const std::atomic_bool *cancel, const ProgressTask::Progress &progress) {
            PrintJob::Options options;
            options.order
                = run->inOrder ? PrintJob::PageOrder::FirstSlotFirst : PrintJob::PageOrder::LastSlotFirst;
            options.cancel = cancel;
            options.progress
                = [&progress](int done, int total) { progress(total > 0 ? done * 100 / total : 100); };
            run->result = PrintJob::run(run->device, run->document.pages(), options);
        });
}

void PrintController::runFinished(bool cancelled)
{
    const std::shared_ptr<PrintRun> run = std::exchange(m_run, nullptr);
    if (!run)
        return;
    bool ok = !cancelled && run->result.ok();
    QString error = run->result.error;
    if (run->file) {
        if (ok && !run->file->commit()) {
            ok = false;
            error = run->file->errorString();
        } else if (!ok) {
            run->file->cancelWriting();
        }
    }
    if (!ok && !cancelled && !run->result.cancelled)
        Alerts::show(m_window, m_failure, error);
    emit finished(ok, error);
}
