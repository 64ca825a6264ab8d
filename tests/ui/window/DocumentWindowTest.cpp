#include "document/DefaultsKeys.h"
#include "document/DocumentReader.h"
#include "formats/EncodingMenuModel.h"
#include "formats/TextCodec.h"
#include "ui/dialogs/EncodingAccessory.h"
#include "ui/dialogs/ExportFlow.h"
#include "ui/dialogs/ImportFlow.h"
#include "ui/dialogs/ImportSheet.h"
#include "ui/groups/GroupListView.h"
#include "ui/window/AboutDialog.h"
#include "ui/window/EditStateLine.h"
#include "ui/window/WindowActions.h"
#include "ui/window/WindowTestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QDebug>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QSignalSpy>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace WindowTestSupport;

namespace {

using DocumentWindowTest = WindowTest;

QAction *action(DocumentWindow *window, Command command)
{
    return window->actions()->action(command);
}

} // namespace

TEST_F(DocumentWindowTest, AFreshDocumentOpensAtTheFirstRunFrameWithItsGroupListAndEditing)
{
    DocumentWindow *window = show(new DocumentWindow(std::make_unique<Document>(), *defaults));
    EXPECT_EQ(window->windowTitle(), u"Untitled[*]"_s);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->size(), QSize(900, 500));
    EXPECT_TRUE(window->groupListView()->isVisible());
    EXPECT_EQ(defaults->showGroupView(), std::optional(true)) << "the first start stores that the list shows";
    EXPECT_FALSE(window->infoPane()->isVisible());
    EXPECT_TRUE(window->previewPane()->isVisible()); // postcards are the first print style
    const QAbstractItemModel *groups = window->groupListView()->model();
    ASSERT_EQ(groups->rowCount(), 1);
    EXPECT_EQ(groups->index(0, 0).data().toString(), u"vCard"_s);
    EXPECT_EQ(groups->index(0, 0, groups->index(0, 0)).data().toString(), u"All Contacts"_s);
    EXPECT_TRUE(shownNames(window).isEmpty());

    // Every button a person sees says what it is, to the eye and to a screen reader.
    for (QToolButton *button : window->toolbar()->findChildren<QToolButton *>()) {
        if (!button->isVisible() || button->objectName().startsWith(u"qt_"_s))
            continue;
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
        EXPECT_FALSE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
        EXPECT_FALSE(button->icon().isNull()) << button->objectName().toStdString();
    }

    // Edit / Lock: the line under the toolbar is red while editing and grey when locked.
    EXPECT_TRUE(window->editStateLine()->isEditing());
    QToolButton *edit = window->toolButton(u"editButton"_s);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text(), u"Lock"_s);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_FALSE(window->hub().editState());
    EXPECT_FALSE(window->editStateLine()->isEditing());
    EXPECT_EQ(edit->text(), u"Edit"_s);
    EXPECT_EQ(edit->accessibleName(), u"Edit"_s);

    // The split button hides the list, says so in the View menu and remembers it.
    QTest::mouseClick(window->toolButton(u"groupSplitButton"_s), Qt::LeftButton);
    EXPECT_FALSE(window->groupListView()->isVisible());
    EXPECT_TRUE(menuItem(window, { u"View"_s, u"Show Groups"_s }));
    EXPECT_EQ(defaults->showGroupView(), std::optional(false));
    ASSERT_TRUE(choose(window, { u"View"_s, u"Show Groups"_s }));
    EXPECT_TRUE(window->groupListView()->isVisible());
    ASSERT_TRUE(choose(window, { u"View"_s, u"Show Contact Info"_s }));
    EXPECT_TRUE(window->infoPane()->isVisible());
    EXPECT_TRUE(menuItem(window, { u"View"_s, u"Hide Contact Info"_s }));
}

