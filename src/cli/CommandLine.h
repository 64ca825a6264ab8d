#pragma once

#include "cli/Subcommand.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class CommandIo;

// The command line: "corvanthe SUBCOMMAND ...", "corvanthe help", "corvanthe --version". Every text it
// shows is translated in the "CommandLine" context.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Exit statuses every subcommand shares: done, the work failed, the command line was wrong.
    static constexpr int Success = 0;
    static constexpr int Failure = 1;
    static constexpr int UsageError = 2;

    static const QList<const Subcommand *> &subcommands();
    static const Subcommand *subcommand(const QString &name);

    // A word that runs the command line rather than the editor: a subcommand, "help", or one of
    // the options --help, -h, --version, -v.
    static bool isCommandWord(const QString &word);

    // arguments[0] is the subcommand (or help word); returns the exit status.
    static int run(const QStringList &arguments, CommandIo &io);

    // What "corvanthe help" prints: how to start the editor, and every subcommand with its summary.
    static QString overview();
    // "corvanthe 1.2.3".
    static QString versionLine();
};
