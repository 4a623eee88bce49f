#include "game_store.h"

#include "atomic_file.h"
#include "byte_io.h"
#include "file_path.h"
#include "format_error.h"
#include "play_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kRecordSuffix = QStringLiteral(".game");
const QString kPicturesSuffix = QStringLiteral(".pictures");
const QString kLockSuffix = QStringLiteral(".lock");
constexpr std::array<std::uint8_t, 8> kMagic{'V', 'P', 'G', 'A', 'M', 'E', '0', '1'};
// magic, pictures' size, seconds, percent, name's length
constexpr std::size_t kFixedHeadSize = 8 + 8 + 4 + 4 + 4;
constexpr std::uint32_t kMaxNameBytes = 1024;
constexpr std::uint32_t kMaxThumbnailBytes = 1 << 20;

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// A file's name up to its first dot, after the dot that starts the name of a
// half-written file.
QString idOf(QString fileName)
{
    if (fileName.startsWith(QLatin1Char('.')))
        fileName.remove(0, 1);
    return fileName.section(QLatin1Char('.'), 0, 0);
}

// Whether a running player holds the lock file: the system drops the lock of
// a player that died, so a lock that can be taken is nobody's.
bool isHeld(const QString& lockPath)
{
    const int fd = ::open(native(lockPath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

struct RecordHead {
    std::uint64_t picturesSize = 0;
    std::size_t size = 0;
    GameSummary summary;
};

// Reads and checks the head of a record: its fields in bounds, and the
// record exactly the head and the fixed blocks long.
std::optional<RecordHead> readHead(QFile& file)
{
    const QByteArray fixedPart = file.read(kFixedHeadSize);
    if (fixedPart.size() != static_cast<qsizetype>(kFixedHeadSize))
        return std::nullopt;
    jigsaw::ByteReader in({reinterpret_cast<const std::uint8_t*>(fixedPart.constData()), kFixedHeadSize});
    const auto magic = in.bytes(kMagic.size());
    if (!std::equal(magic.begin(), magic.end(), kMagic.begin()))
        return std::nullopt;
    RecordHead head;
    head.picturesSize = in.u32();
    head.picturesSize |= std::uint64_t{in.u32()} << 32;
    head.summary.seconds = static_cast<int>(std::min<std::uint32_t>(in.u32(), INT32_MAX));
    head.summary.percent = static_cast<int>(std::min<std::uint32_t>(in.u32(), 100));
    const std::uint32_t nameBytes = in.u32();
    if (nameBytes > kMaxNameBytes)
        return std::nullopt;
    const QByteArray name = file.read(nameBytes);
    const QByteArray thumbnailSize = file.read(4);
    if (name.size() != static_cast<qsizetype>(nameBytes) || thumbnailSize.size() != 4)
        return std::nullopt;
    const std::uint32_t thumbnailBytes =
        jigsaw::ByteReader({reinterpret_cast<const std::uint8_t*>(thumbnailSize.constData()), 4}).u32();
    if (thumbnailBytes > kMaxThumbnailBytes)
        return std::nullopt;
    const QByteArray thumbnail = file.read(thumbnailBytes);
    if (thumbnail.size() != static_cast<qsizetype>(thumbnailBytes))
        return std::nullopt;
    head.summary.name = QString::fromUtf8(name);
    head.summary.thumbnail.loadFromData(thumbnail, "PNG");
    head.size = kFixedHeadSize + nameBytes + 4 + thumbnailBytes;
    if (static_cast<std::uint64_t>(file.size()) != head.size + kPlayFixedSize)
        return std::nullopt;
    return head;
}

std::string text(std::uint64_t v)
{
    return std::to_string(v);
}

}  // namespace

GameLock::~GameLock()
{
    ::close(m_fd);
}

void GameLock::removeFile()
{
    ::unlink(native(m_path).constData());
}

GameStore::GameStore(QString dir) : m_dir(std::move(dir)), m_ok(QDir().mkpath(m_dir)) {}

QString GameStore::defaultDir()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("vorpel"));
}

