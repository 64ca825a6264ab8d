#pragma once

#include <QRectF>
#include <QString>
#include <QVariantMap>

// The compact text form of a per-address postcard layout record: print flags, then the rectangles of
// the blocks the user placed, e.g. "7;rn:{{108.00,80.00},{82.00,270.00}};".
namespace LayoutString {

// Bits of the leading flags number.
enum Flag { SenderFlag = 1, CompanyFlag = 2, RenmeiFlag = 4 };

// The layout string of a record; empty for an empty (missing) record.
QString layoutStringFromHagakiLayoutDict(const QVariantMap &record);
// Fills the record's flags and rectangles from the string; an empty string changes nothing.
void hagakiLayoutFromLayoutString(QVariantMap &record, const QString &layoutString);
// Rewrites rectangle text "{{x, y}, {w, h}}" with two decimals and no blanks. Text that is not a
// rectangle reads as the empty rectangle; missing numbers read as 0.
QString normarizeRect(const QString &rectText);
// The four numbers of rectangle text, in order, as a rectangle.
QRectF rectFromString(const QString &rectText);
QString stringFromRect(const QRectF &rect);

} // namespace LayoutString
