// corvanthe dump FILE...: the reader seen from outside. Prints every contact of the files as one JSON
// array; its output is what other tools and tests compare, so it must stay stable.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/DumpJson.h"
#include "document/ExportCommands.h"
#include "formats/ChunkedWork.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Exit statuses: every card read; some cards or a file gave no contact; a file could not be read.
constexpr int SomeCardsFailed = 1;
constexpr int SomeFileFailed = 2;

// Contacts are turned into JSON this many at a time, on every core, and written before the next ones:
// the output is never held whole, and each record's values, built for its JSON, go with it.
constexpr qsizetype Batch = 2048;
constexpr qsizetype MinimumChunk = 256;

// Writes the elements of the read's contacts, each after a separator when *any says one came before.
// The read gives its records up: the contacts' values are built only to be printed.
void writeContacts(DocumentReadResult &read, QIODevice &out, bool *any)
{
    const QHash<QString, QStringList> groups = DumpJson::groupNamesById(read);
    ContactTable contacts = std::move(read.contactTable);
    // The groups share the records; without them each record is freed once its JSON is made.
    read.containers.reset();
    ContactEntryPtr *entries = contacts.data();
    std::vector<QByteArray> elements(size_t(std::min(Batch, contacts.size())));
    QByteArray piece;
    for (qsizetype start = 0; start < contacts.size(); start += Batch) {
        const qsizetype count = std::min(Batch, contacts.size() - start);
        const auto item = [&](qsizetype i, int) {
            ContactEntryPtr &entry = entries[start + i];
            QByteArray &element = elements[size_t(i)];
            element.clear();
            if (!entry || !entry->person)
                return;
            element = DumpJson::element(*entry, groups.value(entry->uniqueId));
            entry.reset();
        };
        ChunkedWork::run(count, ChunkedWork::chunksFor(count, MinimumChunk), item, {});
        // One allocation for the batch's text: grown element by element it was copied again and
        // again, into freshly mapped memory each time.
        qsizetype bytes = 0;
        for (qsizetype i = 0; i < count; ++i)
            bytes += elements[size_t(i)].size() + DumpJson::elementSeparator().size();
        piece.resize(0);
        piece.reserve(bytes);
        for (qsizetype i = 0; i < count; ++i) {
            const QByteArray &element = elements[size_t(i)];
            if (element.isEmpty())
                continue;
            if (*any)
                piece += DumpJson::elementSeparator();
            piece += element;
            *any = true;
        }
        out.write(piece);
    }
}

int dump(const QStringList &arguments, CommandIo &io)
{
    CommandParser parser(u"dump"_s,
        CommandLine::tr("Prints every contact of vCard files as one JSON array, each with its category "
                        "groups, joint names and postcard layouts. Exit status 1: some cards could not be "
                        "read; 2: a file could not be read."));
    parser.addArgument(
        u"FILE"_s, CommandLine::tr("vCard files to read; - reads standard input."), u"FILE..."_s);
    parser.setArgumentCount(1, -1);
    if (const auto status = parser.parse(arguments, io))
        return *status;

    QIODevice &out = io.outputDevice();
    out.write(DumpJson::arrayStart());
    bool any = false;
    bool someCardFailed = false;
    bool someFileFailed = false;
    for (const QString &path : parser.arguments()) {
        ContactInput::Request request { path, InputFormat::VCard, TextEncoding::Automatic, false };
        std::optional<DocumentReadResult> read = ContactInput::read(request, io);
        if (!read) {
            someFileFailed = true;
            continue;
        }
        someCardFailed = someCardFailed || !read->notices.isEmpty();
        if (read->contactTable.isEmpty() && read->notices.isEmpty()) {
            io.err() << ContactInput::displayName(path) << ": " << ExportText::CouldNotRead << ' '
                     << ExportText::InvalidVCard << '\n';
            someCardFailed = true;
            continue;
        }
        writeContacts(*read, out, &any);
    }
    out.write(DumpJson::arrayEnd(any));
    if (someFileFailed)
        return SomeFileFailed;
    return someCardFailed ? SomeCardsFailed : CommandLine::Success;
}

} // namespace

const Subcommand &Subcommands::dump()
{
    static const Subcommand command { "dump",
        QT_TRANSLATE_NOOP("CommandLine", "print the contacts of vCard files as JSON"), ::dump };
    return command;
}
