#pragma once

#include "cli/FindOptions.h"
#include "formats/ObservedVCardRead.h"

#include <QSet>
#include <QString>
#include <atomic>
#include <mutex>

class ZRPerson;

// Which records of a vCard file may hold a search, told while the file is read: each contact is
// looked at as it is parsed, so the find command builds the values of those records alone instead
// of every record's. A record left out holds no match for certain; one let through may still hold
// none, which the full search of its values then finds.
class FindCandidates
{
public:
    FindCandidates(const QString &text, const FindOptions::Search &search);
    FindCandidates(const FindCandidates &) = delete;
    FindCandidates &operator=(const FindCandidates &) = delete;

    // What the reader calls for every contact it reads, on its threads; nothing when the search
    // reaches fields the contacts' texts do not cover, and every record must be searched.
    ObservedVCardRead::Observer observer();
    // After the read: whether the observer heard of every record of it. A record it never heard of
    // (a read that did not go through the card reader) is searched like any other.
    void readEnded(qsizetype recordsRead);
    bool mayHold(const ZRPerson *person) const;

private:
    bool matchesAny(const StoreContact &contact) const;

    const QString m_text;
    const FindOptions::Search m_search;
    const quint64 m_id; // tells this search's per-thread matchers from another's
    bool m_active = false;
    std::atomic<qsizetype> m_seen { 0 };
    std::mutex m_mutex;
    QSet<const ZRPerson *> m_candidates;
};
