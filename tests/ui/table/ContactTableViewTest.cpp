#include "ui/table/ContactTableView.h"

#include "document/ContactTransfer.h"
#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "formats/ZRvCard.h"
#include "ui/UiTestSupport.h"
#include "ui/table/CheckboxCellDelegate.h"
#include "ui/table/LabelTextCellDelegate.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

// Five people, each with a phone; Bob has two.
QString fiveContacts()
{
    return card(u"Carol"_s, u"TEL;TYPE=CELL:(03) 1111 0003\r\nNOTE:c\r\n"_s)
        + card(u"Alice"_s, u"TEL;TYPE=HOME:03-1111-0001\r\nEMAIL;TYPE=HOME:alice@example.com\r\nNOTE:a\r\n"_s)
        + card(u"Eve"_s, u"TEL;TYPE=WORK:03-1111-0005\r\nNOTE:e\r\n"_s)
        + card(u"Bob"_s, u"TEL;TYPE=HOME:03-1111-0002\r\nTEL;TYPE=WORK:03-1111-0022\r\nNOTE:b\r\n"_s)
        + card(
            u"Dave"_s, u"TEL;TYPE=HOME:03-1111-0004\r\nADR;TYPE=HOME:;;1 Main St;Springfield;;12345;\r\n"_s);
}

class ContactTableViewTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        defaults = std::make_unique<UserDefaults>(*settings);
        hub = std::make_unique<DocumentHub>(*defaults);
        DocumentWindowData data;
        data.containerTable = *ZRvCard().containersFromVCards(fiveContacts());
        data.selectedGroupDict = data.containerTable.first()->groups.first();
        data.contactTable = *data.selectedGroupDict->contactTable;
        data.documentName = u"people.vcf"_s;
        hub->open(data);
        hub->setColumns({ u"Phone"_s, u"Email"_s, u"ZIP"_s, u"Note"_s });
        hub->setSelectedLabels({ u"All"_s });
        hub->setEditState(true);
        window = std::make_unique<QWidget>();
        view = new ContactTableView(*hub, window.get());
        view->resize(900, 400);
        window->resize(900, 400);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        hub->close();
        hub.reset();
        WidgetTest::TearDown();
    }

    int column(const QString &identifier) const { return int(hub->columns().indexOf(identifier)); }
    QModelIndex index(int row, const QString &identifier) const
    {
        return view->model()->index(row, column(identifier));
    }
    QString text(int row, const QString &identifier) const { return hub->table().cellText(identifier, row); }
    int rowOf(const QString &name) const
    {
        for (int row = 0; row < hub->table().subRows().size(); ++row)
            if (text(row, u"Name"_s) == name)
                return row;
        return -1;
    }
    QPoint centre(const QModelIndex &at) const { return view->visualRect(at).center(); }
    void selectRows(int first, int last)
    {
        view->selectionModel()->select(QItemSelection(view->model()->index(first, 0),
                                           view->model()->index(last, view->model()->columnCount() - 1)),
            QItemSelectionModel::ClearAndSelect);
    }
    // The open in-place editor: a line, or several lines for a note.
    QWidget *editor() const
    {
        for (QWidget *child : view->viewport()->findChildren<QWidget *>()) {
            if (child->isVisible()
                && (qobject_cast<QLineEdit *>(child) || qobject_cast<QPlainTextEdit *>(child)))
                return child;
        }
        return nullptr;
    }
    QString editorText() const
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor()))
            return line->text();
        if (auto *plain = qobject_cast<QPlainTextEdit *>(editor()))
            return plain->toPlainText();
        return {};
    }
    // Replaces the open editor's text by typing.
    void retype(const QString &typed)
    {
        QWidget *open = editor();
        ASSERT_TRUE(open);
        QTest::keyClick(open, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(open, typed);
    }
    // Types into the cell's in-place editor and leaves it with the key.
    void typeInto(const QModelIndex &at, const QString &typed, Qt::Key leave = Qt::Key_Return)
    {
        view->selectionModel()->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
        view->edit(at);
        retype(typed);
        QTest::keyClick(editor(), leave);
    }
    QStringList menuTitles(QMenu *menu) const
    {
        QStringList titles;
        for (QAction *action : menu->actions())
            titles << (action->isSeparator() ? u"-"_s : action->text());
        return titles;
    }

    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<DocumentHub> hub;
    std::unique_ptr<QWidget> window;
    ContactTableView *view = nullptr;
};

} // namespace

