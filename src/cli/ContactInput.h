#pragma once

#include "document/DocumentReader.h"
#include "formats/ObservedVCardRead.h"

#include <QString>
#include <memory>
#include <optional>

class CommandIo;

// The contacts of the file a subcommand reads, through the document reader as the window reads them:
// the same size limit, encoding detection and notices. "-" reads standard input. What goes wrong is
// said on standard error, each line starting with the file's name, the same way in every subcommand.
namespace ContactInput {

inline const QString StandardStream = QStringLiteral("-");

struct Request
{
    QString path;
    InputFormat format = InputFormat::VCard;
    TextEncoding::Number encoding = TextEncoding::Automatic;
    // A file that gives no contact is an error ("Couldn't read the file." with what the file must be).
    bool requireContacts = true;
};

// The name messages give the input: the file's name, or "standard input" for "-".
QString displayName(const QString &path);

// The format a file's name suggests: CSV for ".csv", else vCard.
InputFormat formatForPath(const QString &path, InputFormat csvFormat = InputFormat::Csv);

// The read, or nothing after the reason was told. Notices (skipped cards, a CSV without header) are
// told too, and still give the read.
// observer, when given, hears of every contact of a vCard file as its record is made.
std::optional<DocumentReadResult> read(
    const Request &request, CommandIo &io, const ObservedVCardRead::Observer &observer = {});
// The same read, kept until the process ends when the command runs as the process (see
// CommandIo::keepUntilExit); nullptr after the reason was told.
std::shared_ptr<const DocumentReadResult> readKept(const Request &request, CommandIo &io);

// The live contacts of the category group of that name (every contact for an empty name), or nothing
// after telling that the file has no such group and which groups it has.
std::optional<ContactTable> groupEntries(
    const DocumentReadResult &read, const QString &path, const QString &groupName, CommandIo &io);

} // namespace ContactInput
