// The find panel's window over a document window: searching in its modes, the filters, replacing,
// and the rows that only the date editor changes.

#include "ui/find/FindPanelWindow.h"

#include "document/SortValue.h"
#include "find/SearchableDocumentHub.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorPopover.h"
#include "ui/find/FindResultsModel.h"
#include "ui/window/WindowActions.h"
#include "ui/window/WindowTestSupport.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace WindowTestSupport;

namespace {

QByteArray datesFile()
{
    return (card(u"Ann Able"_s, u"TEL;TYPE=HOME:2001 1\r\nTEL;TYPE=WORK:2001 2\r\nBDAY:2001-02-03\r\n"_s)
        + card(u"Ben 2001"_s, u"NOTE:since 2001\r\n"_s))
        .toUtf8();
}

class FindPanelWindowTest : public WindowTest
{
protected:
    FindPanelWindow *openPanel(const QString &text)
    {
        window = openWindow(writeFile(dir, u"dates.vcf"_s, datesFile()));
        if (!window)
            return nullptr;
        FindPanelWindow *panel = FindPanelWindow::openOver(window->searchableHub(), text, window);
        settle(panel);
        return panel;
    }
    // Rows arrive from the event loop: waits for the last of them.
    static void settle(FindPanelWindow *panel)
    {
        EXPECT_TRUE(QTest::qWaitFor([panel] { return !panel->panel().isSearching(); }, 10000));
    }
    static QStringList shownRows(FindPanelWindow *panel)
    {
        settle(panel);
        QStringList rows;
        const QAbstractItemModel *model = panel->resultsView()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            rows << model->index(row, FindResultsModel::ItemColumn).data().toString() + u":"_s
                    + model->index(row, FindResultsModel::ValueColumn).data().toString();
        return rows;
    }
    // Chooses an entry of a filter's pull-down as a person does: the menu is built as it opens.
    static void choose(QToolButton *filter, const QString &entry)
    {
        emit filter->menu()->aboutToShow();
        for (QAction *action : filter->menu()->actions()) {
            if (action->data().toString() == entry) {
                action->trigger();
                settle(qobject_cast<FindPanelWindow *>(filter->window()));
                return;
            }
        }
        ADD_FAILURE() << "no entry " << entry.toStdString();
    }
    static QAction *entry(QToolButton *filter, const QString &entry)
    {
        emit filter->menu()->aboutToShow();
        for (QAction *action : filter->menu()->actions()) {
            if (action->data().toString() == entry)
                return action;
        }
        return nullptr;
    }
    DocumentWindow *window = nullptr;
};

} // namespace

TEST_F(FindPanelWindowTest, OpensFromTheMenuWithTheWindowsTextModalToItsWindow)
{
    window = openWindow(writeFile(dir, u"dates.vcf"_s, datesFile()));
    ASSERT_TRUE(window);
    window->findBar(); // the bar's text is where the panel starts when nothing is shared yet
    QAction *show = window->actions()->action(WindowActions::Extra::ShowFindPanel);
    ASSERT_TRUE(show->isVisible());
    show->trigger();
    auto *panel = waitForWindow<FindPanelWindow>();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    EXPECT_EQ(panel->parentWidget(), window);
    QTest::mouseClick(panel->findChild<QPushButton *>(u"findPanelDone"_s), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return visibleWindows<FindPanelWindow>().isEmpty(); }, 2000));
}

TEST_F(FindPanelWindowTest, AnInvalidPatternShowsItsErrorAndAValidOneFinds)
{
    FindPanelWindow *panel = openPanel(u"2001"_s);
    ASSERT_TRUE(panel);
    choose(panel->itemsButton(), LabelText::All);
    panel->modePopup()->setCurrentIndex(2);
    emit panel->modePopup()->activated(2);
    panel->searchField()->setText(u"20(01"_s);
    QTest::keyClick(panel->searchField(), Qt::Key_Return);
    EXPECT_TRUE(panel->errorLabel()->isVisibleTo(panel));
    EXPECT_FALSE(panel->errorLabel()->text().isEmpty());
    EXPECT_TRUE(shownRows(panel).isEmpty());

    panel->searchField()->setText(u"20\\d1 [12]"_s);
    QTest::keyClick(panel->searchField(), Qt::Key_Return);
    EXPECT_FALSE(panel->errorLabel()->isVisibleTo(panel));
    EXPECT_EQ(shownRows(panel).size(), 2) << shownRows(panel).join(u" | "_s).toStdString();
}

