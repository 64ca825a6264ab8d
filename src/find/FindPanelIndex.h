#pragma once

#include "find/CardTexts.h"
#include "formats/ContactContainer.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

class FindPanelSearch;
class FindPanelSideReader;
class ZRPerson;

// Every text the find panel's search could look in, contact by contact, laid end to end: a plain
// search then reads one contiguous text and walks the records of only the contacts that hold it
// somewhere, where it would otherwise read every value of every record. Contacts are only ever
// ruled out, never found, so the rows are the full search's own.
//
// The texts are those of the chosen items under any sub-item and label filter; they describe one
// list of contacts, one set of items and one state of the document. They are read as the search goes,
// so the first search reads each record once, as it would anyway, and the later ones hardly at all.
// A record whose values are still to be built from its card is not built for its texts: the card's
// own texts stand for them, and only the records of the contacts they cannot rule out are built.
class FindPanelIndex
{
public:
    FindPanelIndex();
    ~FindPanelIndex();
    FindPanelIndex(const FindPanelIndex &) = delete;
    FindPanelIndex &operator=(const FindPanelIndex &) = delete;

    // Whether the texts read so far still describe these contacts and items; changeCount is the
    // document's count of registered edits, undos and redos.
    bool isFor(const ContactTable &contacts, const QStringList &items, quint64 changeCount) const;
    // Drops what was read and starts again for these contacts and items.
    void start(const ContactTable &contacts, const QStringList &items, quint64 changeCount);
    void clear();

    // The contacts whose texts are read, from the first on.
    qsizetype readCount() const { return qsizetype(m_starts.size()) - 1; }
    // Reads the texts of the contacts up to (not including) end, or a little further. On a second
    // processor another thread reads from the back of the contacts ahead meanwhile. It may go on
    // reading while this thread searches the contacts read, but must be paused before anything else
    // runs here (events, signals): those may change records.
    enum class SideReading { Pause, GoOn };
    void readUpTo(qsizetype end, SideReading side = SideReading::Pause);
    void pauseSideReading();

    // Whether the index can rule contacts out for this text: not when it holds the separator, nor when
    // it is matched without case and holds characters beyond the Basic Multilingual Plane, whose case
    // folding need not agree between a search of one value and one of the text laid end to end.
    static bool canFilter(const QString &needle, Qt::CaseSensitivity cs);
    // Whether the texts of a record still to be built are taken from its card instead; on unless
    // turned off, which reads every record as the search itself would (to compare the two).
    static bool cardTextsUsed();
    static void setCardTextsUsed(bool used);
    // The first contact from `from` up to (not including) `to` whose texts hold the needle; `to` when
    // none does. Both must be read already.
    qsizetype nextHolder(qsizetype from, qsizetype to, const QString &needle, Qt::CaseSensitivity cs) const;

    // The heap memory the texts and their starts take.
    qsizetype memoryBytes() const;

private:
    // Hands the run of contacts ahead to the other thread, or has it go on with the one it has;
    // false when there is none.
    bool shareAhead();
    // Appends the texts of one contact, reading its record where its card cannot stand for it.
    void readContact(qsizetype contact);

    std::u16string m_text;
    std::vector<qsizetype> m_starts { 0 }; // where each contact's texts begin, and the end of the last
    // The contacts whose cards hold dates their texts do not show as their records write them, in order.
    std::vector<qsizetype> m_dated;
    // Whether the last needle asked for could be a piece of a date.
    mutable QString m_dateNeedle;
    mutable Qt::CaseSensitivity m_dateNeedleCase = Qt::CaseSensitive;
    mutable bool m_needleMayBeDate = false;
    std::unique_ptr<const FindPanelSearch> m_reader;
    // What the index describes. The contact list is a shared copy: the panel's list detaches from it
    // when the group or its order changes, so the check needs no signal.
    ContactTable m_contacts;
    QStringList m_items;
    quint64 m_changeCount = 0;
    int m_addressGeneration = 0;
    std::unique_ptr<FindPanelSideReader> m_side; // made for the first index long enough to share
};
