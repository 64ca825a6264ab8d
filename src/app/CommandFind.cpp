// corvanthe find INPUT TEXT: the find panel's result rows, one per line.

#include "app/CommandLine.h"
#include "find/FindCommand.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int find(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return FindCommand::find(arguments, out, err);
}

const CommandLine::RegisterCommand registration(u"find"_s,
    u"find INPUT TEXT [--regex | --case-sensitive] [--items ID,...] [--subitems ID,...] [--labels LABEL,...]"_s,
    find);

} // namespace
