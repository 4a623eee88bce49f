#include "file_commands.h"

#include "data_files.h"
#include "dialog_folder.h"
#include "document_commands.h"
#include "error_message.h"
#include "file_chooser.h"
#include "file_error_box.h"
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
#include <QImageReader>

#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <utility>

namespace {

const char* const kPuzzleFilter = QT_TRANSLATE_NOOP("FileCommands", "Puzzle Data Files (*.jzt)");
const char* const kPlayFilter = QT_TRANSLATE_NOOP("FileCommands", "Play Data Files (*.jpd)");
const char* const kOpenPuzzleTitle = QT_TRANSLATE_NOOP("FileCommands", "パズルファイルを開く");
const char* const kOpenPlayTitle = QT_TRANSLATE_NOOP("FileCommands", "プレイファイルを開く");
const char* const kSavePlayTitle = QT_TRANSLATE_NOOP("FileCommands", "プレイファイルを保存する");
const char* const kOutOfMemory = QT_TRANSLATE_NOOP("FileCommands", "メモリが足りないため、ファイルを読み込めませんでした。");
const char* const kPictureFile =
    QT_TRANSLATE_NOOP("FileCommands", "「%1」は画像ファイルです。\nパズルは「ケストラ」で画像から作れます。");
const char* const kNeitherKind = QT_TRANSLATE_NOOP(
    "FileCommands", "「%1」はパズルファイルでもプレイファイルでもありません。\nパズルファイル（.jzt）は「ケストラ」で画像から作ります。");

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
// Nothing when neither tells.
std::optional<FileKind> pointedKind(const QString& path)
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
    return std::nullopt;
}

// True when the file's content is a picture of a common kind, which a user
// may take for a puzzle.
bool isPicture(const QString& path)
{
    static const QList<QByteArray> kinds{"bmp", "jpeg", "png", "gif", "webp", "tiff"};
    return kinds.contains(QImageReader::imageFormat(path));
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

void FileCommands::reportFailure(const QString& title, const ErrorMessage& message)
{
    showErrorMessage(m_parent, title, message);
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
                      {QCoreApplication::translate("FileCommands", "メモリが足りないため、保存できませんでした。"), {}});
        return false;
    } catch (const std::exception& e) {
        reportFailure(shown(kSavePlayTitle), errorMessage(e, FileTask::Save, QFileInfo(path).fileName()));
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

ErrorMessage FileCommands::readPuzzle(const QString& path)
{
    ErrorMessage failure;
    {
        const ReadingScope reading(m_reading);
        try {
            LoadPuzzleFile(m_doc, toFilesystemPath(path), m_clock, m_random, m_events);
        } catch (const jigsaw::FormatError& e) {
            failure = errorMessage(e, FileTask::OpenPuzzle, QFileInfo(path).fileName());
        } catch (const std::bad_alloc&) {
            failure.summary = shown(kOutOfMemory);
        }
    }
    m_events.finishProgress();
    if (failure.summary.isEmpty())
        gameRead(path);
    return failure;
}

ErrorMessage FileCommands::readPlayFile(const QString& path)
{
    return readPlay([&] { OpenPlayFile(m_doc, toFilesystemPath(path), m_clock, m_events); }, path);
}

ErrorMessage FileCommands::readPlay(const std::function<void()>& reader, const QString& shownName)
{
    m_events.holdMessages();
    try {
        const ReadingScope reading(m_reading);
        reader();
    } catch (const jigsaw::FormatError& e) {
        m_events.dropMessages();
        return errorMessage(e, FileTask::OpenGame, QFileInfo(shownName).fileName());
    } catch (const std::bad_alloc&) {
        m_events.dropMessages();
        return {shown(kOutOfMemory), {}};
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

ErrorMessage FileCommands::read(const QString& path, FileKind kind)
{
    return kind == FileKind::Puzzle ? readPuzzle(path) : readPlayFile(path);
}

ErrorMessage FileCommands::readEitherKind(const QString& path, FileKind expected)
{
    // Either reader checks the whole file before it touches the game, so a
    // failed first try leaves nothing behind for the second.
    const ErrorMessage asExpected = read(path, expected);
    if (asExpected.summary.isEmpty())
        return {};
    const FileKind other = expected == FileKind::Puzzle ? FileKind::Play : FileKind::Puzzle;
    const ErrorMessage asOther = read(path, other);
    if (asOther.summary.isEmpty())
        return {};
    // The reason given is the reader's that the file's name or content
    // points to, so that a damaged file is named for what it lacks. A
    // picture, or a file that nothing points to, is told as what it is
    // instead; but not a file that cannot be opened, nor a lack of memory
    // (the failure without details), which say nothing of the content.
    const std::optional<FileKind> pointed = pointedKind(path);
    const ErrorMessage& told = pointed.value_or(expected) == expected ? asExpected : asOther;
    QFile file(path);
    if (told.details.isEmpty() || !file.open(QIODevice::ReadOnly))
        return told;
    if (isPicture(path))
        return {shown(kPictureFile).arg(QFileInfo(path).fileName()), told.details};
    if (!pointed)
        return {shown(kNeitherKind).arg(QFileInfo(path).fileName()), told.details};
    return told;
}

bool FileCommands::reportedLoad(const QString& title, const ErrorMessage& failure)
{
    if (failure.summary.isEmpty())
        return true;
    reportFailure(title, failure);
    return false;
}

bool FileCommands::loadPuzzle(const QString& path)
{
    return reportedLoad(shown(kOpenPuzzleTitle), readEitherKind(path, FileKind::Puzzle));
}

bool FileCommands::loadPlayFile(const QString& path)
{
    return reportedLoad(shown(kOpenPlayTitle), readEitherKind(path, FileKind::Play));
}

bool FileCommands::loadCopy(jigsaw::ByteSource& source, const QString& shownName)
{
    return reportedLoad(shown(kOpenPlayTitle),
                        readPlay([&] { OpenPlaySource(m_doc, source, m_clock, m_events); }, shownName));
}

bool FileCommands::openByContent(const QString& path)
{
    const QString title = QCoreApplication::translate("FileCommands", "ファイルを開く");
    if (!QFileInfo(path).isFile()) {
        reportFailure(title,
                      {QCoreApplication::translate("FileCommands", "ファイル「%1」が見つかりません。").arg(path), {}});
        return false;
    }
    return reportedLoad(title, readEitherKind(path, pointedKind(path).value_or(FileKind::Puzzle)));
}
