#include "cli/ContactInput.h"

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/Progress.h"
#include "document/ExportCommands.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ContactInput {

namespace {

// Reading a smaller file takes less time than its progress line would stay on screen.
constexpr qint64 ProgressThreshold = 1024 * 1024;

void tell(CommandIo &io, const QString &name, const QString &message, const QString &detail = QString())
{
    io.err() << name << ": " << message;
    if (!detail.isEmpty())
        io.err() << ' ' << detail;
    io.err() << '\n';
}

} // namespace

QString displayName(const QString &path)
{
    return path == StandardStream ? CommandLine::tr("standard input") : QFileInfo(path).fileName();
}

InputFormat formatForPath(const QString &path, InputFormat csvFormat)
{
    return QFileInfo(path).suffix().compare(u"csv"_s, Qt::CaseInsensitive) == 0 ? csvFormat
                                                                                : InputFormat::VCard;
}

std::optional<DocumentReadResult> read(
    const Request &request, CommandIo &io, const ObservedVCardRead::Observer &observer)
{
    const QString name = displayName(request.path);
    const bool standard = request.path == StandardStream;
    Progress progress(io, ReadNoticeText::ReadingMessage.arg(name));
    DocumentReader::Progress report;
    if (progress.isShown() && (standard || QFileInfo(request.path).size() > ProgressThreshold))
        report = [&progress](int percent) { progress.setPercent(percent); };
    DocumentReadResult read = standard
        ? DocumentReader::readDevice(io.input(), request.format, request.encoding, nullptr, report, observer)
        : DocumentReader::readFile(request.path, request.format, request.encoding, nullptr, report, observer);
    progress.finish();

    if (!read.ok()) {
        tell(io, name, ExportText::CouldNotRead, read.readError);
        return std::nullopt;
    }
    for (const ReadNotice &notice : read.notices) {
        tell(io, name, notice.message);
        if (!notice.informativeText.isEmpty())
            io.err() << "  " << QString(notice.informativeText).replace(u'\n', u"\n  "_s) << '\n';
    }
    if (request.requireContacts && read.contactTable.isEmpty()) {
        tell(io, name, ExportText::CouldNotRead,
            request.format == InputFormat::VCard ? ExportText::InvalidVCard : ExportText::InvalidCSV);
        return std::nullopt;
    }
    return read;
}

std::shared_ptr<const DocumentReadResult> readKept(const Request &request, CommandIo &io)
{
    std::optional<DocumentReadResult> result = read(request, io);
    if (!result)
        return nullptr;
    auto kept = std::make_shared<const DocumentReadResult>(std::move(*result));
    io.keepUntilExit(kept);
    return kept;
}

std::optional<ContactTable> groupEntries(
    const DocumentReadResult &read, const QString &path, const QString &groupName, CommandIo &io)
{
    std::optional<ContactTable> entries = DocumentReader::groupEntries(read, groupName);
    if (entries)
        return entries;
    const QStringList names = DocumentReader::groupNames(read);
    tell(io, displayName(path), CommandLine::tr("There is no group named “%1” in the file.").arg(groupName),
        names.isEmpty() ? CommandLine::tr("It has no groups.")
                        : CommandLine::tr("Its groups are: %1").arg(names.join(u", "_s)));
    return std::nullopt;
}

} // namespace ContactInput
