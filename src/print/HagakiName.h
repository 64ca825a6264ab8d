#pragma once

#include "print/vertical/VerticalGlyphs.h"
#include "print/vertical/VerticalTextLayout.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The name block of a postcard: the main name, then up to three joint names in columns beside it. Each
// joint name is set under the main name's given name: the given names end in one row and every line's
// honorific starts in the next, so 山田太郎様 / 花子様 / 一郎様 read as one family.
namespace HagakiName {

struct Parts
{
    QString last; // the family name, with a Western honorific ("Mr.") in front for a receiver
    QString first; // the given name; "" when the name has no parts
    QStringList joint; // the joint names printed: at most three, none empty
    QString honorific; // written after every line: "様", "殿" or "御中" for a receiver, else ""
    bool sender = false;
};

// The parts a name object prints. `layoutDict` decides whether joint names print; `keishou` is the
// honorific of the options.
Parts parts(
    const QVariantMap &textObject, const QVariantMap &layoutDict, bool sender, const QString &keishou);

// The lines as text, one blank after every character so that each takes a cell of its own: the main
// name "山 田  太 郎 様" (a further blank between family and given name), then "花 子 様" for each joint
// name. The sender's lines lose their last blank.
QStringList lines(const Parts &parts);

// One piece of a line and where it starts along the column, measured from the line's top.
struct Segment
{
    QString text;
    qreal offset = 0;
};
using Line = QList<Segment>;

// The lines as pieces at one size: the main line is family name, then given name and honorific; the
// given names end together; a joint line starts where its given name does.
QList<Line> layOut(
    const Parts &parts, const QFont &font, qreal size, const VerticalTextLayout::Options &options);

// How far each line reaches down its column from its top.
QList<qreal> lengths(
    const QList<Line> &lines, const QFont &font, qreal size, const VerticalTextLayout::Options &options);
QList<qreal> lengths(
    const Parts &parts, const QFont &font, qreal size, const VerticalTextLayout::Options &options);

// The glyphs of the lines at `size` in columns from `right` leftwards, `pitch` apart. The main line
// starts at `top`; joint lines start where the main line does.
QList<VerticalLineLayout> layOutColumns(const Parts &parts, const QFont &font, qreal size, qreal right,
    qreal top, qreal pitch, const VerticalTextLayout::Options &options);

} // namespace HagakiName