TEST_F(DocumentWindowTest, CommandsAreOfferedAsTheRulesSay)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    ASSERT_EQ(shownNames(window).size(), 4);
    EXPECT_FALSE(action(window, Command::Undo)->isEnabled()) << "nothing done yet";
    EXPECT_FALSE(action(window, Command::DeleteContacts)->isEnabled()) << "nothing selected";
    EXPECT_FALSE(action(window, Command::ExportToCSV)->isEnabled());

    clickRow(window, 1);
    EXPECT_EQ(window->hub().selectedRows(), QList<int> { 1 });
    EXPECT_TRUE(action(window, Command::DeleteContacts)->isEnabled());
    EXPECT_TRUE(action(window, Command::DuplicateContacts)->isEnabled());
    EXPECT_TRUE(action(window, Command::ExportToCSV)->isEnabled());

    // Locked: deleting and duplicating are not offered, in the menu nor by their keys.
    QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(window->hub().editState());
    EXPECT_FALSE(action(window, Command::DeleteContacts)->isEnabled());
    EXPECT_FALSE(menuItem(window, { u"Navigate"_s, u"Contact"_s, u"Duplicate Contacts"_s })->isEnabled());
    QTest::keyClick(window->tableView(), Qt::Key_Delete);
    EXPECT_EQ(shownNames(window).size(), 4);
    QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(action(window, Command::DeleteContacts)->isEnabled());

    // Places of later parts stay out of sight until they are given their work.
    // The tools and the find bar have theirs from the start; a handler given later replaces it.
    EXPECT_TRUE(window->toolButton(u"zipButton"_s)->isVisible());
    EXPECT_TRUE(action(window, Command::PrintDocument)->isVisible());
    EXPECT_TRUE(window->toolButton(u"findButton"_s)->isVisible());
    bool findShown = false;
    window->actions()->setHandler(Command::ToggleFindBar, [&] { findShown = true; });
    QApplication::processEvents(); // the toolbar lays out its buttons again
    EXPECT_TRUE(window->toolButton(u"findButton"_s)->isVisible());
    window->refreshActions();
    QTest::mouseClick(window->toolButton(u"findButton"_s), Qt::LeftButton);
    EXPECT_TRUE(findShown);
}

TEST_F(DocumentWindowTest, DeleteAndDuplicateFromTheMenusUndoAndRedoByName)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    clickRow(window, 0);
    clickRow(window, 2, Qt::ControlModifier);
    ASSERT_EQ(window->hub().selectedRows(), (QList<int> { 0, 2 }));

    ASSERT_TRUE(choose(window, { u"Edit"_s, u"Undo"_s }) == false);
    ASSERT_TRUE(choose(window, { u"Navigate"_s, u"Contact"_s, u"Delete Contacts"_s }));
    EXPECT_EQ(shownNames(window), (QStringList { u"Ben Brook"_s, u"Dee Dunn"_s }));
    EXPECT_TRUE(window->isWindowModified());
    ASSERT_TRUE(choose(window, { u"Edit"_s, u"Undo Delete Contacts"_s }));
    EXPECT_EQ(shownNames(window).size(), 4);
    ASSERT_TRUE(choose(window, { u"Edit"_s, u"Redo Delete Contacts"_s }));
    EXPECT_EQ(shownNames(window).size(), 2);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownNames(window).size(), 4);

    clickRow(window, 3);
    QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(shownNames(window).count(u"Dee Dunn"_s), 2) << shownNames(window).join(u", "_s).toStdString();
    EXPECT_EQ(action(window, Command::Undo)->text(), u"Undo Duplicate Contacts"_s);
    ASSERT_TRUE(choose(window, { u"Edit"_s, u"Undo Duplicate Contacts"_s }));
    EXPECT_EQ(shownNames(window).count(u"Dee Dunn"_s), 1);
}

TEST_F(DocumentWindowTest, AGroupIsChosenFromTheListOrTheMenuAndTheOtherFollows)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    GroupListView *list = window->groupListView();
    const QAbstractItemModel *groups = list->model();
    const QModelIndex container = groups->index(0, 0);
    ASSERT_EQ(groups->rowCount(container), 3);
    const QModelIndex friends = groups->index(1, 0, container);
    EXPECT_EQ(friends.data().toString(), u"Friends"_s);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(friends).center());
    EXPECT_EQ(shownNames(window), (QStringList { u"Ann Able"_s, u"Ben Brook"_s }));

    ASSERT_TRUE(choose(window, { u"Navigate"_s, u"Group"_s, u"vCard"_s, u"Work"_s }));
    EXPECT_EQ(shownNames(window), (QStringList { u"Ben Brook"_s, u"Cid Cole"_s }));
    EXPECT_EQ(list->currentIndex().data().toString(), u"Work"_s);
    EXPECT_TRUE(menuItem(window, { u"Navigate"_s, u"Group"_s, u"vCard"_s, u"Work"_s })->isChecked());

    // A new group starts with its name being edited; the name typed is the group's, undone by name.
    ASSERT_TRUE(choose(window, { u"Edit"_s, u"New Group"_s }));
    QApplication::processEvents();
    QWidget *editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit *>(editor));
    qobject_cast<QLineEdit *>(editor)->selectAll();
    QTest::keyClicks(editor, u"Family"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor hands its text over once its key press is done
    ASSERT_TRUE(window->hub().groupNamed(u"Family"_s));
    EXPECT_EQ(action(window, Command::Undo)->text(), u"Undo Rename Group"_s);
}

