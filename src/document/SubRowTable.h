#pragma once

#include "formats/ContactContainer.h"

#include <QHash>
#include <QList>
#include <vector>

class ZRPerson;

// One row of the contact table: a contact entry's record at one value position.
struct SubRow
{
    // The row as the edit operations, find, copy and drag take it: the record, its unique id and the
    // label index (the position of the values it shows in every multi-valued column).
    ContactEntryPtr row;
    // The contact's first row shows its name and its single-valued fields; the others leave them empty.
    bool firstOfContact = true;
    // Text lines of the row as last measured; 0 until measured.
    int lineCount = 0;
};

// The rows the contact table shows, in display order. The rows themselves are kept as one list of
// entries, the form every reader of the table takes; what only the table needs (first row of its
// contact, cached line counts) lies beside them.
class SubRowTable
{
public:
    qsizetype size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool contains(qsizetype index) const { return index >= 0 && index < m_rows.size(); }
    const ContactTable &rows() const { return m_rows; }
    const ContactEntryPtr &row(qsizetype index) const { return m_rows.at(index); }
    SubRow at(qsizetype index) const;
    bool isFirstOfContact(qsizetype index) const { return m_first.at(size_t(index)); }

    int lineCount(qsizetype index) const { return m_lineCounts.at(size_t(index)); }
    void setLineCount(qsizetype index, int lines) const { m_lineCounts[size_t(index)] = lines; }
    void forgetLineCount(qsizetype index) const { m_lineCounts[size_t(index)] = 0; }
    void forgetLineCounts() const;

    // Takes new rows in display order and marks where each contact's rows begin.
    void assign(ContactTable rows);
    // Everything goes, handed to the caller (to be freed where it does not hold anyone up).
    ContactTable take();

    // The rows showing a record, in display order; the index is built on first use after a rebuild.
    QList<int> rowsOfRecord(const ZRPerson *person) const;
    // Where a row entry stands; -1 when it is not one of these rows.
    qsizetype indexOf(const ContactEntryPtr &row) const;

private:
    ContactTable m_rows;
    std::vector<bool> m_first;
    mutable std::vector<int> m_lineCounts;
    mutable QHash<const ZRPerson *, QList<int>> m_byRecord;
    mutable bool m_indexed = false;
};
