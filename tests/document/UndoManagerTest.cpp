#include "document/UndoManager.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// A value whose setter registers its inverse, as every edit of the controller does.
struct Cell
{
    UndoManager &undo;
    QString value;
    QStringList log;

    void set(const QString &newValue)
    {
        const QString old = value;
        undo.registerUndo([this, old] { set(old); });
        value = newValue;
        log << newValue;
    }
};

} // namespace

TEST(UndoManagerTest, UndoRunsTheInverseAndRedoRunsItsInverse)
{
    UndoManager undo;
    Cell cell { undo, QStringLiteral("a"), {} };
    cell.set(QStringLiteral("b"));
    cell.set(QStringLiteral("c"));
    EXPECT_EQ(undo.undoCount(), 2);

    undo.undo();
    EXPECT_EQ(cell.value, QStringLiteral("b"));
    EXPECT_TRUE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(cell.value, QStringLiteral("a"));
    EXPECT_FALSE(undo.canUndo());

    undo.redo();
    undo.redo();
    EXPECT_EQ(cell.value, QStringLiteral("c"));
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(undo.undoCount(), 2);
}

TEST(UndoManagerTest, NestedGroupsMakeOneStepUndoneNewestFirst)
{
    UndoManager undo;
    Cell first { undo, QStringLiteral("1"), {} };
    Cell second { undo, QStringLiteral("x"), {} };
    {
        UndoManager::Group outer(undo);
        first.set(QStringLiteral("2"));
        {
            UndoManager::Group inner(undo);
            second.set(QStringLiteral("y"));
            first.set(QStringLiteral("3"));
        }
        EXPECT_EQ(undo.groupingLevel(), 1);
    }
    EXPECT_EQ(undo.undoCount(), 1);

    undo.undo();
    EXPECT_EQ(first.value, QStringLiteral("1"));
    EXPECT_EQ(second.value, QStringLiteral("x"));
    // Newest first: "3" was undone to "2" before "2" went back to "1".
    EXPECT_EQ(first.log.mid(2), (QStringList { QStringLiteral("2"), QStringLiteral("1") }));

    undo.redo();
    EXPECT_EQ(first.value, QStringLiteral("3"));
    EXPECT_EQ(second.value, QStringLiteral("y"));
    EXPECT_EQ(undo.redoCount(), 0);
}

TEST(UndoManagerTest, NewEditDropsRedoButRedoingKeepsTheRest)
{
    UndoManager undo;
    Cell cell { undo, QStringLiteral("a"), {} };
    cell.set(QStringLiteral("b"));
    cell.set(QStringLiteral("c"));
    undo.undo();
    undo.undo();
    undo.redo(); // the second redo must still be there
    EXPECT_TRUE(undo.canRedo());
    cell.set(QStringLiteral("z"));
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(undo.undoCount(), 2);
}

TEST(UndoManagerTest, StateFlagsDisabledRegistrationAndEmptyGroups)
{
    UndoManager undo;
    bool sawUndoing = false;
    Cell cell { undo, QStringLiteral("a"), {} };
    undo.registerUndo([&] { sawUndoing = undo.isUndoing(); });
    undo.undo();
    EXPECT_TRUE(sawUndoing);
    EXPECT_FALSE(undo.isUndoing());

    undo.removeAllActions();
    undo.disableUndoRegistration();
    cell.set(QStringLiteral("b"));
    undo.enableUndoRegistration();
    EXPECT_FALSE(undo.canUndo());

    {
        UndoManager::Group empty(undo);
    }
    EXPECT_EQ(undo.undoCount(), 0);

    int changes = 0;
    QObject::connect(&undo, &UndoManager::stateChanged, [&] { ++changes; });
    cell.set(QStringLiteral("c"));
    undo.undo();
    EXPECT_EQ(changes, 2);

    // Undo with nothing to undo, or an unbalanced end, does nothing harmful.
    undo.removeAllActions();
    undo.undo();
    undo.endUndoGrouping();
    EXPECT_EQ(undo.groupingLevel(), 0);
}

// Whatever is derived from the contacts compares this count: it must move with every edit, even one
// made while registration is off or inside an open group, and with every undo and redo.
TEST(UndoManagerTest, ChangeCountMovesWithEveryEditUndoAndRedo)
{
    UndoManager undo;
    Cell cell { undo, QStringLiteral("a"), {} };
    quint64 last = undo.changeCount();
    const auto moved = [&] {
        const bool grew = undo.changeCount() > last;
        last = undo.changeCount();
        return grew;
    };
    cell.set(QStringLiteral("b"));
    EXPECT_TRUE(moved());
    {
        UndoManager::Group group(undo);
        cell.set(QStringLiteral("c"));
        EXPECT_TRUE(moved()) << "inside an open group";
    }
    undo.disableUndoRegistration();
    cell.set(QStringLiteral("d"));
    undo.enableUndoRegistration();
    EXPECT_TRUE(moved()) << "with registration off";
    undo.undo();
    EXPECT_TRUE(moved());
    undo.redo();
    EXPECT_TRUE(moved());
    undo.removeAllActions();
    EXPECT_TRUE(moved());
    undo.undo(); // nothing to undo: nothing changed
    EXPECT_FALSE(moved());
}

TEST(UndoManagerTest, AnActionClosesWithItsOutermostGroupAndNeverInsideUndo)
{
    UndoManager undo;
    Cell cell { undo, QStringLiteral("a"), {} };
    int closed = 0;
    QObject::connect(&undo, &UndoManager::actionClosed, [&] { ++closed; });
    {
        UndoManager::Group outer(undo);
        {
            UndoManager::Group inner(undo);
            cell.set(QStringLiteral("b"));
        }
        EXPECT_EQ(closed, 0) << "the inner group is part of the action";
        cell.set(QStringLiteral("c"));
    }
    EXPECT_EQ(closed, 1);
    undo.undo();
    undo.redo();
    EXPECT_EQ(closed, 1) << "undo and redo tell of themselves";

    // Closing a window hands every action over and leaves nothing to undo or redo.
    cell.set(QStringLiteral("d"));
    undo.undo();
    const std::vector<UndoManager::Action> actions = undo.takeActions();
    EXPECT_EQ(actions.size(), 3u);
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
}
