#include "ui/dialogs/ExportFlow.h"

#include "ui/dialogs/Alerts.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/dialogs/ProgressTask.h"

#include <QFileInfo>

namespace {
// The CSV text is made at once nearly always; the progress window only shows for a long one.
constexpr int CsvProgressDelay = 400;
} // namespace

ExportFlow::ExportFlow(QWidget *window, ExportCommands &commands, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_commands(commands)
{
}

ExportFlow::~ExportFlow() = default;

void ExportFlow::exportToVCard(
    const ContactTable &contactTable, const ContactTable &selectedContacts, Scope scope)
{
    if (m_commands.isExporting())
        return;
    // Saving a CSV document as vCard takes every contact, whether or not any is selected.
    const ContactTable entries = scope == Scope::Everything
        ? ExportCommands::everyEntry(contactTable)
        : ExportCommands::entriesToExport(contactTable, selectedContacts);
    const ContactTable &named = selectedContacts.isEmpty() ? entries : selectedContacts;
    run(Format::VCard, entries, ExportCommands::defaultFileName(named, ExportText::VCardExtension));
}

void ExportFlow::exportToCSV(const ContactTable &contactTable, const ContactTable &selectedContacts)
{
    if (m_commands.isExporting())
        return;
    run(Format::CSV, ExportCommands::entriesToExport(contactTable, selectedContacts),
        ExportCommands::defaultFileName(selectedContacts, ExportText::CSVExtension));
}

void ExportFlow::run(Format format, const ContactTable &entries, const QString &defaultName)
{
    if (entries.isEmpty() || !m_commands.begin())
        return;
    const auto kind
        = format == Format::VCard ? ContactFileDialog::Kind::ExportVCard : ContactFileDialog::Kind::ExportCSV;
    m_panel = new ContactFileDialog(kind, nullptr, m_window);
    m_panel->setDefaultName(defaultName);
    connect(m_panel, &QDialog::finished, this, [this, format, entries](int result) {
        ContactFileDialog *panel = m_panel;
        m_panel = nullptr;
        panel->deleteLater();
        const QString path = panel->chosenFile();
        if (result != QDialog::Accepted || path.isEmpty()) {
            end(false, QString());
            return;
        }
        write(format, entries, path);
    });
    m_panel->open();
}

void ExportFlow::write(Format format, const ContactTable &entries, const QString &path)
{
    m_task = std::make_unique<ProgressTask>(m_window);
    auto text = std::make_shared<std::optional<QString>>();
    connect(m_task.get(), &ProgressTask::finished, this, [this, text, path](bool cancelled) {
        m_task.release()->deleteLater();
        // Cancelled: nothing is written, not even part of the file.
        if (cancelled || !*text) {
            end(false, path);
            return;
        }
        const CommandAlert alert = ExportCommands::writeUtf8Atomically(path, **text);
        if (alert.isSet()) {
            QMessageBox *box = Alerts::commandAlert(m_window, alert);
            connect(box, &QMessageBox::finished, this, [this, path] { end(false, path); });
            return;
        }
        end(true, path);
    });
    if (format == Format::CSV)
        m_task->setShowDelay(CsvProgressDelay);
    m_task->start(ExportText::WritingMessage.arg(QFileInfo(path).fileName()),
        [text, format, entries](const std::atomic_bool *cancel, const ProgressTask::Progress &progress) {
            if (format == Format::VCard)
                *text = ExportCommands::vCardText(entries, nullptr, cancel, progress);
            else
                *text = ExportCommands::csvText(entries);
        });
}

void ExportFlow::end(bool written, const QString &path)
{
    m_commands.end();
    emit finished(written, path);
}
