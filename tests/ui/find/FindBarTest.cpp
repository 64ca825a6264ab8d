// The find bar in a document window, driven as a person does: keys, the Find menu, the bar's buttons.

#include "ui/find/FindBar.h"

#include "document/ContactTableModel.h"
#include "find/SearchableDocumentHub.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/find/ElidingComboBox.h"
#include "ui/find/SharedFindText.h"
#include "ui/info/ContactInfoModel.h"
#include "ui/info/ContactInfoView.h"
#include "ui/window/WindowActions.h"
#include "ui/window/WindowTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace WindowTestSupport;

namespace {

// Ann has two phone numbers (two rows of the table), both and Cid's with "55".
QByteArray phonesFile()
{
    return (card(u"Ann Able"_s, u"TEL;TYPE=HOME:555-0100\r\nTEL;TYPE=WORK:0200-55\r\n"_s)
        + card(u"Ben Brook"_s, u"TEL;TYPE=HOME:0300\r\n"_s)
        + card(u"Cid Cole"_s, u"TEL;TYPE=CELL:4455\r\n"_s))
        .toUtf8();
}

class FindBarTest : public WindowTest
{
protected:
    DocumentWindow *openPhones()
    {
        DocumentWindow *window = openWindow(writeFile(dir, u"phones.vcf"_s, phonesFile()));
        if (window && !window->hub().table().columns().contains(Ident::Phone)) {
            QStringList columns = window->hub().table().columns();
            columns << Ident::Phone;
            window->hub().setColumns(columns);
        }
        return window;
    }
    static void openBar(DocumentWindow *window)
    {
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->findBar()->height() > 10; }, 2000));
    }
    // Types into an empty search field (the shared text of an earlier step may fill it).
    static void type(DocumentWindow *window, const QString &text)
    {
        window->findBar()->searchField()->clear();
        QTest::keyClicks(window->findBar()->searchField(), text);
    }
    // The table's selected row and the current hit there.
    static std::pair<int, TextSpan> currentHit(DocumentWindow *window)
    {
        const auto &hit = window->hub().table().selectedItemAndRange();
        const QList<int> rows = window->hub().selectedRows();
        return { rows.size() == 1 ? rows.first() : -1, hit ? hit->range : TextSpan { -1, 0 } };
    }
    static QString phoneOfRow(DocumentWindow *window, int row)
    {
        return window->hub().table().cellText(Ident::Phone, row);
    }
};

} // namespace

TEST_F(FindBarTest, TypingFindsAfterAPauseAndReturnStepsThroughSubRowsAndWraps)
{
    DocumentWindow *window = openPhones();
    ASSERT_TRUE(window);
    ASSERT_EQ(window->hub().table().subContactTable().size(), 4) << "Ann's two phones are two rows";
    openBar(window);
    FindBar *bar = window->findBar();
    EXPECT_TRUE(bar->searchField()->hasFocus()) << "the bar opens ready to type";
    EXPECT_TRUE(window->actions()->action(Command::ToggleFindBar)->text().contains(u"Find"_s));

    type(window, u"55"_s);
    EXPECT_NE(window->hub().table().findString(), u"55"_s) << "no search before the typing pauses";
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->hub().table().findString() == u"55"_s; }, 2000));
    EXPECT_EQ(currentHit(window).first, 0);
    EXPECT_EQ(currentHit(window).second, (TextSpan { 0, 2 }));
    EXPECT_TRUE(bar->searchField()->hasFocus()) << "a search while typing leaves the keys in the field";

    // The cells mark every occurrence; the current one apart.
    const int phoneColumn = int(window->hub().table().columns().indexOf(Ident::Phone));
    const QModelIndex cell = window->hub().tableModel().index(0, phoneColumn);
    const auto marks = cell.data(ContactTableModel::HighlightRole).value<CellHighlights>();
    EXPECT_EQ(marks.occurrences.size(), 1);
    EXPECT_TRUE(marks.current);

    // Return: on within the cell (none left), to Ann's second row, to Cid, and round to the start.
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        bar->searchField()->setFocus();
        QTest::keyClick(bar->searchField(), Qt::Key_Return);
        const auto [row, range] = currentHit(window);
        visited << u"%1@%2"_s.arg(phoneOfRow(window, row)).arg(range.start);
    }
    EXPECT_EQ(visited, (QStringList { u"0200-55@5"_s, u"4455@2"_s, u"555-0100@0"_s, u"0200-55@5"_s }));
    EXPECT_TRUE(window->tableView()->hasFocus()) << "Return leaves the keys with the match";

    // Shift+Return goes back; Find Previous (Shift+Ctrl+G) too.
    bar->searchField()->setFocus();
    QTest::keyClick(bar->searchField(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(phoneOfRow(window, currentHit(window).first), u"555-0100"_s);
    EXPECT_EQ(currentHit(window).second.start, 1) << "backwards, the last occurrence comes first";
    QTest::keyClick(window, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(phoneOfRow(window, currentHit(window).first), u"4455"_s);
    QTest::keyClick(window, Qt::Key_F3);
    EXPECT_EQ(phoneOfRow(window, currentHit(window).first), u"555-0100"_s);

    // Escape closes: marks gone, the toolbar's button titled again, the table keeps the keys.
    bar->searchField()->setFocus();
    QTest::keyClick(bar->searchField(), Qt::Key_Escape);
    EXPECT_FALSE(bar->isShown());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bar->isVisible(); }, 2000));
    EXPECT_TRUE(window->hub().table().findString().isEmpty());
    EXPECT_TRUE(cell.data(ContactTableModel::HighlightRole).value<CellHighlights>().isEmpty());
    EXPECT_FALSE(window->windowState().findBarVisible);
}

