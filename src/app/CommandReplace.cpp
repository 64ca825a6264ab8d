// corvanthe replace INPUT TEXT REPLACEMENT -o OUTPUT: the find panel's Replace All, then an export.

#include "app/CommandLine.h"
#include "app/FindCommandSupport.h"
#include "document/ExportCommands.h"
#include "document/ViewController.h"

#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int replace(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto options = FindCommandSupport::parse(arguments, true, false, err);
    if (!options)
        return 2;
    if (options->positional.size() != 3 || options->output.isEmpty()) {
        err << u"usage: corvanthe replace INPUT TEXT REPLACEMENT -o OUTPUT [--regex | --case-sensitive] "
               "[--items ID,...] [--labels LABEL,...]"_s
            << Qt::endl;
        return 2;
    }
    ContainerTable containers;
    const auto contacts = FindCommandSupport::readContacts(options->positional.at(0), containers, err);
    if (!contacts)
        return 1;
    ViewController controller;
    controller.setContainerTable(containers);
    FindPanel panel(&controller);
    FindCommandSupport::configure(panel, *contacts, options->positional.at(1), *options);
    if (!panel.errorString().isEmpty()) {
        err << panel.errorString() << Qt::endl;
        return 1;
    }
    const int changed = panel.replaceAll(options->positional.at(2));

    const QString &path = options->output;
    QString text;
    if (path.endsWith(ExportText::CSVExtension, Qt::CaseInsensitive)) {
        text = ExportCommands::csvText(ExportCommands::everyEntry(*contacts));
    } else {
        const auto cards
            = ExportCommands::vCardText(ExportCommands::everyEntry(*contacts), containers.first().get());
        text = cards.value_or(QString());
    }
    QString detail;
    const CommandAlert alert = ExportCommands::writeUtf8Atomically(path, text, &detail);
    if (alert.isSet()) {
        err << alert.message << u": "_s << (detail.isEmpty() ? alert.informativeText : detail) << Qt::endl;
        return 1;
    }
    out << u"%1 values changed"_s.arg(changed) << Qt::endl;
    return 0;
}

const CommandLine::RegisterCommand registration(u"replace"_s,
    u"replace INPUT TEXT REPLACEMENT -o OUTPUT [--regex | --case-sensitive] [--items ID,...] [--labels LABEL,...]"_s,
    replace);

} // namespace
