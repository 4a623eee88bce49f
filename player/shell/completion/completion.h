#pragma once

#include <QString>

#include "game_clock.h"
#include "vorpel_doc.h"

class FileChooser;
class IniSettings;
class QWidget;

// The end of a game, run modally when the last join completes the puzzle:
// saving the game is no longer offered and the clock stops; the time is
// recorded with the puzzle's best times under the game's file name
// `gameName` (best_time_store.h); the user is congratulated with the time
// taken and the best time (dialog 138) and chooses what to do with
// the finished picture (dialog 147): save it as a BMP or JPEG file, or save
// it as a BMP file and set it as the wallpaper, each after choosing panel
// and glue (dialog 164). The save dialog proposes the name of the game's
// file, `gameName`, as a picture. Every failure with the picture is told in a
// message box; a time that could not be recorded, in the congratulations.
void RunCompletion(QWidget* parent, CVorpelDoc& doc, GameClock& clock, FileChooser& chooser,
                   IniSettings& settings, const QString& gameName);

// The finished picture's file formats.
enum class PictureFormat { Bmp, Jpeg };

struct PictureTarget {
    QString path;
    PictureFormat format;
};

// Where and how a chosen name is saved: ".bmp" as BMP, ".jpg" and ".jpeg"
// as JPEG, in any case; any other name gets the chosen filter's extension
// appended and its format.
PictureTarget pictureTarget(const QString& chosenPath, const QString& chosenFilter);
