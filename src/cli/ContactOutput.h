#pragma once

#include "formats/ContactContainer.h"

#include <QString>
#include <optional>

class CommandIo;

// Contacts written by a subcommand: vCard 3.0 (with the categories of the container given, so that a
// converted file keeps its groups) or the 32-column CSV, in UTF-8, to a file or to standard output.
namespace ContactOutput {

enum class Format { VCard, Csv };

// "vcard" or "csv".
std::optional<Format> formatNamed(const QString &name);
// CSV for a ".csv" name, else vCard.
Format formatForPath(const QString &path);

// Writes the entries; false after telling why nothing was written.
bool write(const ContactTable &entries, const ContactContainer *container, Format format, const QString &path,
    CommandIo &io);
// Writes the entries as CSV, giving up each record (and the values built for its row) once its line is
// made; the caller holds no other share of them. False after telling why nothing was written.
bool writeCsvReleasing(ContactTable entries, const QString &path, CommandIo &io);

} // namespace ContactOutput
