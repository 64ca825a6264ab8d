#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <Qt>

// Moving and resizing the text blocks of a postcard or an envelope with the mouse and the arrow keys, as
// numbers: which block and handle a click takes, how a drag changes the rectangle, where the page stops
// it, and which cursor each place shows. Coordinates are the page's points (origin top left, y down).
// The widget feeds it its mouse and key events and draws what it says; what a release changed is written
// back by LayoutWriteBack. Usage:
//
//     LayoutEditor editor;
//     editor.setPageSize(paper);
//     editor.setBlocks(blocks);          // after each refresh of the page; the selection is kept
//     editor.press(p); editor.drag(q);   // q - p moves (or resizes with a handle) the selected block
//     const QList<LayoutEditor::Block> changed = editor.release();
class LayoutEditor
{
public:
    enum class BlockKind {
        ReceiverName,
        ReceiverAddress,
        SenderName,
        SenderAddress,
        EnvelopeReceiver,
        EnvelopeSender
    };

    struct Block
    {
        BlockKind kind = BlockKind::ReceiverName;
        QRectF rect;
        QRectF textRect;
        qreal yOffset = 0; // the top of the block's page in the view
        bool selected = false;
        bool dirty = false;
    };

    // Handles are squares of this size around a block; a click this close outside a block still takes it.
    static constexpr qreal HandleSize = 9;
    static constexpr qreal Slop = 4;
    // A resize never makes a block narrower or lower than this.
    static constexpr qreal MinimumWidth = 5;
    static constexpr qreal MinimumHeight = 50;
    static constexpr int NoHandle = -1;
    static constexpr int HandleCount = 8;

    // Handle 0 top left, 1 bottom left, 2 bottom right, 3 top right, 4 middle left, 5 bottom middle,
    // 6 middle right, 7 top middle.
    static QRectF handleRect(const QRectF &rect, int handle);
    // The first handle whose square holds the point, or NoHandle.
    static int handleAt(const QPointF &point, const QRectF &rect);
    static Qt::CursorShape cursorForHandle(int handle);

    void setPageSize(const QSizeF &size) { m_pageSize = size; }
    QSizeF pageSize() const { return m_pageSize; }
    // New blocks from a fresh layout: the block of the same kind as the selected one stays selected.
    void setBlocks(const QList<Block> &blocks);
    const QList<Block> &blocks() const { return m_blocks; }
    // The selected block, or null.
    const Block *selectedBlock() const;
    int grabbedHandle() const { return m_handle; }
    bool isDragging() const { return m_dragging; }
    void clearSelection();

    // Selects what lies under the point (keeping the selected block when the point is on it or its
    // handles) and grabs the handle there; true when the selection changed.
    bool press(const QPointF &point);
    // Moves the selected block by the distance from the last point, or resizes it by the grabbed handle;
    // true when a rectangle changed.
    bool drag(const QPointF &point);
    // Ends a drag: the selected blocks that changed since the press, which are then clean again.
    QList<Block> release();
    // One point left, right, up or down for the selected block, pushed back inside the right and bottom
    // edges. A nudge is no change to store: the block is not marked.
    bool nudge(int dx, int dy);
    // Arrow keys as nudges; false for any other key.
    bool nudgeForKey(int key);

    // The cursor the point shows: resize arrows on the selected block's handles, a hand inside it (closed
    // while dragging), the arrow elsewhere.
    Qt::CursorShape cursorAt(const QPointF &point) const;

private:
    QRectF grown(const Block &block) const;
    Block *selected();

    QList<Block> m_blocks;
    QSizeF m_pageSize;
    QPointF m_lastPoint;
    int m_handle = NoHandle;
    bool m_dragging = false;
};
