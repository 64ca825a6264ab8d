#pragma once

#include "tools/MergePanelController.h"

#include <QDialog>

class DocumentHub;
class EditorPopover;
class MergeTableModel;
class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QTableView;

// The merge sheet: two contacts side by side, rows dragged from one to the other (Alt copies), edited
// in place, with an undo of its own. Confirming hands the two edited copies to the opener, which
// replaces the document's records in one undo step of the window.
class MergeSheet : public QDialog
{
    Q_OBJECT

public:
    explicit MergeSheet(QWidget *parent = nullptr);

    // The window's command: with two or more selected contacts, the sheet over window for the first
    // two (closing it instead when it is open); null when it did not open.
    static MergeSheet *open(QWidget *window, DocumentHub &hub);
    // Whether window has the sheet open (the other commands' rules ask).
    static bool isOpenFor(const QWidget *window);

    // Starts from fresh copies of the context's first two contacts; false with fewer.
    bool setContextInfo(const MergeContext &context, bool editable);
    MergePanelController &controller() { return m_controller; }
    MergeTableModel *model(MergePanelController::Side side) const;
    QTableView *view(MergePanelController::Side side) const;
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }

    void setEditing(bool on);
    void confirm();
    // Opens the field editor of a row whose value is not typed in place (an address, a chat account, a
    // date, the joint names...) in a popover at its cell; what the editor confirms becomes one step of
    // the sheet's undo. Null when the row has no such editor or the sheet is locked.
    EditorPopover *openFieldEditor(MergePanelController::Side side, int row);

private:
    void showLook();
    void reloadTables();
    void showPhotoRefused(const QString &fileName, const QString &reason);

    MergePanelController m_controller;
    MergeTableModel *m_leftModel = nullptr;
    MergeTableModel *m_rightModel = nullptr;
    QTableView *m_leftView = nullptr;
    QTableView *m_rightView = nullptr;
    QLabel *m_leftTitle = nullptr;
    QLabel *m_rightTitle = nullptr;
    QFrame *m_separator = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_confirmButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
};
