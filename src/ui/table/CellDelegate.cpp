#include "ui/table/CellDelegate.h"

#include "document/ContactTableModel.h"
#include "model/Identifiers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextLayout>
#include <cmath>
#include <functional>

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
    // The clip, font and pen are this text's: a view paints its next cell with the same painter, and
    // left clipped to this cell it would draw nothing there.
    painter->save();
    painter->setFont(font);
    painter->setClipRect(rect, Qt::IntersectClip);
    const QFontMetricsF metrics(font);
    const int bands = std::max(1, int(std::lround(rect.height() / lineHeight)));
    const qsizetype paragraphs = text.count(u'\n') + 1;
    // While finding, rows grow so that long texts wrap in their column and every occurrence shows: a
    // cell with occurrences wraps its paragraphs into the room it has. Otherwise each paragraph is one
    // line, cut off with an ellipsis.
    const bool wrap = !highlights.isEmpty() && bands > paragraphs;
    int band = 0;
    const auto shadeAndDraw = [&](const QString &line, qsizetype lineStart, qsizetype lineEnd,
                                  const std::function<double(qsizetype)> &xOf, bool elide) {
        const QRectF area(rect.left(), rect.top() + band * lineHeight, rect.width(), lineHeight);
        const auto shade = [&](const TextSpan &span, const QColor &shadeColor) {
            const qsizetype start = std::max(span.start, lineStart);
            const qsizetype end = std::min(span.end(), lineEnd);
            if (end <= start)
                return;
            const double x = area.left() + xOf(start - lineStart);
            painter->fillRect(
                QRectF(x, area.top() + 2, area.left() + xOf(end - lineStart) - x, lineHeight - 4),
                shadeColor);
        };
        for (const TextSpan &span : highlights.occurrences)
            shade(span, occurrenceColor());
        if (highlights.current)
            shade(*highlights.current, currentHitColor());
        painter->setPen(color);
        const double baseline = area.top() + (lineHeight - metrics.height()) / 2 + metrics.ascent();
        painter->drawText(QPointF(area.left(), baseline),
            elide ? metrics.elidedText(line, Qt::ElideRight, area.width()) : line);
        ++band;
    };
    qsizetype paragraphStart = 0;
    while (paragraphStart <= text.size() && band < bands) {
        qsizetype paragraphEnd = text.indexOf(u'\n', paragraphStart);
        if (paragraphEnd < 0)
            paragraphEnd = text.size();
        const QString paragraph = text.mid(paragraphStart, paragraphEnd - paragraphStart);
        if (!wrap || metrics.horizontalAdvance(paragraph) <= rect.width()) {
            shadeAndDraw(
                paragraph, paragraphStart, paragraphEnd,
                [&](qsizetype i) { return metrics.horizontalAdvance(paragraph.left(i)); }, true);
        } else {
            QTextLayout layout(paragraph, font);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
                line.setLineWidth(rect.width());
            layout.endLayout();
            for (int i = 0; i < layout.lineCount() && band < bands; ++i) {
                const QTextLine line = layout.lineAt(i);
                const bool last = band == bands - 1 && i < layout.lineCount() - 1;
                // The last band that fits takes the rest of the paragraph, cut off.
                const qsizetype length = last ? paragraph.size() - line.textStart() : line.textLength();
                const qsizetype start = paragraphStart + line.textStart();
                shadeAndDraw(
                    paragraph.mid(line.textStart(), length), start, start + length,
                    [&](qsizetype x) { return line.cursorToX(int(line.textStart() + x)); }, last);
            }
        }
        paragraphStart = paragraphEnd + 1;
    }
    painter->restore();
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
