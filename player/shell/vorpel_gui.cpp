#include "vorpel_gui.h"

#include "app_icons.h"
#include "atomic_file.h"
#include "auto_save.h"
#include "auto_save_folder.h"
#include "file_chooser.h"
#include "main_frame.h"
#include "recovery_prompt.h"
#include "sdl_music_device.h"
#include "sdl_sound_effects.h"
#include "signal_exit.h"
#include "vorpel_settings.h"

#include <QApplication>
#include <QDebug>
#include <QTimer>

#include <SDL.h>

#include <memory>

int runVorpelGui(const QString& filePath)
{
    QApplication::setApplicationName(QStringLiteral("vorpel"));
    QApplication::setWindowIcon(appIcon(AppIcon::Vorpel));
    // The audio library would otherwise take SIGTERM and SIGINT for itself
    // at the first sound and swallow them; the player handles them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");

    VorpelSettings settings(VorpelSettings::defaultIniPath());
    MtRandom random;
    DialogFileChooser chooser;
    SdlSoundEffects sounds;
    SdlMusicDevice music;
    CMainFrame frame(settings, systemClock(), random, sounds, chooser, music);

    AutoSaveFolder folder(AutoSaveFolder::defaultDir());
    std::unique_ptr<AutoSave> autoSave;
    if (folder.ok()) {
        autoSave = std::make_unique<AutoSave>(frame.document(), systemClock(), folder, jigsaw::writeFileAtomically);
        QObject::connect(&frame, &CMainFrame::gameStarted, autoSave.get(), &AutoSave::gameStarted);
        QObject::connect(&frame, &CMainFrame::closing, autoSave.get(), &AutoSave::finish);
    } else {
        qWarning().noquote() << QCoreApplication::translate("AutoSave",
                                                            "vorpel: フォルダー「%1」を使えないため、ゲームを自動保存しません")
                                    .arg(folder.dir());
    }
    SignalExit signalExit([&frame] { frame.endWithoutQuestions(); });

    frame.show();
    QTimer::singleShot(0, &frame, [&] {
        const bool resumed = autoSave && offerRecovery(frame, folder, *autoSave);
        if (!resumed && !signalExit.received() && !filePath.isEmpty())
            frame.openFromCommandLine(filePath);
    });
    return QApplication::exec();
}
