#include "document/TextRanks.h"

#include <algorithm>
#include <numeric>

qsizetype TextRanks::slotOf(const QString &text)
{
    if (text.isEmpty())
        return Missing;
    // Looking texts up pays when they repeat; when the first ones are mostly distinct it only costs, and
    // each text then gets a slot of its own (ranks come out the same either way).
    constexpr qsizetype Probe = 1024;
    if (m_interning && m_seen == Probe && qsizetype(m_values.size()) * 2 > Probe) {
        m_interning = false;
        m_slotOfText = {};
    }
    ++m_seen;
    if (m_interning) {
        const auto it = m_slotOfText.constFind(text);
        if (it != m_slotOfText.cend())
            return it.value();
        m_slotOfText.insert(text, qsizetype(m_values.size()));
    }
    m_values.push_back(SortValue::fromText(text));
    return qsizetype(m_values.size()) - 1;
}

std::vector<qsizetype> TextRanks::stableOrder(const std::vector<qsizetype> &rowSlots, bool ascending) const
{
    auto compare = [this](qsizetype a, qsizetype b) {
        return SortValue::compareTexts(m_values[size_t(a)], m_values[size_t(b)], true);
    };
    // Ranks in ascending order; texts the collator holds equal (differing in case, say) share a rank.
    std::vector<qsizetype> byKey(m_values.size());
    std::iota(byKey.begin(), byKey.end(), qsizetype(0));
    std::sort(byKey.begin(), byKey.end(), [&](qsizetype a, qsizetype b) { return compare(a, b) < 0; });
    std::vector<qsizetype> rank(m_values.size());
    qsizetype highest = 0;
    for (size_t k = 0; k < byKey.size(); ++k) {
        if (k > 0 && compare(byKey[k - 1], byKey[k]) != 0)
            ++highest;
        rank[size_t(byKey[k])] = highest;
    }

    // Descending reverses the ranks; missing texts go last either way.
    std::vector<qsizetype> keys(rowSlots.size());
    for (size_t i = 0; i < rowSlots.size(); ++i) {
        const qsizetype slot = rowSlots[i];
        if (slot == Missing)
            keys[i] = highest + 1;
        else
            keys[i] = ascending ? rank[size_t(slot)] : highest - rank[size_t(slot)];
    }
    // Keys are small numbers: counting them orders the rows stably in one pass.
    std::vector<qsizetype> next(size_t(highest) + 3, 0);
    for (qsizetype key : keys)
        ++next[size_t(key) + 1];
    std::partial_sum(next.begin(), next.end(), next.begin());
    std::vector<qsizetype> order(rowSlots.size());
    for (size_t i = 0; i < keys.size(); ++i)
        order[size_t(next[size_t(keys[i])]++)] = qsizetype(i);
    return order;
}
