#pragma once

#include <QStringList>
#include <QTextStream>

// The find and replace subcommands without the process around them: arguments in, lines out.
// Each returns the exit status: 0 done, 1 the input, the pattern or the output failed, 2 usage.
namespace FindCommand {

// corvanthe find INPUT TEXT: one tab-separated line per find panel row (name, item, sub-item,
// label, index, value, ranges as location:length), line breaks and tabs escaped.
int find(const QStringList &arguments, QTextStream &out, QTextStream &err);

// corvanthe replace INPUT TEXT REPLACEMENT -o OUTPUT: the panel's Replace All, then the contacts
// written as vCard (or CSV by the output's extension), and the number of values changed.
int replace(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace FindCommand
