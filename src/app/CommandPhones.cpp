// corvanthe phones INPUT --layout 4+4|3+4|2+4|2x4 -o OUTPUT.vcf: lays out every phone number of every
// contact as the window's command does for selected rows, and exports the result as vCard.

#include "app/CommandLine.h"
#include "document/DocumentReader.h"
#include "document/ViewController.h"
#include "formats/VCardExport.h"
#include "tools/PhoneNormalizeCommand.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString Usage = u"phones INPUT --layout 4+4|3+4|2+4|2x4 -o OUTPUT.vcf"_s;

int phones(const QStringList &arguments)
{
    QTextStream err(stderr);
    QString input, output, layoutName;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if ((arg == u"--layout"_s || arg == u"-o"_s) && i + 1 < arguments.size())
            (arg == u"-o"_s ? output : layoutName) = arguments.at(++i);
        else if (!arg.startsWith(u'-') && input.isEmpty())
            input = arg;
        else {
            err << "phones: unexpected argument " << arg << "\nusage: corvanthe " << Usage << "\n";
            return 2;
        }
    }
    const auto layout = NormalizePhoneNumber::layoutForName(layoutName);
    if (input.isEmpty() || output.isEmpty() || !layout) {
        err << "usage: corvanthe " << Usage << "\n";
        return 2;
    }

    const QString name = QFileInfo(input).fileName();
    DocumentReadResult read = DocumentReader::readFile(input, InputFormat::VCard, TextEncoding::Automatic);
    if (!read.ok() || !read.containers) {
        err << "phones: " << name << ": "
            << (read.readError.isEmpty() ? u"the file could not be read"_s : read.readError) << "\n";
        return 1;
    }
    if (read.contactTable.isEmpty()) {
        err << "phones: " << name << ": no contact in the file\n";
        return 1;
    }

    ViewController controller;
    controller.setContainerTable(*read.containers);
    const int changed = PhoneNormalizeCommand::normalizePhoneNumber(
        controller, PhoneNormalizeCommand::phoneRowsOf(read.contactTable), *layout);

    const std::optional<QByteArray> text = VCardExport::vCardsFromContacts(
        read.contactTable, VCardExport::fileExportOptions(), read.containers->first().get());
    QSaveFile file(output);
    if (!text || !file.open(QIODevice::WriteOnly) || file.write(*text) != text->size() || !file.commit()) {
        err << "phones: " << output << ": cannot write the file: " << file.errorString() << "\n";
        return 1;
    }
    QTextStream(stdout) << changed << " phone numbers changed\n";
    return 0;
}

const CommandLine::RegisterCommand registration(u"phones"_s, Usage, phones);

} // namespace
