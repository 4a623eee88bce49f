#include "completion.h"

#include "congratulation_dialog.h"
#include "dialog_folder.h"
#include "error_message.h"
#include "error_text.h"
#include "file_chooser.h"
#include "file_error_box.h"
#include "file_path.h"
#include "finished_picture.h"
#include "finished_picture_dialog.h"
#include "ini_settings.h"
#include "panel_art.h"
#include "panel_dialog.h"
#include "picture_writers.h"
#include "wallpaper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <exception>
#include <optional>

namespace {

const char* const kSaveTitle = QT_TRANSLATE_NOOP("Completion", "名前を付けて保存");
const char* const kMessageTitle = QT_TRANSLATE_NOOP("Completion", "完成パズル画像");
const char* const kBmpFilter = QT_TRANSLATE_NOOP("Completion", "Bmp Files (*.bmp)");
const char* const kSaveFilters = QT_TRANSLATE_NOOP("Completion", "JPEG Files (*.jpg);;BITMAP Files (*.bmp)");

// A text of the end of a game as the user reads it.
QString shown(const char* text)
{
    return QCoreApplication::translate("Completion", text);
}

// The name last chosen for a finished picture, whose folder the next save
// dialog opens in.
const QString kFolderKey = QStringLiteral("cppath");

// Dialog 164, then the finished picture as chosen there; nothing, after a
// message, when the puzzle's pictures cannot make one.
std::optional<FinishedBuffer> composePicture(QWidget* parent, CVorpelDoc& doc)
{
    PanelDialog panel(doc, parent);
    panel.exec();
    try {
        std::optional<PanelImages> frame;
        if (doc.GetPanel() != 0)
            frame = PanelImages{PanelMask(), PanelArt(doc.GetPanel())};
        return CaptureFinishedPicture(doc, ComposeFinishedPicture(doc, frame ? &*frame : nullptr));
    } catch (const std::exception& e) {
        showErrorMessage(parent, shown(kMessageTitle),
                         {QCoreApplication::translate("Completion", "完成画像を作れませんでした。"), errorText(e)});
        return std::nullopt;
    }
}

// The save dialog in the folder last used, or the user's pictures folder,
// proposing the game's name with the first filter's extension; the chosen
// name, empty when cancelled.
QString askName(QWidget* parent, FileChooser& chooser, IniSettings& settings, const QString& gameName,
                const QString& filters, QString& chosenFilter)
{
    const QString folder =
        dialogStartFolder(settings.readPath(kFolderKey, QString()), DialogUse::Save, QStandardPaths::PicturesLocation);
    const QString base = QFileInfo(gameName).completeBaseName();
    const QString start =
        base.isEmpty() ? folder : QDir(folder).filePath(base + QLatin1Char('.') + filterExtension(filters));
    const QString path = chooser.saveFileAs(parent, shown(kSaveTitle), start, filters, chosenFilter);
    if (!path.isEmpty())
        settings.writePath(kFolderKey, path);
    return path;
}

// Writes the picture; false after telling the user which file could not be
// written and why.
bool writeFinishedPicture(QWidget* parent, const PictureTarget& target, const FinishedBuffer& picture)
{
    try {
        if (target.format == PictureFormat::Bmp)
            WriteBmp(toFilesystemPath(target.path), picture);
        else
            WriteJpeg(toFilesystemPath(target.path), picture);
        return true;
    } catch (const std::exception& e) {
        showErrorMessage(parent, shown(kMessageTitle),
                         errorMessage(e, FileTask::Save, QFileInfo(target.path).fileName()));
        return false;
    }
}

void saveAsWallpaper(QWidget* parent, CVorpelDoc& doc, FileChooser& chooser, IniSettings& settings,
                     const QString& gameName)
{
    const std::optional<FinishedBuffer> picture = composePicture(parent, doc);
    if (!picture)
        return;
    QString filter;
    const QString chosen = askName(parent, chooser, settings, gameName, shown(kBmpFilter), filter);
    // Cancelling leaves the wallpaper as it was.
    if (chosen.isEmpty())
        return;
    const PictureTarget target = pictureTarget(chosen, shown(kBmpFilter));
    PictureTarget bmp{target.path, PictureFormat::Bmp};
    if (target.format != PictureFormat::Bmp)
        bmp.path += QStringLiteral(".bmp");
    if (!writeFinishedPicture(parent, bmp, *picture))
        return;
    const QString saved = QFileInfo(bmp.path).absoluteFilePath();
    const QString failure = SetDesktopWallpaper(saved);
    if (!failure.isEmpty())
        showErrorMessage(parent, shown(kMessageTitle),
                         {QCoreApplication::translate(
                              "Completion", "壁紙を設定できませんでした。\n完成画像は次の場所に保存してあります。\n%1")
                              .arg(QDir::toNativeSeparators(saved)),
                          failure});
}

void saveOnly(QWidget* parent, CVorpelDoc& doc, FileChooser& chooser, IniSettings& settings,
              const QString& gameName)
{
    const std::optional<FinishedBuffer> picture = composePicture(parent, doc);
    if (!picture)
        return;
    QString filter;
    const QString chosen = askName(parent, chooser, settings, gameName, shown(kSaveFilters), filter);
    if (!chosen.isEmpty())
        writeFinishedPicture(parent, pictureTarget(chosen, filter), *picture);
}

}  // namespace

PictureTarget pictureTarget(const QString& chosenPath, const QString& chosenFilter)
{
    const QString suffix = QFileInfo(chosenPath).suffix().toLower();
    if (suffix == QLatin1String("bmp"))
        return {chosenPath, PictureFormat::Bmp};
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return {chosenPath, PictureFormat::Jpeg};
    const QString extension = filterExtension(chosenFilter).toLower();
    return {chosenPath + QLatin1Char('.') + extension,
            extension == QLatin1String("bmp") ? PictureFormat::Bmp : PictureFormat::Jpeg};
}

void RunCompletion(QWidget* parent, CVorpelDoc& doc, GameClock& clock, FileChooser& chooser,
                   IniSettings& settings, const QString& gameName)
{
    const ElapsedTime time = TakeFinalTime(doc, clock.TickMs());
    const BestTimeStore::Recorded recorded =
        BestTimeStore(BestTimeStore::defaultPath()).record(doc, gameName, clock.TimeSeconds());
    CongratulationDialog congratulations(time, recorded, parent);
    congratulations.exec();

    FinishedPictureDialog what(parent);
    what.exec();
    switch (what.choice()) {
    case FinishedPictureDialog::Choice::SaveAsWallpaper:
        saveAsWallpaper(parent, doc, chooser, settings, gameName);
        break;
    case FinishedPictureDialog::Choice::Save:
        saveOnly(parent, doc, chooser, settings, gameName);
        break;
    case FinishedPictureDialog::Choice::Nothing:
        break;
    }
}
