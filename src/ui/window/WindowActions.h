#pragma once

#include "document/Commands.h"

#include <QList>
#include <QObject>
#include <functional>
#include <map>

class DocumentHub;
class QAction;

// Every command of one document window as one QAction, made once: menus, toolbar buttons and context
// menus all show the same action, so they enable, check and title together. refresh() takes the state
// from the hub's rules (validateCommand) and is run on the hub's notices, never on a timer.
//
// Some commands belong to parts of the window built later (find bar, printing, tools, the contact
// information sheets). Their actions already sit in the menus and the toolbar but stay hidden until a
// handler is given with setHandler(); from then on they show and follow the rules like the others.
class WindowActions : public QObject
{
    Q_OBJECT
public:
    // Window commands that no controller rule covers: always enabled unless said otherwise.
    enum class Extra {
        Close,
        Copy,
        CopyAsCsv,
        Paste,
        SelectAll,
        NewGroup,
        DeleteGroup,
        Font,
        RevertToDefaultFont,
        About,
        // Places for later parts
        PageSetup,
        ShowFindPanel,
        FindNext,
        FindPrevious,
        PrintStyle,
        StyleSettings,
    };

    explicit WindowActions(QWidget *window);

    QAction *action(Command command) const;
    QAction *action(Extra extra) const;
    // The commands this set holds, for tests and for the key bindings.
    static QList<Command> commands();
    static QList<Extra> extras();

    // Gives a command its work: the action shows from now on. Commands of this window come with theirs.
    void setHandler(Command command, std::function<void()> handler);
    void setHandler(Extra extra, std::function<void()> handler);
    bool hasHandler(Command command) const { return m_commandHandlers.count(command) > 0; }
    bool hasHandler(Extra extra) const { return m_extraHandlers.count(extra) > 0; }

    // Enabled, checked and titled from the rules, with the window's own state.
    void refresh(DocumentHub &hub, const WindowState &window);
    // Places without a handler stay disabled; Delete Group asks whether there is a group to delete.
    void setExtraEnabled(Extra extra, bool enabled);

private:
    QAction *make(const QString &text, const QString &statusTip, const QString &icon = {});

    std::map<Command, QAction *> m_commands;
    std::map<Extra, QAction *> m_extras;
    std::map<Command, std::function<void()>> m_commandHandlers;
    std::map<Extra, std::function<void()>> m_extraHandlers;
    std::map<Command, QString> m_baseTitles;
};
