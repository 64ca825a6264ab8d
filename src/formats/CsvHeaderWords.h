#pragma once

#include <QString>
#include <QStringList>

// The words other programs' CSV exports name their columns with, besides the English words of our
// own export: English spellings of other address books ("Given Name", "E-mail Address", "Postal
// Code") and the Japanese titles of Japanese address books and phones ("姓", "電話番号", "郵便番号").
namespace CsvHeaderWords {

// Field keys of the reading (phonetic) name's parts, which the record keeps apart from the name.
inline const QString PhoneticFirstName = QStringLiteral("PhoneticFirstName");
inline const QString PhoneticLastName = QStringLiteral("PhoneticLastName");

// The field key the header names in other programs' words, as CsvReader::detectType gives it;
// "Unknown" when it names a column that is no field ("E-mail Display Name"), "" when it names none.
QString detectType(const QString &header);
// "home", "work" or "mobile" when the header says so in those words; "" otherwise.
QString detectLabel(const QString &header);
// "ZIP", "State" or "City" when the header names that part in those words; "" otherwise.
QString detectAddressType(const QString &header);
// Whether a header names an address part in those words.
bool namesAddress(const QString &header);

// Whether a first line whose fields are given is a header rather than a contact: its fields
// name known columns (knownColumns of them) and none looks like a contact's data (an e-mail
// address, a phone number, a date).
bool looksLikeHeader(const QStringList &fields, qsizetype knownColumns);

} // namespace CsvHeaderWords
