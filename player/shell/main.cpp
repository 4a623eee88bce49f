#include <QApplication>
#include <QStringList>

#include <cstdio>

#include "command_line.h"
#include "vorpel_gui.h"

// The player: `vorpel [FILE]` opens its window, with the puzzle or play file
// named on the command line.
int main(int argc, char** argv)
{
    if (asksForHelp(argc, argv)) {
        std::fputs(vorpelUsage().toUtf8().constData(), stdout);
        return 0;
    }
    // Qt takes its own options (-platform and the like) first.
    QApplication app(argc, argv);
    const VorpelCommandLine cmd = parseVorpelCommandLine(QCoreApplication::arguments().mid(1));
    switch (cmd.action) {
    case VorpelCommandLine::Action::Help:
        std::fputs(vorpelUsage().toUtf8().constData(), stdout);
        return 0;
    case VorpelCommandLine::Action::Error:
        std::fputs(("vorpel: " + cmd.error + "（vorpel --help で使い方を表示します）\n").toUtf8().constData(),
                   stderr);
        return 2;
    case VorpelCommandLine::Action::Run: break;
    }
    return runVorpelGui(cmd.file);
}
