#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kestra {

// What the command line asks for.
struct CommandLine {
    enum class Action { Gui, Batch, Help };
    Action action = Action::Gui;
    QString picturePath;  // may be empty for the GUI
    QString outputPath;
    int sizeIndex = 0;
    bool smallFormat = false;
    QStringList messageLines;
    bool showMessageOnOpen = true;
    bool hasFrame = false;
    int frame[4] = {0, 0, 0, 0};  // left, top, right, bottom in picture pixels
};

// Parses the arguments after the program name. Returns the reason in `error`
// and nothing when they make no sense.
std::optional<CommandLine> parseCommandLine(const QStringList& args, QString& error);

// The option summary printed by --help.
QString usageText();

// Makes the puzzle file the command line describes, as the maker's window
// would with the same choices. Returns 0, or prints one line to standard
// error and returns non-zero; no output file is left behind on failure.
int runBatch(const CommandLine& cmd);

}  // namespace kestra
