#pragma once

#include "document/SortDescriptor.h"
#include "formats/ContactContainer.h"

#include <QFont>
#include <QImage>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class ViewController;

// What one cell of the contact table shows.
struct ContactCell
{
    enum class Kind { None, Checkbox, ImageAndText, CheckboxAndText, Text, PopupAndText };
    Kind kind = Kind::None;
    QString text;
    bool editable = false;
    bool bold = false; // names are set in the bold font
    bool hasCheckbox = false; // "CheckboxAndText" shows its box only beside a text
    bool checked = false;
    QString label; // "PopupAndText": the value's label
    QStringList labels; // "PopupAndText": the labels the popup offers
    QStringList localizedLabels;
    qsizetype labelIndex = -1; // "PopupAndText": the value's own number
    bool showsThumbnail = false;
};

// The contact table without its widget: sub-rows in display order, what each cell shows, row
// heights, and the edits a user makes in cells, each sent to the window's controller as undoable
// operations. A table view (and its item model) is a thin layer over this class.
class ContactsViewController : public QObject
{
    Q_OBJECT

public:
    // Asked before a change that touches several rows; true to go ahead.
    using Confirm = std::function<bool(const QString &question)>;

    explicit ContactsViewController(ViewController &delegate, QObject *parent = nullptr);

    // ---- What the table shows
    void setContactTable(const ContactTable &table);
    const ContactTable &contactTable() const { return m_contactTable; }
    void setColumns(const QStringList &identifiers);
    const QStringList &columns() const { return m_columns; }
    void setSelectedLabels(const QStringList &labels);
    void setSortDescriptor(const std::optional<SortDescriptor> &descriptor);
    void setEditState(bool editable) { m_editState = editable; }
    bool editState() const { return m_editState; }
    void setSelectedFont(const QFont &font);
    double rowHeight() const { return m_rowHeight; }
    void setColumnWidth(const QString &identifier, double width) { m_columnWidths[identifier] = width; }
    void setFindString(const QString &text, bool caseSensitive);
    void setGroupName(const QString &name) { m_groupName = name; }

    // The sub-rows of one contact for the given columns and labels.
    static ContactTable createSubContactsFromContact(
        const ContactEntryPtr &contact, const QStringList &identifiers, const QStringList &labels);
    // Rebuilds the sub-rows, sorts them and marks every sub-row after a contact's first.
    void updateSubContactTable();
    // Rebuilds keeping the selection (by contact and value, then by index), or selects row 0.
    void updateTable();
    const ContactTable &subContactTable() const { return m_subRows; }

    // Sub-rows plus the summary row; 0 when there are no sub-rows.
    int numberOfRows() const;
    bool isSummaryRow(int row) const { return row == m_subRows.size(); }
    QString summaryText() const;
    ContactCell cell(const QString &identifier, int row) const;
    // The text a cell contributes to its row's height and to copies.
    QString cellText(const QString &identifier, int row) const;
    int numLines(int row) const;
    double heightOfRow(int row) const;
    static double rowHeightForFont(const QFont &font);

    // ---- Selection
    void setSelectedRows(const QList<int> &rows);
    const QList<int> &selectedRows() const { return m_selectedRows; }
    ContactTable selectedSubContacts() const;
    // The distinct contact entries behind the selected sub-rows.
    ContactTable selectedContacts() const;
    void selectRowIndexesWithContacts(const ContactTable &contacts);

    // ---- Edits in cells; each goes through the controller as one undo step
    // Sets the text in this cell and, when the row is selected, in every selected row. True when changed.
    bool textFieldCellChanged(const QString &identifier, int row, const QString &text);
    bool popupLabelCellChanged(
        const QString &identifier, int row, const QString &label, const Confirm &confirm);
    bool checkBoxCellChanged(const QString &identifier, int row, bool checked);

    // ---- Keyboard movement while editing
    struct Move
    {
        int row = -1;
        int column = -1;
        bool edit = false; // start editing in place (otherwise an editor popover or nothing)
    };
    Move moveForReturn(int column, int row) const;
    Move moveForTab(int column, int row) const;

signals:
    void tableReloaded();
    void selectionRestored(const QList<int> &rows);
    void senderRowFound(const ContactEntryPtr &row);

private:
    QVariantMap valueAtIndex(const QString &identifier, int row) const;
    bool shows(const QVariantMap &value) const;
    bool isShownLabel(const QString &label) const;
    QList<int> rowsForEdit(int row) const;

    ViewController &m_delegate;
    ContactTable m_contactTable;
    ContactTable m_subRows;
    QStringList m_columns;
    QStringList m_selectedLabels;
    std::optional<SortDescriptor> m_sort;
    bool m_editState = true;
    QFont m_font;
    double m_rowHeight = 24;
    QMap<QString, double> m_columnWidths;
    QString m_findString;
    bool m_findCaseSensitive = false;
    QString m_groupName;
    QList<int> m_selectedRows;
};
