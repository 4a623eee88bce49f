#include "error_message.h"

#include "error_text.h"
#include "format_error.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <string>

using jigsaw::ErrorCode;

namespace {

// The system's reason, as the file layer wrote it down, is errno's text:
// true when it is the text of `number`.
bool reasonIs(const jigsaw::FormatError& error, int number)
{
    return error.arguments().size() > 1 && error.arguments()[1] == std::strerror(number);
}

bool isFileCode(ErrorCode code)
{
    switch (code) {
    case ErrorCode::FileOpenFailed:
    case ErrorCode::FileStatFailed:
    case ErrorCode::NotARegularFile:
    case ErrorCode::FileReadFailed:
    case ErrorCode::FileShrankWhileReading:
    case ErrorCode::FileWriteFailed:
        return true;
    default:
        return false;
    }
}

// What keeps a file from being read, and what to do about it; empty when
// the details alone can tell.
QString readAdvice(const jigsaw::FormatError& error)
{
    if (error.code() == ErrorCode::NotARegularFile)
        return QCoreApplication::translate("ErrorMessage", "フォルダーなど、ファイルでないものです。");
    if (error.code() == ErrorCode::FileShrankWhileReading)
        return QCoreApplication::translate(
            "ErrorMessage", "読み込みの途中でファイルが短くなりました。書き終わるのを待って、もう一度開いてください。");
    if (reasonIs(error, ENOENT))
        return QCoreApplication::translate("ErrorMessage", "ファイルが見つかりません。");
    if (reasonIs(error, EACCES) || reasonIs(error, EPERM))
        return QCoreApplication::translate("ErrorMessage", "このファイルを読む権限がありません。");
    return {};
}

QString writeAdvice(const jigsaw::FormatError& error)
{
    if (reasonIs(error, ENOSPC) || reasonIs(error, EDQUOT))
        return QCoreApplication::translate("ErrorMessage",
                                           "ディスクがいっぱいです。空きを作るか、別の場所に保存してください。");
    if (reasonIs(error, EACCES) || reasonIs(error, EPERM))
        return QCoreApplication::translate(
            "ErrorMessage", "このフォルダーに書き込む権限がありません。別のフォルダーに保存してください。");
    if (reasonIs(error, EROFS))
        return QCoreApplication::translate("ErrorMessage",
                                           "このディスクには書き込めません。別のフォルダーに保存してください。");
    if (reasonIs(error, ENOENT))
        return QCoreApplication::translate("ErrorMessage",
                                           "保存先のフォルダーがありません。別のフォルダーに保存してください。");
    return QCoreApplication::translate("ErrorMessage", "別の場所に保存してみてください。");
}

QString puzzleSummary(ErrorCode code)
{
    if (code == ErrorCode::PuzzleFileTooShort || code == ErrorCode::PuzzleFileSizeUnknown)
        return QCoreApplication::translate("ErrorMessage", "「%1」はパズルファイルではありません。") +
               QLatin1Char('\n') +
               QCoreApplication::translate("ErrorMessage", "パズルファイル（.jzt）は「ケストラ」で画像から作ります。");
    const QString what =
        code == ErrorCode::PuzzleFileTruncated
            ? QCoreApplication::translate("ErrorMessage", "「%1」はパズルファイルですが、途中で切れています。")
            : QCoreApplication::translate("ErrorMessage", "「%1」はパズルファイルではないか、壊れています。");
    return what + QLatin1Char('\n') +
           QCoreApplication::translate("ErrorMessage",
                                       "ファイルをもう一度コピーするか、「ケストラ」でパズルを作り直してください。");
}

QString gameSummary(ErrorCode code)
{
    if (code == ErrorCode::PlayFileBoardTooLarge)
        return QCoreApplication::translate("ErrorMessage", "「%1」のピースは広がりすぎていて、ボードに置けません。");
    const QString what =
        code == ErrorCode::PlayFileTruncated
            ? QCoreApplication::translate("ErrorMessage", "「%1」はプレイファイルですが、途中で切れています。")
            : QCoreApplication::translate("ErrorMessage", "「%1」はプレイファイルではないか、壊れています。");
    return what + QLatin1Char('\n') +
           QCoreApplication::translate("ErrorMessage", "パズルファイルを開けば、そのパズルを初めから遊べます。");
}

// What went wrong with `file` when the error says nothing the user can
// act on: the task failed.
QString taskFailed(FileTask task, const QString& file)
{
    switch (task) {
    case FileTask::OpenPuzzle:
    case FileTask::OpenGame:
        break;
    case FileTask::Save:
        return QCoreApplication::translate("ErrorMessage", "「%1」に保存できませんでした。").arg(file);
    case FileTask::MakePuzzle:
        return QCoreApplication::translate("ErrorMessage", "パズルデータを作れませんでした。");
    }
    return QCoreApplication::translate("ErrorMessage", "「%1」を読み込めませんでした。").arg(file);
}

// The summary of a FormatError. A file the system could not read or write,
// also under another error (the finished picture not saved), has the
// system's reason said plainly where known, and is named by the error's own
// path when the caller names none.
QString summaryOf(const jigsaw::FormatError& error, FileTask task, const QString& file)
{
    const jigsaw::FormatError* bottom = &error;
    while (bottom->cause() != nullptr)
        bottom = bottom->cause();
    if (isFileCode(bottom->code())) {
        const QString name =
            file.isEmpty() ? QFileInfo(QString::fromStdString(bottom->arguments().front())).fileName() : file;
        const bool writing = bottom->code() == ErrorCode::FileWriteFailed;
        const QString advice = writing ? writeAdvice(*bottom) : readAdvice(*bottom);
        const QString failed = writing ? QCoreApplication::translate("ErrorMessage", "「%1」に保存できませんでした。")
                                       : QCoreApplication::translate("ErrorMessage", "「%1」を読み込めませんでした。");
        return advice.isEmpty() ? failed.arg(name) : failed.arg(name) + QLatin1Char('\n') + advice;
    }
    switch (task) {
    case FileTask::OpenPuzzle:
        return puzzleSummary(bottom->code()).arg(file);
    case FileTask::OpenGame:
        return gameSummary(bottom->code()).arg(file);
    case FileTask::Save:
    case FileTask::MakePuzzle:
        break;
    }
    return taskFailed(task, file);
}

}  // namespace

ErrorMessage errorMessage(const std::exception& error, FileTask task, const QString& file)
{
    if (const auto* formatError = dynamic_cast<const jigsaw::FormatError*>(&error))
        return {summaryOf(*formatError, task, file), errorText(*formatError)};
    return {taskFailed(task, file), errorText(error)};
}
