#include "piece_hand_over.h"

#include <optional>

#include "board_view.h"
#include "board_zoom.h"

namespace {

// Edge scrolling crosses the board's range in this many steps.
constexpr int kEdgeSteps = 5;

// The step along one axis for a cursor at `at` on a view spanning
// [low, high] with the scroll at `scroll` of `max`, the image moving by
// `motion`.
int edgeStep(int at, int low, int high, int band, int motion, int scroll, int max)
{
    const int step = max / kEdgeSteps;
    if (step <= 0)
        return 0;
    if (at >= low && at <= low + band && motion < 0 && scroll > 0)
        return -step;
    if (at >= high - band && at <= high && motion > 0 && scroll < max)
        return step;
    return 0;
}

}  // namespace

PieceHandOver::PieceHandOver(CVorpelView& board) : m_board(board) {}

int PieceHandOver::zoomAt(QPoint globalPos) const
{
    return m_board.boardPointAt(globalPos) ? m_board.zoomPercent() : kActualSize;
}

void PieceHandOver::followDrag(QPoint globalPos, QPoint from, QPoint to, int pieceSize)
{
    const QRect b(m_board.viewport()->mapToGlobal(QPoint(0, 0)), m_board.viewport()->size());
    const QSize range = m_board.totalSize() - b.size();
    const QPoint scroll = m_board.scrollPosition();
    const QPoint motion = to - from;
    const int band = pieceSize / 2;
    const int x = globalPos.x();
    const int y = globalPos.y();
    const int dx = y >= b.top() && y <= b.bottom()
                       ? edgeStep(x, b.left(), b.right(), band, motion.x(), scroll.x(), range.width())
                       : 0;
    const int dy = x >= b.left() && x <= b.right()
                       ? edgeStep(y, b.top(), b.bottom(), band, motion.y(), scroll.y(), range.height())
                       : 0;
    if (dx != 0 || dy != 0)
        m_board.scrollBoardBy(dx, dy);
}

TrayDropPoint PieceHandOver::dropAt(QPoint globalPos) const
{
    const std::optional<QPoint> point = m_board.boardPointAt(globalPos);
    if (!point)
        return {};
    return TrayDropPoint{TrayDropPoint::Where::Board, POINT{point->x(), point->y()}};
}

void PieceHandOver::arrive(const JoinResult& join) { m_board.pieceArrived(join); }
