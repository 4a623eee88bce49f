#pragma once

#include <QString>

class AutoSave;
class CMainFrame;
class GameStore;

// Runs the player's window in the running QApplication, whose translations
// are installed: the settings, the
// main frame with its document and panes, and the file named on the command
// line (if any), opened once the window is shown. Returns the event loop's
// exit code.
int runVorpelGui(const QString& filePath);

// Lets the automatic copy follow the frame's game (started, ending, read,
// closed), shows its failures on the frame, and opens the list of unfinished
// games when the frame asks for it.
void connectAutoSave(CMainFrame& frame, GameStore& store, AutoSave& autoSave);
