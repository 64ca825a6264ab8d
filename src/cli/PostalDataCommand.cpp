// corvanthe postal-data install: the postal service's published files become the data the postal-code
// search reads.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalDataInstaller.h"

using namespace Qt::StringLiterals;

namespace {

const QString InstallWord = u"install"_s;

int postalData(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"postal-data"_s,
        CommandLine::tr(
            "Installs Japan Post's monthly postal-code files (the general file and, optionally, the "
            "business file; ZIP or CSV) as the data the postal-code search reads."));
    parser.addArgument(InstallWord, CommandLine::tr("The action; install is the only one."));
    parser.addArgument(
        u"KEN_ALL"_s, CommandLine::tr("The general file, KEN_ALL.ZIP or KEN_ALL.CSV."), u"KEN_ALL.ZIP"_s);
    parser.addArgument(u"JIGYOSYO"_s, CommandLine::tr("The business file, JIGYOSYO.ZIP or JIGYOSYO.CSV."),
        u"[JIGYOSYO.ZIP]"_s);
    parser.setArgumentCount(2, 3);
    parser.addOption({ u"data"_s,
        CommandLine::tr("The folder to install into (default: %1).").arg(PostalDataFile::dataDirectory()),
        u"DIR"_s });
    if (const auto status = parser.parse(arguments, io))
        return *status;
    const QStringList words = parser.arguments();
    if (words.first() != InstallWord)
        return parser.usageError(io, CommandLine::tr("unknown action “%1”").arg(words.first()));
    const QString directory
        = parser.isSet(u"data"_s) ? parser.value(u"data"_s) : PostalDataFile::dataDirectory();
    QString error;
    QStringList report;
    const bool ok = PostalDataInstaller::install(words.at(1), words.value(2), directory, &error, &report);
    for (const QString &line : report)
        io.out() << line << '\n';
    if (!ok)
        return parser.failure(io, error);
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::postalData()
{
    static const Subcommand command { "postal-data",
        QT_TRANSLATE_NOOP("CommandLine", "install Japan Post's postal-code files"), ::postalData };
    return command;
}
