#include "print/LayoutEditor.h"

#include <gtest/gtest.h>

namespace {

using Kind = LayoutEditor::BlockKind;

LayoutEditor::Block block(Kind kind, const QRectF &rect)
{
    LayoutEditor::Block b;
    b.kind = kind;
    b.rect = rect;
    b.textRect = rect;
    return b;
}

// A postcard with the receiver's name block and the sender's name block.
LayoutEditor postcard()
{
    LayoutEditor editor;
    editor.setPageSize({ 283.5, 419.5 });
    editor.setBlocks(
        { block(Kind::ReceiverName, { 120, 80, 50, 270 }), block(Kind::SenderName, { 20, 175, 36, 175 }) });
    return editor;
}

} // namespace

TEST(LayoutEditorTest, EachHandleIsHitAtItsSquareAndNowhereElse)
{
    const QRectF r(100, 100, 60, 200);
    const QPointF centres[] = { { 100.5, 99.5 }, { 100.5, 299.5 }, { 160.5, 299.5 }, { 160.5, 99.5 },
        { 100.5, 199.5 }, { 130.5, 299.5 }, { 160.5, 199.5 }, { 130.5, 99.5 } };
    for (int handle = 0; handle < LayoutEditor::HandleCount; ++handle) {
        EXPECT_EQ(LayoutEditor::handleAt(centres[handle], r), handle) << handle;
        EXPECT_EQ(LayoutEditor::handleRect(r, handle).size(), QSizeF(9, 9));
    }
    // The squares reach 4 left and 5 up of the point they sit on, and 9 across.
    EXPECT_EQ(LayoutEditor::handleAt({ 96, 95 }, r), 0);
    EXPECT_EQ(LayoutEditor::handleAt({ 95.9, 95 }, r), LayoutEditor::NoHandle);
    EXPECT_EQ(LayoutEditor::handleAt({ 105.1, 99 }, r), LayoutEditor::NoHandle);
    EXPECT_EQ(LayoutEditor::handleAt({ 130, 150 }, r), LayoutEditor::NoHandle);
}

TEST(LayoutEditorTest, AClickSelectsWithinFourPointsOfABlockAndKeepsTheSelectionOnRefresh)
{
    LayoutEditor editor = postcard();
    EXPECT_TRUE(editor.press({ 173, 200 })); // 3 outside the right edge
    ASSERT_TRUE(editor.selectedBlock());
    EXPECT_EQ(editor.selectedBlock()->kind, Kind::ReceiverName);
    editor.release();

    EXPECT_TRUE(editor.press({ 175, 200 })); // 5 outside: empty space deselects
    EXPECT_EQ(editor.selectedBlock(), nullptr);
    editor.release();

    editor.press({ 30, 200 });
    editor.release();
    EXPECT_EQ(editor.selectedBlock()->kind, Kind::SenderName);
    // A fresh layout of the same card keeps the sender's block selected.
    editor.setBlocks(
        { block(Kind::ReceiverName, { 120, 80, 50, 270 }), block(Kind::SenderName, { 22, 175, 36, 175 }) });
    ASSERT_TRUE(editor.selectedBlock());
    EXPECT_EQ(editor.selectedBlock()->kind, Kind::SenderName);
    EXPECT_EQ(editor.selectedBlock()->rect.x(), 22);
}

TEST(LayoutEditorTest, DraggingTheInsideMovesWithoutLimitAndReleaseReportsTheChangeOnce)
{
    LayoutEditor editor = postcard();
    editor.press({ 140, 200 });
    EXPECT_EQ(editor.grabbedHandle(), LayoutEditor::NoHandle);
    EXPECT_EQ(editor.cursorAt({ 140, 200 }), Qt::ClosedHandCursor);
    editor.drag({ 150, 210 });
    editor.drag({ 400, 210 }); // off the page: moving is not limited
    EXPECT_EQ(editor.selectedBlock()->rect, QRectF(380, 90, 50, 270));
    EXPECT_EQ(editor.selectedBlock()->textRect, QRectF(380, 90, 50, 270));

    const QList<LayoutEditor::Block> changed = editor.release();
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.first().kind, Kind::ReceiverName);
    EXPECT_TRUE(editor.release().isEmpty());
    EXPECT_EQ(editor.cursorAt({ 400, 200 }), Qt::OpenHandCursor);
}

