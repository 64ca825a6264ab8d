#pragma once

#include "model/Identifiers.h"
#include "model/TranslatableText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

struct ContactEntry;

// The payload formats offered for a QR code; the names are compared as exact strings.
namespace QrFormat {

inline const QString VCard = QStringLiteral("vCard");
inline const QString Docomo = QStringLiteral("docomo");
inline const QString Au = QStringLiteral("au");
inline const QString SoftBank = QStringLiteral("SoftBank");
inline const QString Phone = QStringLiteral("Phone");
inline const QString Email = QStringLiteral("Email");
inline const QString URL = QStringLiteral("URL");

inline QStringList all()
{
    return { VCard, Docomo, Au, SoftBank, Phone, Email, URL };
}

} // namespace QrFormat

namespace QrText {

// Written as the display name of a card whose record has no name: a person reads it on the phone that
// scanned the code, so it is in the language of the run.
inline constexpr auto NoName = TranslatableText("QrText", "No name");
inline const QString EmptyVCard = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n");
// The title of a labelled row's check box: label, value.
inline const QString RowTitleFormat = QStringLiteral("%1: %2");

} // namespace QrText

// One row of the QR sheet's table: a value that can go into the payload.
struct QrSelectionRow
{
    QString type; // "Phone", "Email", "Address", "URL", "Company", "Department" or "Job Title"
    QString label; // the entry's label; empty for placeholders and the organisation rows
    QString value; // the entry's text (an address formatted), or the organisation value
    bool selected = false;
    std::optional<QVariantMap> adrsDict; // address rows built from an entry: the entry itself
};
using QrSelectionRows = QList<QrSelectionRow>;

// The values one payload is composed of, gathered from the record and the ticked rows.
struct QrValues
{
    QString name;
    QString reading;
    QString phone;
    QString email;
    QString address; // on one line
    QString url;
};

// Composing payload texts. Every format is written here, the vCard one included, so the texts
// do not change with the vCard writer of the rest of the program.
namespace QrPayload {

// Every ";" preceded by a backslash; nothing else is escaped.
QString escapeSemicolon(const QString &text);
// The text as a web address: "http://" in front unless it already begins so.
QString urlFromString(const QString &text);

// The rows of a contact: phones, e-mails, addresses, URLs (each at least a placeholder row), then
// company, department and job title.
QrSelectionRows rowsForContact(const ContactEntry &entry);

// Name and reading from the record, the others from the last ticked row of their type.
QrValues gatherValues(const ContactEntry &entry, const QrSelectionRows &rows);

// The vCard 3.0 text of the record with the ticked rows.
QString vCardFromContact(const ContactEntry &entry, const QrSelectionRows &rows);

// The payload in one format; "" for a name that is no format.
QString payloadForFormat(const QString &format, const ContactEntry &entry, const QrSelectionRows &rows);

} // namespace QrPayload
