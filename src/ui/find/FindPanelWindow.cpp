#include "ui/find/FindPanelWindow.h"

#include "document/editors/EditorContext.h"
#include "find/SearchableDocumentHub.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/FieldEditors.h"
#include "ui/find/FindResultsDelegate.h"
#include "ui/find/FindResultsModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int PanelWidth = 760;
constexpr int PanelHeight = 460;
// Typing searches once the typing pauses this long; Return searches at once.
constexpr int TypingPauseMs = 300;
// A slice of the index read between keystrokes: short enough that typing never waits on it.
constexpr std::chrono::milliseconds IndexSlice(10);

QString entryTitle(const QString &entry, bool isLabel)
{
    if (entry == LabelText::All || isLabel)
        return Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(entry));
    return FindPanel::displayName(entry);
}

} // namespace

FindPanelWindow::FindPanelWindow(SearchableDocumentHub &hub, const QString &findText, QWidget *parent)
    : QDialog(parent)
    , m_hub(hub)
    , m_panel(&hub.viewController())
{
    setObjectName(QStringLiteral("findPanel"));
    setWindowTitle(tr("Find"));
    setWindowModality(Qt::WindowModal);
    m_panel.setUpFromWindow(hub.table(), findText, hub.editState());
    // A search of every field of a large group takes a while: its rows are shown as they are found.
    m_panel.setSearchInSlices(true);
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(TypingPauseMs);
    // The first search of a large document would read every record; its index is read while the
    // panel waits for what to look for, so that search reads only the records that may hold it.
    m_indexing.setSingleShot(true);
    m_indexing.setInterval(0);
    m_indexing.start();
    buildControls();
    connectControls();
    m_search->setText(findText);
    resize(PanelWidth, PanelHeight);
    updateEditButton();
}

FindPanelWindow::~FindPanelWindow() = default;

FindPanelWindow *FindPanelWindow::openOver(
    SearchableDocumentHub &hub, const QString &findText, QWidget *window)
{
    auto *panel = new FindPanelWindow(hub, findText, window);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->search();
    panel->QDialog::open();
    return panel;
}

void FindPanelWindow::buildControls()
{
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("findPanelSearchField"));
    m_search->setPlaceholderText(tr("Search"));
    m_search->setClearButtonEnabled(true);
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("findPanelMode"));
    m_mode->addItems({ tr("Case Insensitive"), tr("Case Sensitive"), tr("Regular Expression") });
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("findPanelError"));
    m_error->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_error->setWordWrap(true);
    m_error->hide();

    const auto filterButton = [this](const QString &name) {
        auto *button = new QToolButton(this);
        button->setObjectName(name);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        // The style draws a pop-up button's arrow over the end of its title unless room is kept for it.
        button->setStyleSheet(QStringLiteral("QToolButton { padding: 2px 16px 2px 6px; }"
                                             "QToolButton::menu-indicator { subcontrol-origin: padding;"
                                             " subcontrol-position: center right; right: 4px; }"));
        auto *menu = new QMenu(button);
        button->setMenu(menu);
        connect(menu, &QMenu::aboutToShow, this, [this, button] { fillFilterMenu(button); });
        return button;
    };
    m_items = filterButton(QStringLiteral("findPanelItems"));
    m_subItems = filterButton(QStringLiteral("findPanelSubItems"));
    m_labels = filterButton(QStringLiteral("findPanelLabels"));

    m_model = new FindResultsModel(m_panel, this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("findPanelResults"));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new FindResultsDelegate(m_view));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSortingEnabled(true);
    m_view->horizontalHeader()->setSortIndicatorShown(true);
    m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(FindResultsDelegate::LineHeight);
    m_view->setWordWrap(false);
    m_view->setColumnWidth(FindResultsModel::NameColumn, 150);
    m_view->setColumnWidth(FindResultsModel::ItemColumn, 110);
    m_view->setColumnWidth(FindResultsModel::SubItemColumn, 100);
    m_view->setColumnWidth(FindResultsModel::LabelColumn, 90);

    m_previous = new QToolButton(this);
    m_previous->setObjectName(QStringLiteral("findPanelPrevious"));
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setToolTip(tr("Previous"));
    m_next = new QToolButton(this);
    m_next->setObjectName(QStringLiteral("findPanelNext"));
    m_next->setArrowType(Qt::RightArrow);
    m_next->setToolTip(tr("Next"));
    m_replace = new QLineEdit(this);
    m_replace->setObjectName(QStringLiteral("findPanelReplaceField"));
    m_replace->setPlaceholderText(tr("Replace"));
    m_replaceOne = new QPushButton(tr("Replace"), this);
    m_replaceOne->setObjectName(QStringLiteral("findPanelReplace"));
    m_replaceAll = new QPushButton(tr("All"), this);
    m_replaceAll->setObjectName(QStringLiteral("findPanelReplaceAll"));
    m_replaceAll->setToolTip(tr("Replace All"));
    m_edit = new QPushButton(this);
    m_edit->setObjectName(QStringLiteral("findPanelEdit"));
    m_done = new QPushButton(tr("Done"), this);
    m_done->setObjectName(QStringLiteral("findPanelDone"));
    for (QPushButton *button : { m_replaceOne, m_replaceAll, m_edit, m_done })
        button->setAutoDefault(false);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("findPanelProgress"));
    m_progress->setTextVisible(false);
    m_progress->setMaximumWidth(160);
    m_progress->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(m_search, 1);
    top->addWidget(m_mode);
    auto *filters = new QHBoxLayout;
    filters->addWidget(m_items);
    filters->addWidget(m_subItems);
    filters->addWidget(m_labels);
    filters->addStretch(1);
    filters->addWidget(m_progress);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_previous);
    bottom->addWidget(m_next);
    bottom->addSpacing(12);
    bottom->addWidget(m_replace, 1);
    bottom->addWidget(m_replaceOne);
    bottom->addWidget(m_replaceAll);
    bottom->addSpacing(12);
    bottom->addWidget(m_edit);
    bottom->addWidget(m_done);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_error);
    layout->addLayout(filters);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
}

