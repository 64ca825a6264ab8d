#include "cli/CommandLine.h"

#include "cli/CommandIo.h"

using namespace Qt::StringLiterals;

namespace {

const QString HelpWord = u"help"_s;
const QStringList HelpOptions { u"--help"_s, u"-h"_s };
const QStringList VersionOptions { u"--version"_s, u"-v"_s };

} // namespace

const QList<const Subcommand *> &CommandLine::subcommands()
{
    static const QList<const Subcommand *> all { &Subcommands::convert(), &Subcommands::dump(),
        &Subcommands::find(), &Subcommands::replace(), &Subcommands::print(), &Subcommands::zip(),
        &Subcommands::postalData(), &Subcommands::qr(), &Subcommands::phones(), &Subcommands::table() };
    return all;
}

const Subcommand *CommandLine::subcommand(const QString &name)
{
    for (const Subcommand *command : subcommands()) {
        if (name == QLatin1StringView(command->name))
            return command;
    }
    return nullptr;
}

bool CommandLine::isCommandWord(const QString &word)
{
    return subcommand(word) || word == HelpWord || HelpOptions.contains(word)
        || VersionOptions.contains(word);
}

int CommandLine::run(const QStringList &arguments, CommandIo &io)
{
    const QString word = arguments.value(0);
    if (VersionOptions.contains(word)) {
        io.out() << versionLine() << '\n';
        return Success;
    }
    if (word == HelpWord || HelpOptions.contains(word)) {
        // "corvanthe help convert" is "corvanthe convert --help".
        if (const Subcommand *command = subcommand(arguments.value(1)))
            return command->run({ HelpOptions.first() }, io);
        io.out() << overview();
        return Success;
    }
    if (const Subcommand *command = subcommand(word))
        return command->run(arguments.mid(1), io);
    io.err() << tr("no such file or subcommand: %1").arg(word) << '\n' << overview();
    return UsageError;
}

QString CommandLine::overview()
{
    QString text = tr("Usage: %1").arg(u"corvanthe [FILE...]"_s) + u"\n  "_s
        + tr("Opens the editor on the files (it needs a display).") + u"\n\n"_s
        + tr("Usage: %1").arg(u"corvanthe SUBCOMMAND [OPTIONS] [ARGUMENTS]"_s) + u"\n  "_s
        + tr("Runs one of these subcommands, without a display:") + u"\n\n"_s;
    qsizetype width = 0;
    for (const Subcommand *command : subcommands())
        width = std::max(width, qsizetype(qstrlen(command->name)));
    for (const Subcommand *command : subcommands()) {
        text += u"  "_s + QString::fromLatin1(command->name).leftJustified(width + 2) + tr(command->summary)
            + u'\n';
    }
    text += u'\n' + tr("“corvanthe SUBCOMMAND --help” shows a subcommand's options and arguments.") + u'\n'
        + tr("“corvanthe --version” shows the version.") + u'\n';
    return text;
}

QString CommandLine::versionLine()
{
    return u"corvanthe "_s + QStringLiteral(CORVANTHE_VERSION);
}