TEST_F(FindBarTest, ReplaceOneThenAllAndOneUndoTakesBackTheWholeReplaceAll)
{
    DocumentWindow *window = openPhones();
    ASSERT_TRUE(window);
    openBar(window);
    FindBar *bar = window->findBar();
    ASSERT_TRUE(window->hub().editState());
    EXPECT_TRUE(bar->replaceButton()->isEnabled());

    type(window, u"55"_s);
    QTest::keyClick(bar->searchField(), Qt::Key_Return);
    QTest::keyClicks(bar->replaceField(), u"xx"_s);
    QTest::mouseClick(bar->replaceButton(), Qt::LeftButton);
    const ZRPerson &ann = *window->hub().table().subContactTable().at(0)->person;
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 0), u"xx5-0100"_s);
    EXPECT_EQ(phoneOfRow(window, currentHit(window).first), u"0200-55"_s) << "Replace moves on to the next";

    const int steps = window->hub().undoManager().undoCount();
    QTest::mouseClick(bar->replaceAllButton(), Qt::LeftButton);
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"0200-xx"_s);
    EXPECT_EQ(window->hub().undoManager().undoCount(), steps + 1);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"0200-55"_s);
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 0), u"xx5-0100"_s)
        << "the single Replace is an undo step of its own";

    // Locked, the bar replaces nothing.
    window->hub().setEditState(false);
    window->refreshActions();
    EXPECT_FALSE(bar->replaceButton()->isEnabled());
    EXPECT_FALSE(bar->replaceAllButton()->isEnabled());
}

TEST_F(FindBarTest, CaseOptionAndFindAndReplaceOpenTheSameBar)
{
    DocumentWindow *window = openPhones();
    ASSERT_TRUE(window);
    QTest::keyClick(window, Qt::Key_H, Qt::ControlModifier);
    FindBar *bar = window->findBar();
    ASSERT_TRUE(bar->isShown());
    EXPECT_TRUE(bar->replaceField()->hasFocus()) << "Find and Replace starts in the replace field";
    bar->searchField()->setText(u"ANN"_s);
    QTest::keyClick(bar->searchField(), Qt::Key_Return);
    EXPECT_EQ(currentHit(window).first, 0) << "case-insensitive by default";

    bar->optionPopup()->setCurrentIndex(1);
    EXPECT_FALSE(window->searchableHub().findController().caseInsensitive());
    bar->searchField()->setText(u"ANN"_s + u" "_s);
    QTest::keyClick(bar->searchField(), Qt::Key_Return);
    EXPECT_EQ(currentHit(window).first, 0) << "nothing found: the match stays";
    EXPECT_EQ(currentHit(window).second.length, 3);

    QTest::keyClick(window, Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(bar->isShown());
}

TEST_F(FindBarTest, UseSelectionForFindInOneWindowIsFoundNextInAnother)
{
    DocumentWindow *first = openPhones();
    DocumentWindow *second = openWindow(writeFile(dir, u"people.vcf"_s, groupsFile()));
    ASSERT_TRUE(first && second);

    // In the first window the current cell is Cid's name.
    ContactTableView *table = first->tableView();
    const int nameColumn = int(first->hub().table().columns().indexOf(Ident::Name));
    table->setCurrentIndex(table->model()->index(3, nameColumn));
    table->setFocus();
    first->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    QTest::keyClick(first, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(SharedFindText::text(), u"Cid Cole"_s);

    // The second window's Find Next searches for it without its bar ever being shown.
    second->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(second));
    QTest::keyClick(second, Qt::Key_G, Qt::ControlModifier);
    const QList<int> rows = second->hub().selectedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(
        second->hub().table().subContactTable().at(rows.first())->person->compositeName(), u"Cid Cole"_s);
    // Its bar, opened now, starts with that text.
    QTest::keyClick(second, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(second->findBar()->searchField()->text(), u"Cid Cole"_s);
}

TEST_F(FindBarTest, WithTheInformationPaneShownOnlyItsContactIsSearchedAndShaded)
{
    DocumentWindow *window = openPhones();
    ASSERT_TRUE(window);
    window->hub().setSelectedRows({ 0 });
    window->showContactInfo(true);
    auto *pane = window->infoPane()->findChild<ContactInfoView *>();
    ASSERT_TRUE(pane);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane->contact() != nullptr; }, 2000));
    ASSERT_EQ(pane->contact()->person->compositeName(), u"Ann Able"_s);
    openBar(window);
    type(window, u"55"_s);
    QTest::keyClick(window->findBar()->searchField(), Qt::Key_Return);

    // Every occurrence in Ann's values is shaded, one of them as the current match.
    int shaded = 0;
    int current = 0;
    for (int row = 0; row < pane->model()->rowCount(); ++row) {
        const CellHighlights marks = pane->highlightsOfRow(row);
        shaded += int(marks.occurrences.size());
        current += marks.current ? 1 : 0;
    }
    EXPECT_EQ(shaded, 2) << "one in each of Ann's phone numbers";
    EXPECT_EQ(current, 1);

    // Next never leaves the pane's contact: Cid's "4455" is not reached.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(window, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(
        window->searchableHub().findController().selectedItemAndRange()->uniqueId, pane->contact()->uniqueId);

    window->findBar()->searchField()->setFocus();
    QTest::keyClick(window->findBar()->searchField(), Qt::Key_Escape);
    for (int row = 0; row < pane->model()->rowCount(); ++row)
        EXPECT_TRUE(pane->highlightsOfRow(row).isEmpty());
}