TEST_F(ContactTableViewTest, ShowsEveryCellKindAndTheSummaryRowSpanningTheTable)
{
    // Sorted by name: Alice, Bob (two rows), Carol, Dave, Eve, then the summary.
    ASSERT_EQ(view->model()->rowCount(), 7);
    EXPECT_EQ(text(0, u"Name"_s), u"Alice"_s);
    EXPECT_EQ(text(2, u"Name"_s), QString()) << "a contact's second row leaves its name empty";
    EXPECT_EQ(view->columnSpan(6, 0), view->model()->columnCount());
    EXPECT_EQ(view->itemDelegateForColumn(column(u"Sender"_s))->metaObject()->className(),
        QByteArray("CheckboxCellDelegate"));
    EXPECT_EQ(view->itemDelegateForColumn(column(u"Name"_s))->metaObject()->className(),
        QByteArray("NameCellDelegate"));
    EXPECT_EQ(view->itemDelegateForColumn(column(u"Phone"_s))->metaObject()->className(),
        QByteArray("LabelTextCellDelegate"));
    EXPECT_EQ(view->itemDelegateForColumn(column(u"Note"_s))->metaObject()->className(),
        QByteArray("CellDelegate"));
    EXPECT_EQ(view->horizontalHeader()->sectionSize(column(u"Phone"_s)), 120);
    // Rows are one line tall until shown; a shown row of two lines is twice as tall.
    EXPECT_EQ(view->rowHeight(0), int(hub->table().rowHeight()));
}

TEST_F(ContactTableViewTest, TypingInOneCellOfFiveSelectedRowsChangesAllFiveInOneUndoStep)
{
    selectRows(0, 5);
    ASSERT_EQ(hub->selectedRows().size(), 6);
    typeInto(index(0, u"Note"_s), u"sent"_s);
    for (const QString &name : { u"Alice"_s, u"Bob"_s, u"Carol"_s, u"Dave"_s, u"Eve"_s })
        EXPECT_EQ(text(rowOf(name), u"Note"_s), u"sent"_s) << name.toStdString();
    hub->undo();
    EXPECT_EQ(text(rowOf(u"Alice"_s), u"Note"_s), u"a"_s);
    EXPECT_EQ(text(rowOf(u"Eve"_s), u"Note"_s), u"e"_s);
    EXPECT_EQ(text(rowOf(u"Dave"_s), u"Note"_s), QString());
    EXPECT_FALSE(hub->undoManager().canUndo()) << "the five rows were one step";
}

TEST_F(ContactTableViewTest, ReturnMovesToTheNextRowWithAValueTabToTheNextColumnEscapeKeepsTheText)
{
    // Return in the phone column: Dave has no e-mail, so Return goes on in the phone column to Eve.
    const int dave = rowOf(u"Dave"_s);
    typeInto(index(dave, u"Phone"_s), u"03-9999-0004"_s);
    EXPECT_EQ(text(dave, u"Phone"_s), u"03-9999-0004"_s);
    ASSERT_TRUE(editor()) << "Return starts editing the next row";
    EXPECT_EQ(view->currentIndex(), index(rowOf(u"Eve"_s), u"Phone"_s));
    EXPECT_EQ(hub->selectedRows(), QList<int> { rowOf(u"Eve"_s) });

    // Escape leaves the cell as it was.
    QTest::keyClicks(editor(), u"zzz"_s);
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_FALSE(editor());
    EXPECT_EQ(text(rowOf(u"Eve"_s), u"Phone"_s), u"03-1111-0005"_s);

    // Tab goes on to the next column of the same row and edits it.
    typeInto(index(0, u"Phone"_s), u"03-1111-0001"_s, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), index(0, u"Email"_s));
    ASSERT_TRUE(editor());
    EXPECT_EQ(editorText(), u"alice@example.com"_s);
}

TEST_F(ContactTableViewTest, ALabelChosenForSeveralRowsIsAskedAboutThenSetInEachAsOneStep)
{
    const int alice = rowOf(u"Alice"_s);
    const int carol = rowOf(u"Carol"_s);
    view->selectionModel()->select(
        QItemSelection(view->model()->index(alice, 0), view->model()->index(alice, 1)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->selectionModel()->select(
        view->model()->index(carol, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_EQ(hub->selectedRows().size(), 2);

    const QModelIndex phone = index(alice, u"Phone"_s);
    const QRect popup = LabelTextCellDelegate::popupRect(view->visualRect(phone), hub->table().rowHeight());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, popup.center());
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu) << "the pop-up offers the labels";
    EXPECT_TRUE(menuTitles(menu).contains(u"Add Custom Label…"_s));
    QAction *work = nullptr;
    for (QAction *action : menu->actions())
        if (action->text() == u"work"_s)
            work = action;
    ASSERT_TRUE(work);
    work->trigger();
    menu->close();

    QMessageBox *sheet = waitForMessage(u"Do you want to set the same label in the selected rows"_s);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->informativeText(), u"This operation can be undone."_s);
    press(sheet, u"OK"_s);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return hub->table().cell(u"Phone"_s, rowOf(u"Carol"_s)).label == u"work"_s; }, 2000));
    EXPECT_EQ(hub->table().cell(u"Phone"_s, rowOf(u"Alice"_s)).label, u"work"_s);
    hub->undo();
    EXPECT_EQ(hub->table().cell(u"Phone"_s, rowOf(u"Alice"_s)).label, u"home"_s);
    EXPECT_EQ(hub->table().cell(u"Phone"_s, rowOf(u"Carol"_s)).label, u"mobile"_s);
}

