#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

// A path from a dialog or the command line as the file system spells it (in
// the locale's encoding), for the Qt-free libraries.
inline std::filesystem::path toFilesystemPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
