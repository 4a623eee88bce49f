#pragma once

#include "byte_source.h"
#include "error_message.h"
#include "game_clock.h"
#include "random_source.h"
#include "vorpel_doc.h"

#include <QString>

#include <functional>

class FileChooser;
class QWidget;
class ShellEvents;
class VorpelSettings;

// The two kinds of file the player opens.
enum class FileKind { Puzzle, Play };

// The player's file commands: opening a puzzle (32772), opening and saving a
// play file (32779, 32780), the save prompt that guards a changed game, and
// opening a file named on the command line. Failures are told to the user in
// a message box and leave the game as it was. A file opened with the command
// of the other kind is opened as what it is.
class FileCommands {
public:
    FileCommands(QWidget* parent, CVorpelDoc& doc, VorpelSettings& settings, FileChooser& chooser, GameClock& clock,
                 RandomSource& random, ShellEvents& events, std::function<void(bool started)> reading,
                 std::function<void(const QString& path)> gameReplaced,
                 std::function<void(const QString& path)> gameSaved);

    void openPuzzle();
    // The puzzle dialog and the puzzle chosen there, without the save prompt.
    void choosePuzzle();
    void openPlayFile();
    // True when the game was written.
    bool savePlayFile();

    // Dialog 169 when the game changed and is not finished; "はい" saves.
    // False when the user chose to save and the game was not saved, so that
    // the command that asked does not go on to lose it.
    bool offerSave();

    // Load a file without asking for it, as the kind named or else as the
    // other kind; true on success.
    bool loadPuzzle(const QString& path);
    bool loadPlayFile(const QString& path);
    // A game from the list of unfinished games, shown as `shownName`.
    bool loadCopy(jigsaw::ByteSource& source, const QString& shownName);
    // A file named on the command line: a puzzle or a play file, whatever its
    // name says, as its content decides.
    bool openByContent(const QString& path);

private:
    // Each reads a file into the game and returns why it failed, or nothing
    // (an empty summary).
    ErrorMessage readPuzzle(const QString& path);
    ErrorMessage readPlayFile(const QString& path);
    ErrorMessage readPlay(const std::function<void()>& reader, const QString& shownName);
    ErrorMessage read(const QString& path, FileKind kind);
    // Reads the file as `expected`, else as the other kind; on failure the
    // reason of the reader that the file points to, or what the file is.
    ErrorMessage readEitherKind(const QString& path, FileKind expected);
    void gameRead(const QString& path);
    void reportFailure(const QString& title, const ErrorMessage& message);
    // True after a read without `failure`; otherwise tells it under `title`.
    bool reportedLoad(const QString& title, const ErrorMessage& failure);

    QWidget* m_parent;
    CVorpelDoc& m_doc;
    VorpelSettings& m_settings;
    FileChooser& m_chooser;
    GameClock& m_clock;
    RandomSource& m_random;
    ShellEvents& m_events;
    // Told before a file is read into the game (true) and after (false).
    std::function<void(bool started)> m_reading;
    std::function<void(const QString& path)> m_gameReplaced;
    std::function<void(const QString& path)> m_gameSaved;
    // The file the game was read from or last saved to.
    QString m_gameFile;
};

// The play file's name as saved: a name without an extension gets ".jpd".
QString withPlayFileExtension(const QString& path);