QString GameStore::newId() const
{
    static int counter = 0;
    QString id;
    do {
        id = QStringLiteral("%1-%2-%3")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QDateTime::currentMSecsSinceEpoch())
                 .arg(++counter);
    } while (QFile::exists(recordFile(id)) || QFile::exists(QDir(m_dir).filePath(id + kLockSuffix)));
    return id;
}

QString GameStore::recordFile(const QString& id) const
{
    return QDir(m_dir).filePath(id + kRecordSuffix);
}

QString GameStore::picturesFile(const QString& id) const
{
    return QDir(m_dir).filePath(id + kPicturesSuffix);
}

std::unique_ptr<GameLock> GameStore::lock(const QString& id, QString* reason) const
{
    const QString path = QDir(m_dir).filePath(id + kLockSuffix);
    const QByteArray name = native(path);
    // A lock file removed by the player that held it while this one opened
    // it is locked in vain: the lock is taken again on the file now there.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (reason)
                *reason = QString::fromLocal8Bit(std::strerror(errno));
            return nullptr;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (reason)
                *reason = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return nullptr;
        }
        struct stat opened = {};
        struct stat named = {};
        if (::fstat(fd, &opened) == 0 && ::stat(name.constData(), &named) == 0 && opened.st_ino == named.st_ino &&
            opened.st_dev == named.st_dev)
            return std::make_unique<GameLock>(fd, path);
        ::close(fd);
    }
    return nullptr;
}

std::vector<UnfinishedGame> GameStore::list(QStringList* unreadable) const
{
    // The folder is read first and each lock after: a game a player took
    // meanwhile is seen as held.
    const QDir dir(m_dir);
    std::vector<UnfinishedGame> games;
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*") + kRecordSuffix}, QDir::Files, QDir::Time)) {
        const QString id = idOf(info.fileName());
        if (info.fileName().startsWith(QLatin1Char('.')) || isHeld(dir.filePath(id + kLockSuffix)))
            continue;
        QFile file(info.filePath());
        std::optional<RecordHead> head;
        if (file.open(QIODevice::ReadOnly))
            head = readHead(file);
        const QFileInfo pictures(picturesFile(id));
        if (!head || static_cast<std::uint64_t>(pictures.size()) != head->picturesSize) {
            if (unreadable && file.exists())
                *unreadable << info.fileName();
            continue;
        }
        games.push_back({id, std::move(head->summary), info.lastModified(), info.size() + pictures.size()});
    }
    return games;
}

void GameStore::remove(const QString& id, GameLock& lock) const
{
    ::unlink(native(recordFile(id)).constData());
    ::unlink(native(picturesFile(id)).constData());
    lock.removeFile();
}

void GameStore::removeLeftovers() const
{
    const QDir dir(m_dir);
    QSet<QString> whole;
    for (const QString& name : dir.entryList({QStringLiteral("*") + kRecordSuffix}, QDir::Files))
        whole.insert(idOf(name));
    const QStringList ours{kRecordSuffix, kPicturesSuffix, kLockSuffix};
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        const QString id = idOf(name);
        const bool known = std::any_of(ours.begin(), ours.end(), [&](const QString& s) { return name.contains(s); });
        const bool halfWritten = name.startsWith(QLatin1Char('.'));
        if (!known || (whole.contains(id) && !halfWritten) || isHeld(dir.filePath(id + kLockSuffix)))
            continue;
        if (auto held = lock(id)) {
            if (halfWritten)
                ::unlink(native(dir.filePath(name)).constData());
            else
                remove(id, *held);
        }
    }
}

