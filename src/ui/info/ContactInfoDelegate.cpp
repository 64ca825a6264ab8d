#include "ui/info/ContactInfoDelegate.h"

#include "document/DefaultsKeys.h"
#include "model/Identifiers.h"
#include "ui/common/HighlightedCellPainter.h"
#include "ui/info/ContactInfoModel.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace {

bool isMultiLine(const ContactInfoModel *model, const QModelIndex &index)
{
    const InfoRow *row = model ? model->rowAt(index.row()) : nullptr;
    return row && index.column() == ContactInfoModel::ValueColumn
        && (row->type == Ident::Note || row->type == Ident::Renmei);
}

} // namespace

void ContactInfoDelegate::setFindString(const QString &text, Qt::CaseSensitivity cs)
{
    m_findString = text;
    m_cs = cs;
    if (text.isEmpty())
        setCurrentMatch(-1, std::nullopt);
}

void ContactInfoDelegate::setCurrentMatch(int row, const std::optional<TextSpan> &range)
{
    m_currentRow = row;
    m_currentRange = range;
}

CellHighlights ContactInfoDelegate::highlights(const QModelIndex &index) const
{
    CellHighlights marks;
    if (m_findString.isEmpty() || index.column() != ContactInfoModel::ValueColumn)
        return marks;
    const QString text = index.data(Qt::DisplayRole).toString();
    for (qsizetype at = text.indexOf(m_findString, 0, m_cs); at >= 0;
         at = text.indexOf(m_findString, at + m_findString.size(), m_cs))
        marks.occurrences.append({ at, m_findString.size() });
    if (index.row() == m_currentRow && m_currentRange && m_currentRange->end() <= text.size())
        marks.current = m_currentRange;
    return marks;
}

void ContactInfoDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const CellHighlights marks = highlights(index);
    if (marks.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    HighlightedCellPainter::paint(painter, opt, marks);
}

QWidget *ContactInfoDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *model = qobject_cast<const ContactInfoModel *>(index.model());
    const QStringList choices = index.data(ContactInfoModel::ChoicesRole).toStringList();
    if (!choices.isEmpty()) {
        auto *combo = new QComboBox(parent);
        const QStringList titles = index.data(ContactInfoModel::ChoiceTitlesRole).toStringList();
        for (int i = 0; i < choices.size(); ++i)
            combo->addItem(titles.value(i, choices.at(i)), choices.at(i));
        // A choice commits at once, as a pop-up button does.
        connect(combo, &QComboBox::activated, this, [this, combo] {
            emit const_cast<ContactInfoDelegate *>(this)->commitData(combo);
            emit const_cast<ContactInfoDelegate *>(this)->closeEditor(combo);
        });
        return combo;
    }
    if (isMultiLine(model, index)) {
        auto *text = new QPlainTextEdit(parent);
        text->setTabChangesFocus(true);
        return text;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void ContactInfoDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const QString current = index.data(Qt::EditRole).toString();
        int at = combo->findData(current);
        if (at < 0)
            at = combo->findText(current);
        combo->setCurrentIndex(std::max(0, at));
        return;
    }
    if (auto *text = qobject_cast<QPlainTextEdit *>(editor)) {
        text->setPlainText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ContactInfoDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        // The value column's pop-ups are compared by their shown titles; labels are stored words.
        const QString value = index.column() == ContactInfoModel::LabelColumn
            ? combo->currentData().toString()
            : combo->currentText();
        model->setData(index, value);
        return;
    }
    if (auto *text = qobject_cast<QPlainTextEdit *>(editor)) {
        model->setData(index, text->toPlainText());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool ContactInfoDelegate::eventFilter(QObject *object, QEvent *event)
{
    // In a text box Return starts a new line; Control+Return ends the edit.
    if (auto *text = qobject_cast<QPlainTextEdit *>(object); text && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && key->modifiers() & Qt::ControlModifier) {
            emit commitData(text);
            emit closeEditor(text);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
