// corvanthe zip QUERY: what the postal-code sheet lists for the typed text, one row a line.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalKeys.h"
#include "tools/ZipSearchTexts.h"
#include "tools/ZipSheetController.h"

using namespace Qt::StringLiterals;

namespace {

int zip(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"zip"_s,
        CommandLine::tr("Searches the postal codes as the postal-code sheet does: one line per row, with the "
                        "code, the address, its readings and the company, separated by tabs."));
    parser.addArgument(u"QUERY"_s, CommandLine::tr("A code of at least two digits, or part of an address."));
    parser.addOption({ u"data"_s,
        CommandLine::tr("The folder of the postal-code data (default: the installed data)."), u"DIR"_s });
    if (const auto status = parser.parse(arguments, io))
        return *status;
    const QString directory = parser.value(u"data"_s);
    const auto texts = std::make_shared<const ZipSearchTexts>(ZipSearchTextBuilder::build(directory));
    if (texts->isEmpty()) {
        const QString where = directory.isEmpty() ? PostalDataFile::dataDirectory() : directory;
        return parser.failure(io,
            CommandLine::tr(
                "no postal-code data in %1 (%2, %3); install it with: corvanthe postal-data install "
                "KEN_ALL.ZIP [JIGYOSYO.ZIP]")
                .arg(where, PostalFile::General, PostalFile::Business));
    }
    ZipSheetController sheet(texts);
    sheet.windowDidLoad();
    sheet.controlTextDidChange(parser.arguments().at(0));
    if (sheet.zipSearchMode() == ZipSheetController::NoSearch)
        io.err() << u"corvanthe zip: "_s << CommandLine::tr("a code needs at least two digits") << '\n';
    for (const ZipResultRow &row : sheet.table()) {
        const QString readings = (row.phoneticCity + u' ' + row.phoneticStreet).trimmed();
        io.out() << row.zip << '\t' << row.state << row.city << row.street << '\t' << readings << '\t'
                 << row.company << '\n';
    }
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::zip()
{
    static const Subcommand command { "zip", QT_TRANSLATE_NOOP("CommandLine", "search the postal codes"),
        ::zip };
    return command;
}
