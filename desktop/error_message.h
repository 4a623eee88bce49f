#pragma once

#include <QString>

#include <exception>

// An error as a message box shows it: a summary in plain words that names
// the file and says what the user can do, and the technical details behind
// it for those who ask.
struct ErrorMessage {
    QString summary;
    QString details;
};

// What the user was doing with the file when the error came.
enum class FileTask { OpenPuzzle, OpenGame, Save, MakePuzzle };

// `error` met while doing `task` with the file shown as `file`; with no
// `file`, a file the system could not read or write is named by the
// error's own path.
ErrorMessage errorMessage(const std::exception& error, FileTask task, const QString& file);
