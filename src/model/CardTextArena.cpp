#include "model/CardTextArena.h"

#include <memory>

namespace {

// Plain data, so that the many accesses of a card's reading need no check for first use; the block is
// owned apart, and touched only when a thread reads its first card.
struct Arena
{
    char16_t *units = nullptr;
    qsizetype used = 0;
    bool open = false;
};

constinit thread_local Arena arena;
thread_local std::unique_ptr<char16_t[]> arenaBlock;

} // namespace

CardTextArena::Scope::Scope()
{
    if (arena.open)
        return;
    if (!arena.units) {
        arenaBlock = std::make_unique_for_overwrite<char16_t[]>(Capacity);
        arena.units = arenaBlock.get();
    }
    arena.open = true;
    arena.used = 0;
    m_opened = true;
}

CardTextArena::Scope::~Scope()
{
    if (!m_opened)
        return;
    arena.open = false;
    arena.used = 0;
}

char16_t *CardTextArena::room(qsizetype units)
{
    if (!arena.open || units < 0 || units >= Capacity - arena.used)
        return nullptr;
    return arena.units + arena.used;
}

void CardTextArena::commit(char16_t *at, qsizetype units)
{
    Q_ASSERT(at == arena.units + arena.used && units < Capacity - arena.used);
    at[units] = u'\0'; // like every string's data, null-terminated
    arena.used += units + 1;
}

CardTextArena::Range CardTextArena::range()
{
    return { arena.units, arena.units ? arena.units + Capacity : nullptr };
}
