#pragma once

#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Reading CSV text into new records. The first line is a header whose texts name the columns by
// the English words they contain ("Home Phone", "Work Email", "Other ZIP", "Birthday"...); each
// value is collected per contact under field identifiers and then handed to a new record.
namespace CsvReader {

// Field keys of columns that are not identifiers of the record.
namespace FieldKey {
inline const QString Unknown = QStringLiteral("Unknown");
inline const QString Spouse = QStringLiteral("Spouse");
} // namespace FieldKey

namespace Message {
inline constexpr auto NoLines = TranslatableText("CsvReader", "The file holds no lines.");
inline constexpr auto Binary
    = TranslatableText("CsvReader", "The file is not text: line %1 holds a NUL character.");
inline constexpr auto NoKnownColumn
    = TranslatableText("CsvReader", "No column of the header line names a contact field.");
} // namespace Message

// One column, described from its header text.
struct Column
{
    QString fieldName;
    QString type; // a field key: an identifier, an address part, "FirstName"..., or "Unknown"
    QString label; // phone, e-mail and address columns: the label; social networks: the service
};

struct Result
{
    ContactTable entries;
    QString error; // empty when the text was read
    qsizetype errorLine = 0; // the line the error is about, from 1; 0 when it is about the whole text
    bool ok() const { return error.isEmpty(); }
};

// The contacts of the text. The header line is read as a contact too unless its first field is
// exactly "Name". Lines shorter than two characters are skipped; fields beyond the header's are
// ignored. An error (no lines, binary data, a header naming no field, a quote that never closes,
// an overlong field) gives no entries.
Result contactsFromCSV(const QString &text);

QList<Column> columnsFromHeader(const QStringList &headerFields);

// The field key of a header text: an identifier, an address part, "FirstName", "LastName", a
// social service ("Facebook"...), or "" when nothing matches.
QString detectType(const QString &header);
// "home", "work", "mobile" or "other".
QString detectLabel(const QString &header);
// "ZIP", "State", "City" or "Street".
QString detectAddressType(const QString &header);

// Adds one value to a contact being collected; empty values and unknown keys change nothing.
void createContact(QVariantMap &contact, const QString &value, const QString &key, const QString &label);

} // namespace CsvReader
