#pragma once

#include "find/FindPanel.h"

#include <QStringList>
#include <QTextStream>
#include <optional>

// What the find and replace subcommands share: their options and the contacts of the input file.
namespace FindCommandSupport {

struct Options
{
    QStringList positional;
    QString output;
    FindPanel::Mode mode = FindPanel::Mode::CaseInsensitive;
    QStringList items { QStringLiteral("All") };
    QStringList subItems { QStringLiteral("All") };
    QStringList labels { QStringLiteral("All") };
};

// nullopt (with a message on err) for an unknown option or a missing value.
std::optional<Options> parse(
    const QStringList &arguments, bool allowOutput, bool allowSubItems, QTextStream &err);

// The top group's contacts of a vCard file, whatever its encoding; nullopt with a message on err.
std::optional<ContactTable> readContacts(const QString &path, ContainerTable &containers, QTextStream &err);

// Gives the panel the file's contacts, text, mode and filters, and searches.
void configure(FindPanel &panel, const ContactTable &contacts, const QString &text, const Options &options);

} // namespace FindCommandSupport