TEST_F(FindPanelWindowTest, FiltersNarrowTheRowsAndTitleThemselves)
{
    FindPanelWindow *panel = openPanel(u"2001"_s);
    ASSERT_TRUE(panel);
    choose(panel->itemsButton(), LabelText::All);
    const QStringList all = shownRows(panel);
    // Ben's name and note, Ann's two phones and her birthday.
    EXPECT_EQ(all.size(), 5) << all.join(u" | "_s).toStdString();

    choose(panel->itemsButton(), Ident::Phone);
    EXPECT_EQ(shownRows(panel).size(), 2);
    EXPECT_TRUE(entry(panel->itemsButton(), Ident::Phone)->isChecked());
    EXPECT_FALSE(entry(panel->itemsButton(), LabelText::All)->isChecked());
    choose(panel->labelsButton(), u"work"_s);
    EXPECT_EQ(
        shownRows(panel), QStringList { ZRPerson::localizedIdentifierForKey(Ident::Phone) + u":2001 2"_s });
    EXPECT_TRUE(panel->labelsButton()->text().contains(u"Labels - "_s));

    choose(panel->itemsButton(), Ident::Note);
    EXPECT_TRUE(panel->itemsButton()->text().contains(ZRPerson::localizedIdentifierForKey(Ident::Note)));
    EXPECT_TRUE(panel->itemsButton()->text().contains(ZRPerson::localizedIdentifierForKey(Ident::Phone)));
}

TEST_F(FindPanelWindowTest, ReplaceIsOffOnDateRowsAndReplaceAllIsOneUndoStep)
{
    FindPanelWindow *panel = openPanel(u"2001"_s);
    ASSERT_TRUE(panel);
    choose(panel->itemsButton(), LabelText::All);
    const auto &results = panel->panel().searchResults();
    int birthday = -1;
    for (int i = 0; i < results.size(); ++i) {
        if (results.at(i)->item == Ident::Birthday)
            birthday = i;
    }
    ASSERT_GE(birthday, 0);
    QTableView *view = panel->resultsView();
    view->setCurrentIndex(view->model()->index(birthday, 0));
    EXPECT_FALSE(panel->replaceButton()->isEnabled());
    view->setCurrentIndex(view->model()->index(birthday == 0 ? 1 : 0, 0));
    EXPECT_TRUE(panel->replaceButton()->isEnabled());

    // Double-clicking the birthday opens the date editor, not a text field.
    panel->activateRow(birthday);
    ASSERT_TRUE(panel->dateEditor());
    EXPECT_TRUE(panel->dateEditor()->isVisible());
    panel->dateEditor()->close();

    panel->replaceField()->setText(u"1999"_s);
    const int steps = window->hub().undoManager().undoCount();
    QTest::mouseClick(panel->replaceAllButton(), Qt::LeftButton);
    EXPECT_EQ(window->hub().undoManager().undoCount(), steps + 1);
    const ContactTable &rows = window->hub().table().contactTable();
    const auto annEntry = std::find_if(rows.begin(), rows.end(),
        [](const ContactEntryPtr &row) { return row->person->compositeName() == u"Ann Able"_s; });
    ASSERT_NE(annEntry, rows.end());
    const ZRPerson &ann = *(*annEntry)->person;
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"1999 2"_s);
    EXPECT_TRUE(ann.stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0).contains(u"2001"_s))
        << "dates are never replaced as text";
    window->hub().undo();
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"2001 2"_s);
    EXPECT_TRUE(shownRows(panel).contains(ZRPerson::localizedIdentifierForKey(Ident::Phone) + u":2001 2"_s));
}

TEST_F(FindPanelWindowTest, EveryResultRowIsPaintedNotOnlyTheFirst)
{
    FindPanelWindow *panel = openPanel(u"2001"_s);
    ASSERT_TRUE(panel);
    choose(panel->itemsButton(), LabelText::All);
    QTableView *view = panel->resultsView();
    ASSERT_GE(view->model()->rowCount(), 3);
    // Text in a cell shows as pixels that are not the background; the selection is kept off the rows
    // probed so that its colour can't pass for text.
    view->clearSelection();
    const QImage image = view->viewport()->grab().toImage();
    const QColor base = view->palette().color(QPalette::Base);
    const auto inked = [&](int row, int column) {
        const QRect rect = view->visualRect(view->model()->index(row, column)).intersected(image.rect());
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x)
                count += image.pixelColor(x, y) != base;
        }
        return count;
    };
    for (int row = 0; row < 3; ++row) {
        EXPECT_GT(inked(row, FindResultsModel::NameColumn), 0) << "row " << row;
        EXPECT_GT(inked(row, FindResultsModel::ValueColumn), 0) << "row " << row;
    }
}

