#include "find/FindCommand.h"

#include "document/ExportCommands.h"
#include "document/ViewController.h"
#include "find/FindCommandSupport.h"

using namespace Qt::StringLiterals;

namespace {

QString oneLine(QString text)
{
    text.replace(u"\r\n"_s, u"\\n"_s);
    text.replace(u'\n', u"\\n"_s);
    text.replace(u'\r', u"\\n"_s);
    text.replace(u'\t', u"\\t"_s);
    return text;
}

// Sets the panel's search up over the contacts; false after saying why it cannot search.
bool startSearch(FindPanel &panel, const ContactTable &contacts, const FindCommandSupport::Options &options,
    QTextStream &err)
{
    FindCommandSupport::configure(panel, contacts, options.positional.at(1), options);
    if (panel.errorString().isEmpty())
        return true;
    err << panel.errorString() << Qt::endl;
    return false;
}

} // namespace

namespace FindCommand {

int find(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const auto options = FindCommandSupport::parse(arguments, false, true, err);
    if (!options)
        return 2;
    if (options->positional.size() != 2) {
        err << u"usage: corvanthe find INPUT TEXT [--regex | --case-sensitive] [--items ID,...] "
               "[--subitems ID,...] [--labels LABEL,...]"_s
            << Qt::endl;
        return 2;
    }
    ContainerTable containers;
    const auto contacts = FindCommandSupport::readContacts(options->positional.at(0), containers, err);
    if (!contacts)
        return 1;
    FindPanel panel;
    if (!startSearch(panel, *contacts, *options, err))
        return 1;
    for (const FindResultRowPtr &row : panel.searchResults()) {
        QStringList ranges;
        for (const FindRange &r : row->ranges)
            ranges.append(u"%1:%2"_s.arg(r.location).arg(r.length));
        out << QStringList { oneLine(row->name), row->item, row->subItem, oneLine(row->label),
            row->index < 0 ? QString() : QString::number(row->index), oneLine(row->value), ranges.join(u',') }
                   .join(u'\t')
            << '\n';
    }
    out.flush();
    return 0;
}

int replace(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
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
    if (!startSearch(panel, *contacts, *options, err))
        return 1;
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

} // namespace FindCommand
