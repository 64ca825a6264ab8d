// corvanthe find INPUT TEXT: the find panel's result rows, one per line.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/FindOptions.h"

using namespace Qt::StringLiterals;

namespace {

QString oneLine(QString text)
{
    text.replace(u"\r\n"_s, u"\\n"_s);
    text.replace(u'\n', u"\\n"_s);
    text.replace(u'\r', u"\\n"_s);
    text.replace(u'\t', u"\\t"_s);
    return text;
}

int find(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"find"_s,
        CommandLine::tr(
            "Lists every occurrence of TEXT in the contacts of a vCard file, one tab-separated line "
            "per field value: name, item, sub-item, label, index, value (line breaks as \\n) and "
            "the ranges found (location:length, comma-separated)."));
    parser.addArgument(u"INPUT"_s, CommandLine::tr("The vCard file to search; - reads standard input."));
    parser.addArgument(u"TEXT"_s, CommandLine::tr("What to find."));
    FindOptions::addOptions(parser, true);
    parser.addOption(
        { u"group"_s, CommandLine::tr("Searches only the contacts of this category group."), u"NAME"_s });
    if (const auto status = parser.parse(arguments, io))
        return *status;
    int status = CommandLine::Success;
    const std::optional<FindOptions::Search> search = FindOptions::search(parser, io, &status);
    if (!search)
        return status;

    const QString input = parser.arguments().at(0);
    const std::optional<DocumentReadResult> read = ContactInput::read({ input }, io);
    if (!read)
        return CommandLine::Failure;
    const std::optional<ContactTable> contacts
        = ContactInput::groupEntries(*read, input, parser.value(u"group"_s), io);
    if (!contacts)
        return CommandLine::Failure;
    FindPanel panel;
    if (!FindOptions::start(panel, *contacts, parser.arguments().at(1), *search, io))
        return CommandLine::Failure;
    QTextStream &out = io.out();
    for (const FindResultRowPtr &row : panel.searchResults()) {
        QStringList ranges;
        for (const FindRange &r : row->ranges)
            ranges.append(u"%1:%2"_s.arg(r.location).arg(r.length));
        out << QStringList { oneLine(row->name), row->item, row->subItem, oneLine(row->label),
            row->index < 0 ? QString() : QString::number(row->index), oneLine(row->value), ranges.join(u',') }
                   .join(u'\t')
            << '\n';
    }
    return CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::find()
{
    static const Subcommand command { "find",
        QT_TRANSLATE_NOOP("CommandLine", "list every occurrence of a text in a vCard file"), ::find };
    return command;
}
