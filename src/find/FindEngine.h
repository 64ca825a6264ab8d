#pragma once

#include "find/FindMatch.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

// Every text the table search looks at in a row, for a pre-filter that must never rule out a row the
// search would find something in: each part of each cell, the name in both orders and the company
// beside it (the order and the person flag may change without an edit), each followed by Separator.
class SearchedTexts
{
public:
    // Cannot be typed into the find field, so no text searched for runs from one part into the next.
    static constexpr char16_t Separator = 0xFFFF;

    explicit SearchedTexts(const QStringList &columns);
    SearchedTexts(const SearchedTexts &) = delete; // its keys point into its own columns
    SearchedTexts &operator=(const SearchedTexts &) = delete;
    void append(const ContactEntry &row, std::u16string &out) const;

private:
    QStringList m_columns;
    std::vector<int> m_kinds;
    std::vector<bool> m_everyRow;
    // The record's strings (the plain columns, and the company beside a name) and the row's address
    // parts are each read in one walk; a column's slot is its key's place among them.
    std::vector<const QString *> m_stringKeys;
    std::vector<const QString *> m_addressKeys; // the label index last
    std::vector<qsizetype> m_slots;
    bool m_nameHasCompany = false; // no company column: the name cell's own company text is kept
};

// The information panel's fields of one contact, in the panel's order; never leaves the contact.
std::optional<FindMatch> findInPanel(const QString &findString, const ContactEntryPtr &contact,
    const FindMatch &current, Qt::CaseSensitivity cs, Direction direction);

// The fields the information panel is searched over, in order.
const QStringList &panelIdentifiers();

} // namespace FindEngine
