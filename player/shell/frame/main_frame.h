#pragma once

#include <QMainWindow>
#include <QString>

#include <memory>
#include <optional>

#include "game_clock.h"
#include "game_host.h"
#include "music_device.h"
#include "piece_images.h"
#include "random_source.h"
#include "vorpel_doc.h"

class BackgroundMusic;
class CPsView;
class CVorpelView;
class DocumentEvents;
class DragOverlay;
class FileChooser;
class FileCommands;
class GameStore;
class MenuTable;
class PauseCover;
class QAction;
class QMenu;
class QSplitter;
class ShellEvents;
class ToolWindows;
class SoundEffects;
class VorpelSettings;

// The player's main window: menu 128, the board and the tray side by side in
// a splitter, the drag image over both, and the window settings. It owns the
// document (the whole game) and the piece images the panes paint from; time,
// chance, sound, music and file choosing come in from outside so that tests
// can fix them. Commands act on the document through its rules and then
// refresh the menus and the panes.
class CMainFrame : public QMainWindow, public GameHost {
    Q_OBJECT
public:
    CMainFrame(VorpelSettings& settings, GameClock& clock, RandomSource& random, SoundEffects& sounds,
               FileChooser& chooser, MusicDevice& music = silentMusicDevice(), QWidget* parent = nullptr);
    ~CMainFrame() override;

    CVorpelDoc& document() { return *m_doc; }
    CVorpelView* board() const { return m_board; }
    CPsView* tray() const { return m_tray; }
    QSplitter* splitter() const { return m_splitter; }
    FileCommands& files() { return *m_files; }
    ToolWindows& toolWindows() { return *m_toolWindows; }

    // The action of a command id (command_ids.h), or null.
    QAction* action(int commandId) const;
    // Menu 141/142: the panes' context menu, made of the same actions.
    QMenu* contextMenu() const;

    // Refreshes the enabled and checked state of every command.
    void refreshCommands();

    // Opens a file named on the command line, puzzle or play file.
    void openFromCommandLine(const QString& path);
    // What the list of unfinished games asks of the window.
    QWidget* hostWindow() override { return this; }
    bool offerSave() override;
    void choosePuzzle() override;
    // Resumes the listed unfinished game `id` as the game `name`, marked as
    // changed; true on success.
    bool resumeCopy(const GameStore& store, const QString& id, const QString& name) override;
    // Shows why the automatic copy cannot be written, or nothing when empty:
    // in the title and the elapsed-time window.
    void showAutoSaveFailure(const QString& reason);
    const PieceImages& images() const { return m_images; }
    // Ends the program without a question (it was told to end): stores the
    // window places as a close does and leaves the event loops.
    void endWithoutQuestions();

signals:
    // The game is about to be replaced by a file being read; readingEnded()
    // follows once the reading is over, whether the game was replaced or not.
    void gameEnding();
    void readingEnded();
    // The list of unfinished games was asked for from the menu.
    void unfinishedGamesAsked();
    // A new game replaced the last; `name` is the file it came from.
    void gameStarted(const QString& name);
    // The window is closing or the program ending, after the save prompt.
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Minimising pauses the game.
    void changeEvent(QEvent* event) override;

private:
    void connectCommands();
    void runDocumentCommand(void (*command)(CVorpelDoc&, DocumentEvents&));
    // Ends what the mouse carries, as letting go would, so that the game is
    // whole before it is saved, replaced or closed.
    void endCarry();
    void gameReplaced(const QString& path);
    // The window's title names the game's file.
    void showFileName(const QString& path);
    // The title: the game's file and how much of it is joined, once a game
    // was opened.
    void showTitle();
    // Pieces joined: the title and the elapsed-time window show the progress.
    void showProgress();
    // Ends any carry, then runs a board command on the part of the board in
    // the pane's view (gathering or spreading the pieces).
    void arrangeBoard(void (*command)(CVorpelDoc&, DocumentEvents&, const RECT&));
    void storePlaces();
    void redrawPanes();
    void showContextMenu(QPoint globalPos);
    void focusOtherPane();
    void puzzleCompleted();
    void showAbout();
    void showMusicError(const QString& text);

    VorpelSettings& m_settings;
    GameClock& m_clock;
    FileChooser& m_chooser;
    std::unique_ptr<CVorpelDoc> m_doc;
    PieceImages m_images;
    std::unique_ptr<ToolWindows> m_toolWindows;
    std::unique_ptr<ShellEvents> m_events;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<BackgroundMusic> m_music;
    QSplitter* m_splitter;
    CVorpelView* m_board;
    CPsView* m_tray;
    DragOverlay* m_overlay;
    PauseCover* m_pauseCover;
    std::unique_ptr<MenuTable> m_menus;
    // The board's width from the settings, kept until the user moves the bar.
    std::optional<int> m_storedBoardWidth;
    // The name of the game's file in the title; empty before the first game.
    QString m_gameName;
    // The program was told to end: no dialog may open any more.
    bool m_ending = false;
    // Why the automatic copy cannot be written; empty while it can.
    QString m_autoSaveFailure;
};
