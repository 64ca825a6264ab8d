#include "ui/tools/PostalSearchSheet.h"

#include "document/DocumentHub.h"
#include "document/WorkerPool.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "tools/PostalKeys.h"
#include "tools/ZipAddressUpdate.h"
#include "ui/tools/PostalDataInstall.h"
#include "ui/tools/PostalDataLoader.h"
#include "ui/tools/PostalResultModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

PostalSearchSheet::PostalSearchSheet(PostalDataLoader &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
{
    setWindowTitle(tr("Postal Code Search"));
    setWindowModality(Qt::WindowModal);

    m_input = new QLineEdit(this);
    m_input->setPlaceholderText(ZipText::Prompt);
    m_input->setAccessibleName(tr("ZIP or Address"));
    m_input->setClearButtonEnabled(true);
    connect(m_input, &QLineEdit::textEdited, this, &PostalSearchSheet::search);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_installButton = new QPushButton(tr("Install Postal Data…"), this);
    connect(m_installButton, &QPushButton::clicked, this,
        [this] { PostalDataInstall::chooseAndInstall(this, m_data); });

    m_model = new PostalResultModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide();
    // Every row is one line high: the view never measures thousands of rows to lay them out.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(PostalResultModel::ZipColumn,
        m_table->fontMetrics().horizontalAdvance(QStringLiteral("000-00000")) + 12);
    m_table->setColumnWidth(PostalResultModel::CompanyColumn, 160);
    m_table->setWordWrap(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAccessibleName(tr("Results"));
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) {
            if (current.isValid())
                selectRow(current.row());
        });
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        selectRow(index.row());
        if (m_confirmButton->isEnabled())
            confirm();
    });
    connect(&m_watcher, &QFutureWatcher<ZipSearchOutcome>::finished, this, &PostalSearchSheet::searchEnded);

    m_confirmButton = new QPushButton(tr("OK"), this);
    m_confirmButton->setDefault(true);
    connect(m_confirmButton, &QPushButton::clicked, this, &PostalSearchSheet::confirm);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    connect(m_cancelButton, &QPushButton::clicked, this,
        [this] { m_controller->buttonPressed(ZipSheetController::CancelButton); });

    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_installButton, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_confirmButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_input);
    layout->addLayout(statusRow);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    resize(720, 420);

    makeController();
    m_controller->windowDidLoad();
    connect(&m_data, &PostalDataLoader::textsChanged, this, [this] {
        // The national data arrived: search again in it what the field holds.
        const QString text = m_input->text();
        const int mode = m_controller->zipSearchMode();
        makeController();
        m_controller->windowDidLoad();
        setTargetString(text, mode);
        showStatus();
    });
    showStatus();
}

void PostalSearchSheet::makeController()
{
    m_controller = std::make_unique<ZipSheetController>(m_data.texts());
    m_model->setController(m_controller.get());
    connect(m_controller.get(), &ZipSheetController::tableReloaded, this, &PostalSearchSheet::showRows);
    connect(m_controller.get(), &ZipSheetController::pasteButtonEnabledChanged, m_confirmButton,
        &QPushButton::setEnabled);
    connect(m_controller.get(), &ZipSheetController::inputFieldChanged, this, [this](const QString &text) {
        if (m_input->text() != text)
            m_input->setText(text);
    });
    connect(m_controller.get(), &ZipSheetController::sheetEnded, this, [this](int code) { done(code); });
    m_confirmButton->setEnabled(m_controller->isPasteButtonEnabled());
}

PostalSearchSheet *PostalSearchSheet::open(QWidget *window, DocumentHub &hub)
{
    return open(window, hub, PostalDataLoader::instance());
}

PostalSearchSheet *PostalSearchSheet::open(QWidget *window, DocumentHub &hub, PostalDataLoader &data)
{
    data.start();
    auto *sheet
        = window ? window->findChild<PostalSearchSheet *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!sheet)
        sheet = new PostalSearchSheet(data, window);
    const ContactTable selected = hub.table().selectedSubContacts();
    const ContactEntryPtr row = selected.isEmpty() ? nullptr : selected.first();
    ZipAddressUpdate::Target target;
    if (row && row->person) {
        const QVariant value = row->person->labeledValueForIdentifierAtIndex(Ident::Address, row->labelIndex);
        const std::optional<QVariantMap> address
            = value.isValid() && !value.toMap().isEmpty() ? std::optional(value.toMap()) : std::nullopt;
        target = ZipAddressUpdate::targetForAddress(
            address, row->person->stringValueForIdentifierAtLabelIndex(Ident::Company, 0));
    }
    sheet->m_input->clear();
    sheet->makeController();
    sheet->m_controller->windowDidLoad();
    sheet->setTargetString(target.text, target.mode);
    disconnect(sheet->m_applyConnection);
    if (row) {
        QPointer<DocumentHub> guardedHub(&hub);
        sheet->m_applyConnection
            = connect(sheet, &QDialog::finished, sheet, [sheet, guardedHub, row](int code) {
                  disconnect(sheet->m_applyConnection);
                  // Locked, the document is searched but not changed, as the address editor does.
                  if (code == 1 && guardedHub && guardedHub->editState())
                      sheet->applyTo(*guardedHub, row);
              });
    }
    sheet->QDialog::open();
    sheet->m_input->setFocus();
    return sheet;
}

