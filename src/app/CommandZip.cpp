#include "app/CommandLine.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalKeys.h"
#include "tools/ZipSearchTexts.h"
#include "tools/ZipSheetController.h"

#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Lists what the postal-code sheet would list for the typed text, one row a line:
// ZIP, address, readings, company, separated by tabs.
int zipCommand(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString query;
    QString directory;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--data"_s && i + 1 < arguments.size()) {
            directory = arguments[++i];
        } else if (query.isEmpty() && !arguments[i].startsWith(u"--"_s)) {
            query = arguments[i];
        } else {
            err << "usage: corvanthe zip QUERY [--data DIR]\n";
            return 2;
        }
    }
    if (query.isEmpty()) {
        err << "usage: corvanthe zip QUERY [--data DIR]\n";
        return 2;
    }
    const auto texts = std::make_shared<const ZipSearchTexts>(ZipSearchTextBuilder::build(directory));
    if (texts->isEmpty()) {
        const QString where = directory.isEmpty() ? PostalDataFile::dataDirectory() : directory;
        err << "zip: no postal-code data in " << where << " (" << PostalFile::General << ", "
            << PostalFile::Business
            << "); install it with: corvanthe postal-data install KEN_ALL.ZIP [JIGYOSYO.ZIP]\n";
        return 1;
    }
    ZipSheetController sheet(texts);
    sheet.windowDidLoad();
    sheet.controlTextDidChange(query);
    if (sheet.zipSearchMode() == ZipSheetController::NoSearch)
        err << "zip: a code needs at least two digits\n";
    for (const ZipResultRow &row : sheet.table()) {
        const QString readings = (row.phoneticCity + u' ' + row.phoneticStreet).trimmed();
        out << row.zip << '\t' << row.state << row.city << row.street << '\t' << readings << '\t'
            << row.company << '\n';
    }
    return 0;
}

const CommandLine::RegisterCommand reg(u"zip"_s, u"zip QUERY [--data DIR]"_s, zipCommand);

} // namespace
