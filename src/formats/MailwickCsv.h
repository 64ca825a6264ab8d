#pragma once

#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// Reading the CSV layout of the envelope-printing product: one addressee per line with a single name
// field, joint names, company, a three-part Japanese address, a postcard layout string, e-mail, phone
// and note. Files with a header line name their columns; files without one are read in a fixed order.
namespace MailwickCsv {

struct Result
{
    ContactTable entries;
    // The first line was not a header; the caller tells the user the order the columns were read in.
    bool headerMissing = false;
};

inline constexpr auto HeaderMissingMessage
    = TranslatableText("MailwickCsv", "Can't find header line in the file.");
inline constexpr auto HeaderMissingInformative = TranslatableText(
    "MailwickCsv", "Read as the following order: Name, Renmei, Company, ZIP, State&City and Street");

// The column keys of a file without a header line.
QStringList fixedOrder();

// The entries of the text; nullopt when the text has no lines.
std::optional<Result> contactsFromMailwickCSV(const QString &text);

// Stores one field of a line in the collecting dictionary.
void createContactForValueForKey(QVariantMap &contact, const QString &value, const QString &key);

} // namespace MailwickCsv
