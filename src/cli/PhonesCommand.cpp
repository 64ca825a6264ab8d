// corvanthe phones INPUT --layout 4+4|3+4|2+4|2x4 -o OUTPUT.vcf: lays out every phone number of every
// contact as the window's command does for selected rows, and exports the result as vCard.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/ContactOutput.h"
#include "cli/OutputTarget.h"
#include "document/ViewController.h"
#include "tools/PhoneNormalizeCommand.h"

using namespace Qt::StringLiterals;

namespace {

int phones(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"phones"_s,
        CommandLine::tr("Lays out every phone number of every contact in one of the four digit-group layouts "
                        "and writes the contacts as vCard; tells how many numbers changed."));
    parser.addArgument(u"INPUT"_s, CommandLine::tr("The vCard file; - reads standard input."));
    parser.addOption({ u"layout"_s, CommandLine::tr("The layout: 4+4, 3+4, 2+4 or 2x4."), u"LAYOUT"_s });
    parser.addOption({ { u"o"_s, u"output"_s },
        CommandLine::tr("The vCard file to write; - writes standard output."), u"OUTPUT.vcf"_s });
    if (const auto status = parser.parse(arguments, io))
        return *status;
    const auto layout = NormalizePhoneNumber::layoutForName(parser.value(u"layout"_s));
    if (!layout)
        return parser.usageError(io, CommandLine::tr("--layout takes 4+4, 3+4, 2+4 or 2x4"));
    if (!parser.isSet(u"output"_s))
        return parser.usageError(io, CommandLine::tr("-o OUTPUT.vcf is required"));

    const std::optional<DocumentReadResult> read = ContactInput::read({ parser.arguments().at(0) }, io);
    if (!read)
        return CommandLine::Failure;
    ViewController controller;
    controller.setContainerTable(*read->containers);
    const int changed = PhoneNormalizeCommand::normalizePhoneNumber(
        controller, PhoneNormalizeCommand::phoneRowsOf(read->contactTable), *layout);

    const QString output = parser.value(u"output"_s);
    if (!ContactOutput::write(
            read->contactTable, read->containers->first().get(), ContactOutput::Format::VCard, output, io))
        return CommandLine::Failure;
    QTextStream &report = OutputTarget(output, io).isStandardOutput() ? io.err() : io.out();
    report << CommandLine::tr("%n phone numbers changed", nullptr, changed) << '\n';
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::phones()
{
    static const Subcommand command { "phones",
        QT_TRANSLATE_NOOP("CommandLine", "lay out every phone number in a vCard file"), ::phones };
    return command;
}
