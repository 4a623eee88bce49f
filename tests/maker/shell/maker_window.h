#pragma once

#include <QTemporaryDir>

#include "kestra_doc.h"
#include "kestra_settings.h"
#include "main_frame.h"

// A main window of the maker on a fresh document and settings file.
struct Maker {
    QTemporaryDir dir;
    KestraSettings settings{dir.filePath(QStringLiteral("kestra.ini"))};
    CKestraDoc doc;
    CMainFrame frame{doc, settings};
};
