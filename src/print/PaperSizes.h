#pragma once

#include <QList>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

// The papers the print styles name, as page sizes carrying the names the options are keyed by.
namespace PaperSizes {

inline const QString Postcard = QStringLiteral("Postcard");
inline const QString Letter = QStringLiteral("Letter");
inline const QString A4 = QStringLiteral("A4");
inline const QString Naga3 = QStringLiteral("長形3号");
inline const QString Naga4 = QStringLiteral("長形4号");
inline const QString You2 = QStringLiteral("洋形2号");
inline const QString Us10 = QStringLiteral("US #10");
inline const QString DL = QStringLiteral("DL");
inline const QString C5 = QStringLiteral("C5");

// Every known paper name, postcard and sheets first, then envelopes.
QStringList names();
// The page size of a named paper (portrait), or nothing for an unknown name.
std::optional<QPageSize> pageSize(const QString &name);
// Portrait size in points, exact (not rounded to whole points); an empty size for an unknown name.
QSizeF sizeInPoints(const QString &name);
// The known name of a page size of the same dimensions (either orientation, within half a point), or "".
QString nameForSize(const QSizeF &points);

} // namespace PaperSizes
