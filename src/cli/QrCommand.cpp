// corvanthe qr INPUT [--contact N] [--format F] -o OUT.png [--payload]: the QR code of one contact of a
// vCard file, with the rows ticked as the sheet ticks them when it opens.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/OutputTarget.h"
#include "tools/QRCodePanelController.h"
#include "tools/QrPayload.h"

using namespace Qt::StringLiterals;

namespace {

int qr(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"qr"_s,
        CommandLine::tr(
            "Makes the QR code of one contact of a vCard file as a PNG image, or prints its payload."));
    parser.addArgument(u"INPUT"_s, CommandLine::tr("The vCard file; - reads standard input."));
    parser.addOption({ u"contact"_s, CommandLine::tr("The contact's number in the file, from 1 (default 1)."),
        u"N"_s, u"1"_s });
    parser.addOption(
        { u"format"_s, CommandLine::tr("The payload's format: %1.").arg(QrFormat::all().join(u", "_s)),
            u"FORMAT"_s, QrFormat::VCard });
    parser.addOption({ { u"o"_s, u"output"_s },
        CommandLine::tr("The PNG to write; - writes standard output."), u"OUT.png"_s });
    parser.addOption(
        { u"payload"_s, CommandLine::tr("Prints the payload text instead of making an image.") });
    if (const auto status = parser.parse(arguments, io))
        return *status;
    const QString format = parser.value(u"format"_s);
    if (!QrFormat::all().contains(format))
        return parser.usageError(io,
            CommandLine::tr("unknown format “%1”; one of: %2").arg(format, QrFormat::all().join(u", "_s)));
    bool ok = false;
    const qsizetype number = parser.value(u"contact"_s).toLongLong(&ok);
    if (!ok || number < 1)
        return parser.usageError(io, CommandLine::tr("--contact takes a number from 1"));
    const bool payloadOnly = parser.isSet(u"payload"_s);
    if (!payloadOnly && !parser.isSet(u"output"_s))
        return parser.usageError(io, CommandLine::tr("-o OUT.png is required (or --payload)"));

    const QString input = parser.arguments().at(0);
    const std::optional<DocumentReadResult> read = ContactInput::read({ input }, io);
    if (!read)
        return CommandLine::Failure;
    const ContactTable contacts = *DocumentReader::groupEntries(*read, QString());
    if (number > contacts.size()) {
        return parser.failure(io,
            CommandLine::tr("%1: there is no contact %2; the file holds %n", nullptr, int(contacts.size()))
                .arg(ContactInput::displayName(input))
                .arg(number));
    }
    QRCodePanelController panel;
    panel.setContact(contacts.at(number - 1));
    panel.formatPopupSelected(format);
    if (payloadOnly) {
        io.out() << panel.payload();
        if (!panel.payload().endsWith(u'\n'))
            io.out() << '\n';
        return CommandLine::Success;
    }
    if (!panel.image().ok())
        return parser.failure(io, panel.image().error);
    OutputTarget output(parser.value(u"output"_s), io);
    if (!output.write(panel.copy()))
        return parser.failure(io, output.failureMessage());
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::qr()
{
    static const Subcommand command { "qr", QT_TRANSLATE_NOOP("CommandLine", "make the QR code of a contact"),
        ::qr };
    return command;
}
