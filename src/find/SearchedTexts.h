#pragma once

#include "find/CellKind.h"
#include "formats/ContactContainer.h"

#include <QStringList>
#include <string>
#include <vector>

namespace FindEngine {

// Every text the table search looks at in a row, for a pre-filter that must never rule out a row the
// search would find something in: each part of each cell, the name in both orders and the company
// beside it (the order and the person flag may change without an edit), each followed by Separator.
class SearchedTexts
{
public:
    // A noncharacter, so no text searched for runs from one part into the next; a text holding it
    // is searched without the index.
    static constexpr char16_t Separator = 0xFFFF;

    explicit SearchedTexts(const QStringList &columns);
    SearchedTexts(const SearchedTexts &) = delete; // its keys point into its own columns
    SearchedTexts &operator=(const SearchedTexts &) = delete;
    void append(const ContactEntry &row, std::u16string &out) const;

private:
    QStringList m_columns;
    std::vector<CellKind> m_kinds;
    std::vector<bool> m_everyRow;
    // The record's strings (the plain columns, and the company beside a name) and the row's address
    // parts are each read in one walk; a column's slot is its key's place among them.
    std::vector<const QString *> m_stringKeys;
    std::vector<const QString *> m_addressKeys; // the label index last
    std::vector<qsizetype> m_slots;
    bool m_nameHasCompany = false; // no company column: the name cell's own company text is kept
};

} // namespace FindEngine
