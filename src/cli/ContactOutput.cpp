#include "cli/ContactOutput.h"

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/OutputTarget.h"
#include "cli/Progress.h"
#include "document/ExportCommands.h"
#include "formats/ChunkedWork.h"
#include "formats/CsvWriter.h"
#include "formats/VCardExport.h"

#include <QFileInfo>
#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace ContactOutput {

namespace {

// Writing fewer cards takes less time than a progress line would stay on screen.
constexpr qsizetype ProgressThreshold = 2000;

// CSV lines are made this many at a time, on every core, and written before the next ones.
constexpr qsizetype CsvBatch = 4096;
constexpr qsizetype MinimumCsvChunk = 512;

} // namespace

std::optional<Format> formatNamed(const QString &name)
{
    if (name.compare(u"vcard"_s, Qt::CaseInsensitive) == 0)
        return Format::VCard;
    if (name.compare(u"csv"_s, Qt::CaseInsensitive) == 0)
        return Format::Csv;
    return std::nullopt;
}

Format formatForPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"csv"_s, Qt::CaseInsensitive) == 0 ? Format::Csv : Format::VCard;
}

bool write(const ContactTable &entries, const ContactContainer *container, Format format, const QString &path,
    CommandIo &io)
{
    OutputTarget target(path, io);
    if (format == Format::Csv) {
        if (target.write(ExportCommands::csvText(entries).toUtf8()))
            return true;
        io.err() << target.failureMessage() << '\n';
        return false;
    }
    Progress progress(io, ExportText::WritingMessage.arg(target.displayName()));
    VCardExport::ProgressHandler handler;
    if (progress.isShown() && entries.size() > ProgressThreshold) {
        handler = [&progress, count = entries.size()](
                      bool *, qsizetype index) { progress.setSteps(index, count); };
    }
    // The cards go out a batch at a time as they are made: a large file is never held whole.
    bool written = target.open();
    if (written) {
        QIODevice *device = target.device();
        written = VCardExport::writeVCards(entries, VCardExport::fileExportOptions(), container, handler,
                      [device](const QByteArray &piece) { return device->write(piece) == piece.size(); })
            && target.commit();
        if (!written)
            target.cancel();
    }
    progress.finish();
    if (!written)
        io.err() << target.failureMessage() << '\n';
    return written;
}

bool writeCsvReleasing(ContactTable entries, const QString &path, CommandIo &io)
{
    OutputTarget target(path, io);
    Progress progress(io, ExportText::WritingMessage.arg(target.displayName()));
    const bool showProgress = progress.isShown() && entries.size() > ProgressThreshold;
    bool written = target.open();
    QIODevice *device = written ? target.device() : nullptr;
    const auto put = [device](const QString &text) {
        const QByteArray bytes = text.toUtf8();
        return device->write(bytes) == bytes.size();
    };
    written = written && put(CsvWriter::csvHeaderLine());
    ContactEntryPtr *rows = entries.data();
    const int most = ChunkedWork::chunksFor(std::min(CsvBatch, entries.size()), MinimumCsvChunk);
    std::vector<QString> lines(size_t(std::max(most, 1)));
    for (qsizetype start = 0; written && start < entries.size(); start += CsvBatch) {
        const qsizetype count = std::min(CsvBatch, entries.size() - start);
        const int chunks = std::min(most, ChunkedWork::chunksFor(count, MinimumCsvChunk));
        // Chunk i holds the lines of a contiguous run of rows, so the chunks joined keep the file order.
        const auto item = [&](qsizetype i, int chunk) {
            ContactEntryPtr &row = rows[start + i];
            if (row)
                CsvWriter::appendCsvLine(lines[size_t(chunk)], *row);
            row.reset();
        };
        ChunkedWork::run(count, chunks, item, {});
        for (int chunk = 0; chunk < chunks; ++chunk) {
            written = written && put(lines[size_t(chunk)]);
            lines[size_t(chunk)].resize(0);
        }
        if (showProgress)
            progress.setSteps(start + count, entries.size());
    }
    written = written && target.commit();
    if (!written && device)
        target.cancel();
    progress.finish();
    if (!written)
        io.err() << target.failureMessage() << '\n';
    return written;
}

} // namespace ContactOutput
