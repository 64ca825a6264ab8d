#pragma once

#include "find/FindPanel.h"
#include "ui/editors/EditorPopover.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

class FindResultsModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QToolButton;
class SearchableDocumentHub;

// The find panel's window, modal to its document window: the search field and its mode, the Items,
// Sub Items and Labels filters, every match in a table, stepping, replacing one or all (never in dates),
// Edit/Lock and Done. Double-clicking a value edits it in place, a date in the date editor, while the
// panel edits. Every change is an undo step of the window.
class FindPanelWindow : public QDialog
{
    Q_OBJECT

public:
    FindPanelWindow(SearchableDocumentHub &hub, const QString &findText, QWidget *parent);
    ~FindPanelWindow() override;

    // Opens the panel over the window, set up from it, and searches at once.
    static FindPanelWindow *openOver(SearchableDocumentHub &hub, const QString &findText, QWidget *window);

    FindPanel &panel() { return m_panel; }
    QLineEdit *searchField() const { return m_search; }
    QComboBox *modePopup() const { return m_mode; }
    QLabel *errorLabel() const { return m_error; }
    QToolButton *itemsButton() const { return m_items; }
    QToolButton *subItemsButton() const { return m_subItems; }
    QToolButton *labelsButton() const { return m_labels; }
    QTableView *resultsView() const { return m_view; }
    QLineEdit *replaceField() const { return m_replace; }
    QPushButton *replaceButton() const { return m_replaceOne; }
    QPushButton *replaceAllButton() const { return m_replaceAll; }
    QPushButton *editButton() const { return m_edit; }
    QProgressBar *progressBar() const { return m_progress; }
    // Searches with the search field's text now; the rows arrive from the event loop.
    void search();
    // Double-click on a result row's cell, as the mouse gives it.
    void activateRow(int row);
    // The date editor opened last from a date row (null when none is open).
    EditorPopover *dateEditor() const { return m_dateEditor; }

private:
    void buildControls();
    void connectControls();
    void showResults();
    void rowsArrived(int first, int last);
    void applyRowHeights(int first, int last);
    void updateProgress();
    void selectRowInView(int row);
    void updateReplaceEnabling();
    void updateEditButton();
    void fillFilterMenu(QToolButton *button);

    SearchableDocumentHub &m_hub;
    FindPanel m_panel;
    FindResultsModel *m_model = nullptr;
    QLineEdit *m_search = nullptr;
    QComboBox *m_mode = nullptr;
    QLabel *m_error = nullptr;
    QToolButton *m_items = nullptr;
    QToolButton *m_subItems = nullptr;
    QToolButton *m_labels = nullptr;
    QTableView *m_view = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QLineEdit *m_replace = nullptr;
    QPushButton *m_replaceOne = nullptr;
    QPushButton *m_replaceAll = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_done = nullptr;
    QProgressBar *m_progress = nullptr;
    QTimer m_typingPause;
    QTimer m_indexing; // the next slice of the search's index, read while the user types
    QPointer<EditorPopover> m_dateEditor;
    bool m_selecting = false;
};
