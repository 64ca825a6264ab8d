// corvanthe find INPUT TEXT: the find panel's result rows, one per line.

#include "app/CommandLine.h"
#include "app/FindCommandSupport.h"

#include <QTextStream>
#include <cstdio>

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

int find(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
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
    FindCommandSupport::configure(panel, *contacts, options->positional.at(1), *options);
    if (!panel.errorString().isEmpty()) {
        err << panel.errorString() << Qt::endl;
        return 1;
    }
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

const CommandLine::RegisterCommand registration(u"find"_s,
    u"find INPUT TEXT [--regex | --case-sensitive] [--items ID,...] [--subitems ID,...] [--labels LABEL,...]"_s,
    find);

} // namespace
