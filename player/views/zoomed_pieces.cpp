#include "zoomed_pieces.h"

#include <QPainter>

#include "board_zoom.h"
#include "piece_images.h"

namespace {

// A sheet length at `percent`, rounded to the nearest pixel, so that the
// reduced cells line up with the scaled sheet.
int reducedLength(int length, int percent) { return (length * percent + 50) / 100; }

}  // namespace

void ZoomedPieces::draw(QPainter& painter, QPoint topLeft, int piece, int turn, int percent)
{
    if (!m_images.canDraw(piece, turn))
        return;
    if (percent == kActualSize) {
        m_images.draw(painter, topLeft, piece, turn);
    } else if (percent < kActualSize) {
        // At a percent or two a piece may round to no pixel at all, and an
        // empty source would stand for the rest of the sheet.
        const QRect source = reducedRect(piece, percent);
        if (!source.isEmpty())
            painter.drawImage(topLeft, reducedSheet(turn, percent), source);
    } else {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(topLeft);
        painter.scale(percent / 100.0, percent / 100.0);
        m_images.draw(painter, QPoint(0, 0), piece, turn);
        painter.restore();
    }
}

const QImage& ZoomedPieces::reducedSheet(int turn, int percent)
{
    if (percent != m_reducedPercent) {
        m_reduced = {};
        m_reducedFrom = {};
        m_reducedPercent = percent;
    }
    const auto t = static_cast<std::size_t>(turn - 1);
    const QImage& sheet = m_images.sheet(turn);
    if (m_reduced[t].isNull() || m_reducedFrom[t] != sheet.cacheKey()) {
        m_reduced[t] = sheet.scaled(reducedLength(sheet.width(), percent), reducedLength(sheet.height(), percent),
                                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_reducedFrom[t] = sheet.cacheKey();
    }
    return m_reduced[t];
}

QRect ZoomedPieces::reducedRect(int piece, int percent) const
{
    const QRect cell = m_images.sourceRect(piece);
    const int left = reducedLength(cell.left(), percent);
    const int top = reducedLength(cell.top(), percent);
    return QRect(left, top, reducedLength(cell.left() + cell.width(), percent) - left,
                 reducedLength(cell.top() + cell.height(), percent) - top);
}
