// corvanthe convert INPUT OUTPUT: one contact file to another format, through the window's own reading
// and export code.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/ContactOutput.h"
#include "formats/TextEncodings.h"

using namespace Qt::StringLiterals;

namespace {

std::optional<InputFormat> inputFormatNamed(const QString &name)
{
    if (name.compare(u"vcard"_s, Qt::CaseInsensitive) == 0)
        return InputFormat::VCard;
    if (name.compare(u"csv"_s, Qt::CaseInsensitive) == 0)
        return InputFormat::Csv;
    if (name.compare(u"mailwick"_s, Qt::CaseInsensitive) == 0)
        return InputFormat::MailwickCsv;
    return std::nullopt;
}

std::optional<TextEncoding::Number> encodingNamed(const QString &name)
{
    if (const EncodingInfo *info = TextEncodings::findByName(name))
        return info->number;
    return TextEncodings::numberForCharset(name.toUtf8());
}

int convert(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"convert"_s,
        CommandLine::tr("Converts a vCard, CSV or envelope-product CSV file to vCard 3.0 or the 32-column "
                        "CSV. Formats follow the file extensions unless given; the text encoding is detected "
                        "unless given."));
    parser.addArgument(u"INPUT"_s, CommandLine::tr("The contact file to read; - reads standard input."));
    parser.addArgument(u"OUTPUT"_s, CommandLine::tr("The file to write; - writes standard output."));
    parser.addOption(
        { u"from"_s, CommandLine::tr("The input's format: vcard, csv or mailwick."), u"FORMAT"_s });
    parser.addOption({ u"to"_s, CommandLine::tr("The output's format: vcard or csv."), u"FORMAT"_s });
    parser.addOption(
        { u"encoding"_s, CommandLine::tr("The input's text encoding, e.g. Shift_JIS."), u"NAME"_s });
    parser.addOption(
        { u"group"_s, CommandLine::tr("Writes only the contacts of this category group."), u"NAME"_s });
    if (const auto status = parser.parse(arguments, io))
        return *status;

    const QString input = parser.arguments().at(0);
    const QString output = parser.arguments().at(1);
    InputFormat from = ContactInput::formatForPath(input);
    if (parser.isSet(u"from"_s)) {
        const auto named = inputFormatNamed(parser.value(u"from"_s));
        if (!named)
            return parser.usageError(io,
                CommandLine::tr("unknown input format “%1” (vcard, csv or mailwick)")
                    .arg(parser.value(u"from"_s)));
        from = *named;
    }
    ContactOutput::Format to = ContactOutput::formatForPath(output);
    if (parser.isSet(u"to"_s)) {
        const auto named = ContactOutput::formatNamed(parser.value(u"to"_s));
        if (!named)
            return parser.usageError(
                io, CommandLine::tr("unknown output format “%1” (vcard or csv)").arg(parser.value(u"to"_s)));
        to = *named;
    }
    TextEncoding::Number encoding = TextEncoding::Automatic;
    if (parser.isSet(u"encoding"_s)) {
        const auto named = encodingNamed(parser.value(u"encoding"_s));
        if (!named)
            return parser.usageError(
                io, CommandLine::tr("unknown text encoding “%1”").arg(parser.value(u"encoding"_s)));
        encoding = *named;
    }

    if (to == ContactOutput::Format::Csv) {
        // Every value of every record is built for its CSV line: each record goes once its line is
        // made, so that a large file never has them all at once. The CSV keeps no groups.
        std::optional<DocumentReadResult> read = ContactInput::read({ input, from, encoding }, io);
        if (!read)
            return CommandLine::Failure;
        std::optional<ContactTable> entries
            = ContactInput::groupEntries(*read, input, parser.value(u"group"_s), io);
        if (!entries)
            return CommandLine::Failure;
        read.reset();
        return ContactOutput::writeCsvReleasing(std::move(*entries), output, io) ? CommandLine::Success
                                                                                 : CommandLine::Failure;
    }
    const std::shared_ptr<const DocumentReadResult> read
        = ContactInput::readKept({ input, from, encoding }, io);
    if (!read)
        return CommandLine::Failure;
    const std::optional<ContactTable> entries
        = ContactInput::groupEntries(*read, input, parser.value(u"group"_s), io);
    if (!entries)
        return CommandLine::Failure;
    // Categories travel with the cards, so a converted file keeps its groups.
    const ContactContainer *container
        = read->containers && !read->containers->isEmpty() ? read->containers->first().get() : nullptr;
    if (!ContactOutput::write(*entries, container, to, output, io))
        return CommandLine::Failure;
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::convert()
{
    static const Subcommand command { "convert",
        QT_TRANSLATE_NOOP("CommandLine", "convert a contact file to vCard or CSV"), ::convert };
    return command;
}
