#pragma once

#include <QString>
#include <QUrl>

// The addresses the context menu's workspace entries may open: mail, phone, web pages and a map
// search on the web, nothing else. Whatever a contact's text holds, no other kind of address (a file,
// a program's own scheme) is ever handed to the desktop.
namespace TableWorkspace {

// The address for the entry titled entryTitle on a cell of the column; invalid when there is nothing
// that may be opened.
QUrl urlFor(const QString &identifier, const QString &text, const QString &entryTitle);
bool mayOpen(const QUrl &url);

} // namespace TableWorkspace
