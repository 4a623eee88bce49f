#include "main_frame.h"

#include "background_music.h"
#include "board_view.h"
#include "board_zoom.h"
#include "command_ids.h"
#include "elapsed_window.h"
#include "error_message.h"
#include "file_commands.h"
#include "file_error_box.h"
#include "format_error.h"
#include "game_store.h"
#include "help_file.h"
#include "menu_table.h"
#include "pause_cover.h"
#include "play_rules.h"
#include "records_window.h"
#include "shell_events.h"
#include "tool_windows.h"

#include <QAction>

#include <optional>
#include <utility>

// What each command of the menus does and when it can be chosen, and the
// game commands that come from outside the menus: the command line's file and
// the list of unfinished games.

void CMainFrame::connectCommands()
{
    const auto on = [this](int id, auto handler) {
        connect(action(id), &QAction::triggered, this, [this, handler] {
            handler();
            refreshCommands();
        });
    };
    on(kCmdOpenPuzzle, [this] {
        endCarry();
        m_files->openPuzzle();
    });
    on(kCmdOpenPlayFile, [this] {
        endCarry();
        m_files->openPlayFile();
    });
    on(kCmdSavePlayFile, [this] {
        endCarry();
        m_files->savePlayFile();
    });
    on(kCmdUnfinishedGames, [this] {
        endCarry();
        emit unfinishedGamesAsked();
    });
    on(kCmdRecords, [this] { RecordsDialog(BestTimeStore(BestTimeStore::defaultPath()), this).exec(); });
    on(kCmdPause, [this] {
        endCarry();
        m_pauseCover->pause();
    });
    on(kCmdExit, [this] { close(); });
    // Arranging reuses the slot that a carried piece would fly back to.
    for (const auto& [id, command] :
         {std::pair{kCmdArrangeTray, &OnArrangeTray}, std::pair{kCmdArrangeEdgesFirst, &OnArrangeEdgesFirst}})
        on(id, [this, command] {
            endCarry();
            runDocumentCommand(command);
        });
    on(kCmdReverseStacking, [this] { runDocumentCommand(OnReverseStacking); });
    on(kCmdGatherPieces, [this] { arrangeBoard(OnGatherPieces); });
    on(kCmdSpreadPieces, [this] { arrangeBoard(OnSpreadPieces); });
    on(kCmdTogglePreview, [this] { runDocumentCommand(OnTogglePreview); });
    on(kCmdToggleElapsed, [this] { runDocumentCommand(OnToggleElapsed); });
    on(kCmdShowMessage, [this] { OnShowMessage(*m_doc, *m_events); });
    on(kCmdBlackNone, [this] { runDocumentCommand(OnBlackNone); });
    on(kCmdBlackUncompleted, [this] { runDocumentCommand(OnBlackUncompleted); });
    on(kCmdHelp, [this] { showHelpFile(this); });
    on(kCmdAbout, [this] { showAbout(); });
    on(kCmdBgmOpen, [this] { m_music->chooseAndPlay(m_chooser, this); });
    on(kCmdBgmPlay, [this] { m_music->replay(); });
    on(kCmdBgmStop, [this] { m_music->stop(); });
    on(kCmdZoomIn, [this] { m_board->zoomIn(); });
    on(kCmdZoomOut, [this] { m_board->zoomOut(); });
    on(kCmdZoomActualSize, [this] { m_board->zoomActualSize(); });
    on(kCmdZoomToFit, [this] { m_board->zoomToFit(); });
    for (int track = 1; track <= 5; ++track)
        on(BackgroundMusic::commandOfTrack(track), [this, track] { m_music->playTrack(track); });
}

void CMainFrame::runDocumentCommand(void (*command)(CVorpelDoc&, DocumentEvents&))
{
    command(*m_doc, *m_events);
}

void CMainFrame::refreshCommands()
{
    // The elapsed-time window may just have opened.
    if (ElapsedWindow* elapsed = m_toolWindows->elapsed())
        elapsed->showAutoSaveFailure(m_autoSaveFailure);
    const QMap<int, QAction*>& actions = m_menus->actions();
    for (auto it = actions.cbegin(); it != actions.cend(); ++it) {
        const int id = it.key();
        QAction* a = it.value();
        switch (id) {
        case kCmdBgmOpen:
        case kCmdBgmPlay:
        case kCmdBgmStop:
        case kCmdBgmTrack1:
        case kCmdBgmTrack2:
        case kCmdBgmTrack3:
        case kCmdBgmTrack4:
        case kCmdBgmTrack5:
            a->setEnabled(m_music->isCommandEnabled(id));
            if (a->isCheckable())
                a->setChecked(m_music->isCommandChecked(id));
            break;
        case kCmdZoomIn:
            a->setEnabled(m_board->zoomPercent() < kZoomLevels.back());
            break;
        case kCmdZoomOut:
            a->setEnabled(m_board->zoomPercent() > kZoomLevels.front());
            break;
        case kCmdExit:
        case kCmdRecords:
        case kCmdAbout:
        case kCmdZoomActualSize:
        case kCmdZoomToFit:
            break;
        default:
            a->setEnabled(IsCommandEnabled(*m_doc, id));
            if (a->isCheckable())
                a->setChecked(IsCommandChecked(*m_doc, id));
            break;
        }
    }
}

void CMainFrame::arrangeBoard(void (*command)(CVorpelDoc&, DocumentEvents&, const RECT&))
{
    // A carried group would be left behind; a piece from the tray would
    // fly back over pieces that moved.
    endCarry();
    const QRect view = m_board->visibleBoardRect();
    command(*m_doc, *m_events, RECT{view.left(), view.top(), view.left() + view.width(), view.top() + view.height()});
}

void CMainFrame::openFromCommandLine(const QString& path)
{
    m_files->openByContent(path);
    refreshCommands();
}

bool CMainFrame::offerSave()
{
    return m_files->offerSave();
}

void CMainFrame::choosePuzzle()
{
    m_files->choosePuzzle();
    refreshCommands();
}

bool CMainFrame::resumeCopy(const GameStore& store, const QString& id, const QString& name)
{
    std::optional<GameStore::PlaySource> source;
    try {
        source.emplace(store, id);
    } catch (const jigsaw::FormatError& e) {
        showErrorMessage(this, tr("未完成のゲーム"), errorMessage(e, FileTask::OpenGame, name));
        return false;
    }
    if (!m_files->loadCopy(*source, name))
        return false;
    m_doc->SetModified(1);
    refreshCommands();
    return true;
}
