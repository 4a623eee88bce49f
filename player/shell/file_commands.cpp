#include "file_commands.h"

#include "data_files.h"
#include "dialog_folder.h"
#include "document_commands.h"
#include "error_text.h"
#include "file_chooser.h"
#include "file_path.h"
#include "format_error.h"
#include "jzt_file.h"
#include "play_file.h"
#include "puzzle_loader.h"
#include "save_prompt.h"
#include "shell_events.h"
#include "vorpel_doc.h"
#include "vorpel_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <exception>
#include <filesystem>
#include <new>
#include <utility>

namespace {

const char* const kPuzzleFilter = QT_TRANSLATE_NOOP("FileCommands", "Puzzle Data Files (*.jzt)");
const char* const kPlayFilter = QT_TRANSLATE_NOOP("FileCommands", "Play Data Files (*.jpd)");
const char* const kOpenPuzzleTitle = QT_TRANSLATE_NOOP("FileCommands", "パズルファイルを開く");
const char* const kOpenPlayTitle = QT_TRANSLATE_NOOP("FileCommands", "プレイファイルを開く");
const char* const kSavePlayTitle = QT_TRANSLATE_NOOP("FileCommands", "プレイファイルを保存する");
const char* const kOutOfMemory = QT_TRANSLATE_NOOP("FileCommands", "メモリが足りないため、ファイルを読み込めませんでした。");

// A text of the file commands as the user reads it.
QString shown(const char* text)
{
    return QCoreApplication::translate("FileCommands", text);
}

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// Where the puzzle dialog starts when no folder has been chosen in it yet: by
// the puzzle last opened, or, before any, in the folder of the installed
// sample puzzle, so that a new user finds it.
QString firstPuzzleFolder(const CVorpelDoc& doc)
{
    const QString sample = findDataFile(QStringLiteral("vorpel"), QStringLiteral("sample.jzt"));
    if (doc.GetPuzzleDir() != doc.GetExeDir() || sample.isEmpty())
        return fromStd(doc.GetPuzzleDir());
    return QFileInfo(sample).absolutePath();
}

// The first bytes of a file, or fewer when it is shorter.
QByteArray fileStart(const QString& path, qint64 length)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(length) : QByteArray();
}

// The kind of file that a file's extension names, else the kind its content
// looks like: the blocks of pictures begin (with "BM") right behind the
// header in a puzzle file and behind the fixed blocks in a play file.
// `otherwise` when neither tells.
FileKind pointedKind(const QString& path, FileKind otherwise)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QStringLiteral("jzt"), Qt::CaseInsensitive) == 0)
        return FileKind::Puzzle;
    if (suffix.compare(QStringLiteral("jpd"), Qt::CaseInsensitive) == 0)
        return FileKind::Play;
    const QByteArray start = fileStart(path, static_cast<qint64>(kPlayFixedSize) + 2);
    if (start.mid(static_cast<qsizetype>(jigsaw::kJztHeaderSize), 2) == "BM")
        return FileKind::Puzzle;
    if (start.mid(static_cast<qsizetype>(kPlayFixedSize), 2) == "BM")
        return FileKind::Play;
    return otherwise;
}

}  // namespace

QString withPlayFileExtension(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".jpd");
}

FileCommands::FileCommands(QWidget* parent, CVorpelDoc& doc, VorpelSettings& settings, FileChooser& chooser,
                           GameClock& clock, RandomSource& random, ShellEvents& events,
                           std::function<void(bool started)> reading,
                           std::function<void(const QString& path)> gameReplaced,
                           std::function<void(const QString& path)> gameSaved)
    : m_parent(parent),
      m_doc(doc),
      m_settings(settings),
      m_chooser(chooser),
      m_clock(clock),
      m_random(random),
      m_events(events),
      m_reading(std::move(reading)),
      m_gameReplaced(std::move(gameReplaced)),
      m_gameSaved(std::move(gameSaved))
{
}

void FileCommands::reportFailure(const QString& title, const QString& message)
{
    QMessageBox::warning(m_parent, title, message);
}

bool FileCommands::offerSave()
{
    if (!ShouldOfferSave(m_doc) || !askToSaveChanges(m_parent))
        return true;
    return savePlayFile();
}

void FileCommands::openPuzzle()
{
    if (offerSave())
        choosePuzzle();
}

void FileCommands::choosePuzzle()
{
    const QString start =
        dialogStartFolder(m_settings.readPath(QStringLiteral("popath"), firstPuzzleFolder(m_doc)), DialogUse::Open);
    const QString path = m_chooser.openFile(m_parent, shown(kOpenPuzzleTitle), start, shown(kPuzzleFilter));
    if (path.isEmpty())
        return;
    m_settings.writePath(QStringLiteral("popath"), path);
    loadPuzzle(path);
}

void FileCommands::openPlayFile()
{
    if (!offerSave())
        return;
    const QString start = dialogStartFolder(
        m_settings.readPath(QStringLiteral("gopath"), fromStd(m_doc.GetPlayOpenPath())), DialogUse::Open);
    const QString path = m_chooser.openFile(m_parent, shown(kOpenPlayTitle), start, shown(kPlayFilter));
    if (path.isEmpty())
        return;
    m_settings.writePath(QStringLiteral("gopath"), path);
    loadPlayFile(path);
}

