// corvanthe print: labels, address lists, envelopes and postcards to PDF from the command line, through
// the same renderers as the window.

#include "app/CommandLine.h"
#include "print/PrintCommand.h"

using namespace Qt::StringLiterals;

namespace {

const CommandLine::RegisterCommand registration(PrintCommand::Name, PrintCommand::Usage,
    [](const QStringList &arguments) { return PrintCommand::run(arguments); });

} // namespace
