#include "cli/Launch.h"

#include "cli/CommandLine.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace Launch {

namespace {

// Qt's own option for choosing the window system: the editor then needs no display variable.
bool choosesPlatform(const QStringList &arguments)
{
    return arguments.contains(u"-platform"_s) || arguments.contains(u"--platform"_s);
}

} // namespace

Decision decide(const QStringList &arguments, bool hasDisplay)
{
    Decision decision;
    const QString first = arguments.value(0);
    if (!arguments.isEmpty() && CommandLine::isCommandWord(first)) {
        decision.mode = Mode::Command;
        return decision;
    }
    // Words starting with "-" are the window system's options (-platform, -style ...).
    const bool option = first.size() > 1 && first.startsWith(u'-');
    if (!arguments.isEmpty() && !option && !QFileInfo::exists(first)) {
        decision.mode = Mode::Refuse;
        decision.message = CommandLine::tr("corvanthe: no such file or subcommand: %1").arg(first);
        decision.status = CommandLine::UsageError;
        return decision;
    }
    if (!hasDisplay && !choosesPlatform(arguments)) {
        decision.mode = Mode::Refuse;
        decision.message = CommandLine::tr("corvanthe: the editor needs a display, and none is set (DISPLAY, "
                                           "WAYLAND_DISPLAY); “corvanthe help” lists what runs without one");
        decision.status = CommandLine::UsageError;
        return decision;
    }
    decision.mode = Mode::Editor;
    return decision;
}

bool environmentHasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace Launch
