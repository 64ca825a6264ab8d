#pragma once

#include "formats/ContactContainer.h"
#include "tools/QrCodeImage.h"
#include "tools/QrPayload.h"

#include <QByteArray>
#include <QMimeData>
#include <memory>

// The QR code sheet without its widgets: the contact shown, the rows the user ticks, the chosen
// format, and the payload and image they give. A widget shows table(), payload() and image() and
// forwards the user's choices; every choice recomputes the payload at once.
class QRCodePanelController
{
public:
    static constexpr double DefaultRowHeight = 20.0;
    static inline const QString PngMimeType = QStringLiteral("image/png");

    // Shows the entry: rebuilds the rows with the default ticks and recomputes the payload.
    void setContact(const ContactEntryPtr &entry);
    const ContactEntryPtr &contact() const { return m_contact; }

    // The popup's choice; any text that names no format gives an empty payload.
    void formatPopupSelected(const QString &format);
    const QString &format() const { return m_format; }

    const QrSelectionRows &table() const { return m_table; }
    int numberOfRows() const { return int(m_table.size()); }
    // Ticks or unticks a row and recomputes the payload; false for a row that doesn't exist.
    bool setSelected(int row, bool selected);
    // Whether the row's check box can be used under the current format.
    bool isRowEnabled(int row) const;
    // The check box's title: "label: value" for labelled rows ("" when the value is empty), else the value.
    QString titleForRow(int row) const;
    double heightOfRow(int row) const;
    double rowHeight() const { return m_rowHeight; }

    const QString &payload() const { return m_payload; }
    // The image of the payload, or the reason there is none.
    const QrCodeResult &image() const { return m_image; }
    // When the vCard payload did not fit only because of its addresses: untick them to make it fit.
    bool canLeaveOutAddress() const { return m_canLeaveOutAddress; }
    void leaveOutAddress();

    // The clipboard contents for Copy: the image as PNG; empty / nullptr when there is no image.
    QByteArray copy() const { return QrCodeImage::pngData(m_image.image); }
    std::unique_ptr<QMimeData> mimeDataForCopy() const;

private:
    void recompute();

    ContactEntryPtr m_contact;
    QrSelectionRows m_table;
    QString m_format = QrFormat::VCard;
    double m_rowHeight = DefaultRowHeight;
    QString m_payload;
    QrCodeResult m_image;
    bool m_canLeaveOutAddress = false;
};
