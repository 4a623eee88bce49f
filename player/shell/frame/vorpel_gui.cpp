#include "vorpel_gui.h"

#include "app_icons.h"
#include "atomic_file.h"
#include "command_ids.h"
#include "auto_save.h"
#include "board_thumbnail.h"
#include "file_chooser.h"
#include "main_frame.h"
#include "game_store.h"
#include "sdl_music_device.h"
#include "sdl_sound_effects.h"
#include "signal_exit.h"
#include "unfinished_games.h"
#include "vorpel_settings.h"

#include <QApplication>
#include <QDebug>
#include <QTimer>

#include <SDL.h>

#include <memory>

void connectAutoSave(CMainFrame& frame, GameStore& store, AutoSave& autoSave)
{
    QObject::connect(&frame, &CMainFrame::gameEnding, &autoSave, &AutoSave::gameEnding);
    QObject::connect(&frame, &CMainFrame::readingEnded, &autoSave, &AutoSave::readingEnded);
    QObject::connect(&frame, &CMainFrame::gameStarted, &autoSave, &AutoSave::gameStarted);
    QObject::connect(&frame, &CMainFrame::closing, &autoSave, &AutoSave::finish);
    QObject::connect(&autoSave, &AutoSave::failureChanged, &frame, &CMainFrame::showAutoSaveFailure);
    QObject::connect(&frame, &CMainFrame::unfinishedGamesAsked, &frame,
                     [&frame, &store, &autoSave] { runUnfinishedGames(frame, store, autoSave, false); });
}

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

    GameStore store(GameStore::defaultDir());
    std::unique_ptr<AutoSave> autoSave;
    if (store.ok()) {
        store.takeOverOldCopies();
        store.removeLeftovers();
        autoSave = std::make_unique<AutoSave>(frame.document(), systemClock(), store, jigsaw::writeFileAtomically,
                                              [&frame] { return boardThumbnail(frame.document(), frame.images()); });
        connectAutoSave(frame, store, *autoSave);
    } else {
        qWarning().noquote() << QCoreApplication::translate("AutoSave",
                                                            "vorpel: フォルダー「%1」を使えないため、ゲームを自動保存しません")
                                    .arg(store.dir());
        frame.action(kCmdUnfinishedGames)->setVisible(false);
    }
    SignalExit signalExit([&frame] { frame.endWithoutQuestions(); });

    frame.show();
    // A file named on the command line always opens; without one, the
    // unfinished games are offered.
    QTimer::singleShot(0, &frame, [&] {
        if (signalExit.received())
            return;
        if (!filePath.isEmpty())
            frame.openFromCommandLine(filePath);
        else if (autoSave)
            runUnfinishedGames(frame, store, *autoSave, true);
    });
    return QApplication::exec();
}
