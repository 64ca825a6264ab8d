#pragma once

#include "print/vertical/VerticalTextLayout.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QStringList>
#include <functional>

// Fitting vertical blocks to their rectangles: the size is walked down and up until the longest
// column ends within a few points of the rectangle's bottom.
namespace VerticalFit {

constexpr qreal minimumSize = 7; // the walk stops below this size ...
constexpr qreal maximumAddressSize = 48;
constexpr qreal fitBand = 8; // ... or once the longest column ends this close to the bottom
constexpr qreal shrinkStep = 0.5;
constexpr qreal growStep = 0.4;
constexpr qreal smallestSize = 1; // never shrink further than this to keep text inside

// Walks `startSize` until the longest of `lines` is between height − 8 and height, staying above
// 7 and below `cap`. The result never exceeds `cap`, and when the walk ends with the text longer
// than `height` the size keeps shrinking until it fits.
qreal fitSize(const QStringList &lines, const QFont &font, qreal startSize, qreal cap, qreal height,
    const VerticalTextLayout::Options &options = {});
// The same walk over any measure: `longestAt(size)` is the longest column's length at that size.
qreal fitSize(const std::function<qreal(qreal size)> &longestAt, qreal startSize, qreal cap, qreal height);

// The lengths of a block's lines at a size, for lines whose pieces are placed along their columns.
using LengthsAt = std::function<QList<qreal>(qreal size)>;

QList<qreal> lengths(
    const QStringList &lines, const QFont &font, qreal size, const VerticalTextLayout::Options &options = {});

struct AddressFit
{
    QStringList lines;
    qreal lineHeight = 0;
    qreal fontSize = 0;
    QList<qreal> widths;
};

// An address block: `firstPart` (state and city) followed by `street`, broken after the first part
// when one column would be too small.
AddressFit fitAddress(const QString &firstPart, const QString &street, const QRectF &rect, const QFont &font,
    const VerticalTextLayout::Options &options = {});

struct NameFit
{
    qreal lineHeight = 0;
    qreal nameFontSize = 0;
    qreal companyFontSize = 0;
    QList<qreal> nameWidths;
    QList<qreal> companyWidths;
};

// A name block: optional company lines, then name lines whose text holds a blank after each
// character. `nameLengths` measures the name lines when they are more than their text (pieces set
// apart along the column); without it each line is measured as it stands.
NameFit fitName(const QStringList &nameLines, const QStringList &companyLines, const QRectF &rect,
    const QFont &font, const VerticalTextLayout::Options &options = {}, const LengthsAt &nameLengths = {});

} // namespace VerticalFit