// At the first run's window width the bar has less room than its controls want in one row: the replace
// controls take a second row rather than squeezing the search field to a few letters.
TEST_F(FindBarTest, TheSearchFieldStaysUsableInANarrowWindow)
{
    DocumentWindow *window = openPhones();
    ASSERT_TRUE(window);
    FindBar *bar = window->findBar();
    const auto controls = [bar] {
        return QList<QWidget *> { bar->searchField(), bar->previousButton(), bar->nextButton(),
            bar->optionPopup(), bar->replaceField(), bar->replaceButton(), bar->replaceAllButton(),
            bar->doneButton() };
    };
    const auto laidOutWell = [&] {
        QStringList faults;
        const QList<QWidget *> all = controls();
        for (QWidget *control : all) {
            if (!bar->rect().contains(control->geometry()))
                faults << control->objectName() + u" outside the bar"_s;
            // A width of its own overrides what the control's style would need at least.
            const int least
                = control->minimumWidth() > 0 ? control->minimumWidth() : control->minimumSizeHint().width();
            if (control->width() < least)
                faults << control->objectName() + u" squeezed"_s;
            for (QWidget *other : all) {
                if (other != control && other->geometry().intersects(control->geometry()))
                    faults << control->objectName() + u" overlaps "_s + other->objectName();
            }
        }
        return faults;
    };

    window->resize(900, 500);
    openBar(window);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return bar->height() == bar->maximumHeight() && bar->height() > 10; }, 2000));
    QApplication::processEvents();
    EXPECT_TRUE(bar->inTwoRows()) << bar->width();
    EXPECT_EQ(laidOutWell(), QStringList());
    EXPECT_GE(bar->searchField()->width(), bar->searchField()->fontMetrics().averageCharWidth() * 18);
    EXPECT_GE(bar->height(), bar->sizeHint().height()) << "the second row is shown whole";
    // A title longer than the pop-up's room (as the Japanese one is) is cut with an ellipsis and
    // told whole in the tool tip; a short one is shown as it is.
    auto *option = qobject_cast<ElidingComboBox *>(bar->optionPopup());
    ASSERT_TRUE(option);
    const QString shortTitle = option->currentText();
    option->setItemText(option->currentIndex(), u"大文字と小文字を区別しない大文字と小文字を区別しない"_s);
    EXPECT_TRUE(option->shownText().endsWith(QChar(0x2026))) << option->shownText().toStdString();
    EXPECT_EQ(option->toolTip(), option->currentText());
    option->setItemText(option->currentIndex(), u"Aa"_s);
    EXPECT_EQ(option->shownText(), u"Aa"_s);
    EXPECT_TRUE(option->toolTip().isEmpty());
    option->setItemText(option->currentIndex(), shortTitle);

    // Wide again: one row, as high as one control.
    window->resize(2000, 500);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !bar->inTwoRows() && bar->height() == bar->sizeHint().height(); }, 2000));
    EXPECT_EQ(laidOutWell(), QStringList());
    EXPECT_LT(bar->height(), 2 * bar->searchField()->height());
}
