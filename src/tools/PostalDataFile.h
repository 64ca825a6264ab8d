#pragma once

#include <QByteArray>
#include <QString>

// Reading and writing the postal-code data files: gzip-compressed CSV in Windows-31J.
namespace PostalDataFile {

// Inflated data never grows past this; a stream that would is treated as corrupt.
constexpr qsizetype MaximumInflatedSize = 256 * 1024 * 1024;

// Inflates a gzip or zlib stream (the header is detected). An empty input gives an empty output;
// a corrupt, truncated or oversized stream gives an empty output too, never a partial one.
QByteArray inflateData(const QByteArray &compressed);

// Compresses data as a gzip stream with no file name and no timestamp in its header.
QByteArray gzipData(const QByteArray &data);

// Decodes Windows-31J (the Microsoft variant of Shift_JIS, with the NEC and IBM extensions that the
// business file uses). Undecodable bytes become U+FFFD and are counted in invalidCount.
QString decodeWindows31J(const QByteArray &bytes, qsizetype *invalidCount = nullptr);

// The folder where installed data lives: $XDG_DATA_HOME/corvanthe/postal.
QString dataDirectory();

// The file to read for a data file name: in directory when one is given (and nowhere else);
// otherwise the installed data folder, then the copy built into the program. Empty when none exists.
QString locate(const QString &fileName, const QString &directory = QString());

// Reads and inflates a data file; empty when missing, unreadable or corrupt.
QByteArray readInflated(const QString &path);

} // namespace PostalDataFile
