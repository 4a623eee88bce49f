// The board view's choice of groups: the band, Ctrl+click, Escape, picking
// up the chosen groups and their outlines.

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

#include "board_view.h"
#include "board_zoom.h"

namespace {

const QColor kChosenColor(255, 255, 0);
const QColor kBandColor(255, 255, 255);
constexpr int kChosenLine = 2;

// The strip `width` wide along one side of `rect`: up, right, down, left.
QRect sideStrip(const QRect& rect, int side, int width)
{
    switch (side) {
    case 0: return QRect(rect.left(), rect.top(), rect.width(), width);
    case 1: return QRect(rect.right() - width + 1, rect.top(), width, rect.height());
    case 2: return QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width);
    default: return QRect(rect.left(), rect.top(), width, rect.height());
    }
}

// The rectangle with corners a and b, both inside it.
QRect spanned(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

}  // namespace

void CVorpelView::clearSelection()
{
    if (m_doc.Selected() == GroupMatrix{})
        return;
    ClearSelection(m_doc);
    viewport()->update();
}

void CVorpelView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || m_doc.GetHolding()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    viewport()->update(bandOutline());
    m_bandFrom.reset();
    clearSelection();
}

void CVorpelView::pressOnBoard(QPoint viewportPoint, bool toggle)
{
    const QPoint bp = boardPoint(viewportPoint);
    const int under = FindPieceAt(m_doc, bp.x(), bp.y());
    if (toggle) {
        if (ToggleGroup(m_doc, under))
            viewport()->update();
        return;
    }
    if (under == kNoPiece) {
        clearSelection();
        m_bandFrom = bp;
        m_bandTo = bp;
        return;
    }
    const GroupMatrix chosen = m_doc.Selected();
    PickUpGroups(m_doc, bp.x(), bp.y());
    showDamage(GroupsDamage{CarriedBounds(m_doc), POINT{}}, GroupMatrix{});
    // Outlines of groups no longer chosen may lie anywhere.
    if (m_doc.Selected() != chosen)
        viewport()->update();
}

void CVorpelView::extendBand(QPoint viewportPoint)
{
    const QRegion before = bandOutline();
    m_bandTo = boardPoint(viewportPoint);
    viewport()->update(before + bandOutline());
}

void CVorpelView::finishBand()
{
    const QRect band = spanned(*m_bandFrom, m_bandTo);
    viewport()->update(bandOutline());
    m_bandFrom.reset();
    const GroupMatrix chosen = m_doc.Selected();
    SelectGroupsIn(m_doc, RECT{band.left(), band.top(), band.right(), band.bottom()});
    if (m_doc.Selected() != chosen)
        viewport()->update();
}

QRegion CVorpelView::bandOutline() const
{
    if (!m_bandFrom)
        return {};
    const QRect band =
        spanned(zoomedPoint(*m_bandFrom, m_zoom), zoomedPoint(m_bandTo, m_zoom)).translated(-scrollPosition());
    QRegion outline;
    for (int side = 0; side < 4; ++side)
        outline += sideStrip(band, side, 1);
    return outline;
}

void CVorpelView::paintSelection(QPainter& painter, const QRect& exposed)
{
    const int cols = m_doc.GetCols();
    const int margin = m_doc.GetMargin();
    const int cell = m_doc.GetCellSize();
    const QPoint scroll = scrollPosition();
    for (int id = 0; id < m_doc.PieceCount(); ++id) {
        const int c = id % cols;
        const int r = id / cols;
        const int turn = m_doc.GetBoardTurn(id);
        if (turn == 0 || !m_doc.Selected()[c][r])
            continue;
        // The piece's square reaches halfway into the knob band on each
        // side, where the cut between neighbours runs.
        const RECT& rect = m_doc.PieceRect()[c][r];
        const QPoint topLeft(rect.left + margin / 2, rect.top + margin / 2);
        const QPoint end = zoomedPoint(topLeft + QPoint(cell + margin, cell + margin), m_zoom);
        const QRect body(zoomedPoint(topLeft, m_zoom), end - QPoint(1, 1));
        if (!body.intersects(exposed))
            continue;
        // A side the piece shares with a joined neighbour is inside the
        // group's outline; the picture's direction d lies on the board's
        // side d turned with the piece.
        for (int d = 0; d < 4; ++d) {
            const int nc = c + m_doc.GetDirX(d);
            const int nr = r + m_doc.GetDirY(d);
            const bool joined = nc >= 0 && nr >= 0 && nc < cols && nr < m_doc.GetRows() && m_doc.Group(id)[nc][nr];
            if (!joined)
                painter.fillRect(sideStrip(body.translated(-scroll), (d + turn - 1) % 4, kChosenLine), kChosenColor);
        }
    }
    for (const QRect& edge : bandOutline())
        painter.fillRect(edge, kBandColor);
}
