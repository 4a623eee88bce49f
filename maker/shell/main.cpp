#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#include "batch_mode.h"
#include "kestra_gui.h"
#include "translations.h"

// The maker: with --output it makes a puzzle file without a window,
// otherwise it opens its window, with the picture named on the command line.
int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    QString error;
    std::optional<kestra::CommandLine> cmd = kestra::parseCommandLine(args, error);
    if (cmd && cmd->action == kestra::CommandLine::Action::Gui)
        return runKestraGui(argc, argv, cmd->picturePath);

    // Everything else speaks on the console, in the desktop's language: the
    // arguments are read again once the translation is installed.
    QCoreApplication app(argc, argv);
    installTranslations(QStringLiteral("kestra"), uiLanguage());
    cmd = kestra::parseCommandLine(args, error);
    if (!cmd) {
        const QString line =
            QCoreApplication::translate("kestra", "%1（kestra --help で使い方を表示します）").arg(error);
        std::fputs(("kestra: " + line + QLatin1Char('\n')).toUtf8().constData(), stderr);
        return 2;
    }
    if (cmd->action == kestra::CommandLine::Action::Help) {
        std::fputs(kestra::usageText().toUtf8().constData(), stdout);
        return 0;
    }
    return kestra::runBatch(*cmd);
}
