#include "app/CommandLine.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalDataInstaller.h"

#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Installs the postal service's published files as the data the postal-code search reads.
int postalDataCommand(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString usage = u"usage: corvanthe postal-data install KEN_ALL.ZIP|KEN_ALL.CSV "
                          u"[JIGYOSYO.ZIP|JIGYOSYO.CSV] [--data DIR]\n"_s;
    QStringList files;
    QString directory = PostalDataFile::dataDirectory();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == u"--data"_s && i + 1 < arguments.size())
            directory = arguments[++i];
        else
            files.append(arguments[i]);
    }
    if (arguments.value(0) != u"install"_s || files.isEmpty() || files.size() > 2) {
        err << usage;
        return 2;
    }
    QString error;
    QStringList report;
    const bool ok = PostalDataInstaller::install(files[0], files.value(1), directory, &error, &report);
    for (const QString &line : report)
        out << line << '\n';
    if (!ok) {
        err << "postal-data: " << error << '\n';
        return 1;
    }
    return 0;
}

const CommandLine::RegisterCommand reg(
    u"postal-data"_s, u"postal-data install KEN_ALL.ZIP [JIGYOSYO.ZIP] [--data DIR]"_s, postalDataCommand);

} // namespace
