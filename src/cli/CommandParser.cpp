#include "cli/CommandParser.h"

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"

using namespace Qt::StringLiterals;

CommandParser::CommandParser(const QString &name, const QString &description)
    : m_name(name)
{
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Qt's own help option would also offer Qt's options, which a subcommand does not take.
    m_parser.addOption({ { u"h"_s, u"help"_s }, CommandLine::tr("Shows this help.") });
}

void CommandParser::addArgument(const QString &name, const QString &description, const QString &syntax)
{
    const QString shown = syntax.isEmpty() ? name : syntax;
    m_parser.addPositionalArgument(name, description, shown);
    m_syntax.append(shown);
    if (!m_countSet)
        m_min = m_max = int(m_syntax.size());
}

void CommandParser::setArgumentCount(int min, int max)
{
    m_min = min;
    m_max = max;
    m_countSet = true;
}

void CommandParser::addOption(const QCommandLineOption &option)
{
    m_parser.addOption(option);
}

std::optional<int> CommandParser::parse(const QStringList &arguments, CommandIo &io)
{
    // The parser skips the first word as the program's name.
    if (!m_parser.parse(QStringList { u"corvanthe"_s } + arguments))
        return usageError(io, m_parser.errorText());
    if (m_parser.isSet(u"help"_s)) {
        io.out() << helpText();
        return CommandLine::Success;
    }
    const int count = int(m_parser.positionalArguments().size());
    if (count < m_min)
        return usageError(io, CommandLine::tr("missing %1").arg(m_syntax.mid(count).join(u' ')));
    if (m_max >= 0 && count > m_max)
        return usageError(
            io, CommandLine::tr("unexpected argument “%1”").arg(m_parser.positionalArguments().at(m_max)));
    return std::nullopt;
}

QString CommandParser::usageLine() const
{
    QString line = u"corvanthe "_s + m_name + u' ' + CommandLine::tr("[options]");
    if (!m_syntax.isEmpty())
        line += u' ' + m_syntax.join(u' ');
    return CommandLine::tr("Usage: %1").arg(line);
}

QString CommandParser::helpText() const
{
    // Qt's own help names the program by its path; ours names the subcommand too.
    QString text = m_parser.helpText();
    const qsizetype firstLineEnd = text.indexOf(u'\n');
    text = usageLine() + (firstLineEnd < 0 ? QString() : text.mid(firstLineEnd));
    if (!m_epilog.isEmpty())
        text += u'\n' + m_epilog + (m_epilog.endsWith(u'\n') ? QString() : u"\n"_s);
    return text;
}

int CommandParser::usageError(CommandIo &io, const QString &message) const
{
    io.err() << u"corvanthe "_s << m_name << u": "_s << message << '\n'
             << usageLine() << '\n'
             << CommandLine::tr("“corvanthe %1 --help” shows the options.").arg(m_name) << '\n';
    return CommandLine::UsageError;
}

int CommandParser::failure(CommandIo &io, const QString &message) const
{
    io.err() << u"corvanthe "_s << m_name << u": "_s << message << '\n';
    return CommandLine::Failure;
}
