#pragma once

#include <QFrame>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <optional>

class QToolButton;

// A frameless pop-up anchored at a cell's or row's rectangle: it closes on a click elsewhere and on
// Escape, keeps its content's size, never leaves the screen, and (when detachable) can be torn off into
// a tool window that stays open beside the main window, with its Detach button or by dragging it away
// from its anchor by any part that is not a control.
class EditorPopover : public QFrame
{
    Q_OBJECT

public:
    // Takes over the content widget.
    explicit EditorPopover(QWidget *content, QWidget *parent = nullptr);
    ~EditorPopover() override;

    QWidget *content() const { return m_content; }
    void setDetachable(bool detachable);
    bool isDetachable() const { return m_detachable; }

    // Shows the pop-up under the anchor (global coordinates), or above it when there is no room below,
    // with the content at the given size.
    void showAt(const QRect &globalAnchor, const QSize &contentSize);
    // Where a pop-up of that size goes: below the anchor, else above, always inside the screen.
    static QRect placement(const QRect &anchor, const QSize &size, const QRect &screen);

    // Tears the content off into a tool window (owned by the parent's window) and closes the pop-up
    // without telling closed(). Returns the window; null when not detachable.
    QWidget *detach();
    // The same whether or not the user may detach it.
    QWidget *tearOff();
    // The window a widget can open a window of its own over. A pop-up closes as soon as another window
    // opens, so a widget inside one is torn off first, and the window it now lives in is returned.
    static QWidget *keepOpen(QWidget *inside);
    // How far the pointer must drag the pop-up before it tears off: further than a click wanders.
    static int tearOffDistance();

signals:
    // The pop-up closed (Escape, a click elsewhere, or its content asked): the opener applies the result.
    void closed();
    void detached(QWidget *window);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointer<QWidget> m_content;
    QToolButton *m_detachButton = nullptr;
    bool m_detachable = false;
    bool m_closedTold = false;
    // Where a drag of the pop-up began (global), while the button is held.
    std::optional<QPoint> m_dragStart;
};
