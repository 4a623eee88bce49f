#pragma once

#include <QString>
#include <QStringList>

// Where a program's data files (sounds, music, help) lie: beside the
// executable, as in the build tree, then in the installed data folder
// "share/<program>" next to the executable's "bin" folder. The second is
// found relative to the executable, so an installation works under any
// prefix it is copied to.
QStringList dataFolders(const QString& program);

// The first existing file `name` in dataFolders(program), or an empty string.
QString findDataFile(const QString& program, const QString& name);