PostalSearchSheet *PostalSearchSheet::openForTarget(
    QWidget *window, const ZipAddressUpdate::Target &target, PostalDataLoader &data, Chosen chosen)
{
    data.start();
    auto *sheet = new PostalSearchSheet(data, window);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setTargetString(target.text, target.mode);
    connect(sheet, &QDialog::finished, sheet, [sheet, chosen = std::move(chosen)](int code) {
        int mode = 0;
        const std::optional<QVariantMap> row = sheet->m_controller->queryResultwithMode(mode);
        if (code == 1 && row && chosen)
            chosen(*row, mode);
    });
    sheet->QDialog::open();
    sheet->m_input->setFocus();
    return sheet;
}

void PostalSearchSheet::applyTo(DocumentHub &hub, const ContactEntryPtr &row)
{
    int mode = 0;
    const std::optional<QVariantMap> chosen = m_controller->queryResultwithMode(mode);
    if (!chosen || !row->person || !hub.isOpen())
        return;
    const QVariant value = row->person->labeledValueForIdentifierAtIndex(Ident::Address, row->labelIndex);
    const std::optional<QVariantMap> old
        = value.isValid() && !value.toMap().isEmpty() ? std::optional(value.toMap()) : std::nullopt;
    const QVariantMap updated = ZipAddressUpdate::labeledAddressByApplyingResult(old, *chosen, mode);
    if (old && *old == updated)
        return;
    UndoManager::Group step(hub.undoManager());
    // A contact without an address gets the found one as a new entry; replacing an entry that is not
    // there would drop the user's choice without a word.
    if (old)
        hub.viewController().undoReplaceValue(updated, Ident::Address, row);
    else
        hub.viewController().undoAddLabeledValue(updated, Ident::Address, row);
}

void PostalSearchSheet::setTargetString(const QString &text, int mode)
{
    m_controller->setZipSearchMode(mode);
    m_input->setText(text);
    search(text);
}

void PostalSearchSheet::setInputText(const QString &text)
{
    m_input->setText(text);
    search(text);
}

void PostalSearchSheet::search(const QString &text)
{
    m_controller->searchPending(text);
    m_pending = text;
    if (!m_searching)
        startSearch();
}

void PostalSearchSheet::startSearch()
{
    if (!m_pending)
        return;
    m_searchedText = *std::exchange(m_pending, std::nullopt);
    m_searchedTexts = m_controller->searchTexts();
    m_searching = true;
    m_watcher.setFuture(
        QtConcurrent::run(WorkerPool::instance(), [texts = m_searchedTexts, text = m_searchedText] {
            return ZipSheetController::search(*texts, text);
        }));
}

void PostalSearchSheet::searchEnded()
{
    m_searching = false;
    // Shown only when nothing was typed since and the data searched are still the sheet's: the found
    // lines point into them.
    if (!m_pending) {
        if (m_searchedTexts == m_controller->searchTexts())
            m_controller->showSearch(m_searchedText, m_watcher.result());
        else
            m_pending = m_searchedText;
    }
    m_searchedTexts.reset();
    if (m_pending)
        startSearch();
    else
        emit searchShown();
}

void PostalSearchSheet::selectRow(int row)
{
    // The rows on screen while a search runs belong to an earlier text: none of them is confirmed.
    if (isSearching() || row < 0 || row >= m_controller->numberOfRowsInTableView())
        return;
    m_controller->tableViewShouldSelectRow(row);
    if (m_table->currentIndex().row() != row)
        m_table->selectRow(row);
}

void PostalSearchSheet::confirm()
{
    m_controller->buttonPressed(ZipSheetController::ConfirmButton);
}

void PostalSearchSheet::showRows()
{
    m_model->reload();
}

void PostalSearchSheet::showStatus()
{
    const QString text = m_data.statusText();
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
    m_installButton->setVisible(m_data.state() != PostalDataLoader::State::Loaded
        && m_data.state() != PostalDataLoader::State::Loading);
}
