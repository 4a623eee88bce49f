#pragma once

#include <QString>

class QWidget;

// The program's help: an HTML file named after the executable, beside it or
// in the installed data folder. Empty when there is none.
QString helpFilePath();

// Opens the help file in the desktop's browser; a missing file, or one the
// desktop cannot open, is told to the user.
void showHelpFile(QWidget* parent);
