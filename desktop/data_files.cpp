#include "data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList dataFolders(const QString& program)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    return {exeDir, QDir::cleanPath(exeDir + QStringLiteral("/../share/") + program)};
}

QString findDataFile(const QString& program, const QString& name)
{
    for (const QString& folder : dataFolders(program)) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}
