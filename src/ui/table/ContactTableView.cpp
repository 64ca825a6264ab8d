#include "ui/table/ContactTableView.h"

#include "document/ColumnLayout.h"
#include "document/DefaultsKeys.h"
#include "document/DocumentHub.h"
#include "document/TableColumns.h"
#include "ui/dialogs/Alerts.h"
#include "ui/table/CheckboxCellDelegate.h"
#include "ui/table/CheckboxTextCellDelegate.h"
#include "ui/table/LabelTextCellDelegate.h"
#include "ui/table/NameCellDelegate.h"
#include "ui/table/TableRowHeights.h"

#include <QActionGroup>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// A question asked by an operation that is run again once it is answered: the first run only
// records the question.
struct Question
{
    QString text;
    bool ask(const QString &question)
    {
        text = question;
        return false;
    }
};

} // namespace

ContactTableView::ContactTableView(DocumentHub &hub, QWidget *parent)
    : QTableView(parent)
    , m_hub(hub)
{
    m_textDelegate = new CellDelegate(this);
    m_checkboxDelegate = new CheckboxCellDelegate(this);
    m_nameDelegate = new NameCellDelegate(this);
    m_checkboxTextDelegate = new CheckboxTextCellDelegate(this);
    auto *labelText = new LabelTextCellDelegate(this);
    m_labelTextDelegate = labelText;
    setItemDelegate(m_textDelegate);
    for (CellDelegate *delegate :
        { m_textDelegate, m_checkboxDelegate, m_nameDelegate, m_checkboxTextDelegate, m_labelTextDelegate })
        connect(delegate, &CellDelegate::moveRequested, this, &ContactTableView::moveAfterEdit);
    connect(labelText, &LabelTextCellDelegate::labelPopupRequested, this, &ContactTableView::showLabelPopup);

    setModel(&m_hub.tableModel());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setShowGrid(true);
    setGridStyle(Qt::DotLine);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDropIndicatorShown(true);
    verticalHeader()->hide();
    m_rowHeights = new TableRowHeights(*verticalHeader(), m_hub.tableModel());

    QHeaderView *header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(int(ColumnLayout::SenderWidth));
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, &ContactTableView::headerClicked);
    connect(header, &QHeaderView::sectionResized, this, &ContactTableView::sectionResized);
    connect(header, &QHeaderView::sectionMoved, this, &ContactTableView::sectionMoved);

    ContactTableModel &model = m_hub.tableModel();
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_syncingSelection = true; });
    connect(&model, &QAbstractItemModel::modelReset, this, &ContactTableView::modelWasReset);
    connect(&model, &QAbstractItemModel::dataChanged, this, &ContactTableView::rowsChanged);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &ContactTableView::viewSelectionChanged);
    ContactsViewController &table = m_hub.table();
    connect(&table, &ContactsViewController::selectionRestored, this, &ContactTableView::showSelection);
    connect(&table, &ContactsViewController::scrollToRowRequested, this, &ContactTableView::scrollToRow);
    connect(&m_hub, &DocumentHub::columnsChanged, this, &ContactTableView::applyColumnLayout);
    connect(&m_hub, &DocumentHub::closed, this, &ContactTableView::saveColumns);
    // Label pop-ups and check boxes follow the edit state.
    connect(&m_hub, &DocumentHub::editStateChanged, viewport(), qOverload<>(&QWidget::update));

    applyFont();
    modelWasReset();
}

ContactTableView::~ContactTableView()
{
    delete m_rowHeights;
}

QString ContactTableView::identifierOfColumn(int column) const
{
    return m_hub.tableModel().identifierOfColumn(column);
}

int ContactTableView::subRowCount() const
{
    return int(m_hub.table().subRows().size());
}

void ContactTableView::applyFont()
{
    const QFontMetricsF metrics(font());
    TextMetrics text;
    text.ascent = metrics.ascent();
    text.descent = metrics.descent();
    text.leading = metrics.leading();
    text.pointSize = font().pointSizeF() > 0 ? font().pointSizeF() : font().pixelSize() * 0.75;
    text.horizontalAdvance = [metrics](const QString &line) { return metrics.horizontalAdvance(line); };
    m_hub.setTextMetrics(text);
    const double lineHeight = m_hub.table().rowHeight();
    for (CellDelegate *delegate :
        { m_textDelegate, m_checkboxDelegate, m_nameDelegate, m_checkboxTextDelegate, m_labelTextDelegate })
        delegate->setLineHeight(lineHeight);
    m_rowHeights->setLineHeight(lineHeight);
    horizontalHeader()->setMinimumHeight(int(lineHeight));
}

