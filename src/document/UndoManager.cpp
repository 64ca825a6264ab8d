#include "document/UndoManager.h"

#include <QtGlobal>
#include <iterator>

UndoManager::UndoManager(QObject *parent)
    : QObject(parent)
{
}

void UndoManager::registerUndo(Action action)
{
    ++m_changes;
    if (!action || !isUndoRegistrationEnabled())
        return;
    if (m_level > 0) {
        m_open.push_back(std::move(action));
        return;
    }
    // An edit outside any group is a step of its own.
    Step step;
    step.push_back(std::move(action));
    pushStep(std::move(step));
}

void UndoManager::beginUndoGrouping()
{
    ++m_level;
}

void UndoManager::endUndoGrouping()
{
    if (m_level == 0) {
        qWarning("UndoManager::endUndoGrouping: no group is open");
        return;
    }
    if (--m_level > 0)
        return;
    if (!m_open.empty()) {
        Step step;
        step.swap(m_open);
        pushStep(std::move(step));
    }
    if (!m_undoing && !m_redoing)
        emit actionClosed();
}

bool UndoManager::canUndo() const
{
    return !m_undoStack.empty() || (m_level > 0 && !m_open.empty());
}

void UndoManager::pushStep(Step step)
{
    if (m_undoing) {
        m_redoStack.push_back(std::move(step));
    } else {
        // A new user action makes the steps that were undone unreachable.
        if (!m_redoing)
            m_redoStack.clear();
        m_undoStack.push_back(std::move(step));
    }
    if (!m_undoing && !m_redoing)
        emit stateChanged();
}

void UndoManager::runStep(Step step)
{
    // The inverses run newest first and together form the opposite step.
    beginUndoGrouping();
    for (auto it = step.rbegin(); it != step.rend(); ++it)
        (*it)();
    endUndoGrouping();
}

void UndoManager::undo()
{
    while (m_level > 0)
        endUndoGrouping();
    if (m_undoStack.empty() || m_undoing || m_redoing)
        return;
    Step step = std::move(m_undoStack.back());
    m_undoStack.pop_back();
    ++m_changes;
    m_undoing = true;
    runStep(std::move(step));
    m_undoing = false;
    emit stateChanged();
    emit didUndo();
}

void UndoManager::redo()
{
    while (m_level > 0)
        endUndoGrouping();
    if (m_redoStack.empty() || m_undoing || m_redoing)
        return;
    Step step = std::move(m_redoStack.back());
    m_redoStack.pop_back();
    ++m_changes;
    m_redoing = true;
    runStep(std::move(step));
    m_redoing = false;
    emit stateChanged();
    emit didRedo();
}

void UndoManager::removeAllActions()
{
    m_undoStack.clear();
    m_redoStack.clear();
    m_open.clear();
    m_level = 0;
    ++m_changes;
    emit stateChanged();
}

std::vector<UndoManager::Action> UndoManager::takeActions()
{
    std::vector<Action> actions;
    for (std::vector<Step> *stack : { &m_undoStack, &m_redoStack }) {
        for (Step &step : *stack)
            std::move(step.begin(), step.end(), std::back_inserter(actions));
        stack->clear();
    }
    std::move(m_open.begin(), m_open.end(), std::back_inserter(actions));
    m_open.clear();
    m_level = 0;
    ++m_changes;
    emit stateChanged();
    return actions;
}

void UndoManager::enableUndoRegistration()
{
    if (m_disabled > 0)
        --m_disabled;
}
