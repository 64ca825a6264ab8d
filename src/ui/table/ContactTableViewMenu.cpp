// The contact table's context menu: the clicked column's entries, and what each runs.

#include "document/DocumentHub.h"
#include "document/TableColumns.h"
#include "find/CellCommands.h"
#include "model/Identifiers.h"
#include "ui/dialogs/Alerts.h"
#include "ui/table/ContactTableView.h"
#include "ui/table/ItemOperationDialog.h"
#include "ui/table/TableWorkspace.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>

using Entry = ContactContextMenu::Entry;
namespace Title = ContactContextMenu::Title;

namespace {

// The mode of the replace sheet an entry opens.
QString replaceModeOf(const QString &title)
{
    if (title == Title::ReplaceLabelAndText.text())
        return ReplacePanelText::ReplaceLabelAndText.text();
    if (title == Title::PrependText.text())
        return ReplacePanelText::PrependText.text();
    if (title == Title::AppendText.text())
        return ReplacePanelText::AppendText.text();
    if (title == Title::ReplaceText.text())
        return ReplacePanelText::ReplaceText.text();
    return {};
}

} // namespace

QMenu *ContactTableView::contextMenuForCell(int row, int column)
{
    const QString identifier = identifierOfColumn(column);
    if (identifier.isEmpty() || row < 0 || row >= subRowCount())
        return nullptr;
    const QList<Entry> entries
        = ContactContextMenu::menuForCell(identifier, *m_hub.table().subRows().row(row), m_hub.editState());
    if (entries.isEmpty())
        return nullptr;
    auto *menu = new QMenu(this);
    const QString text = m_hub.table().cellText(identifier, row);
    for (const Entry &entry : entries) {
        if (entry.action == ContactContextMenu::Action::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(entry.title);
        bool enabled = entry.enabled;
        // Only what may be opened is offered as openable.
        if (entry.action == ContactContextMenu::Action::Workspace)
            enabled = enabled && TableWorkspace::urlFor(identifier, text, entry.title).isValid();
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this,
            [this, entry, row, column] { runContextEntry(entry, row, column); });
    }
    return menu;
}

void ContactTableView::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = indexAt(viewport()->mapFrom(this, event->pos()));
    if (!index.isValid() || m_hub.table().isSummaryRow(index.row()))
        return;
    m_clickedRow = index.row();
    QMenu *menu = contextMenuForCell(index.row(), index.column());
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void ContactTableView::runContextEntry(const Entry &entry, int row, int column)
{
    if (!entry.enabled || row >= subRowCount())
        return;
    const QString identifier = identifierOfColumn(column);
    using Action = ContactContextMenu::Action;
    switch (entry.action) {
    case Action::OpenEditor:
        openPanel(entry.title, row, column);
        break;
    case Action::ItemOperation:
        runItemOperation(entry.title, row, column);
        break;
    case Action::Workspace: {
        const QUrl url
            = TableWorkspace::urlFor(identifier, m_hub.table().cellText(identifier, row), entry.title);
        if (url.isValid())
            QDesktopServices::openUrl(url);
        break;
    }
    case Action::ShowContactInfo:
    case Action::ShowQRCode:
        emit contextActionRequested(entry.action, row);
        break;
    case Action::DeleteContact:
        deleteContacts(row);
        break;
    case Action::DuplicateContact:
        duplicateContacts(row);
        break;
    case Action::Separator:
        break;
    }
}

