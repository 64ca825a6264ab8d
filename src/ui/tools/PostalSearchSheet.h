#pragma once

#include "formats/ContactContainer.h"
#include "tools/ZipAddressUpdate.h"
#include "tools/ZipSheetController.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QPointer>
#include <functional>
#include <memory>

class DocumentHub;
class PostalDataLoader;
class PostalResultModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The postal-code search sheet: type a code or the head of an address, pick a row, confirm. The
// controller searches; this window shows its rows and follows its confirm button. The data it searches
// come from the loader and change under it when the national data arrives.
//
// Typing never waits for a search: each one runs on a worker over the texts it was given, one at a
// time. Keys typed meanwhile are gathered, and when the running search ends only the last text is
// searched; a result that no longer matches the field is dropped. The rows are shown through a model
// that makes a cell only when the view paints it.
class PostalSearchSheet : public QDialog
{
    Q_OBJECT

public:
    explicit PostalSearchSheet(PostalDataLoader &data, QWidget *parent = nullptr);

    // The window's command: the sheet over window, opened with the first selected row's address; on
    // confirm the chosen row is written into that address as one undo step (unless editing is locked).
    static PostalSearchSheet *open(QWidget *window, DocumentHub &hub);
    static PostalSearchSheet *open(QWidget *window, DocumentHub &hub, PostalDataLoader &data);

    // A sheet of its own over window for an address that is being edited there (the address editor):
    // opened with target; a confirmed row is handed to chosen with the mode of the search that found it,
    // and no record is changed here. The sheet deletes itself when it closes.
    using Chosen = std::function<void(const QVariantMap &row, int mode)>;
    static PostalSearchSheet *openForTarget(
        QWidget *window, const ZipAddressUpdate::Target &target, PostalDataLoader &data, Chosen chosen);

    // What the sheet searches first, as the window's command computes it.
    void setTargetString(const QString &text, int mode);
    // Types text into the field, as the user does; the rows follow when its search ends.
    void setInputText(const QString &text);
    // Whether a search is running or waiting; the rows shown are those of an earlier text meanwhile.
    bool isSearching() const { return m_searching || m_pending.has_value(); }
    void selectRow(int row);
    void confirm();

    const ZipSheetController &controller() const { return *m_controller; }
    QTableView *resultView() const { return m_table; }
    // The chosen row and the mode of the search that found it, once confirmed.
    std::optional<QVariantMap> result(int &mode) const { return m_controller->queryResultwithMode(mode); }

signals:
    // The rows of the field's text are shown: no search is running or waiting.
    void searchShown();

private:
    void makeController();
    void search(const QString &text);
    void startSearch();
    void searchEnded();
    void showRows();
    void showStatus();
    void applyTo(DocumentHub &hub, const ContactEntryPtr &row);

    PostalDataLoader &m_data;
    std::unique_ptr<ZipSheetController> m_controller;
    QLineEdit *m_input = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_installButton = nullptr;
    QTableView *m_table = nullptr;
    PostalResultModel *m_model = nullptr;
    QFutureWatcher<ZipSearchOutcome> m_watcher;
    bool m_searching = false;
    QString m_searchedText; // the text of the running search
    std::shared_ptr<const ZipSearchTexts> m_searchedTexts; // what it searches; kept alive meanwhile
    std::optional<QString> m_pending; // the last text typed while a search ran
    QPushButton *m_confirmButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QMetaObject::Connection m_applyConnection;
};
