// corvanthe replace INPUT TEXT REPLACEMENT -o OUTPUT: the find panel's Replace All, then an export.

#include "app/CommandLine.h"
#include "find/FindCommand.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int replace(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return FindCommand::replace(arguments, out, err);
}

const CommandLine::RegisterCommand registration(u"replace"_s,
    u"replace INPUT TEXT REPLACEMENT -o OUTPUT [--regex | --case-sensitive] [--items ID,...] [--labels LABEL,...]"_s,
    replace);

} // namespace
