#pragma once

#include "document/ContactCell.h"

#include <QStyledItemDelegate>

// What every cell of the contact table shares, and the plain text cell itself: the summary row that
// spans the table, the selection background, text set line by line in bands of one line height with
// the find highlights behind it (every occurrence light grey, the current hit orange), and the
// in-place editor, whose Return and Tab move on as the table asks (moveRequested).
class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum class Move { Return, Tab };

    explicit CellDelegate(QObject *parent = nullptr);

    // The height of one text line of a row (the table's line height, not the font's).
    void setLineHeight(double height) { m_lineHeight = height; }
    double lineHeight() const { return m_lineHeight; }

    void paint(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    QWidget *createEditor(
        QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(
        QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static const QColor &occurrenceColor();
    static const QColor &currentHitColor();

    // Sets the lines of a text into the rectangle, one band of lineHeight each, behind them the find
    // highlights; lines too long for the rectangle end in an ellipsis.
    static void drawText(QPainter *painter, const QRect &rect, const QString &text, const QFont &font,
        const QColor &color, const CellHighlights &highlights, double lineHeight);

signals:
    // The editor was left with Return or Tab: its text is committed, and the table moves on.
    void moveRequested(int row, int column, CellDelegate::Move move);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

    // What a kind draws inside the cell after the background; the plain text cell draws its text.
    virtual void paintCell(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    // The part of the cell the text (and its editor) takes.
    virtual QRect textRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    void drawCellText(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
        const QRect &rect) const;
    QColor textColor(const QStyleOptionViewItem &option) const;

private:
    void paintSummary(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;

    double m_lineHeight = 24;
    mutable QPersistentModelIndex m_editing;
};
