#pragma once

#include "document/ExportCommands.h"
#include "ui/dialogs/ContactFileDialog.h"

#include <QObject>
#include <QPointer>
#include <memory>

class ImportSheet;
class ProgressTask;
class QSettings;
class QWidget;

// The dialogs of "Import from vCard…" and "Import from CSV…" on one window, in their order: the open
// dialog with the encoding pop-up, the reading behind the progress window, an alert when the file
// offers nothing, the notices of what was skipped, then the import sheet. What the user selects
// arrives by contactsChosen(); the window adds it to its selected group as one undoable step. The
// commands share the window's guard with its exports, so no two of them overlap.
class ImportFlow : public QObject
{
    Q_OBJECT
public:
    ImportFlow(QWidget *window, ExportCommands &commands, QSettings *settings, QObject *parent = nullptr);
    ~ImportFlow() override;

    // Nothing happens while another import or export of the window runs.
    void importFromVCard();
    void importFromCSV();

    // While it is open, for tests and for the window's own checks.
    ContactFileDialog *openPanel() const { return m_panel; }
    ProgressTask *progressTask() const { return m_task.get(); }
    // Made on first use and kept for the window's life.
    ImportSheet *importSheet();

signals:
    // Never empty.
    void contactsChosen(const ContactTable &entries);
    // The command ended, whichever way.
    void finished();

private:
    enum class Source { VCard, CSV };
    void run(Source source);
    void read(Source source, const QString &path, TextEncoding::Number encoding);
    void offer(const ImportOffer &offer);
    void end();

    QPointer<QWidget> m_window;
    ExportCommands &m_commands;
    QSettings *m_settings;
    QPointer<ContactFileDialog> m_panel;
    std::unique_ptr<ProgressTask> m_task;
    std::shared_ptr<ImportOffer> m_pending; // filled by the worker, taken when it is done
    QPointer<ImportSheet> m_sheet;
};
