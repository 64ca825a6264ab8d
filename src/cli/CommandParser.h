#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

class CommandIo;

// A subcommand's arguments, parsed the same way for every subcommand: options in any order, "--name
// value" or "--name=value", "--help" printing the usage and the options, a wrong option or a wrong
// number of arguments reported with the usage (exit status 2).
class CommandParser
{
public:
    // name: the subcommand; description: what it does, shown under the usage.
    CommandParser(const QString &name, const QString &description);

    // An argument that is not an option, in order; syntax is how the usage writes it ("INPUT", "FILE...").
    void addArgument(const QString &name, const QString &description, const QString &syntax = QString());
    // At least min and at most max arguments (max -1: no limit); by default exactly as many as added.
    void setArgumentCount(int min, int max);
    void addOption(const QCommandLineOption &option);
    // Lines shown at the end of --help.
    void setEpilog(const QString &text) { m_epilog = text; }

    // Nothing: carry on with the arguments. An exit status: stop (the help was shown, or the arguments
    // were wrong and the user was told why).
    std::optional<int> parse(const QStringList &arguments, CommandIo &io);

    QStringList arguments() const { return m_parser.positionalArguments(); }
    bool isSet(const QString &option) const { return m_parser.isSet(option); }
    QString value(const QString &option) const { return m_parser.value(option); }
    QStringList values(const QString &option) const { return m_parser.values(option); }

    // "Usage: corvanthe NAME [options] ARGUMENTS".
    QString usageLine() const;
    QString helpText() const;
    // Tells the user what is wrong with the arguments, with the usage; returns the exit status 2.
    int usageError(CommandIo &io, const QString &message) const;
    // Tells the user why the work failed, prefixed with the subcommand; returns the exit status 1.
    int failure(CommandIo &io, const QString &message) const;

private:
    QString m_name;
    QStringList m_syntax;
    QString m_epilog;
    int m_min = 0;
    int m_max = 0;
    bool m_countSet = false;
    QCommandLineParser m_parser;
};
