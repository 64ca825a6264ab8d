#pragma once

#include "find/CardTexts.h"
#include "formats/ContactContainer.h"

#include <QThreadPool>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// A second thread for reading the texts of the find panel's index. A run of contacts is shared: this
// thread reads from its front while the other reads from its back, a few contacts at a time, until
// the two meet; the other thread keeps reading while this one searches what it has read, so a first
// search takes little more than half its reading.
//
// The other thread reads a contact only where reading leaves it as it is, and hands the others back.
// Whoever drives this must pause it before anything else may run on this thread (events, signals),
// since those may change records; contacts this thread reads or searches meanwhile are in the front,
// which the other thread never touches.
class FindPanelSideReader
{
public:
    // Appends a contact's texts without changing anything, or answers NeedsRecord, appending nothing.
    using ReadUnchanged = std::function<CardTexts::Reading(const ContactEntry &, std::u16string &)>;

    // Contacts either thread claims at a time: a quarter of a millisecond or so of reading, which is
    // also about the longest a pause waits for the other thread.
    static constexpr qsizetype Step = 64;

    explicit FindPanelSideReader(ReadUnchanged read);
    ~FindPanelSideReader();
    FindPanelSideReader(const FindPanelSideReader &) = delete;
    FindPanelSideReader &operator=(const FindPanelSideReader &) = delete;

    // Whether a run is shared and its back not handed over yet.
    bool isSharing() const { return m_contacts != nullptr; }
    // Shares the run [begin, end) of contacts, which must stay as they are until it is handed over.
    void share(const ContactEntryPtr *contacts, qsizetype begin, qsizetype end);
    // The front's next contacts for this thread, [front, returned); front itself when the two have met.
    qsizetype claimFront(qsizetype wanted);
    // Stops the other thread once it has read the contacts in its hands; resume, or claimFront, go on.
    void pause();
    void resume();
    // Once the two have met: hands the back over in order, a contact's texts or NeedsRecord each.
    void handOver(const std::function<void(CardTexts::Reading, std::u16string_view)> &take);
    // Drops the run.
    void drop();

private:
    void readBack();

    ReadUnchanged m_read;
    QThreadPool m_pool;
    bool m_running = false;

    const ContactEntryPtr *m_contacts = nullptr;
    std::mutex m_claims; // guards the three below, which the two threads share
    qsizetype m_front = 0; // the first contact neither thread has claimed
    qsizetype m_back = 0; // the contacts from here to the run's end are the other thread's
    bool m_stop = false;

    // What the other thread read, a few contacts at a time from the back: the pieces in reverse order.
    struct Piece
    {
        qsizetype begin;
        qsizetype end;
        size_t first; // its first contact's place in m_ends and m_readings
    };
    std::vector<Piece> m_pieces;
    std::u16string m_text;
    std::vector<size_t> m_ends; // where each contact's texts end in m_text
    std::vector<CardTexts::Reading> m_readings;
};