bool FileCommands::savePlayFile()
{
    if (m_doc.GetPlayable() != 1)
        return false;
    // The game's own name is proposed: the play file it came from or was
    // last saved to, or the puzzle's name as a play file.
    const QString folder = dialogStartFolder(
        m_settings.readPath(QStringLiteral("gspath"), fromStd(m_doc.GetPlaySavePath())), DialogUse::Save);
    const QString proposed = m_gameFile.isEmpty()
                                 ? folder
                                 : QDir(folder).filePath(QFileInfo(m_gameFile).completeBaseName() +
                                                         QStringLiteral(".jpd"));
    const QString path =
        withPlayFileExtension(m_chooser.saveFile(m_parent, shown(kSavePlayTitle), proposed, shown(kPlayFilter)));
    if (path.isEmpty())
        return false;
    m_settings.writePath(QStringLiteral("gspath"), path);
    try {
        SavePlayFile(m_doc, toFilesystemPath(path), m_clock);
    } catch (const std::bad_alloc&) {
        reportFailure(shown(kSavePlayTitle),
                      QCoreApplication::translate("FileCommands", "メモリが足りないため、保存できませんでした。"));
        return false;
    } catch (const std::exception& e) {
        reportFailure(shown(kSavePlayTitle),
                      QCoreApplication::translate("FileCommands", "「%1」に保存できませんでした。\n%2")
                          .arg(path, errorText(e)));
        return false;
    }
    m_gameFile = path;
    m_gameSaved(path);
    return true;
}

namespace {

// Says that a file is being read into the game for as long as it lives.
class ReadingScope {
public:
    explicit ReadingScope(const std::function<void(bool)>& reading) : m_reading(reading) { m_reading(true); }
    ~ReadingScope() { m_reading(false); }
    ReadingScope(const ReadingScope&) = delete;
    ReadingScope& operator=(const ReadingScope&) = delete;

private:
    const std::function<void(bool)>& m_reading;
};

}  // namespace

QString FileCommands::readPuzzle(const QString& path)
{
    QString failure;
    {
        const ReadingScope reading(m_reading);
        try {
            LoadPuzzleFile(m_doc, toFilesystemPath(path), m_clock, m_random, m_events);
        } catch (const jigsaw::FormatError& e) {
            failure = errorText(e);
        } catch (const std::bad_alloc&) {
            failure = shown(kOutOfMemory);
        }
    }
    m_events.finishProgress();
    if (failure.isEmpty())
        gameRead(path);
    return failure;
}

QString FileCommands::readPlayFile(const QString& path)
{
    return readPlay([&] { OpenPlayFile(m_doc, toFilesystemPath(path), m_clock, m_events); }, path);
}

QString FileCommands::readPlay(const std::function<void()>& reader, const QString& shownName)
{
    m_events.holdMessages();
    try {
        const ReadingScope reading(m_reading);
        reader();
    } catch (const jigsaw::FormatError& e) {
        m_events.dropMessages();
        return errorText(e);
    } catch (const std::bad_alloc&) {
        m_events.dropMessages();
        return shown(kOutOfMemory);
    }
    gameRead(shownName);
    m_events.releaseMessages();
    return {};
}

void FileCommands::gameRead(const QString& path)
{
    m_gameFile = path;
    m_gameReplaced(path);
}

QString FileCommands::read(const QString& path, FileKind kind)
{
    return kind == FileKind::Puzzle ? readPuzzle(path) : readPlayFile(path);
}

QString FileCommands::readEitherKind(const QString& path, FileKind expected)
{
    // Either reader checks the whole file before it touches the game, so a
    // failed first try leaves nothing behind for the second.
    const QString asExpected = read(path, expected);
    if (asExpected.isEmpty())
        return {};
    const FileKind other = expected == FileKind::Puzzle ? FileKind::Play : FileKind::Puzzle;
    const QString asOther = read(path, other);
    if (asOther.isEmpty())
        return {};
    // The reason given is the reader's that the file's name or content
    // points to, so that a damaged file is named for what it lacks.
    return pointedKind(path, expected) == expected ? asExpected : asOther;
}

bool FileCommands::loadPuzzle(const QString& path)
{
    const QString failure = readEitherKind(path, FileKind::Puzzle);
    if (!failure.isEmpty())
        reportFailure(shown(kOpenPuzzleTitle), failure);
    return failure.isEmpty();
}

bool FileCommands::loadPlayFile(const QString& path)
{
    const QString failure = readEitherKind(path, FileKind::Play);
    if (!failure.isEmpty())
        reportFailure(shown(kOpenPlayTitle), failure);
    return failure.isEmpty();
}

bool FileCommands::loadCopy(jigsaw::ByteSource& source, const QString& shownName)
{
    const QString failure = readPlay([&] { OpenPlaySource(m_doc, source, m_clock, m_events); }, shownName);
    if (!failure.isEmpty())
        reportFailure(shown(kOpenPlayTitle), failure);
    return failure.isEmpty();
}

bool FileCommands::openByContent(const QString& path)
{
    const QString title = QCoreApplication::translate("FileCommands", "ファイルを開く");
    if (!QFileInfo(path).isFile()) {
        reportFailure(title, QCoreApplication::translate("FileCommands", "ファイル「%1」が見つかりません。").arg(path));
        return false;
    }
    const QString failure = readEitherKind(path, pointedKind(path, FileKind::Puzzle));
    if (failure.isEmpty())
        return true;
    reportFailure(title, QCoreApplication::translate("FileCommands", "「%1」はパズルファイルでもプレイファイルでもありません。\n%2")
                             .arg(QFileInfo(path).fileName(), failure));
    return false;
}
