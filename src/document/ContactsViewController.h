#pragma once

#include "document/ChangeNotice.h"
#include "document/ContactCell.h"
#include "document/SortDescriptor.h"
#include "document/SubRowTable.h"
#include "document/TextMetrics.h"
#include "formats/ContactContainer.h"

#include <QMap>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

struct PreparedRows;
class ViewController;

// The contact table without its widget: sub-rows in display order, what each cell shows, row
// heights, the find highlights, and the edits a user makes in cells, each sent to the window's
// controller as undoable operations. It follows the controller's change notices: a change of
// structure rebuilds the rows, a change of values updates the rows that show the changed records.
// A table view (and its item model) is a thin layer over this class.
class ContactsViewController : public QObject
{
    Q_OBJECT

public:
    // Asked before a change that touches several rows; true to go ahead.
    using Confirm = std::function<bool(const QString &question)>;

    explicit ContactsViewController(ViewController &delegate, QObject *parent = nullptr);

    ViewController &delegate() const { return m_delegate; }

    // ---- What the table shows; each setter leaves the rebuild to the caller (updateTable)
    void setContactTable(const ContactTable &table);
    const ContactTable &contactTable() const { return m_contactTable; }
    void setColumns(const QStringList &identifiers);
    const QStringList &columns() const { return m_columns; }
    void setSelectedLabels(const QStringList &labels);
    const QStringList &selectedLabels() const { return m_selectedLabels; }
    // Where updateTable reads the selected labels again (they are application-wide and another window
    // may have changed them); without one the labels set last stay.
    void setSelectedLabelsSource(std::function<QStringList()> source) { m_labelsSource = std::move(source); }
    void setSortDescriptor(const std::optional<SortDescriptor> &descriptor);
    const std::optional<SortDescriptor> &sortDescriptor() const { return m_sort; }
    // Editing allowed: the window controller's state, which this table shows.
    void setEditState(bool editable);
    bool editState() const;

    // ---- Measuring: the window gives its table font's metrics and the widths of its columns.
    void setTextMetrics(const TextMetrics &metrics);
    const TextMetrics &textMetrics() const { return m_metrics; }
    double rowHeight() const { return m_rowHeight; }
    void setColumnWidth(const QString &identifier, double width);
    double columnWidth(const QString &identifier) const { return m_columnWidths.value(identifier, 0); }

    // ---- Find: the text every cell highlights, and the current hit
    void setFindString(const QString &text, bool caseSensitive);
    const QString &findString() const { return m_findString; }
    // Remembers the hit, selects and scrolls to the sub-row with its unique id and label index and tells
    // the controller; nothing is selected when no row matches and none was before. No hit clears it.
    void selectItemAndRange(const std::optional<FindHit> &hit);
    const std::optional<FindHit> &selectedItemAndRange() const { return m_hit; }
    CellHighlights highlights(const QString &identifier, int row) const;

    // The sub-rows of one contact for the given columns and labels.
    static ContactTable createSubContactsFromContact(
        const ContactEntryPtr &contact, const QStringList &identifiers, const QStringList &labels);
    // Rebuilds the sub-rows, sorts them and finds the sender row.
    void updateSubContactTable();
    // Rows made off the GUI thread for the next rebuild; taken only if they are what it would build.
    void offerPreparedRows(std::shared_ptr<const PreparedRows> prepared);
    // Reads the labels again, rebuilds keeping the selection (by contact and value, then by index), or
    // selects row 0.
    void updateTable();
    const ContactTable &subContactTable() const { return m_subRows.rows(); }
    const SubRowTable &subRows() const { return m_subRows; }

    // Sub-rows plus the summary row; 0 when there are no sub-rows.
    int numberOfRows() const;
    bool isSummaryRow(int row) const { return !m_subRows.isEmpty() && row == m_subRows.size(); }
    QString summaryText() const;
    ContactCell cell(const QString &identifier, int row) const;
    // The text a cell contributes to its row's height and to copies.
    QString cellText(const QString &identifier, int row) const;
    // The text an in-place editor starts from: a labelled value's own text rather than its display form.
    QString editText(const QString &identifier, int row) const;
    bool isFirstOfContact(int row) const
    {
        return m_subRows.contains(row) && m_subRows.isFirstOfContact(row);
    }
    // Lines of the row's tallest cell (and, while a find text is set, of long texts wrapped in their
    // column); measured once and kept until the row or the measures change.
    int numLines(int row) const;
    double heightOfRow(int row) const;

