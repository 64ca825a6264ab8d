#include "print/LayoutEditor.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

// How a drag of each handle changes x, y, width and height.
struct Factors
{
    qreal x, y, w, h;
};

constexpr std::array<Factors, LayoutEditor::HandleCount> HandleFactors { {
    { 1, 1, -1, -1 }, // top left
    { 1, 0, -1, 1 }, // bottom left
    { 0, 0, 1, 1 }, // bottom right
    { 0, 1, 1, -1 }, // top right
    { 1, 0, -1, 0 }, // middle left
    { 0, 0, 0, 1 }, // bottom middle
    { 0, 0, 1, 0 }, // middle right
    { 0, 1, 0, -1 }, // top middle
} };

} // namespace

QRectF LayoutEditor::handleRect(const QRectF &rect, int handle)
{
    const qreal x = rect.x();
    const qreal y = rect.y();
    const qreal w = rect.width();
    const qreal h = rect.height();
    QPointF origin;
    switch (handle) {
    case 0:
        origin = { x - 4, y - 5 };
        break;
    case 1:
        origin = { x - 4, y + h - 5 };
        break;
    case 2:
        origin = { x + w - 4, y + h - 5 };
        break;
    case 3:
        origin = { x + w - 4, y - 5 };
        break;
    case 4:
        origin = { x - 4, y + h / 2 - 5 };
        break;
    case 5:
        origin = { x + w / 2 - 4, y + h - 5 };
        break;
    case 6:
        origin = { x + w - 4, y + h / 2 - 5 };
        break;
    case 7:
        origin = { x + w / 2 - 4, y - 5 };
        break;
    default:
        return QRectF();
    }
    return QRectF(origin, QSizeF(HandleSize, HandleSize));
}

int LayoutEditor::handleAt(const QPointF &point, const QRectF &rect)
{
    for (int handle = 0; handle < HandleCount; ++handle) {
        const QRectF square = handleRect(rect, handle);
        // The square's far edges belong to it, as the whole 9 points do on screen.
        if (point.x() >= square.left() && point.x() <= square.right() && point.y() >= square.top()
            && point.y() <= square.bottom())
            return handle;
    }
    return NoHandle;
}

Qt::CursorShape LayoutEditor::cursorForHandle(int handle)
{
    switch (handle) {
    case 0:
    case 2:
        return Qt::SizeFDiagCursor;
    case 1:
    case 3:
        return Qt::SizeBDiagCursor;
    case 4:
    case 6:
        return Qt::SizeHorCursor;
    case 5:
    case 7:
        return Qt::SizeVerCursor;
    default:
        return Qt::ArrowCursor;
    }
}

void LayoutEditor::setBlocks(const QList<Block> &blocks)
{
    const Block *old = selectedBlock();
    const std::optional<BlockKind> kept = old ? std::optional(old->kind) : std::nullopt;
    m_blocks = blocks;
    for (Block &block : m_blocks)
        block.selected = kept && block.kind == *kept;
}

const LayoutEditor::Block *LayoutEditor::selectedBlock() const
{
    const auto found
        = std::find_if(m_blocks.cbegin(), m_blocks.cend(), [](const Block &b) { return b.selected; });
    return found == m_blocks.cend() ? nullptr : &*found;
}

LayoutEditor::Block *LayoutEditor::selected()
{
    const auto found
        = std::find_if(m_blocks.begin(), m_blocks.end(), [](const Block &b) { return b.selected; });
    return found == m_blocks.end() ? nullptr : &*found;
}

void LayoutEditor::clearSelection()
{
    for (Block &block : m_blocks)
        block.selected = false;
    m_handle = NoHandle;
    m_dragging = false;
}

QRectF LayoutEditor::grown(const Block &block) const
{
    return block.rect.translated(0, block.yOffset).adjusted(-Slop, -Slop, Slop, Slop);
}

bool LayoutEditor::press(const QPointF &point)
{
    m_lastPoint = point;
    m_dragging = false;
    m_handle = NoHandle;
    const Block *before = selectedBlock();
    if (before && grown(*before).contains(point)) {
        m_handle = handleAt(point, before->rect.translated(0, before->yOffset));
        m_dragging = true;
        return false;
    }
    const int beforeIndex = before ? int(before - std::as_const(m_blocks).data()) : -1;
    int chosen = -1;
    for (int i = 0; i < m_blocks.size(); ++i) {
        if (chosen < 0 && grown(m_blocks.at(i)).contains(point))
            chosen = i;
        m_blocks[i].selected = false;
    }
    if (chosen >= 0) {
        Block &block = m_blocks[chosen];
        block.selected = true;
        m_handle = handleAt(point, block.rect.translated(0, block.yOffset));
        m_dragging = true;
    }
    return chosen != beforeIndex;
}

bool LayoutEditor::drag(const QPointF &point)
{
    Block *block = selected();
    const QPointF delta = point - m_lastPoint;
    m_lastPoint = point;
    if (!block || !m_dragging || delta.isNull())
        return false;
    if (m_handle == NoHandle) {
        block->rect.translate(delta);
        block->textRect.translate(delta);
        block->dirty = true;
        return true;
    }
    const Factors &f = HandleFactors.at(m_handle);
    const QRectF &r = block->rect;
    qreal x = r.x() + delta.x() * f.x;
    qreal y = r.y() + delta.y() * f.y;
    const qreal w = std::max(r.width() + delta.x() * f.w, MinimumWidth);
    const qreal h = std::max(r.height() + delta.y() * f.h, MinimumHeight);
    if (x < 0)
        x = 0;
    if (x + w > m_pageSize.width())
        x = m_pageSize.width() - w;
    if (y < 0)
        y = 0;
    if (y + h > m_pageSize.height())
        y = m_pageSize.height() - h;
    block->rect = QRectF(x, y, w, h);
    block->dirty = true;
    return true;
}

QList<LayoutEditor::Block> LayoutEditor::release()
{
    m_handle = NoHandle;
    m_dragging = false;
    QList<Block> changed;
    for (Block &block : m_blocks) {
        if (block.selected && block.dirty) {
            changed.append(block);
            block.dirty = false;
        }
    }
    return changed;
}

bool LayoutEditor::nudge(int dx, int dy)
{
    Block *block = selected();
    if (!block || (dx == 0 && dy == 0))
        return false;
    QRectF r = block->rect.translated(dx, dy);
    if (r.right() > m_pageSize.width())
        r.moveRight(m_pageSize.width());
    if (r.bottom() > m_pageSize.height())
        r.moveBottom(m_pageSize.height());
    block->textRect.translate(r.topLeft() - block->rect.topLeft());
    block->rect = r;
    return true;
}

bool LayoutEditor::nudgeForKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return nudge(-1, 0);
    case Qt::Key_Right:
        return nudge(1, 0);
    case Qt::Key_Up:
        return nudge(0, -1);
    case Qt::Key_Down:
        return nudge(0, 1);
    default:
        return false;
    }
}

Qt::CursorShape LayoutEditor::cursorAt(const QPointF &point) const
{
    const Block *block = selectedBlock();
    if (!block)
        return Qt::ArrowCursor;
    const QRectF rect = block->rect.translated(0, block->yOffset);
    if (m_dragging && m_handle != NoHandle)
        return cursorForHandle(m_handle);
    const int handle = handleAt(point, rect);
    if (handle != NoHandle)
        return cursorForHandle(handle);
    if (rect.contains(point))
        return m_dragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor;
    return Qt::ArrowCursor;
}
