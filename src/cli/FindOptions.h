#pragma once

#include "find/FindPanel.h"

#include <QString>
#include <QStringList>
#include <optional>

class CommandIo;
class CommandParser;

// What the find and replace subcommands share: how they search (mode and filters, as the find panel's
// pop-ups choose them) and setting the panel up over a file's contacts.
namespace FindOptions {

struct Search
{
    FindPanel::Mode mode = FindPanel::Mode::CaseInsensitive;
    QStringList items;
    QStringList subItems;
    QStringList labels;
};

// --regex, --case-sensitive, --items, --labels and, with subItems, --subitems.
void addOptions(CommandParser &parser, bool subItems);
// The search the options give; nothing after telling a usage error (exit status 2 in *status).
std::optional<Search> search(const CommandParser &parser, CommandIo &io, int *status, bool subItems);

// Gives the panel the contacts, the search and the text, and searches; false after telling why the
// text can't be searched for (an invalid regular expression).
bool start(
    FindPanel &panel, const ContactTable &contacts, const QString &text, const Search &search, CommandIo &io);

} // namespace FindOptions
