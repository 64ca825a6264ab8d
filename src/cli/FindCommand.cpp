// corvanthe find INPUT TEXT: the find panel's result rows, one per line.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/FindCandidates.h"
#include "cli/FindOptions.h"
#include "find/FindPanelSearch.h"
#include "formats/ChunkedWork.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Contacts are searched this many at a time, on every core, and their rows printed before the next
// ones: each record's values, built to be searched, go with it, so a large file never has them all.
constexpr qsizetype Batch = 2048;
constexpr qsizetype MinimumChunk = 256;

QString oneLine(QString text)
{
    text.replace(u"\r\n"_s, u"\\n"_s);
    text.replace(u'\n', u"\\n"_s);
    text.replace(u'\r', u"\\n"_s);
    text.replace(u'\t', u"\\t"_s);
    return text;
}

// name, item, sub-item, label, index, value and the ranges found, tab-separated.
QString rowLine(const FindResultRow &row)
{
    QStringList ranges;
    for (const FindRange &r : row.ranges)
        ranges.append(u"%1:%2"_s.arg(r.location).arg(r.length));
    return QStringList { oneLine(row.name), row.item, row.subItem, oneLine(row.label),
        row.index < 0 ? QString() : QString::number(row.index), oneLine(row.value), ranges.join(u',') }
        .join(u'\t');
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
    const std::optional<FindOptions::Search> search = FindOptions::search(parser, io, &status, true);
    if (!search)
        return status;

    const QString input = parser.arguments().at(0);
    const QString text = parser.arguments().at(1);
    // Most contacts of a large file hold no match: the reader tells which may, and the values of
    // the others' records are never built.
    FindCandidates candidates(text, *search);
    std::optional<DocumentReadResult> read = ContactInput::read({ input }, io, candidates.observer());
    if (!read)
        return CommandLine::Failure;
    candidates.readEnded(read->contactTable.size());
    std::optional<ContactTable> contacts
        = ContactInput::groupEntries(*read, input, parser.value(u"group"_s), io);
    if (!contacts)
        return CommandLine::Failure;
    // The groups share the records; without them each record is freed once it is searched.
    read.reset();

    // What the find panel does over the contacts, one searcher per thread.
    const int chunks = ChunkedWork::chunksFor(std::min(Batch, contacts->size()), MinimumChunk);
    std::vector<FindPanelSearch> searches;
    for (int chunk = 0; chunk < chunks; ++chunk)
        searches.emplace_back(text, search->mode, search->items, search->subItems, search->labels);
    if (!searches.front().errorString().isEmpty()) {
        io.err() << searches.front().errorString() << '\n';
        return CommandLine::Failure;
    }
    QTextStream &out = io.out();
    ContactEntryPtr *entries = contacts->data();
    std::vector<QList<FindResultRowPtr>> rows(size_t(std::min(Batch, contacts->size())));
    for (qsizetype start = 0; start < contacts->size(); start += Batch) {
        const qsizetype count = std::min(Batch, contacts->size() - start);
        const auto item = [&](qsizetype i, int chunk) {
            ContactEntryPtr &entry = entries[start + i];
            if (entry && !entry->deleted && candidates.mayHold(entry->person.get()))
                searches[size_t(chunk)].searchContact(entry, rows[size_t(i)]);
            entry.reset();
        };
        ChunkedWork::run(count, std::min(chunks, ChunkedWork::chunksFor(count, MinimumChunk)), item, {});
        for (qsizetype i = 0; i < count; ++i) {
            for (const FindResultRowPtr &row : std::as_const(rows[size_t(i)]))
                out << rowLine(*row) << '\n';
            rows[size_t(i)].clear();
        }
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
