#pragma once

#include <QString>
#include <QStringList>

// The folder of the automatic copies and this player's place in it. Each
// running player holds a lock on a file named after its own id, and its
// copies bear the same id:
//   <id>.lock         held while the player runs (the system drops it when
//                     the player dies, however it dies)
//   <id>.jpd          the copy of the game in progress, a play file
//   <id>-aside.jpd    a copy found at start-up, kept until the next game
// and beside each copy "<copy>.name", the puzzle's name. A copy whose lock is
// not held belongs to a player that is gone and is offered at the next start.
class AutoSaveFolder {
public:
    // Creates the folder if need be and takes this player's lock; ok() is
    // false when either fails.
    explicit AutoSaveFolder(QString dir);
    ~AutoSaveFolder();
    AutoSaveFolder(const AutoSaveFolder&) = delete;
    AutoSaveFolder& operator=(const AutoSaveFolder&) = delete;

    // $XDG_STATE_HOME/vorpel, else ~/.local/state/vorpel.
    static QString defaultDir();

    bool ok() const { return m_lockFd >= 0; }
    const QString& dir() const { return m_dir; }
    QString currentCopy() const;
    QString asideCopy() const;

    // The copies of players that are gone, newest first.
    QStringList orphanCopies() const;
    // Removes what players that are gone left besides their copies: their
    // locks, the names of copies no longer there, half-written files.
    void removeLeftovers() const;

    // Moves a copy and its name; false when the copy is not there (another
    // player took it first).
    static bool moveCopy(const QString& from, const QString& to);
    // Removes a copy and its name, if there.
    static void removeCopy(const QString& copy);
    static QString nameFileOf(const QString& copy) { return copy + QStringLiteral(".name"); }
    // The puzzle's name stored beside a copy, or empty.
    static QString readName(const QString& copy);

private:
    // The ids of the players running now, this one included.
    QStringList liveOwners() const;

    QString m_dir;
    QString m_id;
    int m_lockFd = -1;
};
