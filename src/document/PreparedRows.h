#pragma once

#include "document/SortDescriptor.h"
#include "formats/ContactContainer.h"

#include <QStringList>
#include <atomic>
#include <optional>

// A table's first rows, worked out away from the GUI thread while a large file opens: the entries
// sorted by the last sort, and their sub-rows for the columns and labels a new window would show. The
// table takes them only when its entries, columns, labels and sort are still the ones they were made
// for; otherwise it builds its rows as always.
struct PreparedRows
{
    ContactTable source; // the entries as read
    ContactTable contacts; // the same entries, sorted
    QStringList columns;
    QStringList labels;
    std::optional<SortDescriptor> sort;
    ContactTable rows; // the sub-rows in display order
    ContactEntryPtr sender; // the first row marked as the sender's, if any

    // Runs on any thread; the records must not be in use elsewhere meanwhile. Nothing when cancelled.
    static std::shared_ptr<const PreparedRows> make(const ContactTable &entries, const QStringList &columns,
        const QStringList &labels, const std::optional<SortDescriptor> &sort,
        const std::atomic_bool *cancel = nullptr);

    // Whether a table with these inputs would build exactly these rows.
    bool fits(const ContactTable &entries, const QStringList &shownColumns, const QStringList &shownLabels,
        const std::optional<SortDescriptor> &shownSort) const
    {
        return entries == contacts && shownColumns == columns && shownLabels == labels && shownSort == sort;
    }
};
