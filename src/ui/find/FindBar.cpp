#include "ui/find/FindBar.h"

#include "find/FindController.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int LineWidth = 2;

} // namespace

FindBar::FindBar(FindController &controller, QWidget *parent)
    : QWidget(parent)
    , m_controller(controller)
{
    setObjectName(QStringLiteral("findBar"));
    setAutoFillBackground(false);
    buildControls();

    m_typing.setSingleShot(true);
    m_typing.setInterval(TypingPause);
    m_indexing.setSingleShot(true);
    m_indexing.setInterval(0);
    // The index is read while the person types; the search comes once typing pauses and the index
    // is whole, so that no step keeps the window from answering for long.
    connect(&m_typing, &QTimer::timeout, this, &FindBar::searchWhenIndexed);
    connect(&m_indexing, &QTimer::timeout, this, &FindBar::searchWhenIndexed);
    connect(m_search, &QLineEdit::textEdited, this, [this] {
        m_waiting = true;
        m_typing.start();
        if (!m_indexing.isActive())
            m_indexing.start();
    });
    connect(m_replace, &QLineEdit::textChanged, this,
        [this](const QString &text) { m_controller.setReplaceString(text); });
    connect(m_option, &QComboBox::currentTextChanged, this, [this] {
        // The controller compares the pop-up's title with its own English one.
        m_controller.popupChanged(
            m_option->currentIndex() == 0 ? QString(FindOption::CaseInsensitiveTitle.text()) : QString());
    });
    connect(m_previous, &QToolButton::clicked, this, [this] {
        commitPendingSearch();
        m_controller.findBarButtonDidPress(FindAction::Previous);
    });
    connect(m_next, &QToolButton::clicked, this, [this] {
        if (!commitPendingSearch())
            m_controller.findBarButtonDidPress(FindAction::Next);
    });
    connect(m_replaceOne, &QPushButton::clicked, this, [this] {
        commitPendingSearch();
        m_controller.setReplaceString(m_replace->text());
        m_controller.findBarButtonDidPress(FindAction::Replace);
    });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] {
        commitPendingSearch();
        m_controller.setReplaceString(m_replace->text());
        m_controller.findBarButtonDidPress(FindAction::ReplaceAll);
    });
    connect(m_done, &QPushButton::clicked, this, &FindBar::close);

    connect(&m_controller, &FindController::findStringChanged, this,
        [this](const QString &text) { showFindString(text); });
    connect(&m_controller, &FindController::findBarVisibilityChanged, this,
        [this](bool visible) { setShown(visible); });

    setEditState(false);
    hide();
    setMaximumHeight(0);
}

void FindBar::buildControls()
{
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("findSearchField"));
    m_search->setPlaceholderText(tr("Search"));
    m_search->setClearButtonEnabled(true);
    m_search->installEventFilter(this);

    m_previous = new QToolButton(this);
    m_previous->setObjectName(QStringLiteral("findPrevious"));
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setToolTip(tr("Previous"));
    m_previous->setAccessibleName(tr("Previous"));
    m_next = new QToolButton(this);
    m_next->setObjectName(QStringLiteral("findNext"));
    m_next->setArrowType(Qt::RightArrow);
    m_next->setToolTip(tr("Next"));
    m_next->setAccessibleName(tr("Next"));

    m_option = new QComboBox(this);
    m_option->setObjectName(QStringLiteral("findOptions"));
    m_option->addItem(FindOption::CaseInsensitiveTitle.text());
    m_option->addItem(tr("Case Sensitive"));

    m_replace = new QLineEdit(this);
    m_replace->setObjectName(QStringLiteral("findReplaceField"));
    m_replace->setPlaceholderText(tr("Replace"));
    m_replace->setClearButtonEnabled(true);
    m_replace->installEventFilter(this);

    m_replaceOne = new QPushButton(tr("Replace"), this);
    m_replaceOne->setObjectName(QStringLiteral("findReplace"));
    m_replaceAll = new QPushButton(tr("All"), this);
    m_replaceAll->setObjectName(QStringLiteral("findReplaceAll"));
    m_replaceAll->setToolTip(tr("Replace All"));
    m_done = new QPushButton(tr("Done"), this);
    m_done->setObjectName(QStringLiteral("findDone"));
    for (QPushButton *button : { m_replaceOne, m_replaceAll, m_done })
        button->setAutoDefault(false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(4);
    layout->addWidget(m_search, 3);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_option);
    layout->addSpacing(12);
    layout->addWidget(m_replace, 2);
    layout->addWidget(m_replaceOne);
    layout->addWidget(m_replaceAll);
    layout->addSpacing(12);
    layout->addWidget(m_done);
}