TEST_F(DocumentWindowTest, RowsDroppedOnAGroupAreCopiedIntoItExceptOnTheShownGroupOrWhileLocked)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    GroupListView *list = window->groupListView();
    const QAbstractItemModel *groups = list->model();
    const QModelIndex container = groups->index(0, 0);
    const QModelIndex all = groups->index(0, 0, container);
    const QModelIndex work = groups->index(2, 0, container);
    ASSERT_EQ(work.data().toString(), u"Work"_s);

    // The rows as the table drags them: Ann and Dee.
    QAbstractItemModel *table = window->tableView()->model();
    std::unique_ptr<QMimeData> rows(table->mimeData({ table->index(0, 1), table->index(3, 1) }));
    ASSERT_TRUE(rows);
    const auto dropOn = [&](const QModelIndex &target) {
        const QPoint at = list->visualRect(target).center();
        QDragEnterEvent enter(at, Qt::CopyAction, rows.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, rows.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &move);
        if (!move.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, rows.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &drop);
        return true;
    };

    EXPECT_FALSE(dropOn(all)) << "the group shown takes no drop";
    QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(dropOn(work)) << "nothing is added while locked";
    QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(dropOn(work));
    ASSERT_TRUE(window->hub().selectGroup(window->hub().groupNamed(u"Work"_s)));
    EXPECT_EQ(shownNames(window).size(), 4);
    for (const QString &name : { u"Ann Able"_s, u"Dee Dunn"_s })
        EXPECT_TRUE(shownNames(window).contains(name)) << name.toStdString();
    window->hub().undo();
    EXPECT_EQ(shownNames(window), (QStringList { u"Ben Brook"_s, u"Cid Cole"_s }));
}

TEST_F(DocumentWindowTest, EachDocumentReopensWhereItWasLeft)
{
    const QString people = writeFile(dir, u"people.vcf"_s, groupsFile());
    DocumentWindow *window = openWindow(people);
    ASSERT_TRUE(window);
    window->resize(640, 420);
    window->move(60, 40);
    const QRect frame = window->geometry();
    window->close();
    QApplication::processEvents();

    DocumentWindow *again = openWindow(people);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->geometry(), frame);
    DocumentWindow *other = openWindow(writeFile(dir, u"other.vcf"_s, groupsFile()));
    ASSERT_TRUE(other);
    EXPECT_EQ(other->size(), QSize(900, 500)) << "a document opened for the first time";
}

TEST_F(DocumentWindowTest, ImportFromCsvInAnEncodingAddsTheChosenContactsAsOneStep)
{
    const EncodedText sjis = TextCodec::encode(
        u"Last Name,First Name,Company\n山田,太郎,山田商店\n佐藤,花子,\n"_s, TextEncoding::ShiftJIS);
    ASSERT_TRUE(sjis.ok());
    const QString path = writeFile(dir, u"sjis.csv"_s, sjis.bytes);
    settings->setValue(EncodingMenuModel::EncodingsKey,
        QStringList {
            TextEncodings::nameOf(TextEncoding::UTF8), TextEncodings::nameOf(TextEncoding::ShiftJIS) });
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);

    ASSERT_TRUE(choose(window, { u"File"_s, u"Import from CSV…"_s }));
    ContactFileDialog *panel = window->importFlow()->openPanel();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(UiTestSupport::choose(
        panel->accessory()->encodingTypePopup(), TextEncodings::nameOf(TextEncoding::ShiftJIS)));
    acceptFile(panel, path);
    ImportSheet *sheet = waitForWindow<ImportSheet>();
    ASSERT_TRUE(sheet);
    QStringList offered;
    for (int row = 0; row < sheet->nameTableView()->model()->rowCount(); ++row)
        offered << sheet->nameTableView()->model()->index(row, 0).data().toString();
    // The header line names the columns and is no contact; the person picks the two people.
    ASSERT_EQ(offered, (QStringList { u"太郎 山田"_s, u"花子 佐藤"_s }));
    QListView *names = sheet->nameTableView();
    QTest::mouseClick(
        names->viewport(), Qt::LeftButton, {}, names->visualRect(names->model()->index(0, 0)).center());
    QTest::mouseClick(names->viewport(), Qt::LeftButton, Qt::ControlModifier,
        names->visualRect(names->model()->index(1, 0)).center());
    QTest::mouseClick(sheet->selectButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownNames(window).size() == 6; }, 5000));
    EXPECT_TRUE(shownNames(window).contains(u"太郎 山田"_s))
        << shownNames(window).join(u", "_s).toStdString();
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(action(window, Command::Undo)->text(), u"Undo Import"_s);
    window->hub().undo();
    EXPECT_EQ(shownNames(window).size(), 4) << "one step";
}