void ContactTableView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyFont();
        viewport()->update();
    }
}

CellDelegate *ContactTableView::delegateForColumn(const QString &identifier)
{
    // A column's kind follows from its field (a cell without a value draws nothing whatever its kind);
    // the summary row is drawn by every delegate.
    if (identifier == ColumnId::Sender)
        return m_checkboxDelegate;
    if (identifier == Ident::Name)
        return m_nameDelegate;
    if (identifier == Ident::Company || identifier == Ident::Renmei)
        return m_checkboxTextDelegate;
    if (TableColumns::isLabelled(identifier) || TableColumns::isAddressPart(identifier))
        return m_labelTextDelegate;
    return m_textDelegate;
}

void ContactTableView::applyColumnLayout()
{
    m_layingOut = true;
    QHeaderView *header = horizontalHeader();
    const QList<ColumnSpec> layout = m_hub.columnLayout();
    m_laidOutColumns.clear();
    for (int column = 0; column < model()->columnCount(); ++column) {
        const QString identifier = identifierOfColumn(column);
        m_laidOutColumns << identifier;
        setItemDelegateForColumn(column, delegateForColumn(identifier));
        const auto spec = std::find_if(
            layout.cbegin(), layout.cend(), [&](const ColumnSpec &c) { return c.identifier == identifier; });
        const double width
            = spec != layout.cend() && spec->width > 0 ? spec->width : ColumnLayout::DefaultWidth;
        header->resizeSection(column, int(width));
        m_hub.tableModel().setColumnWidth(column, width);
        header->setSectionResizeMode(
            column, identifier == ColumnId::Sender ? QHeaderView::Fixed : QHeaderView::Interactive);
    }
    m_layingOut = false;
    updateSortIndicator();
}

