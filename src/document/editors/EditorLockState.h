#pragma once

#include "model/TranslatableText.h"

#include <QString>

namespace EditorText {

inline constexpr auto Edit = TranslatableText("EditorText", "Edit");
inline constexpr auto Lock = TranslatableText("EditorText", "Lock");
inline constexpr auto Done = TranslatableText("EditorText", "Done");
inline constexpr auto Change = TranslatableText("EditorText", "Change");
inline constexpr auto Cancel = TranslatableText("EditorText", "Cancel");
inline constexpr auto NoName = TranslatableText("EditorText", "No name");

} // namespace EditorText

// The Edit/Lock cycle every field editor shares. Locked, the editor only shows: "Edit", "Done" enabled,
// no Cancel, read-only fields, a grey separator. Unlocked: "Lock", "Change" enabled once a field
// changed, Cancel shown, editable fields, a red separator two wide. Locking again forgets the changes.
class EditorLockState
{
public:
    explicit EditorLockState(bool editEnabled = false)
        : m_unlocked(editEnabled)
    {
    }

    bool unlocked() const { return m_unlocked; }
    // Returns whether the fields must be filled again from the record (locking forgets the changes).
    bool setUnlocked(bool unlocked);
    void fieldChanged();
    bool changed() const { return m_changed; }

    QString toggleTitle() const { return m_unlocked ? EditorText::Lock : EditorText::Edit; }
    QString confirmTitle() const { return m_unlocked ? EditorText::Change : EditorText::Done; }
    bool confirmEnabled() const { return !m_unlocked || m_changed; }
    bool cancelVisible() const { return m_unlocked; }
    bool fieldsEditable() const { return m_unlocked; }
    bool separatorRed() const { return m_unlocked; }
    int separatorWidth() const { return m_unlocked ? 2 : 1; }

    // What the confirm button does now: hand back a result, or only close.
    enum class Confirm { Close, Commit };
    Confirm confirm() const { return m_unlocked && m_changed ? Confirm::Commit : Confirm::Close; }

private:
    bool m_unlocked = false;
    bool m_changed = false;
};
