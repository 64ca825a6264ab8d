#pragma once

// Starts the editor window on the files named in argv, and runs it until it closes; returns the exit
// status. Called only when a display is there.
int startEditor(int &argc, char **argv);