TEST_F(ContactTableViewTest, ClickingTheSenderBoxMovesTheSenderAndOneUndoPutsItBack)
{
    const auto clickSender = [&](int row) {
        const QModelIndex box = index(row, u"Sender"_s);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
            CheckboxCellDelegate::boxRect(view->visualRect(box), hub->table().rowHeight(), true).center());
    };
    const auto isSender = [&](const QString &name) {
        return index(rowOf(name), u"Sender"_s).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    };
    clickSender(rowOf(u"Dave"_s));
    EXPECT_TRUE(isSender(u"Dave"_s));
    clickSender(rowOf(u"Alice"_s));
    EXPECT_TRUE(isSender(u"Alice"_s));
    EXPECT_FALSE(isSender(u"Dave"_s)) << "there is one sender";
    hub->undo();
    EXPECT_TRUE(isSender(u"Dave"_s));
    EXPECT_FALSE(isSender(u"Alice"_s));

    // Locked, the box does nothing.
    hub->setEditState(false);
    clickSender(rowOf(u"Carol"_s));
    EXPECT_FALSE(isSender(u"Carol"_s));
}

TEST_F(ContactTableViewTest, ClickingAHeaderSortsAndAnEditAfterTheSortIsUndoneInPlace)
{
    QHeaderView *header = view->horizontalHeader();
    const auto clickHeader = [&](const QString &identifier) {
        const int section = column(identifier);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                header->height() / 2));
    };
    clickHeader(u"Name"_s);
    EXPECT_EQ(text(0, u"Name"_s), u"Eve"_s) << "a second click on the sorted column sorts descending";
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(header->sortIndicatorSection(), column(u"Name"_s));
    EXPECT_EQ(defaults->lastSortDesc().ascending, false) << "the last sort is remembered";

    clickHeader(u"Note"_s);
    EXPECT_EQ(text(0, u"Note"_s), u"a"_s);
    EXPECT_EQ(header->sortIndicatorSection(), column(u"Note"_s));

    typeInto(index(rowOf(u"Carol"_s), u"Note"_s), u"czz"_s);
    EXPECT_EQ(text(rowOf(u"Carol"_s), u"Note"_s), u"czz"_s);
    hub->undo();
    EXPECT_EQ(text(rowOf(u"Carol"_s), u"Note"_s), u"c"_s);
}

TEST_F(ContactTableViewTest, CopiesTheSelectedRowsAsTabsOrAsCsv)
{
    selectRows(rowOf(u"Carol"_s), rowOf(u"Carol"_s));
    view->copyAsCsv();
    const QString csv = QGuiApplication::clipboard()->text();
    EXPECT_EQ(csv, u", Carol, \"mobile:(03) 1111 0003\", , , \"c\""_s);
    view->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"\tCarol\t\"mobile:(03) 1111 0003\"\t\t\t\"c\""_s);
}

TEST_F(ContactTableViewTest, DraggedRowsCarryTextVCardsTheRowIndexesAndAFile)
{
    // Bob's two rows are one contact in the text, the vCards and the file.
    selectRows(rowOf(u"Bob"_s), rowOf(u"Bob"_s) + 1);
    std::unique_ptr<QMimeData> data(view->dragDataForSelection());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text().count(u"Bob"_s), 1);
    EXPECT_EQ(QString::fromUtf8(data->data(ContactTransfer::VCardMimeType)).count(u"BEGIN:VCARD"_s), 1);
    EXPECT_EQ(data->data(ContactTransfer::RowIndexesMimeType),
        u"%1,%2"_s.arg(rowOf(u"Bob"_s)).arg(rowOf(u"Bob"_s) + 1).toUtf8());
    ASSERT_EQ(data->urls().size(), 1);
    const QString file = data->urls().first().toLocalFile();
    EXPECT_TRUE(file.endsWith(u"/draggingContacts.vcf"_s));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()).count(u"BEGIN:VCARD"_s), 1);
}