TEST(LayoutEditorTest, ResizingFollowsTheHandleFactorsKeepsTheMinimumAndStaysOnThePage)
{
    struct Case
    {
        int handle;
        QPointF by;
        QRectF expected;
    };
    const QRectF start(100, 100, 60, 200);
    const Case cases[] = {
        { 0, { -10, -20 }, { 90, 80, 70, 220 } },
        { 1, { 5, 10 }, { 105, 100, 55, 210 } },
        { 2, { 10, 10 }, { 100, 100, 70, 210 } },
        { 3, { 10, -10 }, { 100, 90, 70, 210 } },
        { 4, { -10, 50 }, { 90, 100, 70, 200 } },
        { 5, { 50, 10 }, { 100, 100, 60, 210 } },
        { 6, { 10, 50 }, { 100, 100, 70, 200 } },
        { 7, { 50, -10 }, { 100, 90, 60, 210 } },
        // Dragged inwards past the opposite edge: at least 5 wide and 50 high.
        { 2, { -100, -300 }, { 100, 100, 5, 50 } },
        // Grown past the page: pushed back inside the page's right and top edges.
        { 6, { 200, 0 }, { 283.5 - 260, 100, 260, 200 } },
        { 0, { -200, -200 }, { 0, 0, 260, 400 } },
    };
    for (const Case &c : cases) {
        LayoutEditor editor;
        editor.setPageSize({ 283.5, 419.5 });
        editor.setBlocks({ block(Kind::ReceiverAddress, start) });
        const QPointF grab = LayoutEditor::handleRect(start, c.handle).center();
        editor.press(grab);
        ASSERT_EQ(editor.grabbedHandle(), c.handle);
        EXPECT_EQ(editor.cursorAt(grab), LayoutEditor::cursorForHandle(c.handle));
        editor.drag(grab + c.by);
        EXPECT_EQ(editor.selectedBlock()->rect, c.expected) << "handle " << c.handle;
        EXPECT_TRUE(editor.selectedBlock()->dirty);
    }
}

TEST(LayoutEditorTest, ArrowNudgesMoveByAPointStopAtTheRightAndBottomEdgesAndAreNoChange)
{
    LayoutEditor editor = postcard();
    EXPECT_FALSE(editor.nudgeForKey(Qt::Key_Right)); // nothing selected
    editor.press({ 140, 200 });
    editor.release();
    EXPECT_TRUE(editor.nudgeForKey(Qt::Key_Left));
    EXPECT_TRUE(editor.nudgeForKey(Qt::Key_Up));
    EXPECT_EQ(editor.selectedBlock()->rect, QRectF(119, 79, 50, 270));
    for (int i = 0; i < 200; ++i)
        editor.nudgeForKey(Qt::Key_Right);
    for (int i = 0; i < 200; ++i)
        editor.nudgeForKey(Qt::Key_Down);
    EXPECT_EQ(editor.selectedBlock()->rect, QRectF(283.5 - 50, 419.5 - 270, 50, 270));
    EXPECT_FALSE(editor.selectedBlock()->dirty);
    EXPECT_TRUE(editor.release().isEmpty());
    EXPECT_FALSE(editor.nudgeForKey(Qt::Key_A));
}

TEST(LayoutEditorTest, CursorsNameTheHandlesOfTheSelectedBlockOnly)
{
    LayoutEditor editor = postcard();
    const QRectF r(120, 80, 50, 270);
    EXPECT_EQ(editor.cursorAt(LayoutEditor::handleRect(r, 0).center()), Qt::ArrowCursor);
    editor.press({ 140, 200 });
    editor.release();
    EXPECT_EQ(editor.cursorAt(LayoutEditor::handleRect(r, 0).center()), Qt::SizeFDiagCursor);
    EXPECT_EQ(editor.cursorAt(LayoutEditor::handleRect(r, 3).center()), Qt::SizeBDiagCursor);
    EXPECT_EQ(editor.cursorAt(LayoutEditor::handleRect(r, 4).center()), Qt::SizeHorCursor);
    EXPECT_EQ(editor.cursorAt(LayoutEditor::handleRect(r, 7).center()), Qt::SizeVerCursor);
    EXPECT_EQ(editor.cursorAt({ 140, 200 }), Qt::OpenHandCursor);
    EXPECT_EQ(editor.cursorAt({ 30, 200 }), Qt::ArrowCursor); // the other block is not selected
}
