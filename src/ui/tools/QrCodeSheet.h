#pragma once

#include "formats/ContactContainer.h"
#include "tools/QRCodePanelController.h"

#include <QDialog>

class DocumentHub;
class QAction;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The QR code sheet: the payload format, the rows to put in, the payload text and its code. The
// controller composes; this window shows and forwards the user's choices.
class QrCodeSheet : public QDialog
{
    Q_OBJECT

public:
    explicit QrCodeSheet(QWidget *parent = nullptr);

    // The window's command: the sheet for the first selected contact of the hub, opened window-modal
    // over window; nothing (null) when no contact is selected.
    static QrCodeSheet *open(QWidget *window, DocumentHub &hub);

    void setContact(const ContactEntryPtr &entry);
    void selectFormat(const QString &format);
    void setRowSelected(int row, bool selected);
    // Copy: the image as PNG on the clipboard; nothing when there is no image.
    void copy();

    const QRCodePanelController &controller() const { return m_controller; }
    // Edit ▸ Copy while the sheet is in front; the window's menu may show it.
    QAction *copyAction() const { return m_copyAction; }
    QImage shownImage() const;

private:
    void showState();
    void rowToggled(int row, int column);

    QRCodePanelController m_controller;
    QComboBox *m_formatPopup = nullptr;
    QTableWidget *m_table = nullptr;
    QPlainTextEdit *m_textView = nullptr;
    QLabel *m_imageView = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_leaveOutButton = nullptr;
    QPushButton *m_copyButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QAction *m_copyAction = nullptr;
    bool m_filling = false;
};
