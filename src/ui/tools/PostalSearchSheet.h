#pragma once

#include "formats/ContactContainer.h"
#include "tools/ZipSheetController.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class DocumentHub;
class PostalDataLoader;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The postal-code search sheet: type a code or the head of an address, pick a row, confirm. The
// controller searches; this window shows its rows and follows its confirm button. The data it searches
// come from the loader and change under it when the national data arrives.
class PostalSearchSheet : public QDialog
{
    Q_OBJECT

public:
    explicit PostalSearchSheet(PostalDataLoader &data, QWidget *parent = nullptr);

    // The window's command: the sheet over window, opened with the first selected row's address; on
    // confirm the chosen row is written into that address as one undo step.
    static PostalSearchSheet *open(QWidget *window, DocumentHub &hub);
    static PostalSearchSheet *open(QWidget *window, DocumentHub &hub, PostalDataLoader &data);

    // What the sheet searches first, as the window's command computes it.
    void setTargetString(const QString &text, int mode);
    // Types text into the field, as the user does.
    void setInputText(const QString &text);
    void selectRow(int row);
    void confirm();

    const ZipSheetController &controller() const { return *m_controller; }
    // The chosen row and the mode of the search that found it, once confirmed.
    std::optional<QVariantMap> result(int &mode) const { return m_controller->queryResultwithMode(mode); }

private:
    void makeController();
    void showRows();
    void showStatus();
    void applyTo(DocumentHub &hub, const ContactEntryPtr &row);

    PostalDataLoader &m_data;
    std::unique_ptr<ZipSheetController> m_controller;
    QLineEdit *m_input = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_installButton = nullptr;
    QTableWidget *m_table = nullptr;
    QPushButton *m_confirmButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QMetaObject::Connection m_applyConnection;
};
