#pragma once

#include "find/FindMatch.h"

#include <QStringList>
#include <functional>
#include <optional>

class ContactsViewController;

// Searching what the user sees, one cell at a time: the text each kind of cell displays, split into
// the parts an edit can reach, searched forwards or backwards from the current match.
namespace FindEngine {

enum class Direction { Forward, Backward };

// The next (or, backwards, the previous) occurrence of needle in text relative to the current
// match `range`; a range that is not found means no current match.
FindRange lookForString(const QString &needle, const QString &text, const FindRange &range,
    Qt::CaseSensitivity cs, Direction direction = Direction::Forward);

struct CellQuery
{
    QString findString;
    QString identifier;
    QString subIdentifier;
    qsizetype labelIndex = FindRange::NotFound;
    FindRange range;
    ContactEntryPtr contact;
    bool infoPanel = false; // the information panel's cells rather than the table's
    Qt::CaseSensitivity cs = Qt::CaseInsensitive;
};

std::optional<FindMatch> findInCell(const CellQuery &query, Direction direction);

// Whether a row (by its position in the table) can hold the text at all; the rows it rules out are
// passed over without reading their cells.
using RowFilter = std::function<bool(qsizetype row)>;

// The table's rows and columns in display order; wraps once through every cell.
std::optional<FindMatch> findInTable(const QString &findString, const ContactTable &rows,
    const QStringList &columns, const FindMatch &current, Qt::CaseSensitivity cs, Direction direction,
    const RowFilter &rowMayMatch = {});

// The information panel's fields of one contact, in the panel's order; never leaves the contact.
std::optional<FindMatch> findInPanel(const QString &findString, const ContactEntryPtr &contact,
    const FindMatch &current, Qt::CaseSensitivity cs, Direction direction);

// The fields the information panel is searched over, in order.
const QStringList &panelIdentifiers();

} // namespace FindEngine
