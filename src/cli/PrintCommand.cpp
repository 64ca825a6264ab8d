// corvanthe print: labels, address lists, envelopes and postcards to PDF, through the same print
// documents as the window.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/OutputTarget.h"
#include "cli/Progress.h"
#include "print/PaperSizes.h"
#include "print/PrintDocument.h"
#include "print/PrintOptionEdits.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionPaths.h"
#include "print/PrintOptionsStore.h"
#include "print/PrintRecipients.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPdfWriter>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

// Runs of fewer pages end before a progress line would be read.
constexpr int ProgressThreshold = 100;

// The style words of the command line and the print styles they choose.
const QList<std::pair<QString, QString>> &styleWords()
{
    static const QList<std::pair<QString, QString>> words {
        { u"hagaki"_s, PrintValue::StyleHagaki },
        { u"envelope"_s, PrintValue::StyleEnvelope },
        { u"labels"_s, PrintValue::StyleLabels },
        { u"list"_s, PrintValue::StyleAddressList },
    };
    return words;
}

QString styleNamed(const QString &word)
{
    for (const auto &[name, style] : styleWords()) {
        if (name.compare(word, Qt::CaseInsensitive) == 0)
            return style;
    }
    return QString();
}

QString paperNamed(const QString &word)
{
    for (const QString &name : PaperSizes::names()) {
        if (name.compare(word, Qt::CaseInsensitive) == 0)
            return name;
    }
    return QString();
}

void addOptions(CommandParser &parser)
{
    parser.addOption(
        { u"style"_s, CommandLine::tr("What to print: hagaki, envelope, labels or list."), u"STYLE"_s });
    parser.addOption({ { u"o"_s, u"output"_s },
        CommandLine::tr("The PDF to write; - writes standard output."), u"OUT.pdf"_s });
    parser.addOption(
        { u"group"_s, CommandLine::tr("Prints only the contacts of this category group."), u"NAME"_s });
    parser.addOption({ u"sender"_s,
        CommandLine::tr("Postcards and envelopes: contact N (from 1) is the sender; by default the contact "
                        "whose address is marked as the sender's."),
        u"N"_s });
    parser.addOption(
        { u"paper"_s, CommandLine::tr("The paper: %1.").arg(PaperSizes::names().join(u", "_s)), u"NAME"_s });
    parser.addOption({ u"preset"_s, CommandLine::tr("Labels: the label sheet preset."), u"NAME"_s });
    parser.addOption(
        { u"honorific"_s, CommandLine::tr("The honorific after (or before) receivers' names."), u"TEXT"_s });
    parser.addOption({ u"font"_s, CommandLine::tr("The font of every style."), u"NAME"_s });
    parser.addOption({ u"items"_s,
        CommandLine::tr("Address list: the fields printed under each name, in order."), u"ID,..."_s });
    parser.addOption({ u"card"_s,
        CommandLine::tr("Postcards: nenga, general or none (the card's printed image)."), u"TYPE"_s });
    parser.addOption({ u"option"_s,
        CommandLine::tr("Sets any print option for this run (repeatable); nested keys are written with dots, "
                        "e.g. \"Hagaki.hagakiType=General\"."),
        u"KEY=VALUE"_s });
    parser.addOption({ u"list-options"_s,
        CommandLine::tr(
            "Lists every print option with its value (after the other options) and its choices.") });
}

// The stored options with this run's changes; an error for a change that names nothing known.
QString applyChanges(
    QVariantMap &options, const CommandParser &parser, const PrintOptionPaths &paths, CommandIo &io)
{
    if (parser.isSet(u"preset"_s)) {
        if (QString error = PrintOptionEdits::applyLabelPreset(options, parser.value(u"preset"_s));
            !error.isEmpty())
            return error;
    }
    if (parser.isSet(u"honorific"_s))
        PrintOptionEdits::setHonorific(options, parser.value(u"honorific"_s));
    if (parser.isSet(u"font"_s)) {
        const QString font = parser.value(u"font"_s);
        if (!QFontDatabase::families().contains(font, Qt::CaseInsensitive))
            io.err() << CommandLine::tr("font “%1” is not installed; another font stands in for it").arg(font)
                     << '\n';
        PrintOptionEdits::setFont(options, font);
    }
    if (parser.isSet(u"items"_s)) {
        if (QString error
            = PrintOptionEdits::setAddressListItems(options, parser.value(u"items"_s).split(u','));
            !error.isEmpty())
            return error;
    }
    if (parser.isSet(u"card"_s)) {
        if (QString error = PrintOptionEdits::setCardType(options, parser.value(u"card"_s)); !error.isEmpty())
            return error;
    }
    // Given last, so that a single key can still be set after the broader changes above.
    for (const QString &assignment : parser.values(u"option"_s)) {
        if (QString error = paths.assign(options, assignment); !error.isEmpty())
            return error;
    }
    return QString();
}

void listOptions(const QVariantMap &options, const PrintOptionPaths &paths, CommandIo &io)
{
    for (const PrintOptionPaths::Entry &entry : paths.entries(options)) {
        io.out() << entry.path << '=' << entry.value;
        if (!entry.settable)
            io.out() << "  " << CommandLine::tr("(not set from the command line)");
        else if (!entry.choices.isEmpty())
            io.out() << "  (" << entry.choices.join(u" | "_s) << (entry.openChoices ? u" | …"_s : QString())
                     << ')';
        io.out() << '\n';
    }
}

