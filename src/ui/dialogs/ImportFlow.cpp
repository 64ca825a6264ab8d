#include "ui/dialogs/ImportFlow.h"

#include "ui/dialogs/Alerts.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/dialogs/ImportSheet.h"
#include "ui/dialogs/ProgressTask.h"
#include "ui/dialogs/ProgressWindow.h"
#include "ui/info/ContactInfoPanels.h"
#include "ui/info/ContactInfoView.h"

#include <QFileInfo>

namespace {
// A CSV file is read at once nearly always; the progress window only shows for a slow one.
constexpr int CsvProgressDelay = 400;

// A new offer starts with no contact shown; the one shown last is let go with its file.
void showInDetail(ImportSheet *sheet, const ContactEntryPtr &contact)
{
    if (auto *detail = qobject_cast<ContactInfoView *>(sheet->detailView()))
        detail->setContact(contact);
}
} // namespace

ImportFlow::ImportFlow(QWidget *window, ExportCommands &commands, QSettings *settings, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_commands(commands)
    , m_settings(settings)
{
}

ImportFlow::~ImportFlow() = default;

void ImportFlow::importFromVCard()
{
    run(Source::VCard);
}

void ImportFlow::importFromCSV()
{
    run(Source::CSV);
}

ImportSheet *ImportFlow::importSheet()
{
    if (!m_sheet) {
        m_sheet = new ImportSheet(m_window);
        // The clicked contact shows beside the list, read-only: it belongs to no document yet.
        ContactInfoView *detail = ContactInfoPanels::makeReadOnlyPanel(m_sheet);
        detail->setObjectName(QStringLiteral("importDetailView"));
        m_sheet->setDetailView(detail);
        connect(m_sheet, &ImportSheet::entryClicked, detail, &ContactInfoView::setContact);
    }
    return m_sheet;
}

void ImportFlow::run(Source source)
{
    if (!m_commands.begin())
        return;
    const auto kind
        = source == Source::VCard ? ContactFileDialog::Kind::ImportVCard : ContactFileDialog::Kind::ImportCSV;
    m_panel = new ContactFileDialog(kind, m_settings, m_window);
    connect(m_panel, &QDialog::finished, this, [this, source](int result) {
        ContactFileDialog *panel = m_panel;
        m_panel = nullptr;
        panel->deleteLater();
        const QString path = panel->chosenFile();
        if (result != QDialog::Accepted || path.isEmpty()) {
            end();
            return;
        }
        read(source, path, panel->encodingType());
    });
    m_panel->open();
}

void ImportFlow::read(Source source, const QString &path, TextEncoding::Number encoding)
{
    if (!m_task) {
        m_task = std::make_unique<ProgressTask>(m_window);
        connect(m_task.get(), &ProgressTask::finished, this, [this](bool cancelled) {
            // The result was handed over through the job; a cancelled read is dropped.
            ImportOffer result = std::move(*m_pending);
            m_pending.reset();
            if (cancelled || result.cancelled)
                end();
            else
                offer(result);
        });
    }
    m_pending = std::make_shared<ImportOffer>();
    std::shared_ptr<ImportOffer> slot = m_pending;
    m_task->setShowDelay(source == Source::CSV ? CsvProgressDelay : 0);
    m_task->start(ReadNoticeText::ReadingMessage.arg(QFileInfo(path).fileName()),
        [slot, source, path, encoding](
            const std::atomic_bool *cancel, const ProgressTask::Progress &progress) {
            *slot = source == Source::VCard
                ? ExportCommands::importFromVCard(path, encoding, cancel, progress)
                : ExportCommands::importFromCSV(path, encoding);
        });
}

void ImportFlow::offer(const ImportOffer &offer)
{
    if (offer.alert.isSet()) {
        QMessageBox *box = Alerts::commandAlert(m_window, offer.alert);
        connect(box, &QMessageBox::finished, this, &ImportFlow::end);
        return;
    }
    // What was skipped is said first, then the sheet offers what was read.
    Alerts::notices(m_window, offer.notices, [this, sheetFor = QPointer<ImportFlow>(this), offer] {
        if (!sheetFor)
            return;
        ImportSheet *sheet = importSheet();
        sheet->setOffer(offer.filename, offer.nameTable);
        showInDetail(sheet, nullptr);
        disconnect(sheet, &QDialog::finished, this, nullptr);
        connect(sheet, &QDialog::finished, this, [this, sheet](int result) {
            disconnect(sheet, &QDialog::finished, this, nullptr);
            const ContactTable chosen = result == ImportSheet::Selected
                ? ExportCommands::chosenForImport(sheet->nameTable(), sheet->selectedIndexes())
                : ContactTable();
            // The offered contacts that were not taken are let go with the file.
            sheet->setOffer(QString(), ContactTable());
            showInDetail(sheet, nullptr);
            end();
            if (!chosen.isEmpty())
                emit contactsChosen(chosen);
        });
        sheet->open();
    });
}

void ImportFlow::end()
{
    m_commands.end();
    emit finished();
}
