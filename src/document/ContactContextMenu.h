#pragma once

#include "formats/ContactContainer.h"

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
inline const QString AddItem = QStringLiteral("Add Item");
inline const QString ReplaceLabelAndText = QStringLiteral("Replace Label and Text");
inline const QString ReplaceText = QStringLiteral("Replace Text");
inline const QString PrependText = QStringLiteral("Prepend Text");
inline const QString AppendText = QStringLiteral("Append Text");
inline const QString DeleteItem = QStringLiteral("Delete Item");
inline const QString ClearText = QStringLiteral("Clear Text");
inline const QString OpenGoogleMap = QStringLiteral("Open Google Map");
inline const QString OpenAppleMap = QStringLiteral("Open Apple Map");
} // namespace Title

// The entries for a cell: the column's identifier, the clicked sub-row, whether editing is on.
QList<Entry> menuForCell(const QString &identifier, const ContactEntry &row, bool editState);

// The address a workspace entry opens for a cell's text; invalid when there is nothing to open.
QUrl workspaceUrl(const QString &identifier, const QString &text, const QString &entryTitle = QString());

} // namespace ContactContextMenu
