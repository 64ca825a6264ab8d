#pragma once

#include <QList>
#include <QStringView>
#include <functional>

// The record reader for the postal-code CSV files: one record per line (CRLF or LF), fields
// separated by commas, text fields in double quotes ("" inside quotes is one quote).
namespace PostalCsv {

// Beyond these a line is not a postal record; the reader keeps the first fields and moves on.
constexpr qsizetype MaximumFields = 64;
constexpr qsizetype MaximumLineLength = 64 * 1024;

// The fields of one line, unquoted. An unterminated quote runs to the end of the line.
QList<QStringView> splitRecord(QStringView line, bool *wellFormed = nullptr);

// Calls record for every non-empty line with its fields and its 1-based line number; stops early
// when record returns false. Lines longer than MaximumLineLength are passed as not well formed
// with no fields.
using RecordHandler
    = std::function<bool(const QList<QStringView> &fields, qsizetype lineNumber, bool wellFormed)>;
void forEachRecord(QStringView text, const RecordHandler &record);

} // namespace PostalCsv