void ContactTableView::updateSortIndicator()
{
    const std::optional<SortDescriptor> sort = m_hub.sortDescriptor();
    int section = -1;
    if (sort) {
        const QList<ColumnSpec> layout = m_hub.columnLayout();
        for (int column = 0; column < model()->columnCount() && section < 0; ++column) {
            const QString identifier = identifierOfColumn(column);
            for (const ColumnSpec &spec : layout) {
                if (spec.identifier == identifier && spec.sortPrototype
                    && spec.sortPrototype->key == sort->key)
                    section = column;
            }
        }
    }
    horizontalHeader()->setSortIndicator(
        section, sort && !sort->ascending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ContactTableView::modelWasReset()
{
    m_rowHeights->reset();
    clearSpans();
    const int rows = model()->rowCount();
    if (rows > 0 && m_hub.table().isSummaryRow(rows - 1) && model()->columnCount() > 1)
        setSpan(rows - 1, 0, 1, model()->columnCount());
    if (m_laidOutColumns != m_hub.table().columns() || m_laidOutColumns.isEmpty())
        applyColumnLayout();
    else
        updateSortIndicator();
    m_syncingSelection = false;
    showSelection(m_hub.selectedRows());
}

void ContactTableView::rowsChanged(const QModelIndex &first, const QModelIndex &last)
{
    m_rowHeights->forget(first.row(), last.row());
    viewport()->update();
}

void ContactTableView::paintEvent(QPaintEvent *event)
{
    // Rows get their height when they first show, so opening never measures every row.
    const int first = rowAt(0);
    if (first >= 0) {
        int last = rowAt(viewport()->height() - 1);
        if (last < 0)
            last = model()->rowCount() - 1;
        m_rowHeights->sizeRows(first, last);
    }
    QTableView::paintEvent(event);
}

void ContactTableView::headerClicked(int section)
{
    const QString identifier = identifierOfColumn(section);
    const QList<ColumnSpec> layout = m_hub.columnLayout();
    const auto spec = std::find_if(
        layout.cbegin(), layout.cend(), [&](const ColumnSpec &c) { return c.identifier == identifier; });
    if (spec == layout.cend() || !spec->sortPrototype) {
        updateSortIndicator();
        return;
    }
    SortDescriptor descriptor = *spec->sortPrototype;
    const std::optional<SortDescriptor> current = m_hub.sortDescriptor();
    // A second click on the sorted column turns the order round.
    descriptor.ascending = current && current->key == descriptor.key ? !current->ascending : true;
    m_hub.sortBy(descriptor);
    updateSortIndicator();
}

void ContactTableView::sectionResized(int section, int, int newSize)
{
    if (m_layingOut)
        return;
    const QString identifier = identifierOfColumn(section);
    const double minimum
        = identifier == ColumnId::Sender ? ColumnLayout::SenderWidth : ColumnLayout::MinimumWidth;
    if (newSize < minimum) {
        horizontalHeader()->resizeSection(section, int(minimum));
        return;
    }
    m_hub.columnResized(identifier, newSize);
}

void ContactTableView::sectionMoved(int, int oldVisual, int newVisual)
{
    if (m_layingOut)
        return;
    // The header only shows the columns' order; the table's own list is changed instead, so the header
    // is put back and the columns are laid out again in the new order.
    m_layingOut = true;
    horizontalHeader()->moveSection(newVisual, oldVisual);
    m_layingOut = false;
    const QStringList columns = m_hub.columns();
    if (!ColumnLayout::canMoveColumn(oldVisual, newVisual, columns.size()))
        return;
    const QStringList moved = ColumnLayout::movedColumns(columns, oldVisual, newVisual);
    QTimer::singleShot(0, this, [this, moved] {
        if (m_hub.setColumns(moved))
            m_hub.saveColumns(moved);
    });
}

void ContactTableView::saveColumns()
{
    if (!m_hub.columns().isEmpty())
        m_hub.saveColumns(m_hub.columns());
}

void ContactTableView::scrollToRow(int row)
{
    if (row < 0 || row >= model()->rowCount())
        return;
    const int column
        = currentIndex().isValid() ? currentIndex().column() : std::min(1, model()->columnCount() - 1);
    scrollTo(model()->index(row, std::max(0, column)));
}

// ---- Selection

void ContactTableView::viewSelectionChanged()
{
    if (m_syncingSelection)
        return;
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    m_syncingSelection = true;
    m_hub.setSelectedRows(rows);
    m_syncingSelection = false;
}

void ContactTableView::showSelection(const QList<int> &rows)
{
    if (m_syncingSelection && !rows.isEmpty() && selectionModel()->hasSelection())
        return;
    const bool was = m_syncingSelection;
    m_syncingSelection = true;
    QItemSelection selection;
    const int columns = model()->columnCount();
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    for (qsizetype i = 0; i < sorted.size() && columns > 0;) {
        qsizetype j = i;
        while (j + 1 < sorted.size() && sorted.at(j + 1) == sorted.at(j) + 1)
            ++j;
        if (sorted.at(i) >= 0 && sorted.at(j) < model()->rowCount())
            selection.select(model()->index(sorted.at(i), 0), model()->index(sorted.at(j), columns - 1));
        i = j + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!sorted.isEmpty() && sorted.first() < model()->rowCount()) {
        const int column = currentIndex().isValid() ? currentIndex().column() : std::min(1, columns - 1);
        selectionModel()->setCurrentIndex(
            model()->index(sorted.first(), std::max(0, column)), QItemSelectionModel::NoUpdate);
    }
    m_syncingSelection = was;
}

void ContactTableView::selectAll()
{
    const int rows = subRowCount();
    if (rows == 0)
        return;
    QList<int> all(rows);
    std::iota(all.begin(), all.end(), 0);
    m_hub.setSelectedRows(all);
    showSelection(all);
}

// ---- Editing

void ContactTableView::activateCell(int row, int column, bool commandHeld)
{
    const QString identifier = identifierOfColumn(column);
    if (identifier.isEmpty() || row < 0 || row >= subRowCount())
        return;
    Question question;
    const CellAction action = m_hub.table().doubleClick(
        identifier, row, commandHeld, [&](const QString &text) { return question.ask(text); });
    if (question.text.isEmpty()) {
        perform(action, column);
        return;
    }
    Alerts::question(window(), question.text, tr("This operation can be undone."),
        [this, row, column, commandHeld, identifier](bool ok) {
            if (!ok || identifierOfColumn(column) != identifier || row >= subRowCount())
                return;
            perform(
                m_hub.table().doubleClick(identifier, row, commandHeld, [](const QString &) { return true; }),
                column);
        });
}

void ContactTableView::perform(const CellAction &action, int column)
{
    if (action.row < 0 || action.row >= model()->rowCount())
        return;
    const QModelIndex index = model()->index(action.row, column);
    switch (action.kind) {
    case CellAction::Kind::EditInPlace:
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        scrollTo(index);
        edit(index);
        break;
    case CellAction::Kind::OpenEditor:
        scrollTo(index);
        emit editorRequested(action, visualRect(index));
        break;
    case CellAction::Kind::Nothing:
        break;
    }
}

void ContactTableView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || m_hub.table().isSummaryRow(index.row()) || event->button() != Qt::LeftButton) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    // A double click on a check box or a label pop-up belongs to them.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    if (itemDelegateForIndex(index)->editorEvent(event, model(), option, index))
        return;
    activateCell(index.row(), index.column(), event->modifiers() & Qt::ControlModifier);
}

