#pragma once

#include "translations.h"

#include <QString>

class QWidget;

// The file name of the program's help page in `language`: "<program>.html"
// for Japanese, "<program>_en.html" for English.
QString helpFileName(const QString& program, UiLanguage language);

// The program's help page in the interface's language, beside the program or
// in its installed data folder; empty when there is none. The program is
// the application's name.
QString helpFilePath();

// Shows the help page in the program's help window, opening it or raising
// the one already open; a missing page is told to the user.
void showHelpFile(QWidget* parent);
