#pragma once

#include "game_clock.h"
#include "random_source.h"
#include "vorpel_doc.h"

#include <QString>

#include <functional>

class FileChooser;
class QWidget;
class ShellEvents;
class VorpelSettings;

// The player's file commands: opening a puzzle (32772), opening and saving a
// play file (32779, 32780), the save prompt that guards a changed game, and
// opening a file named on the command line. Failures are told to the user in
// a message box and leave the game as it was.
class FileCommands {
public:
    FileCommands(QWidget* parent, CVorpelDoc& doc, VorpelSettings& settings, FileChooser& chooser, GameClock& clock,
                 RandomSource& random, ShellEvents& events, std::function<void(const QString& path)> gameReplaced);

    void openPuzzle();
    void openPlayFile();
    // True when the game was written.
    bool savePlayFile();

    // Dialog 169 when the game changed and is not finished; "はい" saves.
    void offerSave();

    // Load a file without asking for it; true on success.
    bool loadPuzzle(const QString& path);
    // `shownName`, when given, is what the title shows instead of the file's name.
    bool loadPlayFile(const QString& path, const QString& shownName = {});
    // A file named on the command line: a puzzle or a play file, whatever its
    // name says, as its content decides.
    bool openByContent(const QString& path);

private:
    // Each reads a file into the game and returns why it failed, or nothing.
    QString readPuzzle(const QString& path);
    QString readPlayFile(const QString& path, const QString& shownName = {});
    void reportFailure(const QString& title, const QString& message);

    QWidget* m_parent;
    CVorpelDoc& m_doc;
    VorpelSettings& m_settings;
    FileChooser& m_chooser;
    GameClock& m_clock;
    RandomSource& m_random;
    ShellEvents& m_events;
    std::function<void(const QString& path)> m_gameReplaced;
};

// The play file's name as saved: a name without an extension gets ".jpd".
QString withPlayFileExtension(const QString& path);