void ContactTableView::moveAfterEdit(int row, int column, CellDelegate::Move how)
{
    if (!m_hub.editState() || column < 0)
        return;
    const ContactsViewController::Move move = how == CellDelegate::Move::Return
        ? m_hub.table().moveForReturn(column, row)
        : m_hub.table().moveForTab(column, row);
    if (move.row < 0 || move.column < 0)
        return;
    const QModelIndex target = model()->index(move.row, move.column);
    if (how == CellDelegate::Move::Return || move.row != row) {
        m_hub.setSelectedRows({ move.row });
        showSelection({ move.row });
    }
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    scrollTo(target);
    if (move.edit) {
        edit(target);
        return;
    }
    // Return in a column edited in its panel opens the panel for the next row.
    if (how == CellDelegate::Move::Return) {
        const CellAction action
            = m_hub.table().editTableViewCellOrShowPopover(identifierOfColumn(move.column), move.row);
        if (action.kind == CellAction::Kind::OpenEditor)
            perform(action, move.column);
    }
}

// ---- Labels

void ContactTableView::showLabelPopup(const QModelIndex &index, const QRect &popupRect)
{
    if (!m_hub.editState() || !(index.flags() & Qt::ItemIsEditable))
        return;
    const int row = index.row();
    const int column = index.column();
    const QStringList labels = index.data(ContactTableModel::LabelListRole).toStringList();
    const QStringList shown = index.data(ContactTableModel::LocalizedLabelListRole).toStringList();
    const QString current = index.data(ContactTableModel::LabelRole).toString();
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // One label is the value's: the pop-up marks it as a choice among the others.
    auto *choices = new QActionGroup(menu);
    choices->setExclusive(true);
    const auto addLabel = [&](const QString &label, const QString &title) {
        QAction *action = menu->addAction(title);
        choices->addAction(action);
        action->setCheckable(true);
        action->setChecked(label == current);
        connect(action, &QAction::triggered, this,
            [this, row, column, label] { changeLabel(row, column, label); });
    };
    if (!current.isEmpty() && !labels.contains(current))
        addLabel(current, current);
    for (qsizetype i = 0; i < labels.size(); ++i)
        addLabel(labels.at(i), shown.value(i, labels.at(i)));
    menu->addSeparator();
    connect(menu->addAction(tr("Add Custom Label…")), &QAction::triggered, this,
        [this, row, column] { askCustomLabel(row, column); });
    menu->popup(viewport()->mapToGlobal(popupRect.bottomLeft()));
}

void ContactTableView::askCustomLabel(int row, int column)
{
    auto *dialog = new QInputDialog(window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setWindowTitle(tr("Add Custom Label…"));
    dialog->setLabelText(tr("Label:"));
    dialog->setInputMode(QInputDialog::TextInput);
    connect(dialog, &QInputDialog::textValueSelected, this, [this, row, column](const QString &text) {
        const QString label = text.trimmed();
        if (!label.isEmpty())
            changeLabel(row, column, label);
    });
    dialog->open();
}

void ContactTableView::changeLabel(int row, int column, const QString &label)
{
    const QString identifier = identifierOfColumn(column);
    if (identifier.isEmpty() || row < 0 || row >= subRowCount())
        return;
    Question question;
    if (m_hub.table().popupLabelCellChanged(
            identifier, row, label, [&](const QString &text) { return question.ask(text); })
        || question.text.isEmpty())
        return;
    Alerts::question(window(), question.text, tr("This operation can be undone."),
        [this, row, identifier, label](bool ok) {
            if (ok && row < subRowCount())
                m_hub.table().popupLabelCellChanged(
                    identifier, row, label, [](const QString &) { return true; });
        });
}