void ContactTableView::openPanel(const QString &title, int row, int column)
{
    // The "Edit" and "Add/Delete … Item" entries open the list of all the field's values; the others
    // the field's own panel, as a double click with Command held would.
    const bool allValues = title == QCoreApplication::translate("ContactContextMenu", "Open Edit Panel")
        || title == QCoreApplication::translate("ContactContextMenu", "Add/Delete Address Item")
        || title == QCoreApplication::translate("ContactContextMenu", "Add/Delete IMS Item")
        || title == QCoreApplication::translate("ContactContextMenu", "Add/Delete SNS Item");
    const QString identifier = identifierOfColumn(column);
    const auto open = [this, allValues, column](CellAction action) {
        if (action.kind == CellAction::Kind::Nothing)
            return;
        if (allValues) {
            action.kind = CellAction::Kind::OpenEditor;
            action.panel = EditorPanel::MultiValue;
        }
        perform(action, column);
    };
    QString question;
    const CellAction action = m_hub.table().doubleClick(identifier, row, true, [&](const QString &text) {
        question = text;
        return false;
    });
    if (question.isEmpty()) {
        open(action);
        return;
    }
    Alerts::question(window(), question, tr("This operation can be undone."),
        [this, open, identifier, row, column](bool ok) {
            if (ok && identifierOfColumn(column) == identifier && row < subRowCount())
                open(m_hub.table().doubleClick(identifier, row, true, [](const QString &) { return true; }));
        });
}

void ContactTableView::runItemOperation(const QString &title, int row, int column)
{
    if (!m_hub.editState())
        return;
    const QString identifier = identifierOfColumn(column);
    auto commands = std::make_shared<CellCommands>(m_hub.viewController(), m_hub.table());
    if (title == Title::AddItem.text()) {
        if (commands->insertItem(identifier, row) != CellCommands::InsertResult::NeedsEditor)
            return;
        CellAction action = m_hub.table().editTableViewCellOrShowPopover(identifier, row);
        action.kind = CellAction::Kind::OpenEditor;
        action.labelIndex = -1;
        action.rows = { row };
        if (identifier == Ident::Address || TableColumns::isAddressPart(identifier))
            action.labeledValue = ContactsViewController::newAddressValue();
        emit editorRequested(action, visualRect(model()->index(row, column)));
        return;
    }
    if (title == Title::DeleteItem.text() || title == Title::ClearText.text()) {
        QString message;
        QString informative;
        const auto record = [&](const QString &m, const QString &i) {
            message = m;
            informative = i;
            return false;
        };
        if (commands->deleteItem(identifier, row, record) || message.isEmpty())
            return;
        Alerts::question(window(), message, informative, [this, commands, identifier, row](bool ok) {
            if (ok && row < subRowCount())
                commands->deleteItem(identifier, row, [](const QString &, const QString &) { return true; });
        });
        return;
    }
    const QString mode = replaceModeOf(title);
    if (mode.isEmpty())
        return;
    std::optional<ReplacePanelRequest> asked;
    commands->replaceItem(mode, identifier, row, [&](const ReplacePanelRequest &request) {
        asked = request;
        return std::optional<ReplacePanelAnswer>();
    });
    if (!asked)
        return;
    auto *dialog = new ItemOperationDialog(*asked, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::accepted, this, [this, dialog, commands, mode, identifier, row] {
        const ReplacePanelAnswer answer = dialog->answer();
        if (row < subRowCount())
            commands->replaceItem(
                mode, identifier, row, [answer](const ReplacePanelRequest &) { return answer; });
    });
    dialog->open();
}

void ContactTableView::deleteContacts(int clickedRow)
{
    if (!m_hub.editState())
        return;
    const ContactTable contacts = clickedRow >= 0
        ? m_hub.table().selectedContactsWithClickedRowIndex(clickedRow)
        : m_hub.selectedContacts();
    if (contacts.isEmpty())
        return;
    QList<int> rows = m_hub.selectedRows();
    if (clickedRow >= 0)
        rows << clickedRow;
    const int first = rows.isEmpty() ? 0 : *std::min_element(rows.cbegin(), rows.cend());
    m_hub.viewController().deleteContacts(contacts, first);
}

void ContactTableView::duplicateContacts(int clickedRow)
{
    if (!m_hub.editState())
        return;
    const ContactTable contacts = clickedRow >= 0
        ? m_hub.table().selectedContactsWithClickedRowIndex(clickedRow)
        : m_hub.selectedContacts();
    if (!contacts.isEmpty())
        m_hub.viewController().duplicateContacts(contacts, true);
}
