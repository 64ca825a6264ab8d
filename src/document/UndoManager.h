#pragma once

#include <QObject>
#include <functional>
#include <vector>

// The window's undo stack. An edit registers its own inverse while it runs; undoing runs the
// inverses, which register their inverses in turn and so become the redo step. Groups make one
// user action one step, however many edits it makes; groups nest, and only the outermost one
// becomes a step.
class UndoManager : public QObject
{
    Q_OBJECT

public:
    using Action = std::function<void()>;

    explicit UndoManager(QObject *parent = nullptr);

    // Called by an edit while it runs: the action that puts back what the edit changed.
    void registerUndo(Action action);

    void beginUndoGrouping();
    void endUndoGrouping();
    int groupingLevel() const { return m_level; }

    bool canUndo() const;
    bool canRedo() const { return !m_redoStack.empty(); }
    bool isUndoing() const { return m_undoing; }
    bool isRedoing() const { return m_redoing; }
    // The number of steps that can be undone / redone.
    int undoCount() const { return int(m_undoStack.size()); }
    int redoCount() const { return int(m_redoStack.size()); }
    // Grows with every registration (even while registration is off), undo, redo and clearing: an
    // edit always registers its inverse, so whatever is derived from the contacts can tell that it
    // may be stale by comparing one number instead of following every edit.
    quint64 changeCount() const { return m_changes; }

    // Runs the newest step's inverses (closing any groups left open first).
    void undo();
    void redo();
    void removeAllActions();
    // Every registered action, handed over and removed (the window is closing: what they hold is freed
    // where the caller chooses).
    std::vector<Action> takeActions();

    // Registration can be switched off for work that must not be undoable (loading a document).
    void disableUndoRegistration() { ++m_disabled; }
    void enableUndoRegistration();
    bool isUndoRegistrationEnabled() const { return m_disabled == 0; }

    // Opens a group for the lifetime of the object: one user action, one step.
    class Group
    {
    public:
        explicit Group(UndoManager &manager)
            : m_manager(manager)
        {
            m_manager.beginUndoGrouping();
        }
        ~Group() { m_manager.endUndoGrouping(); }
        Group(const Group &) = delete;
        Group &operator=(const Group &) = delete;

    private:
        UndoManager &m_manager;
    };

signals:
    // After every change of the stacks: a step added, undone, redone or cleared.
    void stateChanged();
    // The outermost group closed outside undo and redo: one user action is over.
    void actionClosed();
    void didUndo();
    void didRedo();

private:
    using Step = std::vector<Action>;

    void pushStep(Step step);
    void runStep(Step step);

    std::vector<Step> m_undoStack;
    std::vector<Step> m_redoStack;
    Step m_open;
    int m_level = 0;
    int m_disabled = 0;
    quint64 m_changes = 0;
    bool m_undoing = false;
    bool m_redoing = false;
};
