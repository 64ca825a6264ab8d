#include "cli/ContactOutput.h"

#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/OutputTarget.h"
#include "cli/Progress.h"
#include "document/ExportCommands.h"
#include "formats/VCardExport.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ContactOutput {

namespace {

// Writing fewer cards takes less time than a progress line would stay on screen.
constexpr qsizetype ProgressThreshold = 2000;

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

} // namespace ContactOutput
