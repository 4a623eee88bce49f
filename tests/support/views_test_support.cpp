#include "views_test_support.h"

#include <QApplication>
#include <QScrollBar>

#include "board_view.h"

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
