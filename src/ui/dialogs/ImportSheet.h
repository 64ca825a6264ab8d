#pragma once

#include "formats/ContactContainer.h"

#include <QDialog>

class ImportListModel;
class QLabel;
class QListView;
class QPushButton;
class QSplitter;

// The sheet that offers a file's contacts for import: the file's name, the list of its contacts
// (several may be selected), Select and Cancel. It ends with 1 for Select and 0 for Cancel; the window
// adds selectedIndexes() of nameTable() to its group. One sheet is kept per window and refilled for
// each import. The read-only view of the clicked contact goes beside the list (setDetailView).
class ImportSheet : public QDialog
{
    Q_OBJECT
public:
    enum Result { Cancelled = 0, Selected = 1 };

    explicit ImportSheet(QWidget *parent = nullptr);

    void setOffer(const QString &filename, const ContactTable &nameTable);
    QString filename() const { return m_filename; }
    const ContactTable &nameTable() const;
    // The selected rows, ascending.
    QList<qsizetype> selectedIndexes() const;

    QListView *nameTableView() const { return m_view; }
    QPushButton *selectButton() const { return m_select; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Puts the detail view of a contact to the right of the list; the sheet owns it from then on.
    void setDetailView(QWidget *view);
    QWidget *detailView() const { return m_detail; }

signals:
    // The user clicked a row: the detail view shows that contact.
    void entryClicked(const ContactEntryPtr &entry);

private:
    QString m_filename;
    ImportListModel *m_model;
    QLabel *m_importFilename;
    QListView *m_view;
    QSplitter *m_splitter;
    QWidget *m_detail = nullptr;
    QPushButton *m_select;
    QPushButton *m_cancel;
};
