#include "find/SearchableDocumentHub.h"
#include "ui/find/FindBar.h"
#include "ui/find/FindPanelWindow.h"
#include "ui/find/SharedFindText.h"
#include "ui/info/ContactInfoView.h"
#include "ui/table/ContactTableView.h"
#include "ui/window/DocumentWindow.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// The text Use Selection for Find takes: the selected text of the field being typed in, else the text
// of the table's current cell.
QString selectedText(QWidget *focus, ContactTableView *table)
{
    if (auto *line = qobject_cast<QLineEdit *>(focus); line && line->hasSelectedText())
        return line->selectedText();
    if (auto *text = qobject_cast<QTextEdit *>(focus); text && text->textCursor().hasSelection())
        return text->textCursor().selectedText();
    const QModelIndex current = table->currentIndex();
    return current.isValid() ? current.data(Qt::DisplayRole).toString().section(u'\n', 0, 0).trimmed()
                             : QString();
}

} // namespace

// The find bar sits above the table, the Find menu and the toolbar's Find button reach it, and the find
// panel opens over the window. What the bar searches follows the panes: while the information pane shows,
// only its contact.
void DocumentWindow::connectFind()
{
    FindController &find = m_hub->findController();
    m_findBar = new FindBar(find, this);
    m_findBar->setFocusAfterClose(m_table);
    auto *tableColumn = new QWidget(this);
    tableColumn->setObjectName(QStringLiteral("tableColumn"));
    auto *column = new QVBoxLayout(tableColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const int at = m_splitter->indexOf(m_table);
    m_splitter->replaceWidget(at, tableColumn);
    column->addWidget(m_findBar);
    column->addWidget(m_table, 1);

    const auto followPanes = [this, &find] {
        find.setContactInfoVisible(isContactInfoVisible());
        auto *pane = m_infoPane->findChild<ContactInfoView *>();
        find.setPanelContact(pane ? pane->contact() : nullptr);
        m_findBar->setEditState(m_hub->editState());
    };
    followPanes();
    connect(this, &DocumentWindow::actionsRefreshed, this, followPanes);
    connect(&find, &FindController::findBarVisibilityChanged, this, &DocumentWindow::setFindBarVisible);
    connect(&find, &FindController::sharedFindTextChanged, this, &SharedFindText::setText);
    // The information pane shades the find text too, and shows the match when it holds it.
    connect(
        &find, &FindController::findStringChanged, this, [this](const QString &text, const QString &option) {
            if (auto *pane = m_infoPane->findChild<ContactInfoView *>())
                pane->setFindString(
                    text, option == FindOption::CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
        });
    connect(&find, &FindController::matchSelected, this, [this](const FindMatch &match, bool inPanel) {
        auto *pane = m_infoPane->findChild<ContactInfoView *>();
        if (!pane || !pane->contact() || pane->contact()->uniqueId != match.uniqueId
            || !(inPanel || isContactInfoVisible()))
            return;
        // The pane shows a composite field part by part: the range inside the part is the one to mark.
        FindHit hit = SearchableDocumentHub::hitOfMatch(match);
        if (match.itemRange && match.itemRange->found())
            hit.range = { match.itemRange->location, match.itemRange->length };
        pane->selectItemAndRange(hit);
    });

    using Extra = WindowActions::Extra;
    WindowActions &a = *m_actions;
    const auto perform = [this, &find, followPanes](FindMenuItem item) {
        followPanes();
        // A search still waiting for the typing pause runs first: Find Next goes on from its match.
        if (item == FindMenuItem::FindNext || item == FindMenuItem::FindPrevious)
            m_findBar->commitPendingSearch();
        find.performFindBarAction(item, SharedFindText::text());
    };
    // The toolbar's button keeps its "Find" / "✓Find" titles; the menu has its own items.
    QAction *toggle = a.action(Command::ToggleFindBar);
    toggle->setShortcut(QKeySequence());
    a.setHandler(Command::ToggleFindBar, [perform] { perform(FindMenuItem::Find); });
    a.setHandler(Extra::FindNext, [perform] { perform(FindMenuItem::FindNext); });
    a.setHandler(Extra::FindPrevious, [perform] { perform(FindMenuItem::FindPrevious); });
    a.action(Extra::FindNext)->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_G), QKeySequence(Qt::Key_F3) });
    a.action(Extra::FindPrevious)
        ->setShortcuts(
            { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G), QKeySequence(Qt::SHIFT | Qt::Key_F3) });
    a.setHandler(Extra::ShowFindPanel, [this, followPanes] {
        followPanes();
        FindPanelWindow::openOver(*m_hub,
            SharedFindText::text().isEmpty() ? m_findBar->searchField()->text() : SharedFindText::text(),
            this);
    });

    auto *findItem = new QAction(tr("Find…"), this);
    findItem->setObjectName(QStringLiteral("findItem"));
    findItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(findItem, &QAction::triggered, this, [perform] { perform(FindMenuItem::Find); });
    auto *replaceItem = new QAction(tr("Find and Replace…"), this);
    replaceItem->setObjectName(QStringLiteral("findAndReplaceItem"));
    replaceItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(replaceItem, &QAction::triggered, this, [this, perform] {
        perform(FindMenuItem::FindAndReplace);
        if (m_findBar->isShown())
            m_findBar->replaceField()->setFocus(Qt::ShortcutFocusReason);
    });
    auto *useSelection = new QAction(tr("Use Selection for Find"), this);
    useSelection->setObjectName(QStringLiteral("useSelectionForFind"));
    useSelection->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(useSelection, &QAction::triggered, this, [this, perform] {
        SharedFindText::setText(selectedText(QApplication::focusWidget(), m_table));
        perform(FindMenuItem::UseSelectionForFind);
    });
    addActions({ findItem, replaceItem, useSelection });

    if (QMenu *menu = menuBar()->findChild<QMenu *>(QStringLiteral("findMenu"))) {
        menu->removeAction(toggle);
        QAction *first = menu->actions().value(0);
        menu->insertActions(first, { findItem, replaceItem });
        menu->insertAction(a.action(Extra::ShowFindPanel), useSelection);
        menu->insertSeparator(a.action(Extra::ShowFindPanel));
    }
}