TEST_F(ContactTableViewTest, AVCardFileDroppedFromOutsideIsAddedAndUndoneWhileLockedItIsRefused)
{
    const QString path = writeFile(dir, u"more.vcf"_s, (card(u"Frank"_s) + card(u"Grace"_s)).toUtf8());
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    const QPoint below(20, view->viewport()->height() - 5); // past the rows: an add to the group
    // As a drag from another application arrives: it enters, moves, and drops.
    const auto drop = [&] {
        QDragEnterEvent enter(below, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(below, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        if (!move.isAccepted())
            return false;
        QDropEvent event(below, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(drop());
    EXPECT_GE(rowOf(u"Frank"_s), 0);
    EXPECT_GE(rowOf(u"Grace"_s), 0);
    hub->undo();
    EXPECT_EQ(rowOf(u"Frank"_s), -1);

    hub->setEditState(false);
    EXPECT_FALSE(drop());
    EXPECT_EQ(rowOf(u"Frank"_s), -1);

    // Pasting vCard text adds it as a drop does.
    hub->setEditState(true);
    QGuiApplication::clipboard()->setText(card(u"Heidi"_s));
    EXPECT_TRUE(view->canPaste());
    EXPECT_TRUE(view->paste());
    EXPECT_GE(rowOf(u"Heidi"_s), 0);
}

TEST_F(ContactTableViewTest, DoubleClickWithSeveralRowsHoldingAValueAsksThenEditsThemAll)
{
    selectRows(rowOf(u"Alice"_s), rowOf(u"Carol"_s));
    const int alice = rowOf(u"Alice"_s);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
        view->visualRect(index(alice, u"Note"_s)).center() + QPoint(20, 0));
    QMessageBox *sheet = waitForMessage(u"Do you want to set the same value in the selected rows"_s);
    ASSERT_TRUE(sheet);
    press(sheet, u"OK"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 2000));
    retype(u"same"_s);
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(text(rowOf(u"Alice"_s), u"Note"_s), u"same"_s);
    EXPECT_EQ(text(rowOf(u"Carol"_s), u"Note"_s), u"same"_s);
}

TEST_F(ContactTableViewTest, ADoubleClickOnAPanelFieldAsksForItsEditor)
{
    QList<CellAction> asked;
    QObject::connect(view, &ContactTableView::editorRequested, view,
        [&](const CellAction &action, const QRect &) { asked << action; });
    const int dave = rowOf(u"Dave"_s);
    view->selectRow(dave);
    QTest::mouseDClick(
        view->viewport(), Qt::LeftButton, {}, view->visualRect(index(dave, u"Name"_s)).center());
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first().panel, EditorPanel::Name);
    EXPECT_EQ(asked.first().row, dave);
}

TEST_F(ContactTableViewTest, TheContextMenuListsTheColumnsEntries)
{
    const int bob = rowOf(u"Bob"_s);
    std::unique_ptr<QMenu> phone(view->contextMenuForCell(bob, column(u"Phone"_s)));
    ASSERT_TRUE(phone);
    EXPECT_EQ(menuTitles(phone.get()),
        (QStringList { u"Call Phone"_s, u"Open Edit Panel"_s, u"-"_s, u"Add Item"_s,
            u"Replace Label and Text"_s, u"Delete Item"_s, u"Replace Text"_s, u"Prepend Text"_s,
            u"Append Text"_s }));
    std::unique_ptr<QMenu> name(view->contextMenuForCell(bob, column(u"Name"_s)));
    ASSERT_TRUE(name);
    EXPECT_TRUE(menuTitles(name.get()).contains(u"Duplicate Contact"_s));
    // No e-mail: nothing to send to.
    std::unique_ptr<QMenu> email(view->contextMenuForCell(bob, column(u"Email"_s)));
    ASSERT_TRUE(email);
    EXPECT_FALSE(email->actions().first()->isEnabled());
    EXPECT_EQ(view->contextMenuForCell(bob, column(u"Sender"_s)), nullptr);

    // "Open Edit Panel" asks for the list of the field's values at the clicked row.
    QList<CellAction> asked;
    QObject::connect(view, &ContactTableView::editorRequested, view,
        [&](const CellAction &action, const QRect &) { asked << action; });
    view->selectRow(bob);
    phone->actions().at(1)->trigger();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first().panel, EditorPanel::MultiValue);
    EXPECT_EQ(asked.first().identifier, u"Phone"_s);
    EXPECT_EQ(asked.first().row, bob);

    // Delete Item asks first, then removes Bob's work phone.
    std::unique_ptr<QMenu> second(view->contextMenuForCell(bob + 1, column(u"Phone"_s)));
    for (QAction *action : second->actions())
        if (action->text() == u"Delete Item"_s)
            action->trigger();
    QMessageBox *sheet = waitForWindow<QMessageBox>();
    ASSERT_TRUE(sheet);
    press(sheet, u"OK"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return text(rowOf(u"Bob"_s) + 1, u"Name"_s) != QString(); }, 2000))
        << "Bob has one row left";
}
