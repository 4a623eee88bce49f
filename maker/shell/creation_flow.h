#pragma once

#include <QString>

#include <functional>

class CKestraDoc;
class KestraSettings;
class QWidget;

namespace kestra {

// The questions data creation puts to the user, in the order it asks them.
// The defaults show the maker's dialogs; tests answer them in code. A false
// answer (the dialog closed with ✕, or Escape where Escape means no) ends the
// creation without a file.
struct CreationPrompts {
    std::function<bool(QWidget* parent)> confirm;                      // dialog 134
    std::function<bool(QWidget* parent, CKestraDoc& doc)> chooseFormat;  // dialog 177
    // Dialog 163: Escape keeps the previous message and goes on; ✕ ends.
    std::function<bool(QWidget* parent, CKestraDoc& doc)> editMessage;
    // The save dialog, proposing `name` (the picture's name with .jzt, empty
    // for a pasted picture) in `startFolder`; an empty result cancels.
    std::function<QString(QWidget* parent, const QString& startFolder, const QString& name)> chooseSaveFile;
};

CreationPrompts defaultCreationPrompts();

// Command 32781: confirmation, sampling of the framed picture, data format,
// palette mapping (256-colour pictures), cutting or template mapping, message,
// file name, and the atomic write. Every stage shows its progress dialog;
// closing one ends the command. Failures end the command with a message. Returns the file written, or an
// empty string when nothing was written.
QString runDataCreation(QWidget* parent, CKestraDoc& doc, KestraSettings& settings,
                        const CreationPrompts& prompts = defaultCreationPrompts());

}  // namespace kestra
