// corvanthe replace INPUT TEXT REPLACEMENT -o OUTPUT: the find panel's Replace All, then an export.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/ContactOutput.h"
#include "cli/FindOptions.h"
#include "cli/OutputTarget.h"
#include "document/ViewController.h"

using namespace Qt::StringLiterals;

namespace {

int replace(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"replace"_s,
        CommandLine::tr(
            "Replaces every occurrence that find lists and writes the contacts as vCard, or as CSV "
            "for a .csv OUTPUT; tells how many values changed."));
    parser.addArgument(u"INPUT"_s, CommandLine::tr("The vCard file to read; - reads standard input."));
    parser.addArgument(u"TEXT"_s, CommandLine::tr("What to find."));
    parser.addArgument(u"REPLACEMENT"_s, CommandLine::tr("What replaces it."));
    parser.addOption({ { u"o"_s, u"output"_s },
        CommandLine::tr("The file to write; - writes standard output."), u"OUTPUT"_s });
    FindOptions::addOptions(parser, false);
    if (const auto status = parser.parse(arguments, io))
        return *status;
    if (!parser.isSet(u"output"_s))
        return parser.usageError(io, CommandLine::tr("-o OUTPUT is required"));
    int status = CommandLine::Success;
    const std::optional<FindOptions::Search> search = FindOptions::search(parser, io, &status, false);
    if (!search)
        return status;

    const std::optional<DocumentReadResult> read = ContactInput::read({ parser.arguments().at(0) }, io);
    if (!read)
        return CommandLine::Failure;
    ViewController controller;
    controller.setContainerTable(*read->containers);
    FindPanel panel(&controller);
    if (!FindOptions::start(panel, read->contactTable, parser.arguments().at(1), *search, io))
        return CommandLine::Failure;
    const int changed = panel.replaceAll(parser.arguments().at(2));

    const QString output = parser.value(u"output"_s);
    const ContactTable entries = *DocumentReader::groupEntries(*read, QString());
    if (!ContactOutput::write(
            entries, read->containers->first().get(), ContactOutput::formatForPath(output), output, io))
        return CommandLine::Failure;
    // The count never mixes with contacts written to standard output.
    QTextStream &report = OutputTarget(output, io).isStandardOutput() ? io.err() : io.out();
    report << CommandLine::tr("%n values changed", nullptr, changed) << '\n';
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::replace()
{
    static const Subcommand command { "replace",
        QT_TRANSLATE_NOOP("CommandLine", "replace a text in every contact of a vCard file and write them"),
        ::replace };
    return command;
}