void GameStore::takeOverOldCopies() const
{
    const QDir dir(m_dir);
    for (const QString& name : dir.entryList({QStringLiteral("*.jpd")}, QDir::Files)) {
        const QString owner = idOf(name).remove(QStringLiteral("-aside"));
        const QString copy = dir.filePath(name);
        QFile file(copy);
        if (isHeld(dir.filePath(owner + kLockSuffix)) || !file.open(QIODevice::ReadOnly) ||
            file.size() <= static_cast<qint64>(kPlayFixedSize))
            continue;
        const uchar* bytes = file.map(0, file.size());
        if (!bytes)
            continue;
        QFile nameFile(copy + QStringLiteral(".name"));
        GameSummary summary;
        if (nameFile.open(QIODevice::ReadOnly))
            summary.name = QString::fromUtf8(nameFile.read(kMaxNameBytes)).trimmed();
        const uchar* elapsed = bytes + kPlayElapsedOffset;
        summary.seconds = static_cast<int>((std::uint32_t{elapsed[0]} << 24 | std::uint32_t{elapsed[1]} << 16 |
                                            std::uint32_t{elapsed[2]} << 8 | elapsed[3]) &
                                           INT32_MAX);
        const std::span<const std::uint8_t> fixed(bytes, kPlayFixedSize);
        const std::span<const std::uint8_t> pictures(bytes + kPlayFixedSize,
                                                     static_cast<std::size_t>(file.size()) - kPlayFixedSize);
        const QString id = newId();
        const auto lock = this->lock(id);
        if (!lock)
            continue;
        try {
            jigsaw::writeFileAtomically(toFilesystemPath(picturesFile(id)), std::span(&pictures, 1));
            const std::vector<std::uint8_t> head = recordHead(summary, pictures.size());
            const std::span<const std::uint8_t> record[] = {head, fixed};
            jigsaw::writeFileAtomically(toFilesystemPath(recordFile(id)), record);
        } catch (const jigsaw::FormatError&) {
            remove(id, *lock);
            continue;
        }
        lock->removeFile();
        file.remove();
        nameFile.remove();
    }
}

std::vector<std::uint8_t> GameStore::recordHead(const GameSummary& summary, std::uint64_t picturesSize)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    summary.thumbnail.save(&buffer, "PNG");
    const QByteArray name = summary.name.toUtf8().left(kMaxNameBytes);
    if (png.size() > static_cast<qsizetype>(kMaxThumbnailBytes))
        png.clear();
    std::vector<std::uint8_t> out;
    jigsaw::ByteWriter w(out);
    w.bytes(kMagic);
    w.u32(static_cast<std::uint32_t>(picturesSize));
    w.u32(static_cast<std::uint32_t>(picturesSize >> 32));
    w.u32(static_cast<std::uint32_t>(std::max(0, summary.seconds)));
    w.u32(static_cast<std::uint32_t>(std::clamp(summary.percent, 0, 100)));
    w.u32(static_cast<std::uint32_t>(name.size()));
    w.bytes({reinterpret_cast<const std::uint8_t*>(name.constData()), static_cast<std::size_t>(name.size())});
    w.u32(static_cast<std::uint32_t>(png.size()));
    w.bytes({reinterpret_cast<const std::uint8_t*>(png.constData()), static_cast<std::size_t>(png.size())});
    return out;
}

GameStore::PlaySource::PlaySource(const GameStore& store, const QString& id)
    : m_record(toFilesystemPath(store.recordFile(id))), m_pictures(toFilesystemPath(store.picturesFile(id)))
{
    QFile file(store.recordFile(id));
    std::optional<RecordHead> head;
    if (file.open(QIODevice::ReadOnly))
        head = readHead(file);
    if (!head)
        throw jigsaw::FormatError(jigsaw::ErrorCode::PlayFileTooShort, {text(m_record.size())});
    if (head->picturesSize != m_pictures.size())
        throw jigsaw::FormatError(jigsaw::ErrorCode::PlayFileTruncated,
                                  {text(kPlayFixedSize + head->picturesSize), text(size())});
    m_headSize = head->size;
    m_fixedSize = m_record.size() - m_headSize;
}

void GameStore::PlaySource::readAt(std::size_t offset, std::span<std::uint8_t> dest)
{
    if (offset < m_fixedSize) {
        const std::size_t n = std::min(dest.size(), m_fixedSize - offset);
        m_record.readAt(m_headSize + offset, dest.first(n));
        dest = dest.subspan(n);
        offset += n;
    }
    if (!dest.empty())
        m_pictures.readAt(offset - m_fixedSize, dest);
}
