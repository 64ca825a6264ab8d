#pragma once

#include "document/ContactCell.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QCache>
#include <QImage>
#include <functional>

class ContactsViewController;
class ZRPerson;

// The contact table as an item model for a table view. It only presents: every edit is handed to the
// table's controller, which turns it into the window's undoable operations, and the model follows the
// controller's rebuilds (a reset) and row updates (dataChanged). data() reads one cell and never walks
// the rows; row heights come from the controller's cached line counts.
//
// Roles besides Qt's (DisplayRole, EditRole, CheckStateRole for check boxes, DecorationRole for the
// name cell's thumbnail, SizeHintRole from the row height and column width, ToolTipRole for text cut
// off in its column):
class ContactTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        // int: the cell's ContactCell::Kind (which delegate draws it).
        CellKindRole = Qt::UserRole + 1,
        // QString: the label of the value a label cell shows.
        LabelRole,
        // QStringList: the labels its pop-up offers, and their display texts in the same order.
        LabelListRole,
        LocalizedLabelListRole,
        // int: the position of the cell's label in LabelListRole, -1 when it is not among them (a custom
        // label the pop-up adds).
        CurrentLabelRole,
        // qlonglong: the value's own number ("labelIndex"), -1 for no value.
        LabelIndexRole,
        // CellHighlights: every occurrence of the find text in the cell's text and the current hit.
        HighlightRole,
        // bool: the text is set in the bold font (names).
        BoldRole,
        // bool: the row is its contact's first (the name shows; single-valued fields show).
        FirstRowOfContactRole,
        // bool: the summary row at the end; its text is in column 0's DisplayRole.
        SummaryRowRole,
        // int: text lines of the row.
        LineCountRole,
        // QString: the unique id of the row's contact.
        UniqueIdRole,
    };
    Q_ENUM(Role)

    // Asked before a label is set in several selected rows; true to go ahead.
    using Confirm = std::function<bool(const QString &question)>;

    explicit ContactTableModel(ContactsViewController &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // EditRole: the cell's text (in every selected row); CheckStateRole: the check box; LabelRole: the
    // label (asking first when several rows are selected).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;

    // Dragging rows out: text, vCards, the row indexes and a vCard file.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    void setConfirm(Confirm confirm) { m_confirm = std::move(confirm); }
    // The view tells the widths of its columns; tooltips and wrapped heights depend on them.
    void setColumnWidth(int column, double width);

    // The column's field identifier.
    QString identifierOfColumn(int column) const;

private:
    QVariant thumbnail(int row) const;
    QVariant toolTip(const ContactCell &cell, int column) const;

    struct Thumbnail
    {
        QByteArray image; // the record's bytes when decoded: a different buffer means a new photo
        QByteArray thumbnail;
        QImage decoded;
    };
    ContactsViewController &m_table;
    Confirm m_confirm;
    mutable QCache<const ZRPerson *, Thumbnail> m_thumbnails { 512 };
};
