#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reads the zip archives in which the postal data is published: one CSV member, stored or
// deflated. Every size, count and offset in the archive is checked against the bytes we have.
namespace PostalArchive {

constexpr qsizetype MaximumArchiveSize = 64 * 1024 * 1024;
constexpr qsizetype MaximumMemberSize = 128 * 1024 * 1024;
constexpr int MaximumMembers = 4096;

bool looksLikeZip(const QByteArray &bytes);

// The bytes of the archive's first member whose name ends in ".csv" (any case), with its name.
// On failure, error says why ("not a zip archive", "no CSV member", "CRC mismatch", ...).
std::optional<QByteArray> extractCsv(const QByteArray &archive, QString *memberName, QString *error);

} // namespace PostalArchive
