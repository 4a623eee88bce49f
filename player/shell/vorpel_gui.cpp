#include "vorpel_gui.h"

#include "drawn_icon.h"
#include "file_chooser.h"
#include "main_frame.h"
#include "sdl_music_device.h"
#include "sdl_sound_effects.h"
#include "vorpel_settings.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {

// The application icon: two interlocking pieces on green cloth.
QIcon makeIcon()
{
    return drawnIcon([](QPainter& p) {
        p.fillRect(QRectF(2, 2, 60, 60), QColor(40, 120, 60));
        QPainterPath left;
        left.addRect(QRectF(8, 16, 24, 32));
        left.addEllipse(QRectF(26, 26, 12, 12));
        p.fillPath(left.simplified(), QColor(250, 210, 80));
        QPainterPath right;
        right.addRect(QRectF(38, 16, 20, 32));
        p.fillPath(right, QColor(120, 170, 230));
    });
}

}  // namespace

int runVorpelGui(const QString& filePath)
{
    QApplication::setApplicationName(QStringLiteral("Vorpel"));
    QApplication::setWindowIcon(makeIcon());

    VorpelSettings settings(VorpelSettings::defaultIniPath());
    MtRandom random;
    DialogFileChooser chooser;
    SdlSoundEffects sounds;
    SdlMusicDevice music;
    CMainFrame frame(settings, systemClock(), random, sounds, chooser, music);
    frame.show();
    if (!filePath.isEmpty())
        QTimer::singleShot(0, &frame, [&frame, filePath] { frame.openFromCommandLine(filePath); });
    return QApplication::exec();
}
