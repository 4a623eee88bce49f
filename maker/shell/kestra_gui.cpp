#include "kestra_gui.h"

#include "drawn_icon.h"
#include "kestra_doc.h"
#include "kestra_settings.h"
#include "main_frame.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>

namespace {

// The application icon: one jigsaw piece on a picture-frame square.
QIcon makeIcon()
{
    return drawnIcon([](QPainter& p) {
        p.fillRect(QRectF(2, 2, 60, 60), QColor(255, 180, 180));
        p.fillRect(QRectF(6, 6, 52, 52), QColor(60, 110, 170));
        QPainterPath piece;
        piece.addRect(QRectF(16, 20, 28, 28));
        piece.addEllipse(QRectF(24, 10, 12, 12));
        piece.addEllipse(QRectF(40, 28, 12, 12));
        p.fillPath(piece.simplified(), QColor(250, 210, 80));
    });
}

}  // namespace

int runKestraGui(int& argc, char** argv, const QString& picturePath)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestra"));
    QApplication::setWindowIcon(makeIcon());

    CKestraDoc doc;
    doc.InitPaths(QCoreApplication::applicationFilePath());
    KestraSettings settings(KestraSettings::defaultIniPath());
    doc.m_szIniPath = settings.path();

    CMainFrame frame(doc, settings);
    frame.show();
    if (!picturePath.isEmpty())
        frame.loadPictureFile(picturePath);
    return app.exec();
}
