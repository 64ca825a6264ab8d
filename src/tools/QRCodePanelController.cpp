#include "tools/QRCodePanelController.h"

using namespace Qt::StringLiterals;

namespace {

bool isLabeledType(const QString &type)
{
    return type == Ident::Phone || type == Ident::Email || type == Ident::Address || type == Ident::URL;
}

} // namespace

void QRCodePanelController::setContact(const ContactEntryPtr &entry)
{
    m_contact = entry;
    m_table = m_contact ? QrPayload::rowsForContact(*m_contact) : QrSelectionRows();
    recompute();
}

void QRCodePanelController::formatPopupSelected(const QString &format)
{
    m_format = format;
    recompute();
}

bool QRCodePanelController::setSelected(int row, bool selected)
{
    if (row < 0 || row >= m_table.size())
        return false;
    m_table[row].selected = selected;
    recompute();
    return true;
}

bool QRCodePanelController::isRowEnabled(int row) const
{
    if (row < 0 || row >= m_table.size())
        return false;
    const QString &type = m_table.at(row).type;
    if (!isLabeledType(type))
        return m_format == QrFormat::VCard;
    const bool singleValueFormat
        = m_format == QrFormat::Phone || m_format == QrFormat::Email || m_format == QrFormat::URL;
    if (singleValueFormat && type != m_format)
        return false;
    const bool carrierFormat
        = m_format == QrFormat::Docomo || m_format == QrFormat::Au || m_format == QrFormat::SoftBank;
    return !(carrierFormat && type == Ident::URL);
}

QString QRCodePanelController::titleForRow(int row) const
{
    if (row < 0 || row >= m_table.size())
        return QString();
    const QrSelectionRow &r = m_table.at(row);
    if (!isLabeledType(r.type))
        return r.value;
    return r.value.isEmpty() ? QString() : QrText::RowTitleFormat.arg(r.label, r.value);
}

double QRCodePanelController::heightOfRow(int row) const
{
    if (row < 0 || row >= m_table.size())
        return m_rowHeight;
    const qsizetype lines = m_table.at(row).value.count(u'\n') + 1;
    return lines >= 2 ? (m_rowHeight - 2.0) * double(lines) : m_rowHeight;
}

void QRCodePanelController::leaveOutAddress()
{
    for (QrSelectionRow &row : m_table) {
        if (row.type == Ident::Address)
            row.selected = false;
    }
    recompute();
}

std::unique_ptr<QMimeData> QRCodePanelController::mimeDataForCopy() const
{
    const QByteArray png = copy();
    if (png.isEmpty())
        return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData(PngMimeType, png);
    return data;
}

void QRCodePanelController::recompute()
{
    m_canLeaveOutAddress = false;
    if (!m_contact) {
        m_payload.clear();
        m_image = QrCodeResult();
        return;
    }
    m_payload = QrPayload::payloadForFormat(m_format, *m_contact, m_table);
    m_image = QrCodeImage::createQRCodeFromString(m_payload);
    if (m_image.ok() || m_format != QrFormat::VCard)
        return;
    // Addresses are the longest part of most cards; offer to drop them when that is enough.
    QrSelectionRows withoutAddress = m_table;
    bool hadAddress = false;
    for (QrSelectionRow &row : withoutAddress) {
        if (row.type == Ident::Address && row.selected && row.adrsDict) {
            row.selected = false;
            hadAddress = true;
        }
    }
    if (!hadAddress)
        return;
    const QString shorter = QrPayload::payloadForFormat(m_format, *m_contact, withoutAddress);
    if (shorter.toUtf8().size() > QrCodeImage::MaxPayloadBytes)
        return;
    int modules = 0;
    if (!QrCodeImage::moduleBitmap(shorter, &modules, nullptr).isNull()) {
        m_canLeaveOutAddress = true;
        m_image.error += u' ' + QrMessage::WithoutAddress;
    }
}
