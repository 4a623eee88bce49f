#pragma once

#include <QString>

class QWidget;

// Asks the user for a file to open or a name to save under. The file commands
// go through this so that tests can answer without a dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // `filter` is one file-dialog filter such as "Play Data Files (*.jpd)";
    // `start` a folder or a file whose folder to show first; a save dialog
    // proposes that file's name. An empty result means the user cancelled.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& start,
                             const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& start,
                             const QString& filter) = 0;

    // A save dialog offering several filters joined by ";;"; `chosenFilter`
    // receives the one the user chose, or the first when that is unknown.
    virtual QString saveFileAs(QWidget* parent, const QString& title, const QString& start, const QString& filters,
                               QString& chosenFilter);
};

// The desktop's file dialogs.
class DialogFileChooser final : public FileChooser {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& start, const QString& filter) override;
    QString saveFileAs(QWidget* parent, const QString& title, const QString& start, const QString& filters,
                       QString& chosenFilter) override;
};

// The extension a filter's first pattern names: "jpg" for "JPEG Files (*.jpg)".
QString filterExtension(const QString& filter);

// The filter's patterns made to match their extension in any case
// ("*.jzt" becomes "*.[jJ][zZ][tT]"), since extensions are compared without
// regard to case while the file system does not.
QString anyCaseFilter(const QString& filter);
