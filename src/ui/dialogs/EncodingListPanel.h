#pragma once

#include <QDialog>

class EncodingListModel;
class EncodingMenuModel;
class QListView;
class QPushButton;

// The list of every encoding with a check box, opened from "Customize Encoding List…". It is a tool
// window of the file dialog it was opened from, so it stays usable while that dialog is modal.
// Closing it keeps the checked encodings under "Encodings".
class EncodingListPanel : public QDialog
{
    Q_OBJECT
public:
    EncodingListPanel(EncodingMenuModel &menu, QWidget *parent = nullptr);

    EncodingListModel *listModel() const { return m_model; }
    QListView *tableView() const { return m_view; }
    QPushButton *selectAllButton() const { return m_selectAll; }
    QPushButton *clearAllButton() const { return m_clearAll; }
    QPushButton *revertButton() const { return m_revert; }

    // Closes the panel from the program (the file dialog ended); saves like the user closing it.
    void requestClose();

signals:
    void menuChanged();

protected:
    void done(int result) override;

private:
    EncodingMenuModel &m_menu;
    EncodingListModel *m_model;
    QListView *m_view;
    QPushButton *m_selectAll;
    QPushButton *m_clearAll;
    QPushButton *m_revert;
};
