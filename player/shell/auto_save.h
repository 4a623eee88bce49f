#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>

#include "game_clock.h"
#include "play_snapshot.h"
#include "vorpel_doc.h"

class AutoSaveFolder;

// Writes a file's parts atomically; throws jigsaw::FormatError when it cannot.
using CopyWriter =
    std::function<void(const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> parts)>;

// Keeps an automatic copy of a changed, unfinished game in this player's
// place of the copies' folder, so that a player that is killed loses little
// play. Once a second it looks at the game; when the game changed and nothing
// is being carried (so that the copy is a whole game), and at least
// kIntervalMs have passed since the last look that found a change, it takes
// the play file's bytes on this thread and writes them on a worker thread.
// The game never waits for the disk: a write still running when the next is
// due puts the next off, and a failed write is tried again later, noted on
// stderr only. A saved, finished or replaced game loses its copy.
class AutoSave : public QObject {
    Q_OBJECT
public:
    static constexpr std::uint64_t kIntervalMs = 15000;
    static constexpr int kLookMs = 1000;

    AutoSave(CVorpelDoc& doc, GameClock& clock, AutoSaveFolder& folder, CopyWriter writer, QObject* parent = nullptr);
    // Waits for the write in progress.
    ~AutoSave() override;

    // A new game named `name` (the file it came from) has replaced the last:
    // a copy set aside at start-up goes.
    void gameStarted(const QString& name);
    // The game was just resumed from this player's copy, which holds it.
    void copyAdopted();
    // One look at the game (the timer's work).
    void look();
    // The program ends: a changed, unfinished game is kept in its copy (the
    // user declined to save it, or the program was told to end), written
    // before this returns; otherwise the copy goes. Nothing is written after.
    void finish();

    bool isWriting() const { return m_writing; }

signals:
    // A write has ended, well or not.
    void writeEnded(bool ok);

private:
    bool wantsCopy() const;
    bool isCarrying() const;
    void startWrite(PlaySnapshot::Bytes fixed);
    void writeDone(bool ok, const QString& reason);
    void removeCopy();

    CVorpelDoc& m_doc;
    GameClock& m_clock;
    AutoSaveFolder& m_folder;
    CopyWriter m_writer;
    PlaySnapshot m_snapshot;
    QString m_name;
    QTimer m_timer;
    // One thread, so that writes and removals happen in the order asked.
    QThreadPool m_pool;
    std::optional<std::uint64_t> m_lastLookMs;
    bool m_writing = false;
    bool m_copyOnDisk = false;
    bool m_failing = false;
    bool m_finished = false;
    std::atomic<bool> m_lastWriteOk{true};
};
