#pragma once

#include "document/ExportCommands.h"
#include "ui/dialogs/ContactFileDialog.h"

#include <QObject>
#include <QPointer>
#include <memory>

class ProgressTask;
class QWidget;

// The dialogs of "Export…" and "Export as CSV…" on one window: the save dialog ("Export As:" with the
// first selected contact's name), the writing behind the progress window ("Writing the file: ..."),
// and the alert when the file can't be saved. A cancelled export writes nothing; a written file is
// complete (it replaces the old one in one step). Shares the window's guard with its imports.
class ExportFlow : public QObject
{
    Q_OBJECT
public:
    enum class Scope {
        Selection, // the selected contacts, each once, in the order of the selection
        Everything, // every contact shown: Save As of a document read from CSV
    };

    ExportFlow(QWidget *window, ExportCommands &commands, QObject *parent = nullptr);
    ~ExportFlow() override;

    // contactTable: the entries the table shows; selectedContacts: the table's selected contacts.
    // A selection export with nothing selected does nothing.
    void exportToVCard(const ContactTable &contactTable, const ContactTable &selectedContacts,
        Scope scope = Scope::Selection);
    void exportToCSV(const ContactTable &contactTable, const ContactTable &selectedContacts);

    ContactFileDialog *savePanel() const { return m_panel; }
    ProgressTask *progressTask() const { return m_task.get(); }

signals:
    // The command ended; written tells whether path now holds the contacts.
    void finished(bool written, const QString &path);

private:
    enum class Format { VCard, CSV };
    void run(Format format, const ContactTable &entries, const QString &defaultName);
    void write(Format format, const ContactTable &entries, const QString &path);
    void end(bool written, const QString &path);

    QPointer<QWidget> m_window;
    ExportCommands &m_commands;
    QPointer<ContactFileDialog> m_panel;
    std::unique_ptr<ProgressTask> m_task;
};
