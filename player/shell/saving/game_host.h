#pragma once

class GameStore;
class QString;
class QWidget;

// What the list of unfinished games asks of the window it opens over: the
// main window, which holds the game in progress.
class GameHost {
public:
    virtual QWidget* hostWindow() = 0;
    // The save prompt for the game in progress; false when the user chose to
    // save and the game was not saved.
    virtual bool offerSave() = 0;
    // The puzzle dialog and the puzzle chosen there, without the save prompt.
    virtual void choosePuzzle() = 0;
    // Resumes the listed game `id` as the game `name`; true on success.
    virtual bool resumeCopy(const GameStore& store, const QString& id, const QString& name) = 0;

protected:
    ~GameHost() = default;
};
