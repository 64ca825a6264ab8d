#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class FindController;
class QBoxLayout;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPropertyAnimation;
class QPushButton;
class QToolButton;

// The strip above the contact table that finds one match at a time: the search field, the replace
// field, Previous/Next, Replace/All (enabled only while editing), the case option and Done. It is a
// face on the window's FindController: every action goes there, and the bar shows what it says.
//
// Typing searches after a short pause, so that a keystroke never waits for a search over a large
// table; every new keystroke cancels the search still waiting. Return searches at once (the next match
// when the text was searched already), Shift+Return searches backwards, Escape closes the bar.
class FindBar : public QWidget
{
    Q_OBJECT

public:
    // How long typing must pause before the text is searched, and how long showing or hiding takes.
    static constexpr int TypingPause = 250;
    static constexpr int AnimationDuration = 150;
    // The longest the bar keeps the window busy at a time reading records for the search's index.
    static constexpr int IndexSlice = 10;

    FindBar(FindController &controller, QWidget *parent = nullptr);

    QLineEdit *searchField() const { return m_search; }
    QLineEdit *replaceField() const { return m_replace; }
    QComboBox *optionPopup() const { return m_option; }
    QToolButton *previousButton() const { return m_previous; }
    QToolButton *nextButton() const { return m_next; }
    QPushButton *replaceButton() const { return m_replaceOne; }
    QPushButton *replaceAllButton() const { return m_replaceAll; }
    QPushButton *doneButton() const { return m_done; }

    // Replacing is allowed only while the window edits.
    void setEditState(bool editing);
    bool editState() const { return m_editState; }
    // Whether the bar is shown or on its way in (it stays visible while it slides out).
    bool isShown() const { return m_shown; }
    // Too narrow for every control in one row, the replace controls go to a second row.
    bool inTwoRows() const;
    // Slides in (focus to the search field, its text selected) or out; no animation when it isn't
    // wanted (a window not yet shown).
    void setShown(bool shown, bool animated = true);
    // Where focus goes when the bar closes and after Return found a match (the table).
    void setFocusAfterClose(QWidget *widget) { m_focusAfterClose = widget; }
    // Searches the typed text now if a pause is still pending; true when it did.
    bool commitPendingSearch();

signals:
    // The bar finished sliding in or out.
    void shownChanged(bool shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void returnPressed(bool backwards);
    void close();
    void showFindString(const QString &text);
    void searchWhenIndexed();
    void stopWaiting();
    void animateTo(int height);
    void setFieldWidths();
    void arrangeForWidth(int width);
    int oneRowWidth() const;

    FindController &m_controller;
    QLineEdit *m_search = nullptr;
    QLineEdit *m_replace = nullptr;
    QComboBox *m_option = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QPushButton *m_replaceOne = nullptr;
    QPushButton *m_replaceAll = nullptr;
    QPushButton *m_done = nullptr;
    QBoxLayout *m_rows = nullptr; // the find controls and the replace controls: one row, or two when narrow
    QHBoxLayout *m_findRow = nullptr;
    QHBoxLayout *m_replaceRow = nullptr;
    QTimer m_typing;
    QTimer m_indexing; // the next slice of the index, as soon as events have been handled
    bool m_waiting = false; // typed text not searched yet
    QPropertyAnimation *m_animation = nullptr;
    QPointer<QWidget> m_focusAfterClose;
    // The text the controller searched last: Return on it goes to the next match.
    QString m_searched;
    bool m_editState = false;
    bool m_shown = false;
    bool m_settingText = false;
};
