#pragma once

#include "ini_settings.h"

#include <QStandardPaths>
#include <QString>

// What a file dialog is for: an open dialog needs a folder it can read, a
// save dialog one it can write.
enum class DialogUse { Open, Save };

// The folder a file dialog starts in. `remembered` is the folder the dialog
// last used, or a file in it (empty when none); it is taken when it still
// exists, the dialog can use it and it is not the program's own folder (the
// settings' default before any choice, and for an installed copy a system
// folder). Otherwise the user's `fallback` folder (documents, pictures,
// music), or the home folder when that does not exist. Tests pass their own
// `isWritable`, since the superuser may write anywhere.
QString dialogStartFolder(const QString& remembered, DialogUse use,
                          QStandardPaths::StandardLocation fallback = QStandardPaths::DocumentsLocation,
                          bool (*isWritable)(const QString& folder) = IniSettings::isWritableFolder);
