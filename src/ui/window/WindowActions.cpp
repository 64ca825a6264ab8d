#include "ui/window/WindowActions.h"

#include "document/DocumentHub.h"
#include "ui/window/WindowIcons.h"

#include <QAction>
#include <QWidget>

namespace {

// Commands of later parts: shown once they have a handler.
bool isPlace(Command command)
{
    switch (command) {
    case Command::ToggleLayout:
    case Command::MergeContacts:
    case Command::NormalizePhoneNumber:
    case Command::PrintDocument:
    case Command::ShowQRCode:
    case Command::ShowZipSheet:
    case Command::ShowContact:
    case Command::AddContact:
    case Command::ToggleFindBar:
        return true;
    default:
        return false;
    }
}

bool isPlace(WindowActions::Extra extra)
{
    using Extra = WindowActions::Extra;
    switch (extra) {
    case Extra::PageSetup:
    case Extra::ShowFindPanel:
    case Extra::FindNext:
    case Extra::FindPrevious:
    case Extra::PrintStyle:
    case Extra::StyleSettings:
        return true;
    default:
        return false;
    }
}

} // namespace

WindowActions::WindowActions(QWidget *window)
    : QObject(window)
{
    const auto command
        = [this](Command id, const QString &text, const QString &tip, const QString &icon = {}) {
              QAction *action = make(text, tip, icon);
              m_commands[id] = action;
              m_baseTitles[id] = text;
              connect(action, &QAction::triggered, this, [this, id] {
                  const auto handler = m_commandHandlers.find(id);
                  if (handler != m_commandHandlers.end() && handler->second)
                      handler->second();
              });
              if (isPlace(id))
                  action->setVisible(false);
              return action;
          };
    const auto extra = [this](Extra id, const QString &text, const QString &tip, const QString &icon = {}) {
        QAction *action = make(text, tip, icon);
        m_extras[id] = action;
        connect(action, &QAction::triggered, this, [this, id] {
            const auto handler = m_extraHandlers.find(id);
            if (handler != m_extraHandlers.end() && handler->second)
                handler->second();
        });
        if (isPlace(id))
            action->setVisible(false);
        return action;
    };

    // File
    command(Command::ImportFromVCard, tr("Import from vCard…"),
        tr("Add contacts from a vCard file to the group shown"));
    command(Command::ImportFromCSV, tr("Import from CSV…"),
        tr("Add contacts from a CSV file to the group shown"));
    command(Command::ExportToVCard, tr("Export…"), tr("Write the selected contacts to a vCard file"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    command(Command::ExportToCSV, tr("Export as CSV…"), tr("Write the selected contacts to a CSV file"));
    extra(Extra::PageSetup, tr("Page Setup…"), tr("Choose the paper and its orientation"));
    command(Command::PrintDocument, tr("Print…"), tr("Print the selected contacts"))
        ->setShortcut(QKeySequence::Print);
    extra(Extra::Close, tr("Close"), tr("Close this window"))->setShortcut(QKeySequence::Close);

    // Edit
    command(Command::Undo, tr("Undo"), tr("Undo the last change"))->setShortcut(QKeySequence::Undo);
    command(Command::Redo, tr("Redo"), tr("Redo the change undone last"))->setShortcut(QKeySequence::Redo);
    extra(Extra::Copy, tr("Copy"), tr("Copy the selected rows as text"))->setShortcut(QKeySequence::Copy);
    extra(Extra::CopyAsCsv, tr("Copy as CSV"), tr("Copy the selected rows as comma-separated text"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    extra(Extra::Paste, tr("Paste"), tr("Add the contacts on the clipboard to the group shown"))
        ->setShortcut(QKeySequence::Paste);
    extra(Extra::SelectAll, tr("Select All"), tr("Select every row of the table"))
        ->setShortcut(QKeySequence::SelectAll);
    command(Command::ToggleFindBar, tr("Find"), tr("Show or hide the find bar"), QStringLiteral("find"))
        ->setShortcut(QKeySequence::Find);
    extra(Extra::ShowFindPanel, tr("Show Find Panel"), tr("List every match in a panel"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    extra(Extra::FindNext, tr("Find Next"), tr("Go to the next match"))->setShortcut(QKeySequence::FindNext);
    extra(Extra::FindPrevious, tr("Find Previous"), tr("Go to the previous match"))
        ->setShortcut(QKeySequence::FindPrevious);

    // Contacts and groups
    command(Command::ToggleContactInfo, tr("Hide Contact Info"),
        tr("Show or hide the contact information pane"), QStringLiteral("split-right"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    command(Command::ShowContact, tr("Show Simple Info"), tr("Show the selected contact's main fields"));
    command(Command::AddContact, tr("Add New Contact"), tr("Add a new contact to the group shown"))
        ->setShortcut(QKeySequence::New);
    command(Command::DeleteContacts, tr("Delete Contacts"),
        tr("Delete the selected contacts from the group shown"))
        ->setShortcut(QKeySequence::Delete);
    command(Command::DuplicateContacts, tr("Duplicate Contacts"), tr("Add a copy of each selected contact"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    command(Command::ShowQRCode, tr("Show QRCode"), tr("Show a QR code of the selected contact"));
    command(Command::MergeContacts, tr("Merge Contacts…"), tr("Merge two selected contacts field by field"));
    command(Command::NormalizePhoneNumber, tr("Normalize Phone Numbers…"),
        tr("Write the selected phone numbers in their country's form"));
    extra(Extra::NewGroup, tr("New Group"), tr("Add a group to the document"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    extra(Extra::DeleteGroup, tr("Delete Group"),
        tr("Delete the chosen group; its contacts stay in the document"));

    // View and window
    command(Command::ToggleGroupView, tr("Hide Groups"), tr("Show or hide the group list"),
        QStringLiteral("split-left"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_G));
    QAction *edit = command(
        Command::ToggleEdit, tr("Lock"), tr("Allow or forbid editing contacts"), QStringLiteral("edit"));
    edit->setCheckable(true);
    edit->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    command(Command::ShowZipSheet, tr("ZIP"), tr("Search addresses by postal code"), QStringLiteral("zip"));
    extra(Extra::PrintStyle, tr("Print Style"), tr("Choose what to print"), QStringLiteral("print-style"));
    extra(Extra::StyleSettings, tr("Style Settings…"), tr("Settings of the chosen print style"),
        QStringLiteral("style-settings"));
    command(Command::ToggleLayout, tr("Layout"), tr("Arrange the postcard's text blocks"),
        QStringLiteral("layout"))
        ->setCheckable(true);

    // Format and Help
    extra(Extra::Font, tr("Font…"), tr("Choose the table's font"));
    extra(Extra::RevertToDefaultFont, tr("Revert to Default Font"), tr("Show the table in the system font"));
    extra(Extra::About, tr("About Corvanthe"), tr("Version, licence and libraries"))
        ->setMenuRole(QAction::AboutRole);
}

QAction *WindowActions::make(const QString &text, const QString &statusTip, const QString &icon)
{
    auto *action = new QAction(text, this);
    action->setStatusTip(statusTip);
    action->setToolTip(text);
    if (!icon.isEmpty())
        action->setIcon(WindowIcons::icon(icon));
    // The shortcuts work wherever the focus is within the window, not only in one widget.
    action->setShortcutContext(Qt::WindowShortcut);
    if (auto *window = qobject_cast<QWidget *>(parent()))
        window->addAction(action);
    return action;
}

QAction *WindowActions::action(Command command) const
{
    const auto found = m_commands.find(command);
    return found == m_commands.end() ? nullptr : found->second;
}

QAction *WindowActions::action(Extra extra) const
{
    const auto found = m_extras.find(extra);
    return found == m_extras.end() ? nullptr : found->second;
}

QList<Command> WindowActions::commands()
{
    return { Command::ImportFromVCard, Command::ImportFromCSV, Command::ExportToVCard, Command::ExportToCSV,
        Command::PrintDocument, Command::Undo, Command::Redo, Command::ToggleFindBar,
        Command::ToggleContactInfo, Command::ShowContact, Command::AddContact, Command::DeleteContacts,
        Command::DuplicateContacts, Command::ShowQRCode, Command::MergeContacts,
        Command::NormalizePhoneNumber, Command::ToggleGroupView, Command::ToggleEdit, Command::ShowZipSheet,
        Command::ToggleLayout };
}

QList<WindowActions::Extra> WindowActions::extras()
{
    return { Extra::Close, Extra::Copy, Extra::CopyAsCsv, Extra::Paste, Extra::SelectAll, Extra::NewGroup,
        Extra::DeleteGroup, Extra::Font, Extra::RevertToDefaultFont, Extra::About, Extra::PageSetup,
        Extra::ShowFindPanel, Extra::FindNext, Extra::FindPrevious, Extra::PrintStyle, Extra::StyleSettings };
}

void WindowActions::setHandler(Command command, std::function<void()> handler)
{
    m_commandHandlers[command] = std::move(handler);
    if (QAction *a = action(command))
        a->setVisible(true);
}

void WindowActions::setHandler(Extra extra, std::function<void()> handler)
{
    m_extraHandlers[extra] = std::move(handler);
    if (QAction *a = action(extra)) {
        a->setVisible(true);
        a->setEnabled(true);
    }
}

void WindowActions::setExtraEnabled(Extra extra, bool enabled)
{
    if (QAction *a = action(extra))
        a->setEnabled(enabled && hasHandler(extra));
}

void WindowActions::refresh(DocumentHub &hub, const WindowState &window)
{
    for (const auto &[id, action] : m_commands) {
        const CommandState state = hub.validateCommand({ id, {}, {} }, window);
        action->setEnabled(state.enabled && hasHandler(id));
        if (action->isCheckable())
            action->setChecked(state.checked);
        QString title = state.title.isEmpty() ? m_baseTitles.at(id) : state.title;
        if (id == Command::ToggleEdit)
            title = hub.editState() ? CommandTitle::Lock.text() : CommandTitle::Edit.text();
        if (action->text() != title) {
            action->setText(title);
            action->setToolTip(title);
        }
    }
    // Undo and Redo say what they would undo or redo.
    UndoManager &undo = hub.undoManager();
    const QString undoName = undo.undoActionName();
    const QString redoName = undo.redoActionName();
    QAction *undoAction = action(Command::Undo);
    QAction *redoAction = action(Command::Redo);
    undoAction->setText(undoName.isEmpty() ? tr("Undo") : tr("Undo %1").arg(undoName));
    redoAction->setText(redoName.isEmpty() ? tr("Redo") : tr("Redo %1").arg(redoName));
    undoAction->setToolTip(undoAction->text());
    redoAction->setToolTip(redoAction->text());
}