    // ---- Selection
    void setSelectedRows(const QList<int> &rows);
    const QList<int> &selectedRows() const { return m_selectedRows; }
    ContactTable selectedSubContacts() const;
    // The distinct contact entries behind the selected sub-rows.
    ContactTable selectedContacts() const;
    // The same for the selection plus the clicked row.
    ContactTable selectedContactsWithClickedRowIndex(int clickedRow) const;
    void selectRowIndexesWithContacts(const ContactTable &contacts);

    // ---- Sorting: a header click. Records and their values are ordered, rows rebuilt and the selected
    // contact selected again.
    void sortDescriptorsDidChange(const SortDescriptor &descriptor);

    // ---- Edits in cells; each goes through the controller as one undo step
    // Sets the text in this cell and, when the row is selected, in every selected row. True when changed.
    bool textFieldCellChanged(const QString &identifier, int row, const QString &text);
    bool popupLabelCellChanged(
        const QString &identifier, int row, const QString &label, const Confirm &confirm);
    bool checkBoxCellChanged(const QString &identifier, int row, bool checked);

    // ---- Editors
    // A double click: an editor, editing in place, or nothing; several selected rows holding a value of
    // the column are asked about first ("the same value").
    CellAction doubleClick(const QString &identifier, int row, bool commandHeld, const Confirm &confirm);
    // The field's editor popover, or editing in place, for one row.
    CellAction editTableViewCellOrShowPopover(const QString &identifier, int row) const;
    // A closing editor's result for the rows it was opened for, as one step; true when changed.
    bool applyEditorResult(const EditorResult &result, const QList<int> &rows);
    // A fresh address to fill in: ZIP "123", label "home", no number yet.
    static QVariantMap newAddressValue();

    // ---- Keyboard movement while editing
    struct Move
    {
        int row = -1;
        int column = -1;
        bool edit = false; // start editing in place (otherwise an editor popover or nothing)
    };
    Move moveForReturn(int column, int row) const;
    Move moveForTab(int column, int row) const;

    // The controller's notice: rebuild, or update the rows of the changed records.
    void applyNotice(const ChangeNotice &notice);

    // Everything the table holds of the contacts, handed over at once (the window is closing); the
    // table is left empty.
    struct Rows
    {
        ContactTable contacts;
        ContactTable subRows;
    };
    Rows takeRows();

signals:
    // The rows are about to be rebuilt, and have been: views ask for everything again.
    void tableAboutToReload();
    void tableReloaded();
    // Rows [first, last] show new values (and maybe new heights); the summary row counts as a row.
    void rowsChanged(int first, int last);
    void selectionRestored(const QList<int> &rows);
    void scrollToRowRequested(int row);
    void senderRowFound(const ContactEntryPtr &row);

private:
    QVariantMap valueAtIndex(const QString &identifier, int row) const;
    bool shows(const QVariantMap &value) const;
    bool isShownLabel(const QString &label) const;
    QList<int> rowsForEdit(int row) const;
    bool hasValueAtIndex(const QString &identifier, int row) const;
    void takeRowsOfShownGroup(bool sortRecords);
    // Updates the rows of changed records in place; false when they must be rebuilt instead.
    bool updateRowsInPlace(const ChangeNotice &notice);
    bool rowsKeepTheirLayout(const ContactEntryPtr &first, const QList<int> &rows) const;
    bool rowKeepsItsPlace(int row) const;
    void findSenderAmong(const QList<int> &rows);
    void applySelectionHints(const ChangeNotice &notice);
    void emitAllRowsChanged();
    void setSelection(const QList<int> &rows);

    ViewController &m_delegate;
    ContactTable m_contactTable;
    SubRowTable m_subRows;
    QStringList m_columns;
    QStringList m_selectedLabels;
    std::function<QStringList()> m_labelsSource;
    std::optional<SortDescriptor> m_sort;
    TextMetrics m_metrics;
    double m_rowHeight = 24;
    QMap<QString, double> m_columnWidths;
    QString m_findString;
    bool m_findCaseSensitive = false;
    std::optional<FindHit> m_hit;
    QList<int> m_selectedRows;
    std::shared_ptr<const PreparedRows> m_prepared;
};
