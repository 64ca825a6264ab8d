// corvanthe dump FILE...: the reader seen from outside. Prints every contact of the files as one JSON
// array; its output is what other tools and tests compare, so it must stay stable.

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ContactInput.h"
#include "cli/DumpJson.h"
#include "document/ExportCommands.h"

using namespace Qt::StringLiterals;

namespace {

// Exit statuses: every card read; some cards or a file gave no contact; a file could not be read.
constexpr int SomeCardsFailed = 1;
constexpr int SomeFileFailed = 2;

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

    QJsonArray contacts;
    bool someCardFailed = false;
    bool someFileFailed = false;
    for (const QString &path : parser.arguments()) {
        ContactInput::Request request { path, InputFormat::VCard, TextEncoding::Automatic, false };
        const std::optional<DocumentReadResult> read = ContactInput::read(request, io);
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
        for (const QJsonValue &contact : DumpJson::contacts(*read))
            contacts.append(contact);
    }
    io.outputDevice().write(DumpJson::text(contacts));
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
