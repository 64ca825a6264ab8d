#pragma once

#include "document/SortValue.h"

#include <QHash>
#include <QString>
#include <vector>

// The distinct texts of one sort under the text rule, each with one collation key. Rows refer to their
// text by slot, so a sort prepares a key per distinct text (names repeat a lot) and orders rows by
// comparing ranks.
class TextRanks
{
public:
    static constexpr qsizetype Missing = -1;

    // The slot of a text; Missing for an empty text. Equal texts share a slot while they repeat enough to
    // make looking them up worth it.
    qsizetype slotOf(const QString &text);

    // What SortValues::stableOrder gives for the rows' texts under the text rule: position i is the
    // index of the row that goes i-th.
    std::vector<qsizetype> stableOrder(const std::vector<qsizetype> &rowSlots, bool ascending) const;

private:
    QHash<QString, qsizetype> m_slotOfText;
    std::vector<SortValue> m_values; // by slot
    qsizetype m_seen = 0; // texts asked for, empty ones aside
    bool m_interning = true;
};
