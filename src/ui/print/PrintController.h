#pragma once

#include "print/LayoutEditor.h"
#include "print/PrintDocument.h"
#include "print/PrintRecipients.h"
#include "ui/print/PageSetupDialog.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class DocumentWindow;
class ProgressTask;
class PreviewView;
class QAction;
class QPagedPaintDevice;
class QPrinter;
class QSaveFile;

// Printing from one document window: the preview in the window's preview pane, layout mode, Page
// Setup…, Print… and Export as PDF…. It follows the selection, the stored print options and the print
// style, and writes placed blocks back (a postcard's into the contact, an envelope's into the options).
class PrintController : public QObject
{
    Q_OBJECT
public:
    explicit PrintController(DocumentWindow *window);
    ~PrintController() override;

    PreviewView *preview() const { return m_preview; }
    QAction *exportPdfAction() const { return m_exportPdf; }

    QString printStyle() const { return m_style; }
    // The paper of the current style now.
    PageSetup pageSetup() const;
    void setPageSetup(const PageSetup &setup);

    // The selected contacts as this style prints them (the first `limit` of them, when not negative).
    PrintRecipients recipients(qsizetype limit = -1) const;
    // Every page of the selected contacts; invalid (with its error) when the style can't print them.
    PrintDocument makeDocument(PrintDocument::Surface surface = PrintDocument::Surface::Paper) const;

    bool isLayoutMode() const { return m_layoutMode; }
    void setLayoutMode(bool on);

    // The commands.
    void showPageSetup();
    void print();
    void exportPdf();
    // The same runs without their dialogs: onto a printer set up by the caller, or into a PDF file.
    // Both return at once; finished() tells the end.
    bool printWith(QPrinter *printer);
    bool exportPdfTo(const QString &path);
    bool isRunning() const;

    // Shows what the selection, options, style and paper are now.
    void refreshPreview();

signals:
    // A print or PDF run ended: done, cancelled, or failed with the message shown to the user.
    void finished(bool ok, const QString &error);

private:
    struct PrintRun;
    bool start(const std::shared_ptr<PrintRun> &run, const QString &message, const QString &failure);
    void runFinished(bool cancelled);
    void storePlacedBlocks(const QList<LayoutEditor::Block> &changed, const QList<LayoutEditor::Block> &all);
    void styleChanged(const QString &style);

    DocumentWindow *m_window = nullptr;
    PreviewView *m_preview = nullptr;
    QAction *m_exportPdf = nullptr;
    ProgressTask *m_task = nullptr;
    QString m_style;
    bool m_layoutMode = false;
    bool m_refreshing = false;
    std::shared_ptr<PrintRun> m_run;
    QString m_failure;
};