int print(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"print"_s,
        CommandLine::tr("Prints every contact of a vCard or envelope-product CSV file (or of one category "
                        "group) to PDF, with the stored print options and the changes given. Postcards and "
                        "envelopes leave their sender out."));
    parser.addArgument(u"INPUT"_s,
        CommandLine::tr(
            "The contact file (.csv: the envelope product's CSV); - reads a vCard from standard input."));
    parser.setArgumentCount(0, 1);
    addOptions(parser);
    if (const auto status = parser.parse(arguments, io))
        return *status;

    const bool listing = parser.isSet(u"list-options"_s);
    if (!listing && parser.arguments().isEmpty())
        return parser.usageError(io, CommandLine::tr("missing %1").arg(u"INPUT"_s));
    const QString style = styleNamed(parser.value(u"style"_s));
    if (!listing && !parser.isSet(u"style"_s))
        return parser.usageError(
            io, CommandLine::tr("--style is required (hagaki, envelope, labels or list)"));
    if (parser.isSet(u"style"_s) && style.isEmpty())
        return parser.usageError(io,
            CommandLine::tr("unknown style “%1” (hagaki, envelope, labels or list)")
                .arg(parser.value(u"style"_s)));
    if (!listing && !parser.isSet(u"output"_s))
        return parser.usageError(io, CommandLine::tr("-o OUT.pdf is required"));
    QString paper;
    if (parser.isSet(u"paper"_s)) {
        paper = paperNamed(parser.value(u"paper"_s));
        if (paper.isEmpty())
            return parser.usageError(io,
                CommandLine::tr("unknown paper “%1”; the papers are: %2")
                    .arg(parser.value(u"paper"_s), PaperSizes::names().join(u", "_s)));
    }
    int senderNumber = 0;
    if (parser.isSet(u"sender"_s)) {
        bool ok = false;
        senderNumber = parser.value(u"sender"_s).toInt(&ok);
        if (!ok || senderNumber < 1)
            return parser.usageError(io,
                CommandLine::tr("--sender takes a contact's number from 1, not “%1”")
                    .arg(parser.value(u"sender"_s)));
    }

    QSettings settings;
    const QString language = PrintOptions::preferredLanguage();
    const PrintOptionPaths paths(language, PrintOptions::FontDefaults::fromSystem());
    QVariantMap options = PrintOptionsStore::load(settings, language);
    if (const QString error = applyChanges(options, parser, paths, io); !error.isEmpty())
        return parser.usageError(io, error);
    if (listing) {
        listOptions(options, paths, io);
        return CommandLine::Success;
    }

    const QString input = parser.arguments().at(0);
    const QString name = ContactInput::displayName(input);
    const std::optional<DocumentReadResult> read
        = ContactInput::read({ input, ContactInput::formatForPath(input, InputFormat::MailwickCsv) }, io);
    if (!read)
        return CommandLine::Failure;
    const std::optional<ContactTable> contacts
        = ContactInput::groupEntries(*read, input, parser.value(u"group"_s), io);
    if (!contacts)
        return CommandLine::Failure;
    if (senderNumber > contacts->size())
        return parser.failure(io,
            CommandLine::tr("--sender %1: there are only %n contacts", nullptr, int(contacts->size()))
                .arg(senderNumber));
    const PrintRecipients recipients = PrintRecipients::choose(*contacts, style, senderNumber);
    if (recipients.receivers.isEmpty())
        return parser.failure(io, CommandLine::tr("%1: there are no contacts to print").arg(name));

    const PrintDocument document
        = PrintDocument::make({ style, options, recipients.receivers, recipients.sender, paper });
    if (!document.isValid())
        return parser.failure(io, document.error());

    OutputTarget output(parser.value(u"output"_s), io);
    // A PDF to standard output is made whole first: the writer seeks back to finish it.
    QBuffer buffer;
    if (!output.open() || (output.isStandardOutput() && !buffer.open(QIODevice::WriteOnly)))
        return parser.failure(io, output.failureMessage());
    QPdfWriter writer(output.isStandardOutput() ? static_cast<QIODevice *>(&buffer) : output.device());
    writer.setCreator(u"Corvanthe"_s);
    writer.setTitle(input == ContactInput::StandardStream ? QString() : QFileInfo(input).completeBaseName());

    PrintJob::Options job;
    // A PDF is read from its first page: it keeps the contacts' order, where a printer's run is
    // reversed so that the face-up stack comes out in order.
    job.order = PrintJob::PageOrder::FirstSlotFirst;
    Progress progress(io, CommandLine::tr("Printing to %1").arg(output.displayName()));
    if (document.pageCount() > ProgressThreshold)
        job.progress = [&progress](int done, int total) { progress.setSteps(done, total); };
    const PrintJob::Result result = PrintJob::run(&writer, document.pages(), job);
    progress.finish();
    if (!result.ok()) {
        output.cancel();
        return parser.failure(io, u"%1: %2"_s.arg(output.displayName(), result.error));
    }
    if (output.isStandardOutput() && output.device()->write(buffer.data()) != buffer.data().size())
        return parser.failure(io, output.failureMessage());
    if (!output.commit())
        return parser.failure(io, output.failureMessage());
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::print()
{
    static const Subcommand command { "print",
        QT_TRANSLATE_NOOP("CommandLine", "print labels, an address list, envelopes or postcards to PDF"),
        ::print };
    return command;
}
