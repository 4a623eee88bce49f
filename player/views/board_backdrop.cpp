#include <QPainter>

#include "board_view.h"
#include "board_zoom.h"

namespace {

// How strongly the finished picture shows through the table.
constexpr qreal kBackdropOpacity = 0.2;

}  // namespace

QColor CVorpelView::defaultTableColor() { return QColor(0, 128, 0); }

void CVorpelView::setTableColor(const QColor& color)
{
    if (color == m_tableColor)
        return;
    m_tableColor = color;
    documentChanged();
}

void CVorpelView::setBackdropShown(bool shown)
{
    if (shown == m_backdropShown)
        return;
    m_backdropShown = shown;
    documentChanged();
}

void CVorpelView::paintBackdrop(QPainter& painter, const QRect& area)
{
    painter.fillRect(area, m_tableColor);
    if (!m_backdropShown)
        return;
    // The completed puzzle lies with piece (c, r) at pitch × (c, r), as in
    // the finished picture: each piece is drawn there upright, faintly, by
    // the same zoomed drawing as the pieces, so that they line up with it.
    painter.save();
    painter.setOpacity(kBackdropOpacity);
    const int pitch = m_doc.Pitch();
    const int size = m_doc.PieceSize();
    for (int r = 0; r < m_doc.GetRows(); ++r)
        for (int c = 0; c < m_doc.GetCols(); ++c) {
            const QRect home(c * pitch, r * pitch, size, size);
            if (zoomedArea(home, m_zoom).intersects(area))
                drawPiece(painter, home, QPoint(0, 0), r * m_doc.GetCols() + c, 1);
        }
    painter.restore();
}
