#include "auto_save_folder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString kLockSuffix = QStringLiteral(".lock");
const QString kCopySuffix = QStringLiteral(".jpd");
const QString kAsideTag = QStringLiteral("-aside");
// The longest puzzle name read back from a name file.
constexpr qint64 kMaxNameBytes = 1024;

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// The id of the player a file of the folder belongs to: its name up to the
// first dot (after the dot that starts a half-written file's name), without
// the tag of a copy set aside.
QString ownerOf(QString fileName)
{
    if (fileName.startsWith(QLatin1Char('.')))
        fileName.remove(0, 1);
    QString id = fileName.section(QLatin1Char('.'), 0, 0);
    if (id.endsWith(kAsideTag))
        id.chop(kAsideTag.size());
    return id;
}

// Whether a running player holds the lock file: the system drops the lock
// of a player that died, so a lock that can be taken is nobody's.
bool isHeld(const QString& lockPath)
{
    const int fd = ::open(native(lockPath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

}  // namespace

AutoSaveFolder::AutoSaveFolder(QString dir)
    : m_dir(std::move(dir)),
      m_id(QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch()))
{
    if (!QDir().mkpath(m_dir))
        return;
    // The lock is taken under a name no other player looks at and then
    // renamed into place, so that a lock file is never seen unheld while its
    // player runs.
    const QString lock = QDir(m_dir).filePath(m_id + kLockSuffix);
    const QByteArray temp = native(lock + QStringLiteral(".new"));
    const int fd = ::open(temp.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::rename(temp.constData(), native(lock).constData()) != 0) {
        ::unlink(temp.constData());
        ::close(fd);
        return;
    }
    m_lockFd = fd;
}

AutoSaveFolder::~AutoSaveFolder()
{
    if (m_lockFd < 0)
        return;
    ::unlink(native(QDir(m_dir).filePath(m_id + kLockSuffix)).constData());
    ::close(m_lockFd);
}

QString AutoSaveFolder::defaultDir()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("vorpel"));
}

QString AutoSaveFolder::currentCopy() const
{
    return QDir(m_dir).filePath(m_id + kCopySuffix);
}

QString AutoSaveFolder::asideCopy() const
{
    return QDir(m_dir).filePath(m_id + kAsideTag + kCopySuffix);
}

QStringList AutoSaveFolder::liveOwners() const
{
    QStringList live{m_id};
    const QDir dir(m_dir);
    for (const QString& name : dir.entryList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
        const QString id = ownerOf(name);
        if (id != m_id && isHeld(dir.filePath(name)))
            live << id;
    }
    return live;
}

QStringList AutoSaveFolder::orphanCopies() const
{
    const QStringList live = liveOwners();
    const QDir dir(m_dir);
    QStringList copies;
    for (const QString& name : dir.entryList({QStringLiteral("*") + kCopySuffix}, QDir::Files, QDir::Time))
        if (!name.startsWith(QLatin1Char('.')) && !live.contains(ownerOf(name)))
            copies << dir.filePath(name);
    return copies;
}

void AutoSaveFolder::removeLeftovers() const
{
    const QStringList live = liveOwners();
    const QDir dir(m_dir);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        // A lock still being taken is left to its player.
        if (live.contains(ownerOf(name)) || name.endsWith(QStringLiteral(".new")))
            continue;
        const bool copy = !name.startsWith(QLatin1Char('.')) && name.endsWith(kCopySuffix);
        const bool nameOfCopy = name.endsWith(QStringLiteral(".name")) &&
                                QFile::exists(dir.filePath(name.chopped(QStringLiteral(".name").size())));
        if (!copy && !nameOfCopy)
            ::unlink(native(dir.filePath(name)).constData());
    }
}

bool AutoSaveFolder::moveCopy(const QString& from, const QString& to)
{
    if (::rename(native(from).constData(), native(to).constData()) != 0)
        return false;
    if (::rename(native(nameFileOf(from)).constData(), native(nameFileOf(to)).constData()) != 0)
        ::unlink(native(nameFileOf(to)).constData());
    return true;
}

void AutoSaveFolder::removeCopy(const QString& copy)
{
    ::unlink(native(copy).constData());
    ::unlink(native(nameFileOf(copy)).constData());
}

QString AutoSaveFolder::readName(const QString& copy)
{
    QFile file(nameFileOf(copy));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(kMaxNameBytes)).trimmed();
}
