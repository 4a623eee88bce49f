#pragma once

#include <QString>

// Runs the maker's window: creates the application, the document and the
// main frame, loads the picture given on the command line (if any) and runs
// the event loop. Returns the application's exit code.
int runKestraGui(int& argc, char** argv, const QString& picturePath);
