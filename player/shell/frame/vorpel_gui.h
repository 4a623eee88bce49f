#pragma once

#include <QString>

// Runs the player's window in the running QApplication, whose translations
// are installed: the settings, the
// main frame with its document and panes, and the file named on the command
// line (if any), opened once the window is shown. Returns the event loop's
// exit code.
int runVorpelGui(const QString& filePath);
