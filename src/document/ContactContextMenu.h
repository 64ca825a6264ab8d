#pragma once

#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QList>
#include <QString>
#include <QUrl>

// The contact table's context menu for the clicked cell, as data: entry titles, what each runs, and
// whether it can run; plus the addresses the workspace entries open.
namespace ContactContextMenu {

enum class Action {
    Separator,
    OpenEditor, // the column's editor panel for the clicked row
    ItemOperation, // add, replace, prepend, append or delete an item
    Workspace, // call, mail, open a URL, a calendar or a map
    ShowContactInfo,
    ShowQRCode,
    DeleteContact,
    DuplicateContact,
};

struct Entry
{
    QString title;
    Action action = Action::Separator;
    bool enabled = true; // false: listed, but does nothing
};

namespace Title {
inline constexpr auto AddItem = TranslatableText("ContactContextMenu", "Add Item");
inline constexpr auto ReplaceLabelAndText = TranslatableText("ContactContextMenu", "Replace Label and Text");
inline constexpr auto ReplaceText = TranslatableText("ContactContextMenu", "Replace Text");
inline constexpr auto PrependText = TranslatableText("ContactContextMenu", "Prepend Text");
inline constexpr auto AppendText = TranslatableText("ContactContextMenu", "Append Text");
inline constexpr auto DeleteItem = TranslatableText("ContactContextMenu", "Delete Item");
inline constexpr auto ClearText = TranslatableText("ContactContextMenu", "Clear Text");
inline constexpr auto OpenGoogleMap = TranslatableText("ContactContextMenu", "Open Google Map");
inline constexpr auto OpenAppleMap = TranslatableText("ContactContextMenu", "Open Apple Map");
} // namespace Title

// The entries for a cell: the column's identifier, the clicked sub-row, whether editing is on.
QList<Entry> menuForCell(const QString &identifier, const ContactEntry &row, bool editState);

// The address a workspace entry opens for a cell's text; invalid when there is nothing to open.
QUrl workspaceUrl(const QString &identifier, const QString &text, const QString &entryTitle = QString());

} // namespace ContactContextMenu