namespace {

QByteArray manyContactsFile(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += card(u"Person %1"_s.arg(i), u"NOTE:alpha %1\r\nORG:Beta Works %1\r\n"_s.arg(i));
    return text.toUtf8();
}

// A panel over many contacts whose search takes many slices (the smallest each), over every field.
class FindPanelInSlicesTest : public FindPanelWindowTest
{
protected:
    static constexpr int Contacts = 600;

    std::unique_ptr<FindPanelWindow> openSlicedPanel()
    {
        window = openWindow(writeFile(dir, u"many.vcf"_s, manyContactsFile(Contacts)));
        if (!window)
            return nullptr;
        auto panel = std::make_unique<FindPanelWindow>(window->searchableHub(), u"alpha"_s, window);
        panel->panel().setSelectedItems({ LabelText::All });
        panel->panel().setSearchInSlices(true, std::chrono::nanoseconds(0));
        panel->show();
        return panel;
    }
};

} // namespace

TEST_F(FindPanelInSlicesTest, RowsArriveWhileTheSearchRunsAndReplaceAllWaitsForTheLast)
{
    const std::unique_ptr<FindPanelWindow> opened = openSlicedPanel();
    ASSERT_TRUE(opened);
    FindPanelWindow &panel = *opened;
    if (!panel.panel().editState())
        QTest::mouseClick(panel.editButton(), Qt::LeftButton);
    ASSERT_TRUE(panel.panel().editState());

    struct
    {
        int rows = -1;
        bool searching = false;
        bool replaceAll = true;
        bool progress = false;
        int currentRow = -1;
    } first;
    QObject::connect(&panel.panel(), &FindPanel::rowsAppended, &panel, [&](int from) {
        if (from != 0)
            return;
        first = { panel.resultsView()->model()->rowCount(), panel.panel().isSearching(),
            panel.replaceAllButton()->isEnabled(), panel.progressBar()->isVisibleTo(&panel),
            panel.resultsView()->currentIndex().row() };
    });
    panel.search();
    settle(&panel);
    EXPECT_GT(first.rows, 0);
    EXPECT_LT(first.rows, Contacts);
    EXPECT_TRUE(first.searching);
    EXPECT_FALSE(first.replaceAll) << "Replace All stays off until every row is there";
    EXPECT_TRUE(first.progress);
    EXPECT_EQ(first.currentRow, 0) << "the first match is selected as soon as it arrives";

    EXPECT_EQ(panel.resultsView()->model()->rowCount(), Contacts);
    EXPECT_TRUE(panel.replaceAllButton()->isEnabled());
    EXPECT_FALSE(panel.progressBar()->isVisibleTo(&panel));
    EXPECT_EQ(panel.resultsView()->currentIndex().row(), 0);
}

TEST_F(FindPanelInSlicesTest, ANewTextMidSearchGivesOnlyItsRowsInTheUsersOrder)
{
    const std::unique_ptr<FindPanelWindow> opened = openSlicedPanel();
    ASSERT_TRUE(opened);
    FindPanelWindow &panel = *opened;
    QTableView *view = panel.resultsView();
    panel.search();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount() > 0; }, 5000));
    // While the rows arrive, the user sorts by name, descending, and types another text.
    view->sortByColumn(FindResultsModel::NameColumn, Qt::DescendingOrder);
    QTest::keyClicks(panel.searchField(), u"x"_s); // typing stops the stale search at once
    const qsizetype stale = panel.panel().searchResults().size();
    QTest::qWait(50);
    EXPECT_EQ(panel.panel().searchResults().size(), stale);
    panel.searchField()->setText(u"works 1"_s);
    QTest::keyClick(panel.searchField(), Qt::Key_Return);
    const QStringList rows = shownRows(&panel);
    ASSERT_EQ(rows.size(), 111); // Beta Works 1, 10..19, 100..199
    for (const QString &row : rows)
        EXPECT_TRUE(row.contains(u"Beta Works 1"_s)) << row.toStdString();
    const QAbstractItemModel *model = view->model();
    for (int row = 1; row < model->rowCount(); ++row) {
        const QString above = model->index(row - 1, FindResultsModel::NameColumn).data().toString();
        const QString below = model->index(row, FindResultsModel::NameColumn).data().toString();
        EXPECT_GE(SortValue::collator().compare(above, below), 0) << row;
    }
    EXPECT_EQ(view->currentIndex().row(), 0);
}
