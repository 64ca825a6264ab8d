#include "document/ContactsViewController.h"
#include "document/ViewController.h"

#include <QHash>
#include <QSet>
#include <algorithm>

// Selection, find highlights and the hit the find bar is on.

namespace {

QList<TextSpan> occurrencesIn(const QString &text, const QString &needle, Qt::CaseSensitivity cs)
{
    QList<TextSpan> spans;
    if (needle.isEmpty())
        return spans;
    for (qsizetype at = text.indexOf(needle, 0, cs); at >= 0;
         at = text.indexOf(needle, at + needle.size(), cs))
        spans.append({ at, needle.size() });
    return spans;
}

} // namespace

CellHighlights ContactsViewController::highlights(const QString &identifier, int row) const
{
    CellHighlights result;
    if (!m_subRows.contains(row) || (m_findString.isEmpty() && !m_hit))
        return result;
    const QString text = cellText(identifier, row);
    if (text.isEmpty())
        return result;
    result.occurrences
        = occurrencesIn(text, m_findString, m_findCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (m_hit && m_hit->identifier == identifier) {
        const ContactEntry &sub = *m_subRows.row(row);
        const bool sameValue = m_hit->labelIndex < 0 || m_hit->labelIndex == sub.labelIndex;
        if (sub.uniqueId == m_hit->uniqueId && sameValue && m_hit->range.start >= 0
            && m_hit->range.end() <= text.size())
            result.current = m_hit->range;
    }
    return result;
}

void ContactsViewController::selectItemAndRange(const std::optional<FindHit> &hit)
{
    auto rowOfHit = [this](const std::optional<FindHit> &h) -> int {
        if (!h)
            return -1;
        const ContactTable &rows = m_subRows.rows();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (rows.at(i)->uniqueId == h->uniqueId
                && (h->labelIndex < 0 || rows.at(i)->labelIndex == h->labelIndex))
                return int(i);
        }
        return -1;
    };
    const int before = rowOfHit(m_hit);
    m_hit = hit;
    const int row = rowOfHit(m_hit);
    // Only the rows of the old and the new hit look different.
    if (before >= 0)
        emit rowsChanged(before, before);
    if (row < 0)
        return; // the selection, if any, stays where it was
    emit rowsChanged(row, row);
    setSelection({ row });
    emit scrollToRowRequested(row);
}

void ContactsViewController::setSelection(const QList<int> &rows)
{
    setSelectedRows(rows);
    emit selectionRestored(m_selectedRows);
}

void ContactsViewController::setSelectedRows(const QList<int> &rows)
{
    m_selectedRows.clear();
    for (int row : rows) {
        if (m_subRows.contains(row) && !m_selectedRows.contains(row))
            m_selectedRows.append(row);
    }
    std::sort(m_selectedRows.begin(), m_selectedRows.end());
    m_delegate.rowSelectionDidChange(selectedSubContacts());
}

ContactTable ContactsViewController::selectedSubContacts() const
{
    ContactTable rows;
    for (int row : m_selectedRows)
        rows.append(m_subRows.row(row));
    return rows;
}

ContactTable ContactsViewController::selectedContacts() const
{
    return selectedContactsWithClickedRowIndex(-1);
}

ContactTable ContactsViewController::selectedContactsWithClickedRowIndex(int clickedRow) const
{
    QList<int> rows = m_selectedRows;
    if (m_subRows.contains(clickedRow) && !rows.contains(clickedRow))
        rows.append(clickedRow);
    QSet<QString> wanted;
    QStringList order;
    for (int row : rows) {
        const QString &id = m_subRows.row(row)->uniqueId;
        if (!wanted.contains(id)) {
            wanted.insert(id);
            order << id;
        }
    }
    QHash<QString, ContactEntryPtr> found;
    for (const ContactEntryPtr &entry : m_contactTable) {
        if (wanted.contains(entry->uniqueId) && !found.contains(entry->uniqueId))
            found.insert(entry->uniqueId, entry);
    }
    ContactTable contacts;
    for (const QString &id : std::as_const(order)) {
        if (const ContactEntryPtr entry = found.value(id))
            contacts.append(entry);
    }
    return contacts;
}

void ContactsViewController::selectRowIndexesWithContacts(const ContactTable &contacts)
{
    QSet<QString> ids;
    for (const ContactEntryPtr &entry : contacts)
        ids.insert(entry->uniqueId);
    QList<int> rows;
    const ContactTable &sub = m_subRows.rows();
    for (qsizetype i = 0; i < sub.size(); ++i) {
        if (ids.contains(sub.at(i)->uniqueId))
            rows.append(int(i));
    }
    setSelection(rows);
    if (!m_selectedRows.isEmpty())
        emit scrollToRowRequested(m_selectedRows.first());
}