void FindPanelWindow::connectControls()
{
    connect(m_search, &QLineEdit::returnPressed, this, &FindPanelWindow::search);
    connect(m_search, &QLineEdit::textEdited, this, [this] {
        // What is still being searched for is not what the field says any more.
        m_panel.cancelSearch();
        updateProgress();
        m_typingPause.start();
        m_indexing.start();
    });
    connect(&m_typingPause, &QTimer::timeout, this, &FindPanelWindow::search);
    connect(&m_indexing, &QTimer::timeout, this, [this] {
        if (!m_panel.prepareIndex(IndexSlice))
            m_indexing.start();
    });
    connect(&m_panel, &FindPanel::rowsAppended, this, &FindPanelWindow::rowsArrived);
    connect(&m_panel, &FindPanel::searchProgressed, this, &FindPanelWindow::updateProgress);
    connect(&m_panel, &FindPanel::searchFinished, this, [this] {
        updateProgress();
        updateReplaceEnabling();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        // Sorting reloads the rows: their heights and the current row are set again.
        applyRowHeights(0, m_model->rowCount() - 1);
        selectRowInView(m_panel.selectedRow());
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex &from, const QModelIndex &to) { applyRowHeights(from.row(), to.row()); });
    connect(m_mode, &QComboBox::activated, this, [this](int index) {
        m_panel.searchModePopupDidSelect(index);
        showResults();
    });
    connect(m_previous, &QToolButton::clicked, this, [this] {
        m_panel.directionButtonDidClick(0);
        selectRowInView(m_panel.selectedRow());
    });
    connect(m_next, &QToolButton::clicked, this, [this] {
        m_panel.directionButtonDidClick(1);
        selectRowInView(m_panel.selectedRow());
    });
    connect(m_replaceOne, &QPushButton::clicked, this, [this] {
        const QModelIndexList rows = m_view->selectionModel()->selectedRows();
        if (rows.isEmpty())
            return;
        m_panel.selectRow(rows.first().row());
        m_panel.replace(m_replace->text());
        selectRowInView(m_panel.selectedRow());
    });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] {
        m_panel.replaceAll(m_replace->text());
        m_view->viewport()->update();
    });
    connect(m_edit, &QPushButton::clicked, this, [this] {
        m_hub.setEditState(!m_hub.editState());
        m_panel.setEditState(m_hub.editState());
        updateEditButton();
    });
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) {
            if (m_selecting || !current.isValid())
                return;
            // A row chosen by hand: Replace starts at its first range.
            if (current.row() != m_panel.selectedRow()) {
                m_panel.selectRow(current.row());
                m_view->viewport()->update();
            }
            updateReplaceEnabling();
        });
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            activateRow(index.row());
    });
}

void FindPanelWindow::search()
{
    m_typingPause.stop();
    m_panel.textDidEnter(m_search->text());
    showResults();
}

void FindPanelWindow::rowsArrived(int first, int last)
{
    applyRowHeights(first, last);
    // The first rows of a search bring its first match, current at once.
    if (first == 0)
        selectRowInView(m_panel.selectedRow());
    updateProgress();
}

