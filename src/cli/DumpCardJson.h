#pragma once

#include <QByteArray>
#include <QStringList>

class ZRPerson;

// A contact's dump object written straight from its card, for a record whose values are still to be
// built from the card it was read from: the same bytes DumpJson writes from the record's values,
// without building those values as dictionaries first and reading them back. The dump of a large
// file spent a third of its time on that detour.
namespace DumpCardJson {

// Appends the object as it stands depth steps in; false, with nothing appended, when the record's
// values are built already or its card cannot be read again (the record's own values then tell).
bool append(QByteArray &out, ZRPerson &person, const QStringList &groups, int depth);

} // namespace DumpCardJson
