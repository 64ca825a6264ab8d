#include "document/editors/EditorLockState.h"

bool EditorLockState::setUnlocked(bool unlocked)
{
    const bool refill = m_unlocked && !unlocked && m_changed;
    m_unlocked = unlocked;
    m_changed = false;
    return refill;
}

void EditorLockState::fieldChanged()
{
    if (m_unlocked)
        m_changed = true;
}
