#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#include "batch_mode.h"
#include "kestra_gui.h"

// The maker: with --output it makes a puzzle file without a window,
// otherwise it opens its window, with the picture named on the command line.
int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    QString error;
    const std::optional<kestra::CommandLine> cmd = kestra::parseCommandLine(args, error);
    if (!cmd) {
        std::fputs(("kestra: " + error + "（kestra --help で使い方を表示します）\n").toUtf8().constData(), stderr);
        return 2;
    }
    switch (cmd->action) {
    case kestra::CommandLine::Action::Help:
        std::fputs(kestra::usageText().toUtf8().constData(), stdout);
        return 0;
    case kestra::CommandLine::Action::Batch: {
        QCoreApplication app(argc, argv);
        return kestra::runBatch(*cmd);
    }
    case kestra::CommandLine::Action::Gui: break;
    }
    return runKestraGui(argc, argv, cmd->picturePath);
}
