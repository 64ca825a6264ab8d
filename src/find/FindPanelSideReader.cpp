#include "find/FindPanelSideReader.h"

#include <algorithm>

FindPanelSideReader::FindPanelSideReader(ReadUnchanged read)
    : m_read(std::move(read))
{
    m_pool.setMaxThreadCount(1);
}

FindPanelSideReader::~FindPanelSideReader()
{
    // The other thread writes into the members below the pool: it must be done before they go.
    pause();
}

void FindPanelSideReader::share(const ContactEntryPtr *contacts, qsizetype begin, qsizetype end)
{
    drop();
    m_contacts = contacts;
    m_front = begin;
    m_back = end;
    resume();
}

qsizetype FindPanelSideReader::claimFront(qsizetype wanted)
{
    resume();
    std::lock_guard lock(m_claims);
    m_front = std::max(m_front, std::min(wanted, m_back));
    return m_front;
}

void FindPanelSideReader::resume()
{
    if (m_running || !m_contacts)
        return;
    {
        std::lock_guard lock(m_claims);
        if (m_back - m_front < 2 * Step)
            return; // not worth a thread: this one reads the rest
        m_stop = false;
    }
    m_running = true;
    m_pool.start([this] { readBack(); });
}

void FindPanelSideReader::pause()
{
    if (!m_running)
        return;
    {
        std::lock_guard lock(m_claims);
        m_stop = true;
    }
    m_pool.waitForDone();
    m_running = false;
}

void FindPanelSideReader::readBack()
{
    for (;;) {
        qsizetype begin = 0;
        qsizetype end = 0;
        {
            std::lock_guard lock(m_claims);
            if (m_stop || m_back <= m_front)
                return;
            end = m_back;
            begin = std::max(m_front, m_back - Step);
            m_back = begin;
        }
        m_pieces.push_back({ begin, end, m_ends.size() });
        for (qsizetype contact = begin; contact < end; ++contact) {
            const ContactEntryPtr &entry = m_contacts[contact];
            m_readings.push_back(entry && entry->person ? m_read(*entry, m_text) : CardTexts::Reading::Texts);
            m_ends.push_back(m_text.size());
        }
    }
}

void FindPanelSideReader::handOver(const std::function<void(CardTexts::Reading, std::u16string_view)> &take)
{
    pause();
    const std::u16string_view text(m_text);
    for (auto piece = m_pieces.crbegin(); piece != m_pieces.crend(); ++piece) {
        for (size_t i = piece->first; i < piece->first + size_t(piece->end - piece->begin); ++i) {
            const size_t from = i == 0 ? 0 : m_ends[i - 1];
            take(m_readings[i], text.substr(from, m_ends[i] - from));
        }
    }
    drop();
}

void FindPanelSideReader::drop()
{
    pause();
    m_contacts = nullptr;
    m_front = m_back = 0;
    m_pieces.clear();
    m_text.clear();
    m_ends.clear();
    m_readings.clear();
}
