#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Turns the files the postal service publishes (a zip archive holding one CSV, or the CSV itself)
// into the gzip data files the search reads, after checking that they have the expected shape.
namespace PostalDataInstaller {

enum class Kind { General, Business };

constexpr qsizetype MaximumCsvSize = 128 * 1024 * 1024;

struct CsvCheck
{
    bool ok = false;
    qsizetype records = 0;
    QString error; // "line 12: expected 15 fields, found 9"
};

// General file: 15 fields a record with the 7-digit code in the third; business file: 13 fields
// with the code in the eighth. The bytes must decode as Windows-31J without errors.
CsvCheck validateCsv(const QByteArray &csv, Kind kind);

// The CSV bytes of a published file, unpacked when it is a zip archive.
std::optional<QByteArray> readPublishedFile(const QString &path, QString *error);

// Checks both inputs, then writes "ken_all.gzip" (and "jigyosyo.gzip" when businessPath is given)
// into directory, each replaced atomically. Lines of progress go to report.
bool install(const QString &generalPath, const QString &businessPath, const QString &directory,
    QString *error, QStringList *report = nullptr);

} // namespace PostalDataInstaller
