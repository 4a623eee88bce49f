#pragma once

#include <QTemporaryDir>

#include "creation_flow.h"
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

// Data creation's questions all answered yes, its file saved as `target`.
inline kestra::CreationPrompts agreeingPrompts(const QString& target)
{
    kestra::CreationPrompts prompts;
    prompts.confirm = [](QWidget*) { return true; };
    prompts.chooseFormat = [](QWidget*, CKestraDoc&) { return true; };
    prompts.editMessage = [](QWidget*, CKestraDoc&) { return true; };
    prompts.chooseSaveFile = [target](QWidget*, const QString&, const QString&) { return target; };
    return prompts;
}
