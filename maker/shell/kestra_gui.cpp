#include "kestra_gui.h"

#include "app_icons.h"
#include "kestra_doc.h"
#include "kestra_settings.h"
#include "main_frame.h"
#include "signal_exit.h"
#include "translations.h"

#include <QApplication>

int runKestraGui(int& argc, char** argv, const QString& picturePath)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestra"));
    QApplication::setWindowIcon(appIcon(AppIcon::Kestra));
    installTranslations(QStringLiteral("kestra"), uiLanguage());

    CKestraDoc doc;
    doc.InitPaths(QCoreApplication::applicationFilePath());
    KestraSettings settings(KestraSettings::defaultIniPath());
    doc.m_szIniPath = settings.path();

    CMainFrame frame(doc, settings);
    // A logout or `kill` ends the maker as a close does.
    SignalExit signalExit([&frame] { frame.endOnSignal(); });
    frame.show();
    if (!picturePath.isEmpty())
        frame.loadPictureFile(picturePath);
    return app.exec();
}
