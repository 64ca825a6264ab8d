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
    bool finished = false; // the thread is ending: no arena any more
};

constinit thread_local Arena arena;

// Frees the block when the thread ends; a card read after that (from some other destructor) finds
// no arena and makes ordinary strings.
struct ArenaBlock
{
    std::unique_ptr<char16_t[]> units;
    ~ArenaBlock() { arena = Arena { nullptr, 0, false, true }; }
};
thread_local ArenaBlock arenaBlock;

} // namespace

CardTextArena::Scope::Scope()
{
    if (arena.open || arena.finished)
        return;
    if (!arena.units) {
        arenaBlock.units = std::make_unique_for_overwrite<char16_t[]>(Capacity);
        arena.units = arenaBlock.units.get();
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