void FindPanelWindow::applyRowHeights(int first, int last)
{
    // A value of several lines takes as many line heights; the others keep the default height.
    const auto &results = m_panel.searchResults();
    for (int row = qMax(0, first); row <= last && row < results.size(); ++row) {
        const int lines = int(results.at(row)->value.count(QLatin1Char('\n'))) + 1;
        if (lines > 1 || m_view->rowHeight(row) != FindResultsDelegate::LineHeight)
            m_view->setRowHeight(row, FindResultsDelegate::LineHeight * lines);
    }
}

void FindPanelWindow::updateProgress()
{
    const bool searching = m_panel.isSearching();
    if (searching) {
        m_progress->setRange(0, int(m_panel.contactCount()));
        m_progress->setValue(int(m_panel.contactsSearched()));
    }
    m_progress->setVisible(searching);
}

void FindPanelWindow::showResults()
{
    const QString error = m_panel.errorString();
    m_error->setText(error);
    m_error->setVisible(!error.isEmpty());
    m_items->setText(m_panel.itemTitle());
    m_subItems->setText(m_panel.subItemTitle());
    m_labels->setText(m_panel.labelTitle());
    applyRowHeights(0, m_model->rowCount() - 1);
    selectRowInView(m_panel.selectedRow());
    updateProgress();
}

void FindPanelWindow::selectRowInView(int row)
{
    m_selecting = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, FindResultsModel::ValueColumn);
        m_view->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_view->scrollTo(index);
    } else {
        m_view->selectionModel()->clearSelection();
    }
    m_selecting = false;
    m_view->viewport()->update();
    updateReplaceEnabling();
}

void FindPanelWindow::updateReplaceEnabling()
{
    const int row = m_panel.selectedRow();
    const auto &results = m_panel.searchResults();
    const bool replaceable = m_panel.editState() && row >= 0 && row < results.size()
        && FindPanel::isReplaceable(*results.at(row));
    m_replaceOne->setEnabled(replaceable);
    // All means every row: not while rows are still arriving.
    m_replaceAll->setEnabled(m_panel.editState() && !results.isEmpty() && !m_panel.isSearching());
}

void FindPanelWindow::updateEditButton()
{
    const bool editing = m_hub.editState();
    m_edit->setText(editing ? tr("Lock") : tr("Edit"));
    // Red while the panel edits, grey while it doesn't, as the window's own edit line.
    m_edit->setStyleSheet(editing
            ? QStringLiteral(
                "QPushButton { border: 1px solid #d0312d; background: #fbe3e2; padding: 3px 12px; }")
            : QStringLiteral(
                "QPushButton { border: 1px solid #a0a0a0; background: #ececec; padding: 3px 12px; }"));
    m_view->setEditTriggers(editing ? QAbstractItemView::EditKeyPressed : QAbstractItemView::NoEditTriggers);
    updateReplaceEnabling();
}

void FindPanelWindow::fillFilterMenu(QToolButton *button)
{
    QMenu *menu = button->menu();
    menu->clear();
    const bool labels = button == m_labels;
    const QStringList entries = button == m_items ? m_panel.items()
        : button == m_subItems                    ? m_panel.subItemChoices()
                                                  : m_panel.labelChoices();
    const QStringList &chosen = button == m_items ? m_panel.selectedItems()
        : button == m_subItems                    ? m_panel.selectedSubItems()
                                                  : m_panel.selectedLabels();
    for (const QString &entry : entries) {
        QAction *action = menu->addAction(entryTitle(entry, labels));
        action->setCheckable(true);
        action->setChecked(chosen.contains(entry));
        action->setData(entry);
        connect(action, &QAction::triggered, this, [this, button, entry] {
            if (button == m_items)
                m_panel.itemPopupDidSelect(entry);
            else if (button == m_subItems)
                m_panel.subItemPopupDidSelect(entry);
            else
                m_panel.labelPopupDidSelect(entry);
            showResults();
        });
    }
}

void FindPanelWindow::activateRow(int row)
{
    const auto &results = m_panel.searchResults();
    if (!m_panel.editState() || row < 0 || row >= results.size())
        return;
    selectRowInView(row);
    m_panel.selectRow(row);
    const QModelIndex value = m_model->index(row, FindResultsModel::ValueColumn);
    if (FindPanel::isReplaceable(*results.at(row))) {
        m_view->edit(value);
        return;
    }
    const QRect cell = m_view->visualRect(value);
    const QRect anchor(m_view->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    const FindResultRowPtr target = results.at(row);
    m_dateEditor = FieldEditors::openDateEditor(
        m_panel.dateEditorContext(row), anchor, this, [this, target](const EditorContext &result) {
            // The rows may have been sorted while the editor was open: the row is found again.
            const int at = int(m_panel.searchResults().indexOf(target));
            if (at >= 0)
                m_panel.applyEditedDate(at, result);
        });
}
