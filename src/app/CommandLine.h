#pragma once

#include <QStringList>

#include <functional>

// The command-line subcommands: each calls the same library code as the window. A subcommand lives
// in its own file (Command<Name>.cpp) and registers itself with a static RegisterCommand.
namespace CommandLine {

using Handler = std::function<int(const QStringList &arguments)>;

struct RegisterCommand
{
    // usage: one line, e.g. "dump FILE...", shown by "corvanthe help".
    RegisterCommand(const QString &name, const QString &usage, Handler handler);
};

bool isSubcommand(const QString &word);
// arguments[0] is the subcommand; returns the process's exit status.
int run(const QStringList &arguments);

} // namespace CommandLine
