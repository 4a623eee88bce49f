#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "game_clock.h"
#include "play_snapshot.h"
#include "vorpel_doc.h"

class GameLock;
class GameStore;

// Writes a file's parts atomically; throws when it cannot.
using CopyWriter =
    std::function<void(const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> parts)>;

// Keeps the automatic copy of the game in progress among the unfinished
// games, so that a player that is killed loses little play and a game the
// user did not save stays listed. Once a second it looks at the game; when
// the game changed and nothing is carried (so that the copy is a whole game),
// and at least kIntervalMs passed since the last look that found a change, it
// takes the fixed blocks on this thread and writes them on a worker thread;
// the pictures are written once per game, read in place from the document.
// A clock that alone moved is written at most every kClockIntervalMs. The
// game never waits for the disk: a write still running puts the next off, and
// a failed write is tried again later and shown through failureChanged().
// A finished game loses its copy; so does one closed or replaced unchanged
// (saved to a play file of the user's own).
class AutoSave : public QObject {
    Q_OBJECT
public:
    static constexpr std::uint64_t kIntervalMs = 15000;
    static constexpr std::uint64_t kClockIntervalMs = 60000;
    static constexpr int kLookMs = 1000;

    // `thumbnail` draws the board as it is now, small.
    AutoSave(CVorpelDoc& doc, GameClock& clock, GameStore& store, CopyWriter writer,
             std::function<QImage()> thumbnail, QObject* parent = nullptr);
    // Waits for the write in progress.
    ~AutoSave() override;

    // The game is about to be replaced: its copy is brought up to date, and
    // nothing reads the document's pictures until readingEnded().
    void gameEnding();
    void readingEnded() { m_reading = false; }
    // A new game named `name` has replaced the last: the last one's copy goes
    // when it was unchanged or finished, and the new one gets a copy of its own
    // (the game adopted just before, when it is resumed from the list).
    void gameStarted(const QString& name);
    // The next game to start is the listed game `id`, whose lock is held.
    void adoptNext(const QString& id, std::unique_ptr<GameLock> lock);
    // The game resumed from the list could not be read: it is let go.
    void dropAdoption();
    // Writes the game's copy now, when it wants one, and waits for it.
    void saveNow();
    // One look at the game (the timer's work).
    void look();
    // The program ends: a changed, unfinished game is kept in its copy,
    // written before this returns; an unchanged or finished one loses it.
    // Nothing is written after.
    void finish();

    bool isWriting() const { return m_writing; }
    const QString& gameId() const { return m_id; }

signals:
    // A write has ended, well or not.
    void writeEnded(bool ok);
    // Why the copy cannot be written, or empty once it is written again.
    void failureChanged(const QString& reason);

private:
    bool wantsCopy() const;
    bool isCarrying() const;
    void write(bool clockCounts);
    void startWrite(PlaySnapshot::Bytes fixed);
    void writeDone(bool ok, bool picturesWritten, const QString& reason);
    void letGo(bool keepCopy);

    CVorpelDoc& m_doc;
    GameClock& m_clock;
    GameStore& m_store;
    CopyWriter m_writer;
    std::function<QImage()> m_thumbnail;
    PlaySnapshot m_snapshot;
    QString m_name;
    QString m_id;
    std::unique_ptr<GameLock> m_lock;
    QString m_adoptId;
    std::unique_ptr<GameLock> m_adoptLock;
    QTimer m_timer;
    // One thread, so that writes and removals happen in the order asked.
    QThreadPool m_pool;
    std::optional<std::uint64_t> m_lastLookMs;
    std::uint64_t m_lastWriteMs = 0;
    bool m_writing = false;
    bool m_copyOnDisk = false;
    bool m_picturesOnDisk = false;
    // Whether the game that is ending keeps its copy.
    bool m_endingKeeps = false;
    QString m_failure;
    bool m_finished = false;
    // A file is being read into the document.
    bool m_reading = false;
};
