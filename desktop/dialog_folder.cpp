#include "dialog_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The programs' own folder is where their settings point before the user has
// chosen any; it holds no files of the user's.
bool isProgramFolder(const QFileInfo& folder)
{
    return QCoreApplication::instance() != nullptr &&
           folder.canonicalFilePath() == QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
}

}  // namespace

QString dialogStartFolder(const QString& remembered, DialogUse use, QStandardPaths::StandardLocation fallback,
                          bool (*isWritable)(const QString& folder))
{
    if (!remembered.isEmpty()) {
        const QFileInfo given(remembered);
        const QFileInfo folder(given.isDir() ? given.absoluteFilePath() : given.absolutePath());
        const bool usable = use == DialogUse::Open ? folder.isReadable() && folder.isExecutable()
                                                 : isWritable(folder.absoluteFilePath());
        if (folder.isDir() && usable && !isProgramFolder(folder))
            return QDir::cleanPath(folder.absoluteFilePath());
    }
    const QString user = QStandardPaths::writableLocation(fallback);
    return !user.isEmpty() && QFileInfo(user).isDir() ? user : QDir::homePath();
}
