#pragma once

#include "document/ContactCell.h"
#include "document/ContactContextMenu.h"
#include "document/ContactTransfer.h"
#include "ui/table/CellDelegate.h"

#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>
#include <vector>

class DocumentHub;
class CellDelegate;
class QMenu;
class QMessageBox;
class TableRowHeights;

// The contact table of a document window: a table view over its hub's item model, with a delegate
// per kind of cell, header clicks that sort, in-place editing that reaches every selected row, copy,
// paste, dragging rows out and vCards in, and the per-column context menu.
//
// For the window:
//   copy(), copyAsCsv(), paste(), canPaste(), selectAll(): the Edit menu's commands.
//   deleteContacts(), duplicateContacts(): the Contact menu's (the selection, plus a clicked row).
//   saveColumns(): widths and order to the user defaults (also done when the hub closes).
//   contextActionRequested: a context menu entry that needs the window (contact info, QR code).
// For the editor popovers (they come later):
//   editorRequested(action, cellRect): a double click, Return or a context entry asks for the
//   action's panel at the cell's rectangle (in this view's viewport coordinates); action.rows are the
//   rows its result goes to (ContactsViewController::applyEditorResult).
// For the find bar: the model's highlight role is drawn; scrollToRow() shows a row.
// Questions ("the same value", "the same label") are window-modal boxes opened without waiting; the
// edit runs when OK is pressed.
class ContactTableView : public QTableView
{
    Q_OBJECT

public:
    explicit ContactTableView(DocumentHub &hub, QWidget *parent = nullptr);
    ~ContactTableView() override;

    DocumentHub &hub() { return m_hub; }

    // ---- Edit menu
    // The selected rows as text in the table's columns: tab-separated, or comma-separated (CSV).
    void copy();
    void copyAsCsv();
    // Adds the vCards on the clipboard (as vCard data, as text, or as .vcf/.csv files) to the group
    // shown, the way a drop does; true when any were added.
    bool paste();
    bool canPaste() const;
    // Shows the rows the hub selected (at open, after a rebuild).
    void showSelection(const QList<int> &rows);
    void selectAll() override;
    // What dragging the selected rows out carries (the caller owns it); null with nothing selected.
    QMimeData *dragDataForSelection();

    // ---- Contact commands: the selected contacts plus the clicked row (-1 for none)
    void deleteContacts(int clickedRow = -1);
    void duplicateContacts(int clickedRow = -1);

    // ---- Columns
    void saveColumns();
    void scrollToRow(int row);

    // The row a context menu was last opened on (-1 when none).
    int clickedRow() const { return m_clickedRow; }
    // Builds the context menu of a cell as it would be shown (the caller owns it); null for none.
    QMenu *contextMenuForCell(int row, int column);
    // A label chosen in a cell's pop-up: asks first when several rows are selected.
    void changeLabel(int row, int column, const QString &label);
    // A double click on a cell, as the mouse gives it (commandHeld: Ctrl).
    void activateCell(int row, int column, bool commandHeld);

signals:
    void editorRequested(const CellAction &action, const QRect &cellRect);
    void contextActionRequested(ContactContextMenu::Action action, int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void applyFont();
    void applyColumnLayout();
    void updateSortIndicator();
    void modelWasReset();
    void rowsChanged(const QModelIndex &first, const QModelIndex &last);
    void headerClicked(int section);
    void sectionResized(int section, int oldSize, int newSize);
    void sectionMoved(int section, int oldVisual, int newVisual);
    void viewSelectionChanged();
    void moveAfterEdit(int row, int column, CellDelegate::Move move);
    void showLabelPopup(const QModelIndex &index, const QRect &popupRect);
    void askCustomLabel(int row, int column);
    void perform(const CellAction &action, int column);
    void runContextEntry(const ContactContextMenu::Entry &entry, int row, int column);
    void openPanel(const QString &title, int row, int column);
    void runItemOperation(const QString &title, int row, int column);
    void copyWithSeparator(const QString &separator);
    QString identifierOfColumn(int column) const;
    int subRowCount() const;
    ContactTransfer::DropTarget dropTargetAt(const QPoint &position, bool fromThisTable) const;
    bool acceptData(const QMimeData &data, const QPoint &position, bool fromThisTable);
    CellDelegate *delegateForColumn(const QString &identifier);

    DocumentHub &m_hub;
    CellDelegate *m_textDelegate = nullptr;
    CellDelegate *m_checkboxDelegate = nullptr;
    CellDelegate *m_nameDelegate = nullptr;
    CellDelegate *m_checkboxTextDelegate = nullptr;
    CellDelegate *m_labelTextDelegate = nullptr;
    TableRowHeights *m_rowHeights = nullptr;
    QTemporaryDir m_dragFolder;
    QStringList m_laidOutColumns;
    int m_clickedRow = -1;
    bool m_syncingSelection = false;
    bool m_layingOut = false;
};
