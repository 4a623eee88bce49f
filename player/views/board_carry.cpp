#include "board_view.h"

#include <QEvent>

#include <algorithm>

// Carrying a group on the board: the point of the viewport it follows, and
// the scrolling when it comes near the view's edges.

namespace {

// The cursor's point of a held group keeps this much more room from the
// bottom edge.
constexpr int kBottomClearance = 25;
// A carry point this close to an edge of what it can reach scrolls the
// board that way by a step each tick.
constexpr int kEdgeBand = 32;
constexpr int kEdgeStep = 24;

}  // namespace

QPoint CVorpelView::carryPoint(QPoint viewportPos) const
{
    // The group itself may reach past the edges: the board scrolls to it.
    const int right = std::max(0, viewport()->width() - 1);
    const int bottom = std::max(0, viewport()->height() - 1 - kBottomClearance);
    return QPoint(std::clamp(viewportPos.x(), 0, right), std::clamp(viewportPos.y(), 0, bottom));
}

QPoint CVorpelView::edgeScrollStep(QPoint carryAt) const
{
    const QPoint far = carryPoint(QPoint(viewport()->width(), viewport()->height()));
    const QPoint scroll = scrollPosition();
    // Past its far edges the board grows as the group goes, up to what a
    // play file holds.
    const QPoint reach = boardPoint(far);
    const auto along = [](int at, int farEnd, int scrolled, int boardEnd) {
        if (at <= kEdgeBand && scrolled > 0)
            return -kEdgeStep;
        if (at >= farEnd - kEdgeBand && boardEnd < kMaxBoardCoordinate)
            return kEdgeStep;
        return 0;
    };
    return QPoint(along(carryAt.x(), far.x(), scroll.x(), reach.x()),
                  along(carryAt.y(), far.y(), scroll.y(), reach.y()));
}

void CVorpelView::followEdges(QPoint carryAt)
{
    m_carryAt = carryAt;
    if (edgeScrollStep(carryAt).isNull())
        m_edgeScroll.stop();
    else if (!m_edgeScroll.isActive())
        m_edgeScroll.start();
}

void CVorpelView::scrollWhileCarrying()
{
    const bool carrying = m_doc.GetHolding() && !m_doc.GetTrayDrag();
    const QPoint step = carrying ? edgeScrollStep(m_carryAt) : QPoint();
    if (step.isNull()) {
        m_edgeScroll.stop();
        return;
    }
    scrollTo(scrollPosition() + step);
    const QPoint bp = boardPoint(m_carryAt);
    showDamage(MoveCarriedGroups(m_doc, bp.x(), bp.y()), std::nullopt);
}

bool CVorpelView::viewportEvent(QEvent* event)
{
    // A cursor that left the view leaves its edges.
    if (event->type() == QEvent::Leave)
        m_edgeScroll.stop();
    return QAbstractScrollArea::viewportEvent(event);
}
