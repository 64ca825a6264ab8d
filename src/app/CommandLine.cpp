#include "app/CommandLine.h"

#include <QTextStream>

#include <cstdio>
#include <map>

namespace {

struct Command
{
    QString usage;
    CommandLine::Handler handler;
};

std::map<QString, Command> &registry()
{
    static std::map<QString, Command> commands;
    return commands;
}

int printUsage()
{
    QTextStream err(stderr);
    err << "usage: corvanthe [FILE...]    open the editor\n";
    for (const auto &[name, command] : registry())
        err << "       corvanthe " << command.usage << "\n";
    err << "       corvanthe help\n";
    return 0;
}

} // namespace

namespace CommandLine {

RegisterCommand::RegisterCommand(const QString &name, const QString &usage, Handler handler)
{
    registry()[name] = { usage, std::move(handler) };
}

bool isSubcommand(const QString &word)
{
    return registry().count(word) > 0 || word == QStringLiteral("help") || word == QStringLiteral("--help");
}

int run(const QStringList &arguments)
{
    const auto it = registry().find(arguments.value(0));
    if (it == registry().end())
        return printUsage();
    return it->second.handler(arguments.mid(1));
}

} // namespace CommandLine
