#include "cli/FindOptions.h"

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "model/Identifiers.h"

using namespace Qt::StringLiterals;

namespace FindOptions {

namespace {

// An empty list means the pop-up's "All".
QStringList listOrAll(const CommandParser &parser, const QString &option)
{
    QStringList list;
    for (const QString &value : parser.values(option))
        list << value.split(u',', Qt::SkipEmptyParts);
    return list.isEmpty() ? QStringList { LabelText::All } : list;
}

} // namespace

void addOptions(CommandParser &parser, bool subItems)
{
    parser.addOption({ u"regex"_s, CommandLine::tr("TEXT is a regular expression.") });
    parser.addOption({ u"case-sensitive"_s, CommandLine::tr("Upper and lower case differ.") });
    parser.addOption({ u"items"_s,
        CommandLine::tr("Searches only these fields (identifiers, comma-separated)."), u"ID,..."_s });
    if (subItems) {
        parser.addOption({ u"subitems"_s,
            CommandLine::tr("Searches only these parts of structured fields (comma-separated)."),
            u"ID,..."_s });
    }
    parser.addOption({ u"labels"_s,
        CommandLine::tr("Searches only values with these labels (comma-separated)."), u"LABEL,..."_s });
}

std::optional<Search> search(const CommandParser &parser, CommandIo &io, int *status, bool subItems)
{
    Search search;
    const bool regex = parser.isSet(u"regex"_s);
    const bool caseSensitive = parser.isSet(u"case-sensitive"_s);
    if (regex && caseSensitive) {
        *status = parser.usageError(io, CommandLine::tr("--regex and --case-sensitive exclude each other"));
        return std::nullopt;
    }
    if (regex)
        search.mode = FindPanel::Mode::Regex;
    else if (caseSensitive)
        search.mode = FindPanel::Mode::CaseSensitive;
    search.items = listOrAll(parser, u"items"_s);
    // Asking the parser for an option it was never given prints a warning on every run.
    search.subItems = subItems ? listOrAll(parser, u"subitems"_s) : QStringList { LabelText::All };
    search.labels = listOrAll(parser, u"labels"_s);
    return search;
}

bool start(
    FindPanel &panel, const ContactTable &contacts, const QString &text, const Search &search, CommandIo &io)
{
    panel.setContacts(contacts);
    panel.setCompareOptions(search.mode);
    panel.setSelectedItems(search.items);
    panel.setSelectedSubItems(search.subItems);
    panel.setSelectedLabels(search.labels);
    panel.textDidEnter(text);
    if (panel.errorString().isEmpty())
        return true;
    io.err() << panel.errorString() << '\n';
    return false;
}

} // namespace FindOptions
