#include "ui/find/FindBar.h"

#include "find/FindController.h"
#include "ui/find/ElidingComboBox.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>

namespace {

constexpr int LineWidth = 2;
// The fields keep room for this many characters however narrow the window.
constexpr int SearchFieldCharacters = 18;
constexpr int ReplaceFieldCharacters = 12;
// The option pop-up gives way to the search field, down to a few characters of its title.
constexpr int OptionCharacters = 8;
constexpr int OptionArrowRoom = 32;
constexpr int GroupSpacing = 12;
constexpr int ControlSpacing = 4;

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

    m_option = new ElidingComboBox(this);
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

    setFieldWidths();

    m_findRow = new QHBoxLayout;
    m_findRow->setSpacing(ControlSpacing);
    m_findRow->addWidget(m_search, 1);
    m_findRow->addWidget(m_previous);
    m_findRow->addWidget(m_next);
    m_findRow->addWidget(m_option);
    m_replaceRow = new QHBoxLayout;
    m_replaceRow->setSpacing(ControlSpacing);
    m_replaceRow->addWidget(m_replace, 1);
    m_replaceRow->addWidget(m_replaceOne);
    m_replaceRow->addWidget(m_replaceAll);
    m_replaceRow->addSpacing(GroupSpacing - ControlSpacing);
    m_replaceRow->addWidget(m_done);
    m_rows = new QBoxLayout(QBoxLayout::LeftToRight, this);
    m_rows->setContentsMargins(8, 4, 8, 4);
    m_rows->setSpacing(GroupSpacing);
    m_rows->addLayout(m_findRow, 3);
    m_rows->addLayout(m_replaceRow, 2);
    // The bar's own width never holds the window wide: below what one row needs, it takes two.
    setMinimumWidth(1);
}

void FindBar::setFieldWidths()
{
    const int average = m_search->fontMetrics().averageCharWidth();
    m_search->setMinimumWidth(average * SearchFieldCharacters);
    m_replace->setMinimumWidth(average * ReplaceFieldCharacters);
    m_option->setMinimumWidth(average * OptionCharacters + OptionArrowRoom);
}

bool FindBar::inTwoRows() const
{
    return m_rows->direction() == QBoxLayout::TopToBottom;
}

int FindBar::oneRowWidth() const
{
    const QMargins margins = m_rows->contentsMargins();
    return m_findRow->minimumSize().width() + GroupSpacing + m_replaceRow->minimumSize().width()
        + margins.left() + margins.right();
}

void FindBar::arrangeForWidth(int width)
{
    const bool twoRows = width < oneRowWidth();
    if (twoRows == inTwoRows())
        return;
    m_rows->setDirection(twoRows ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    m_rows->setSpacing(twoRows ? ControlSpacing : GroupSpacing);
    // Shown, the bar takes the height of its new arrangement, at once or at the end of its animation.
    const int full = sizeHint().height();
    if (m_animation && m_animation->state() == QAbstractAnimation::Running) {
        if (m_shown)
            m_animation->setEndValue(full);
    } else if (m_shown) {
        setMaximumHeight(full);
    }
}

void FindBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrangeForWidth(width());
}

void FindBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        setFieldWidths();
        arrangeForWidth(width());
    }
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
