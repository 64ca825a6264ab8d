#include "ui/editors/EditorPopover.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

EditorPopover::EditorPopover(QWidget *content, QWidget *parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_content(content)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(0);
    auto *top = new QHBoxLayout;
    top->addStretch();
    m_detachButton = new QToolButton(this);
    m_detachButton->setText(tr("Detach"));
    m_detachButton->setToolTip(tr("Open in a window of its own"));
    m_detachButton->setAutoRaise(true);
    m_detachButton->setVisible(false);
    top->addWidget(m_detachButton);
    layout->addLayout(top);
    content->setParent(this);
    layout->addWidget(content);
    connect(m_detachButton, &QToolButton::clicked, this, [this] { detach(); });
}

EditorPopover::~EditorPopover() = default;

void EditorPopover::setDetachable(bool detachable)
{
    m_detachable = detachable;
    m_detachButton->setVisible(detachable);
}

QRect EditorPopover::placement(const QRect &anchor, const QSize &size, const QRect &screen)
{
    const int width = std::min(size.width(), screen.width());
    const int height = std::min(size.height(), screen.height());
    int y = anchor.bottom() + 1;
    if (y + height > screen.bottom() + 1) {
        const int above = anchor.top() - height;
        y = above >= screen.top() ? above : screen.bottom() + 1 - height;
    }
    int x = anchor.left();
    x = std::clamp(x, screen.left(), screen.right() + 1 - width);
    y = std::clamp(y, screen.top(), screen.bottom() + 1 - height);
    return { x, y, width, height };
}

void EditorPopover::showAt(const QRect &globalAnchor, const QSize &contentSize)
{
    if (m_content)
        m_content->setFixedSize(contentSize);
    adjustSize();
    QScreen *screen = QGuiApplication::screenAt(globalAnchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), sizeHint());
    setGeometry(placement(globalAnchor, sizeHint(), available));
    show();
    if (m_content)
        m_content->setFocus();
}

QWidget *EditorPopover::detach()
{
    return m_detachable ? tearOff() : nullptr;
}

QWidget *EditorPopover::keepOpen(QWidget *inside)
{
    if (!inside)
        return nullptr;
    auto *popover = qobject_cast<EditorPopover *>(inside->window());
    if (!popover || !popover->isVisible())
        return inside->window();
    QWidget *window = popover->tearOff();
    return window ? window : inside->window();
}

QWidget *EditorPopover::tearOff()
{
    if (!m_content)
        return nullptr;
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    auto *window = new QWidget(owner, Qt::Tool);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget *content = m_content;
    const QSize size = content->size();
    content->setMinimumSize(QSize(0, 0));
    content->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    layout->addWidget(content); // reparents it
    m_content = nullptr;
    window->resize(size);
    window->move(pos());
    m_closedTold = true; // the content lives on in the window: nothing to apply
    emit detached(window);
    close();
    window->show();
    return window;
}

int EditorPopover::tearOffDistance()
{
    return 3 * QApplication::startDragDistance();
}

void EditorPopover::mousePressEvent(QMouseEvent *event)
{
    // A press that no control took (a label, the margins, the space between fields) holds the pop-up
    // itself; one outside it is the click elsewhere that closes it.
    if (m_detachable && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        m_dragStart = event->globalPosition().toPoint();
        event->accept();
        return;
    }
    QFrame::mousePressEvent(event);
}

void EditorPopover::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragStart || !(event->buttons() & Qt::LeftButton)) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    const QPoint pointer = event->globalPosition().toPoint();
    if ((pointer - *m_dragStart).manhattanLength() < tearOffDistance())
        return;
    // Dragged away from its anchor: it becomes a window of its own under the pointer, where the user
    // goes on moving it as a window.
    const QPoint grabbed = *m_dragStart - pos();
    m_dragStart.reset();
    QWidget *window = detach();
    if (!window)
        return;
    window->move(pointer - grabbed);
    if (QWindow *handle = window->windowHandle())
        handle->startSystemMove();
}

void EditorPopover::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragStart.reset();
    QFrame::mouseReleaseEvent(event);
}

void EditorPopover::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

void EditorPopover::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    if (!m_closedTold) {
        m_closedTold = true;
        emit closed();
    }
    // A pop-up hidden by a click elsewhere is done with, like one closed by its content.
    if (testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}
