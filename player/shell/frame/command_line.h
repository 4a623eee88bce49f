#pragma once

#include <QString>
#include <QStringList>

// The player's command line, after Qt has taken its own options:
// `vorpel [FILE]`.
struct VorpelCommandLine {
    enum class Action { Run, Help, Error };
    Action action = Action::Run;
    QString file;   // Run: the file to open, or empty
    QString error;  // Error: one line saying what is wrong
};

// `args` without the program's name.
VorpelCommandLine parseVorpelCommandLine(const QStringList& args);

// Whether the raw arguments ask for the usage, which is printed before any
// window system is needed.
bool asksForHelp(int argc, char** argv);

// One line of usage.
QString vorpelUsage();
