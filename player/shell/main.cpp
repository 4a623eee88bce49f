#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#include "command_line.h"
#include "translations.h"
#include "vorpel_gui.h"

namespace {

void printUsage()
{
    std::fputs(vorpelUsage().toUtf8().constData(), stdout);
}

}  // namespace

// The player: `vorpel [FILE]` opens its window, with the puzzle or play file
// named on the command line.
int main(int argc, char** argv)
{
    if (asksForHelp(argc, argv)) {
        // The usage needs no window system, only the translation.
        QCoreApplication app(argc, argv);
        installTranslations(QStringLiteral("vorpel"), uiLanguage());
        printUsage();
        return 0;
    }
    // Qt takes its own options (-platform and the like) first.
    QApplication app(argc, argv);
    installTranslations(QStringLiteral("vorpel"), uiLanguage());
    const VorpelCommandLine cmd = parseVorpelCommandLine(QCoreApplication::arguments().mid(1));
    switch (cmd.action) {
    case VorpelCommandLine::Action::Help:
        printUsage();
        return 0;
    case VorpelCommandLine::Action::Error:
        std::fputs((QCoreApplication::translate("CommandLine", "vorpel: %1（vorpel --help で使い方を表示します）")
                        .arg(cmd.error) +
                    QLatin1Char('\n'))
                       .toUtf8()
                       .constData(),
                   stderr);
        return 2;
    case VorpelCommandLine::Action::Run: break;
    }
    return runVorpelGui(cmd.file);
}
