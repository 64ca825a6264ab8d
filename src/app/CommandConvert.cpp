// corvanthe convert INPUT OUTPUT: one contact file to another format, through the window's own
// reading and export code.

#include "app/CommandLine.h"
#include "document/FileConvert.h"

#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int convert(const QStringList &arguments)
{
    QTextStream err(stderr);
    return FileConvert::convert(arguments, err);
}

const CommandLine::RegisterCommand registration(
    u"convert"_s, FileConvert::Usage + u"  convert a contact file to vCard or CSV"_s, convert);

} // namespace
