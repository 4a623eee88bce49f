#include "views_test_support.h"

#include <QApplication>
#include <QPaintEvent>
#include <QScrollBar>

#include <algorithm>

#include "board_view.h"

int RecordingSounds::count(SoundEffect effect) const
{
    return static_cast<int>(std::count(played.begin(), played.end(), effect));
}

bool PaintRecorder::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        painted += static_cast<QPaintEvent*>(event)->region();
    return false;
}

POINT homePlace(const CVorpelDoc& doc, int piece, int x0, int y0)
{
    return POINT{x0 + (piece % doc.GetCols()) * doc.Pitch(), y0 + (piece / doc.GetCols()) * doc.Pitch()};
}

QImage freshBoardShot(const CVorpelView& shown, CVorpelDoc& doc, const PieceImages& images)
{
    QWidget pane;
    pane.resize(shown.parentWidget()->size());
    CVorpelView other(doc, images, silentSoundEffects(), &pane);
    other.setGeometry(shown.geometry());
    pane.show();
    QApplication::processEvents();
    other.zoomAbout(shown.zoomPercent(), QPoint(0, 0));
    other.horizontalScrollBar()->setValue(shown.horizontalScrollBar()->value());
    other.verticalScrollBar()->setValue(shown.verticalScrollBar()->value());
    // The scroll bars show or hide on a queued signal.
    QApplication::processEvents();
    return other.viewport()->grab().toImage();
}
