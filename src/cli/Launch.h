#pragma once

#include <QString>
#include <QStringList>

// What the program does with its arguments, decided before any window is tried: run the command line,
// start the editor, or refuse with one line and exit status 2 (a word that names nothing; no display
// for the editor).
namespace Launch {

enum class Mode { Command, Editor, Refuse };

struct Decision
{
    Mode mode = Mode::Editor;
    QString message; // Refuse: the line to print
    int status = 0; // Refuse: the exit status
};

// arguments: the program's arguments without its name. hasDisplay: whether a window can be shown.
Decision decide(const QStringList &arguments, bool hasDisplay);

// Whether the environment names a display: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM.
bool environmentHasDisplay();

} // namespace Launch