TEST_F(DocumentWindowTest, ExportWritesTheSelectedContactsThatReadBack)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    clickRow(window, 1);
    clickRow(window, 3, Qt::ControlModifier);
    QSignalSpy finished(window->exportFlow(), &ExportFlow::finished);
    ASSERT_TRUE(choose(window, { u"File"_s, u"Export…"_s }));
    ContactFileDialog *panel = window->exportFlow()->savePanel();
    ASSERT_TRUE(panel);
    const QString path = dir.filePath(u"out.vcf"_s);
    acceptFile(panel, path);
    ASSERT_TRUE(finished.wait(10000) || finished.size() == 1);
    ASSERT_TRUE(finished.first().first().toBool());

    const DocumentReadResult read = DocumentReader::readFile(path, InputFormat::VCard, TextEncoding::UTF8);
    const std::optional<ContactTable> entries = DocumentReader::groupEntries(read, QString());
    ASSERT_TRUE(entries);
    QStringList names;
    for (const ContactEntryPtr &entry : *entries)
        names << entry->person->compositeName();
    EXPECT_EQ(names, (QStringList { u"Ben Brook"_s, u"Dee Dunn"_s }));
}

TEST_F(DocumentWindowTest, TheTableFontIsKeptPerDocumentAndRevertsToTheSystemFont)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    QFont chosen = window->tableFont();
    chosen.setPointSizeF(20);
    window->setTableFont(chosen);
    EXPECT_GT(window->hub().table().rowHeight(), 28) << "the hub measures rows in the new font";
    window->close();
    QApplication::processEvents();
    EXPECT_EQ(defaults->tableFont(u"people.vcf"_s).pointSize, 20);

    DocumentWindow *again = openGroupsWindow();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->tableFont().pointSizeF(), 20);
    ASSERT_TRUE(choose(again, { u"Format"_s, u"Revert to Default Font"_s }));
    EXPECT_EQ(again->tableFont().pointSizeF(), 12);
    again->close();
    QApplication::processEvents();
    EXPECT_TRUE(defaults->tableFont(u"people.vcf"_s).isSystemFont());
}

TEST_F(DocumentWindowTest, ACorpusFileOpensWithItsContacts)
{
    const QString path = QStringLiteral(CORVANTHE_SHARED_DIR "/corpus/vcard/android-vcard/v30_japanese.vcf");
    if (!QFileInfo::exists(path))
        GTEST_SKIP() << "the shared corpus is not here";
    DocumentWindow *window = openWindow(path);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), u"v30_japanese.vcf[*]"_s);
    EXPECT_FALSE(shownNames(window).isEmpty());
    clickRow(window, 0);
    EXPECT_TRUE(action(window, Command::ExportToVCard)->isEnabled());
}

TEST_F(DocumentWindowTest, CopyAndPasteGoThroughTheClipboardAndPasteIsUndoneAsOneStep)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    clickRow(window, 0);
    clickRow(window, 1, Qt::ControlModifier);
    ASSERT_TRUE(choose(window, { u"Edit"_s, u"Copy"_s }));
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(u"Ann Able"_s) && copied.contains(u"Ben Brook"_s)) << copied.toStdString();
    EXPECT_FALSE(copied.contains(u"Cid Cole"_s));
    ASSERT_TRUE(choose(window, { u"Edit"_s, u"Copy as CSV"_s }));
    EXPECT_TRUE(QApplication::clipboard()->text().contains(u", "_s));

    auto *data = new QMimeData;
    data->setData(u"text/vcard"_s, card(u"Eve Ellis"_s).toUtf8());
    QApplication::clipboard()->setMimeData(data);
    ASSERT_TRUE(choose(window, { u"Edit"_s, u"Paste"_s }));
    EXPECT_TRUE(shownNames(window).contains(u"Eve Ellis"_s));
    EXPECT_EQ(action(window, Command::Undo)->text(), u"Undo Paste"_s);
    window->hub().undo();
    EXPECT_FALSE(shownNames(window).contains(u"Eve Ellis"_s));

    // Locked, nothing is pasted.
    window->hub().setEditState(false);
    EXPECT_FALSE(menuItem(window, { u"Edit"_s, u"Paste"_s })->isEnabled());
}

TEST_F(DocumentWindowTest, TheAboutBoxNamesTheLibrariesInUse)
{
    const QString versions = AboutDialog::libraryVersions();
    for (const QString &library : { u"Qt 6."_s, u"ICU "_s, u"libqrencode "_s, u"HarfBuzz "_s })
        EXPECT_TRUE(versions.contains(library)) << library.toStdString();
}
