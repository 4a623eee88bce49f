#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "byte_source.h"

// What the list of unfinished games shows of one game, stored at the head of
// its record.
struct GameSummary {
    QString name;
    int seconds = 0;
    int percent = 0;
    QImage thumbnail;
};

// An unfinished game as the folder holds it.
struct UnfinishedGame {
    QString id;
    GameSummary summary;
    QDateTime lastPlayed;
    qint64 bytesOnDisk = 0;
};

// A player's hold on one game: while it lives no other player lists, resumes
// or writes that game. The system drops it when the player dies.
class GameLock {
public:
    GameLock(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
    ~GameLock();
    GameLock(const GameLock&) = delete;
    GameLock& operator=(const GameLock&) = delete;
    // Removes the lock file before letting go: the game is gone.
    void removeFile();

private:
    int m_fd;
    QString m_path;
};

// The folder of unfinished games, one automatic copy per game:
//   <id>.pictures  the play file's picture blocks, written once per game
//   <id>.game      a summary for the list (name, seconds played, share of
//                  joins done, a small picture of the board) followed by the
//                  play file's fixed blocks; replaced atomically at each save
//   <id>.lock      locked by the player that has the game open
// The record is written only after the pictures, so a copy is whole whenever
// its record exists; the record followed by the pictures is an ordinary play
// file. A game whose lock nobody holds is listed.
class GameStore {
public:
    // Creates the folder if need be; ok() is false when that fails.
    explicit GameStore(QString dir);

    // $XDG_STATE_HOME/vorpel, else ~/.local/state/vorpel.
    static QString defaultDir();

    bool ok() const { return m_ok; }
    const QString& dir() const { return m_dir; }
    // A name no game of the folder has.
    QString newId() const;
    QString recordFile(const QString& id) const;
    QString picturesFile(const QString& id) const;

    // Takes the game's lock; null when another player holds it or the lock
    // cannot be made (`reason` says why).
    std::unique_ptr<GameLock> lock(const QString& id, QString* reason = nullptr) const;

    // The games no running player holds, newest first. A record that cannot
    // be read is named in `unreadable` and left alone.
    std::vector<UnfinishedGame> list(QStringList* unreadable = nullptr) const;
    // Removes a game's files; its lock, held by the caller, goes last.
    void remove(const QString& id, GameLock& lock) const;
    // Removes what killed players left besides whole games: pictures and
    // locks without a record, half-written files.
    void removeLeftovers() const;
    // Turns the single play-file copies of earlier releases (<id>.jpd with
    // the puzzle's name in <id>.jpd.name) whose player is gone into listed
    // games.
    void takeOverOldCopies() const;

    // The record's head for `summary`, with the size of the pictures that
    // belong to it.
    static std::vector<std::uint8_t> recordHead(const GameSummary& summary, std::uint64_t picturesSize);

    // The play file of a game, read in place from its two files.
    class PlaySource final : public jigsaw::ByteSource {
    public:
        PlaySource(const GameStore& store, const QString& id);
        std::size_t size() const override { return m_fixedSize + m_pictures.size(); }
        void readAt(std::size_t offset, std::span<std::uint8_t> dest) override;

    private:
        jigsaw::FileSource m_record;
        jigsaw::FileSource m_pictures;
        std::size_t m_headSize = 0;
        std::size_t m_fixedSize = 0;
    };

private:
    QString m_dir;
    bool m_ok = false;
};
