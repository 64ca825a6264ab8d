#pragma once

#include <QString>

// Room, on the reading thread, for the text of the card being read. A value decoded while a card is
// read lands here instead of in a block of its own, and the finished contact moves everything it
// keeps into one block (StoreContactStrings::pack). A large file would otherwise make tens of small
// allocations per contact, each costing more than the text in it.
//
// A string over the arena is raw data: it is valid only until the card's scope ends, so nothing may
// keep one past it. Changing such a string copies it out first, as with any raw data.
class CardTextArena
{
public:
    // Makes the arena current for one card; the arena is emptied when the scope ends. A scope
    // opened inside another leaves the outer one in charge.
    class Scope
    {
    public:
        Scope();
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        bool m_opened = false;
    };

    // Room for `units` UTF-16 units and a terminator, or nullptr when no card is being read on this
    // thread or the arena has no such room left; the caller then makes an ordinary string.
    static char16_t *room(qsizetype units);
    // The `units` written at `at` (from room()) as a string over the arena; the room is used up.
    // Inline, as it runs for nearly every value of a file.
    static QString take(char16_t *at, qsizetype units)
    {
        if (units == 0)
            return QString(QArrayDataPointer<char16_t>(nullptr, const_cast<char16_t *>(u""), 0));
        commit(at, units);
        return QString(QArrayDataPointer<char16_t>(nullptr, at, units));
    }
    // Where this thread's arena lies, to tell the strings over it (none before its first card).
    struct Range
    {
        const char16_t *begin;
        const char16_t *end;
        bool holds(const QString &text) const
        {
            const auto *data = reinterpret_cast<const char16_t *>(text.constData());
            return data >= begin && data < end;
        }
    };
    static Range range();

    static constexpr qsizetype Capacity = 32 * 1024; // UTF-16 units; real cards need a few hundred

private:
    static void commit(char16_t *at, qsizetype units);
};
