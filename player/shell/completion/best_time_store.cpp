#include "best_time_store.h"

#include "atomic_file.h"
#include "byte_source.h"
#include "error_text.h"
#include "file_path.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>
#include <span>
#include <string>
#include <variant>

namespace {

// A records file is a line per puzzle: anything larger is not one.
constexpr std::size_t kMaxFileSize = 16 << 20;

// The file's bytes, or nothing when it is too large to be a records file.
std::optional<std::string> readWhole(const QString& path)
{
    jigsaw::FileSource file(toFilesystemPath(path));
    if (file.size() > kMaxFileSize)
        return std::nullopt;
    std::string bytes(file.size(), '\0');
    if (!bytes.empty())
        file.readAt(0, {reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()});
    return bytes;
}

// A free name beside `path` for a damaged file found at `when`.
QString asideName(const QString& path, const QDateTime& when)
{
    const QFileInfo info(path);
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral(".damaged-") +
                                             when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString name = stem + QStringLiteral(".txt");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = QStringLiteral("%1-%2.txt").arg(stem).arg(n);
    return name;
}

}  // namespace

QString BestTimeStore::defaultPath()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(data).filePath(QStringLiteral("vorpel/records.txt"));
}

BestTimeStore::Loaded BestTimeStore::load() const
{
    Loaded loaded;
    if (!QFileInfo::exists(m_path))
        return loaded;
    std::optional<std::string> bytes;
    try {
        bytes = readWhole(m_path);
    } catch (const std::exception& e) {
        loaded.failure = errorText(e);
        return loaded;
    }
    if (bytes) {
        auto parsed = ParseRecords(*bytes);
        if (auto* records = std::get_if<std::vector<PuzzleRecord>>(&parsed)) {
            loaded.records = std::move(*records);
            return loaded;
        }
    }
    QFile damaged(m_path);
    const QString aside = asideName(m_path, QDateTime::currentDateTime());
    if (!damaged.rename(aside)) {
        loaded.failure = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_path), damaged.errorString());
        return loaded;
    }
    loaded.note = QCoreApplication::translate("BestTimes", "記録のファイルが壊れていたため、「%1」として別に保存し、新しく記録を始めます。")
                      .arg(QDir::toNativeSeparators(aside));
    return loaded;
}

BestTimeStore::Recorded BestTimeStore::record(const CVorpelDoc& doc, const QString& name, std::int64_t now) const
{
    Loaded loaded = load();
    Recorded result{std::nullopt, loaded.note};
    const auto notRecorded = [&result](const QString& reason) {
        if (!result.note.isEmpty())
            result.note += QLatin1Char('\n');
        result.note += QCoreApplication::translate("BestTimes", "この時間は記録できませんでした（%1）。").arg(reason);
        return result;
    };
    if (!loaded.failure.isEmpty())
        return notRecorded(loaded.failure);
    const CompletionRecord record =
        RecordCompletion(loaded.records, PuzzleIdentity(doc), name.toStdString(), doc.PieceCount(),
                         static_cast<std::uint32_t>(doc.GetElapsedSeconds()), now);
    const std::string bytes = WriteRecords(loaded.records);
    const std::span<const std::uint8_t> parts[] = {
        {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}};
    try {
        QDir().mkpath(QFileInfo(m_path).path());
        jigsaw::writeFileAtomically(toFilesystemPath(m_path), parts);
    } catch (const std::exception& e) {
        return notRecorded(errorText(e));
    }
    result.record = record;
    return result;
}
