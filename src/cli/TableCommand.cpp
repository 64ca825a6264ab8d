// corvanthe table INPUT [--group NAME] [--view NAME | --columns ID,...] [--labels LABEL,...]
// [--sort KEY[:desc]]: the contact table as the window shows it, as tab-separated text.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "document/ContactTableText.h"
#include "document/Document.h"
#include "document/UserDefaults.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

QStringList listOf(const QString &value)
{
    QStringList items;
    for (const QString &item : value.split(u',', Qt::SkipEmptyParts))
        if (!item.trimmed().isEmpty())
            items << item.trimmed();
    return items;
}

int table(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"table"_s,
        CommandLine::tr("Prints the contact table as the window shows it: a line of column identifiers, one "
                        "tab-separated line per row, then the summary row. Choices not given are the "
                        "window's, from the settings."));
    parser.addArgument(u"INPUT"_s, CommandLine::tr("The vCard or CSV file; - reads standard input (vCard)."));
    parser.addOption(
        { u"group"_s, CommandLine::tr("The group to show (a category of the file)."), u"NAME"_s });
    parser.addOption({ u"view"_s, CommandLine::tr("The view type whose columns are shown."), u"NAME"_s });
    parser.addOption({ u"columns"_s,
        CommandLine::tr("The columns after \"Sender\" and \"Name\", comma-separated identifiers."),
        u"ID,..."_s });
    parser.addOption({ u"labels"_s,
        CommandLine::tr("The labels whose values are shown, comma-separated; All for every label."),
        u"LABEL,..."_s });
    parser.addOption(
        { u"sort"_s, CommandLine::tr("The sort key, with :desc for descending order (for example ZIP:desc)."),
            u"KEY[:desc]"_s });
    parser.setEpilog(CommandLine::tr("Sort keys: %1").arg(ContactTableText::sortKeys().join(u", "_s)));
    if (const auto status = parser.parse(arguments, io))
        return *status;
    if (parser.isSet(u"view"_s) && parser.isSet(u"columns"_s))
        return parser.usageError(io, CommandLine::tr("--view and --columns can't be given together"));

    TableTextChoices choices;
    choices.group = parser.value(u"group"_s);
    choices.viewType = parser.value(u"view"_s);
    choices.columns = listOf(parser.value(u"columns"_s));
    if (parser.isSet(u"columns"_s) && choices.columns.isEmpty())
        return parser.usageError(io, CommandLine::tr("--columns needs at least one column identifier"));
    choices.labels = listOf(parser.value(u"labels"_s));
    QString sort = parser.value(u"sort"_s);
    if (sort.endsWith(u":desc"_s, Qt::CaseInsensitive)) {
        choices.descending = true;
        sort.chop(5);
    } else if (sort.endsWith(u":asc"_s, Qt::CaseInsensitive)) {
        sort.chop(4);
    }
    choices.sortKey = sort;
    if (parser.isSet(u"sort"_s) && sort.isEmpty())
        return parser.usageError(io, CommandLine::tr("--sort needs a sort key"));

    const QString input = parser.arguments().at(0);
    const InputFormat format = ContactInput::formatForPath(input, InputFormat::MailwickCsv);
    std::optional<DocumentReadResult> read = ContactInput::read({ input, format }, io);
    if (!read)
        return CommandLine::Failure;
    // The window's choices, read but never written: a look at a file changes no one's settings.
    QSettings settings;
    UserDefaults defaults(settings);
    const TableTextResult result = ContactTableText::fromRead(std::move(*read), input,
        format == InputFormat::VCard ? DocumentText::VCardType : DocumentText::CSVType, choices, defaults);
    if (!result.ok())
        return parser.failure(io, result.error);
    io.out() << result.text;
    if (!result.text.endsWith(u'\n'))
        io.out() << '\n';
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::table()
{
    static const Subcommand command { "table",
        QT_TRANSLATE_NOOP("CommandLine", "print the contact table of a file as the window shows it"),
        ::table };
    return command;
}
