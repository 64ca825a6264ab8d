#include "ui/table/CellDelegate.h"

#include "document/ContactTableModel.h"
#include "model/Identifiers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

constexpr int Margin = 4;

QString identifierAt(const QModelIndex &index)
{
    const auto *model = qobject_cast<const ContactTableModel *>(index.model());
    return model ? model->identifierOfColumn(index.column()) : QString();
}

// Fields whose values are written on several lines take a multi-line editor.
bool isMultiLineField(const QString &identifier)
{
    return identifier == Ident::Note || identifier == Ident::Street || identifier == Ident::Renmei;
}

} // namespace

CellDelegate::CellDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

const QColor &CellDelegate::occurrenceColor()
{
    static const QColor color(0xd9, 0xd9, 0xd9);
    return color;
}

const QColor &CellDelegate::currentHitColor()
{
    static const QColor color(0xff, 0x9f, 0x1a);
    return color;
}

void CellDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.data(ContactTableModel::SummaryRowRole).toBool()) {
        paintSummary(painter, option, index);
        return;
    }
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    // The kinds draw their own content; the style draws only the selection and hover.
    background.text.clear();
    background.icon = QIcon();
    background.features &= ~(QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration
        | QStyleOptionViewItem::HasDisplay);
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);
    if (index == m_editing)
        return;
    painter->save();
    paintCell(painter, option, index);
    painter->restore();
}

void CellDelegate::paintSummary(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != 0)
        return;
    painter->save();
    painter->fillRect(option.rect, option.palette.alternateBase());
    painter->setPen(option.palette.color(QPalette::PlaceholderText));
    painter->setFont(option.font);
    const QRect rect = option.rect.adjusted(Margin * 2, 0, -Margin, 0);
    painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter,
        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, rect.width()));
    painter->restore();
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize hint = index.data(Qt::SizeHintRole).toSize();
    return hint.isValid() ? hint : QStyledItemDelegate::sizeHint(option, index);
}

QColor CellDelegate::textColor(const QStyleOptionViewItem &option) const
{
    return option.palette.color(option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
}

QRect CellDelegate::textRect(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return option.rect.adjusted(Margin, 0, -Margin, 0);
}

void CellDelegate::paintCell(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    drawCellText(painter, option, index, textRect(option, index));
}

void CellDelegate::drawCellText(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index, const QRect &rect) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    QFont font = option.font;
    if (index.data(ContactTableModel::BoldRole).toBool())
        font.setBold(true);
    const auto highlights = index.data(ContactTableModel::HighlightRole).value<CellHighlights>();
    drawText(painter, rect, text, font, textColor(option), highlights, m_lineHeight);
}

void CellDelegate::drawText(QPainter *painter, const QRect &rect, const QString &text, const QFont &font,
    const QColor &color, const CellHighlights &highlights, double lineHeight)
{
    painter->setFont(font);
    const QFontMetricsF metrics(font);
    qsizetype lineStart = 0;
    double top = rect.top();
    painter->setClipRect(rect, Qt::IntersectClip);
    while (lineStart <= text.size() && top < rect.bottom()) {
        qsizetype lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QString line = text.mid(lineStart, lineEnd - lineStart);
        const QRectF band(rect.left(), top, rect.width(), lineHeight);
        const double baseline = band.top() + (lineHeight - metrics.height()) / 2 + metrics.ascent();
        const auto shade = [&](const TextSpan &span, const QColor &shadeColor) {
            const qsizetype start = std::max(span.start, lineStart);
            const qsizetype end = std::min(span.end(), lineEnd);
            if (end <= start)
                return;
            const double x = band.left() + metrics.horizontalAdvance(line.left(start - lineStart));
            const double width = metrics.horizontalAdvance(line.mid(start - lineStart, end - start));
            painter->fillRect(QRectF(x, band.top() + 2, width, lineHeight - 4), shadeColor);
        };
        for (const TextSpan &span : highlights.occurrences)
            shade(span, occurrenceColor());
        if (highlights.current)
            shade(*highlights.current, currentHitColor());
        painter->setPen(color);
        painter->drawText(
            QPointF(band.left(), baseline), metrics.elidedText(line, Qt::ElideRight, band.width()));
        lineStart = lineEnd + 1;
        top += lineHeight;
    }
}

QWidget *CellDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    QWidget *editor = nullptr;
    if (isMultiLineField(identifierAt(index)) || index.data(Qt::EditRole).toString().contains(u'\n')) {
        auto *text = new QPlainTextEdit(parent);
        text->setTabChangesFocus(true);
        text->setFrameShape(QFrame::NoFrame);
        editor = text;
    } else {
        auto *line = new QLineEdit(parent);
        line->setFrame(false);
        editor = line;
    }
    editor->setAutoFillBackground(true);
    m_editing = index;
    connect(editor, &QObject::destroyed, this, [this, index = QPersistentModelIndex(index)] {
        if (m_editing == index)
            m_editing = QPersistentModelIndex();
    });
    return editor;
}

void CellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(editor))
        plain->setPlainText(text);
}

void CellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    QString text;
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        text = line->text();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(editor))
        text = plain->toPlainText();
    else
        return;
    // The model asks the table's controller, which leaves an unchanged single cell alone.
    model->setData(index, text, Qt::EditRole);
}

void CellDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QRect rect = textRect(option, index);
    // A one-line editor sits in the first line's band; a multi-line one takes the whole cell and at
    // least three lines, so that a line break has somewhere to go.
    if (qobject_cast<QLineEdit *>(editor))
        rect.setHeight(int(m_lineHeight));
    else
        rect.setHeight(std::max(rect.height(), int(m_lineHeight * 3)));
    editor->setGeometry(rect);
}

bool CellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool multiLine = qobject_cast<QPlainTextEdit *>(editor) != nullptr;
        const bool lineBreak = key->modifiers() & (Qt::ShiftModifier | Qt::AltModifier);
        std::optional<Move> move;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !(multiLine && lineBreak))
            move = Move::Return;
        else if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier)
            move = Move::Tab;
        if (move) {
            // The commit may rebuild the rows: where the editor stood is kept as numbers.
            const int row = m_editing.row();
            const int column = m_editing.column();
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            emit moveRequested(row, column, *move);
            return true;
        }
        if (multiLine && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
            return false; // a line break in the text
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
