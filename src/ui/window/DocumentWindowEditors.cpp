#include "find/SearchableDocumentHub.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/FieldEditors.h"
#include "ui/info/ContactInfoPanels.h"
#include "ui/info/ContactInfoView.h"
#include "ui/info/SimpleInfoSheet.h"
#include "ui/table/ContactTableView.h"
#include "ui/tools/QrCodeSheet.h"
#include "ui/window/DocumentWindow.h"
#include "ui/window/WindowActions.h"

#include <QLayout>

// The field editors, the information panel and the simple-info sheets reach the window through the
// table's requests and the window's commands.
void DocumentWindow::connectEditors()
{
    m_infoPane->layout()->addWidget(ContactInfoPanels::makePane(*m_hub, m_infoPane));

    connect(m_table, &ContactTableView::editorRequested, this,
        [this](const CellAction &action, const QRect &cell) {
            const QRect anchor(m_table->viewport()->mapToGlobal(cell.topLeft()), cell.size());
            if (action.panel == EditorPanel::ContactInfo) {
                showContactInfoPopover(action.row, anchor);
                return;
            }
            FieldEditors::openEditorForRow(*m_hub, action.row, action.identifier, action.labelIndex, anchor,
                this, action.panel == EditorPanel::MultiValue);
        });
    connect(m_table, &ContactTableView::contextActionRequested, this,
        [this](ContactContextMenu::Action action, int row) {
            if (action == ContactContextMenu::Action::ShowQRCode) {
                QrCodeSheet::open(this, *m_hub);
            } else if (action == ContactContextMenu::Action::ShowContactInfo) {
                const QRect cell = m_table->visualRect(m_table->model()->index(row, 1));
                showContactInfoPopover(
                    row, QRect(m_table->viewport()->mapToGlobal(cell.topLeft()), cell.size()));
            }
        });

    WindowActions &a = *m_actions;
    a.setHandler(Command::ShowContact, [this] {
        const QList<int> &rows = m_hub->selectedRows();
        if (!rows.isEmpty() && rows.first() < m_hub->table().subRows().size())
            SimpleInfoSheet::showContact(*m_hub, m_hub->table().subRows().row(rows.first()), this);
    });
    a.setHandler(Command::AddContact, [this] { SimpleInfoSheet::addContact(*m_hub, this); });
}

void DocumentWindow::showContactInfoPopover(int row, const QRect &anchor)
{
    if (row < 0 || row >= m_hub->table().subRows().size())
        return;
    ContactInfoPanels::openPopover(*m_hub, m_hub->table().subRows().row(row), anchor, this);
}
