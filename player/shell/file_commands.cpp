#include "file_commands.h"

#include "data_files.h"
#include "document_commands.h"
#include "file_chooser.h"
#include "file_path.h"
#include "format_error.h"
#include "play_file.h"
#include "puzzle_loader.h"
#include "save_prompt.h"
#include "shell_events.h"
#include "vorpel_doc.h"
#include "vorpel_settings.h"

#include <QFileInfo>
#include <QMessageBox>

#include <filesystem>
#include <new>
#include <utility>

namespace {

const QString kPuzzleFilter = QStringLiteral("Puzzle Data Files (*.jzt)");
const QString kPlayFilter = QStringLiteral("Play Data Files (*.jpd)");
const QString kOpenPuzzleTitle = QStringLiteral("パズルファイルを開く");
const QString kOpenPlayTitle = QStringLiteral("プレイファイルを開く");
const QString kSavePlayTitle = QStringLiteral("プレイファイルを保存する");
const QString kOutOfMemory = QStringLiteral("メモリが足りないため、ファイルを読み込めませんでした。");

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

}  // namespace

QString withPlayFileExtension(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".jpd");
}

FileCommands::FileCommands(QWidget* parent, CVorpelDoc& doc, VorpelSettings& settings, FileChooser& chooser,
                           GameClock& clock, RandomSource& random, ShellEvents& events,
                           std::function<void(const QString& path)> gameReplaced)
    : m_parent(parent),
      m_doc(doc),
      m_settings(settings),
      m_chooser(chooser),
      m_clock(clock),
      m_random(random),
      m_events(events),
      m_gameReplaced(std::move(gameReplaced))
{
}

void FileCommands::reportFailure(const QString& title, const QString& message)
{
    QMessageBox::warning(m_parent, title, message);
}

void FileCommands::offerSave()
{
    if (ShouldOfferSave(m_doc) && askToSaveChanges(m_parent))
        savePlayFile();
}

void FileCommands::openPuzzle()
{
    offerSave();
    const QString start = m_settings.readPath(QStringLiteral("popath"), firstPuzzleFolder(m_doc));
    const QString path = m_chooser.openFile(m_parent, kOpenPuzzleTitle, start, kPuzzleFilter);
    if (path.isEmpty())
        return;
    m_settings.writePath(QStringLiteral("popath"), path);
    loadPuzzle(path);
}

void FileCommands::openPlayFile()
{
    offerSave();
    const QString start = m_settings.readPath(QStringLiteral("gopath"), fromStd(m_doc.GetPlayOpenPath()));
    const QString path = m_chooser.openFile(m_parent, kOpenPlayTitle, start, kPlayFilter);
    if (path.isEmpty())
        return;
    m_settings.writePath(QStringLiteral("gopath"), path);
    loadPlayFile(path);
}

bool FileCommands::savePlayFile()
{
    if (m_doc.GetPlayable() != 1)
        return false;
    const QString start = m_settings.readPath(QStringLiteral("gspath"), fromStd(m_doc.GetPlaySavePath()));
    const QString path = withPlayFileExtension(m_chooser.saveFile(m_parent, kSavePlayTitle, start, kPlayFilter));
    if (path.isEmpty())
        return false;
    m_settings.writePath(QStringLiteral("gspath"), path);
    try {
        SavePlayFile(m_doc, toFilesystemPath(path), m_clock);
    } catch (const jigsaw::FormatError& e) {
        reportFailure(kSavePlayTitle, QStringLiteral("「%1」に保存できませんでした。\n%2").arg(path, fromStd(e.what())));
        return false;
    } catch (const std::bad_alloc&) {
        reportFailure(kSavePlayTitle, QStringLiteral("メモリが足りないため、保存できませんでした。"));
        return false;
    }
    return true;
}

QString FileCommands::readPuzzle(const QString& path)
{
    QString failure;
    try {
        LoadPuzzleFile(m_doc, toFilesystemPath(path), m_clock, m_random, m_events);
    } catch (const jigsaw::FormatError& e) {
        failure = fromStd(e.what());
    } catch (const std::bad_alloc&) {
        failure = kOutOfMemory;
    }
    m_events.finishProgress();
    if (failure.isEmpty())
        m_gameReplaced(path);
    return failure;
}

QString FileCommands::readPlayFile(const QString& path, const QString& shownName)
{
    m_events.holdMessages();
    try {
        OpenPlayFile(m_doc, toFilesystemPath(path), m_clock, m_events);
    } catch (const jigsaw::FormatError& e) {
        m_events.dropMessages();
        return fromStd(e.what());
    } catch (const std::bad_alloc&) {
        m_events.dropMessages();
        return kOutOfMemory;
    }
    m_gameReplaced(shownName.isEmpty() ? path : shownName);
    m_events.releaseMessages();
    return {};
}

bool FileCommands::loadPuzzle(const QString& path)
{
    const QString failure = readPuzzle(path);
    if (!failure.isEmpty())
        reportFailure(kOpenPuzzleTitle, failure);
    return failure.isEmpty();
}

bool FileCommands::loadPlayFile(const QString& path, const QString& shownName)
{
    const QString failure = readPlayFile(path, shownName);
    if (!failure.isEmpty())
        reportFailure(kOpenPlayTitle, failure);
    return failure.isEmpty();
}

bool FileCommands::openByContent(const QString& path)
{
    const QString title = QStringLiteral("ファイルを開く");
    if (!QFileInfo(path).isFile()) {
        reportFailure(title, QStringLiteral("ファイル「%1」が見つかりません。").arg(path));
        return false;
    }
    // Either reader checks the whole file before it touches the game, so a
    // failed first try leaves nothing behind for the second.
    const QString asPuzzle = readPuzzle(path);
    if (asPuzzle.isEmpty())
        return true;
    const QString asPlayFile = readPlayFile(path);
    if (asPlayFile.isEmpty())
        return true;
    // The reason given is the reader's that the file's name points to, so
    // that a damaged puzzle or play file is named for what it lacks.
    const bool namedPlayFile = QFileInfo(path).suffix().compare(QStringLiteral("jpd"), Qt::CaseInsensitive) == 0;
    reportFailure(title, QStringLiteral("「%1」はパズルファイルでもプレイファイルでもありません。\n%2")
                             .arg(QFileInfo(path).fileName(), namedPlayFile ? asPlayFile : asPuzzle));
    return false;
}
