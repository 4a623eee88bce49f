#include "vorpel_gui.h"

#include "app_icons.h"
#include "file_chooser.h"
#include "main_frame.h"
#include "sdl_music_device.h"
#include "sdl_sound_effects.h"
#include "vorpel_settings.h"

#include <QApplication>
#include <QTimer>

int runVorpelGui(const QString& filePath)
{
    QApplication::setApplicationName(QStringLiteral("vorpel"));
    QApplication::setWindowIcon(appIcon(AppIcon::Vorpel));

    VorpelSettings settings(VorpelSettings::defaultIniPath());
    MtRandom random;
    DialogFileChooser chooser;
    SdlSoundEffects sounds;
    SdlMusicDevice music;
    CMainFrame frame(settings, systemClock(), random, sounds, chooser, music);
    frame.show();
    if (!filePath.isEmpty())
        QTimer::singleShot(0, &frame, [&frame, filePath] { frame.openFromCommandLine(filePath); });
    return QApplication::exec();
}