void FindBar::setEditState(bool editing)
{
    m_editState = editing;
    m_replaceOne->setEnabled(editing);
    m_replaceAll->setEnabled(editing);
}

void FindBar::searchWhenIndexed()
{
    if (!m_waiting)
        return;
    if (!m_search->text().isEmpty() && !m_controller.prepareFindIndex(IndexSlice)) {
        m_indexing.start();
        return;
    }
    if (m_typing.isActive())
        return;
    stopWaiting();
    m_searched = m_search->text();
    m_controller.findStringDidChange(m_searched);
}

void FindBar::stopWaiting()
{
    m_waiting = false;
    m_typing.stop();
    m_indexing.stop();
}

bool FindBar::commitPendingSearch()
{
    if (!m_waiting && m_search->text() == m_searched)
        return false;
    stopWaiting();
    m_searched = m_search->text();
    m_controller.findStringDidChange(m_searched);
    return true;
}

void FindBar::returnPressed(bool backwards)
{
    if (!commitPendingSearch() || backwards)
        m_controller.findBarButtonDidPress(backwards ? FindAction::Previous : FindAction::Next);
    // The match is where work goes on (copying it, editing it): the table takes the keys.
    if (m_focusAfterClose && !m_search->text().isEmpty())
        m_focusAfterClose->setFocus(Qt::OtherFocusReason);
}

void FindBar::close()
{
    stopWaiting();
    setShown(false);
    m_controller.findBarButtonDidPress(FindAction::Done);
}

void FindBar::showFindString(const QString &text)
{
    if (m_search->text() == text)
        return;
    stopWaiting();
    m_search->setText(text);
    m_searched = text;
}

void FindBar::setShown(bool shown, bool animated)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    // The content below is pushed down (or covers the bar again) as the height changes.
    const int full = sizeHint().height();
    if (shown) {
        show();
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    } else if (m_focusAfterClose && isAncestorOf(QApplication::focusWidget())) {
        m_focusAfterClose->setFocus(Qt::OtherFocusReason);
    }
    if (!animated || !isVisibleTo(parentWidget()) || !window()->isVisible()) {
        setMaximumHeight(shown ? full : 0);
        setVisible(shown);
        emit shownChanged(shown);
        return;
    }
    animateTo(shown ? full : 0);
}

void FindBar::animateTo(int height)
{
    if (!m_animation) {
        m_animation = new QPropertyAnimation(this, "maximumHeight", this);
        m_animation->setDuration(AnimationDuration);
        m_animation->setEasingCurve(QEasingCurve::OutCubic);
        connect(m_animation, &QPropertyAnimation::finished, this, [this] {
            if (!m_shown)
                hide();
            emit shownChanged(m_shown);
        });
    }
    m_animation->stop();
    m_animation->setStartValue(maximumHeight());
    m_animation->setEndValue(height);
    m_animation->start();
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_search || watched == m_replace) && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        if (watched == m_search && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            returnPressed(key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FindBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    QPen pen(QColor(0xd0, 0xd0, 0xd0));
    pen.setWidth(LineWidth);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
