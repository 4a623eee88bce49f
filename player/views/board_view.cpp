#include "board_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "board_zoom.h"
#include "damage_region.h"
#include "piece_images.h"
#include "sound_effects.h"

namespace {

// The splitter's size exceeds the scrollable size by this much each way.
constexpr int kSplitterSlack = 20;
// One wheel notch also moves the board this far sideways.
constexpr int kWheelSideStep = 50;
// Carrying near an edge scrolls the board a step at this interval.
constexpr int kEdgeTickMs = 30;

QRect toQRect(const RECT& r)
{
    if (IsEmptyRect(r))
        return {};
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool validCell(const CVorpelDoc& doc, int c, int r)
{
    return c >= 0 && r >= 0 && c < doc.GetCols() && r < doc.GetRows();
}

// Calls f(c, r) for every piece of the draw order, bottom first.
template <class F>
void forEachInStackingOrder(const CVorpelDoc& doc, F&& f)
{
    const int n = std::min(doc.PieceCount(), kMaxPieces);
    for (int z = 0; z < n; ++z) {
        const int c = doc.ZCol()[z];
        const int r = doc.ZRow()[z];
        if (validCell(doc, c, r))
            f(c, r);
    }
}

}  // namespace

CVorpelView::CVorpelView(CVorpelDoc& doc, const PieceImages& images, SoundEffects& sounds, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_sounds(sounds), m_zoomed(images)
{
    // A held group follows the mouse with no button down.
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // Right clicks turn pieces; the menu on empty board is asked for by
    // contextMenuRequested, never by Qt's own context menu event.
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    m_edgeScroll.setInterval(kEdgeTickMs);
    connect(&m_edgeScroll, &QTimer::timeout, this, &CVorpelView::scrollWhileCarrying);
    updateScrollBars(scrollPosition());
}

void CVorpelView::documentChanged()
{
    m_cacheDirty = true;
    updateScrollBars(scrollPosition());
    viewport()->update();
}

QSize CVorpelView::totalSize() const { return sizeKeeping(scrollPosition()); }

QSize CVorpelView::tableSize() const
{
    const int neededW = m_doc.Pitch() * m_doc.GetCols() + m_doc.GetMargin() + 2 * m_doc.GetMarkOffsetX();
    const int neededH = m_doc.Pitch() * m_doc.GetRows() + m_doc.GetMargin();
    // Pieces may lie beyond the puzzle's size (a game resumed in a smaller
    // window, a turn at the edge): the board grows to hold them, as a table
    // would.
    const RECT pieces = BoardBounds(m_doc);
    return QSize(std::max(neededW, static_cast<int>(pieces.right)),
                 std::max(neededH, static_cast<int>(pieces.bottom)));
}

QSize CVorpelView::sizeKeeping(QPoint scroll) const
{
    // The pane stays covered at any zoom. A board that shrinks does so only
    // once the view has left the area that goes.
    const QSize splitter = parentWidget() ? parentWidget()->size() : size();
    const QRect table = zoomedArea(QRect(QPoint(0, 0), tableSize()), m_zoom);
    const QSize page = viewport()->size();
    const int shownW = scroll.x() > 0 ? scroll.x() + page.width() : 0;
    const int shownH = scroll.y() > 0 ? scroll.y() + page.height() : 0;
    return QSize(std::max({splitter.width() - kSplitterSlack, table.right() + 1, shownW}),
                 std::max({splitter.height() - kSplitterSlack, table.bottom() + 1, shownH}));
}

QPoint CVorpelView::scrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

std::optional<QPoint> CVorpelView::boardPointAt(QPoint globalPos) const
{
    const QPoint local = viewport()->mapFromGlobal(globalPos);
    if (!viewport()->rect().contains(local))
        return std::nullopt;
    return boardPoint(local);
}

void CVorpelView::zoomAbout(int percent, QPoint anchor)
{
    if (!isZoom(percent) || percent == m_zoom)
        return;
    // The board point under the anchor keeps its fraction, so that zooming
    // in and out again comes back to the same place.
    const QPointF board = QPointF(anchor + scrollPosition()) * (100.0 / m_zoom);
    m_zoom = percent;
    m_cacheDirty = true;
    scrollTo((board * (percent / 100.0) - QPointF(anchor)).toPoint());
    viewport()->update();
    emit zoomChanged(m_zoom);
}

void CVorpelView::zoomIn() { zoomAbout(nextZoomLevel(m_zoom, 1), viewport()->rect().center()); }

void CVorpelView::zoomOut() { zoomAbout(nextZoomLevel(m_zoom, -1), viewport()->rect().center()); }

void CVorpelView::zoomActualSize() { zoomAbout(kActualSize, viewport()->rect().center()); }

void CVorpelView::zoomToFit()
{
    const QRect table(QPoint(0, 0), tableSize());
    const QSize page = viewport()->size();
    const auto fits = [&](int percent) {
        const QRect zoomed = zoomedArea(table, percent);
        return zoomed.right() < page.width() && zoomed.bottom() < page.height();
    };
    int percent = kZoomLevels.front();
    for (const int level : kZoomLevels)
        if (fits(level))
            percent = level;
    while (percent > 1 && !fits(percent))
        --percent;
    zoomAbout(percent, QPoint(0, 0));
    scrollTo(QPoint(0, 0));
}

QRect CVorpelView::visibleBoardRect() const
{
    const QPoint topLeft = boardPointOf(scrollPosition(), m_zoom);
    const QPoint end = boardPointOf(scrollPosition() + QPoint(viewport()->width(), viewport()->height()), m_zoom);
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

void CVorpelView::pieceArrived(const JoinResult& join)
{
    // The piece may have joined a chosen group.
    SelectWholeGroups(m_doc);
    showDamage(join.damage, GroupMatrix{});
    announceJoins(join.count, join.completed);
}

void CVorpelView::putDownHeldGroup()
{
    if (m_doc.GetHolding() && !m_doc.GetTrayDrag())
        putDown();
}

void CVorpelView::showNearestPieces()
{
    const QRect view = visibleBoardRect();
    const int cols = m_doc.GetCols();
    std::optional<QRect> nearest;
    long long nearestDistance = 0;
    for (int id = 0; id < m_doc.PieceCount(); ++id) {
        if (m_doc.GetBoardTurn(id) == 0)
            continue;
        const QRect rect = toQRect(m_doc.PieceRect()[id % cols][id / cols]);
        if (rect.intersects(view))
            return;
        const long long dx = std::max({0, view.left() - rect.right(), rect.left() - view.right()});
        const long long dy = std::max({0, view.top() - rect.bottom(), rect.top() - view.bottom()});
        if (!nearest || dx * dx + dy * dy < nearestDistance) {
            nearest = rect;
            nearestDistance = dx * dx + dy * dy;
        }
    }
    if (!nearest)
        return;
    // The least move that shows the whole piece, its top-left first when it
    // is larger than the view.
    const auto along = [](int low, int high, int viewLow, int viewHigh) {
        const int move = high > viewHigh ? high - viewHigh : 0;
        return low < viewLow + move ? low - viewLow : move;
    };
    const QPoint move(along(nearest->left(), nearest->right(), view.left(), view.right()),
                      along(nearest->top(), nearest->bottom(), view.top(), view.bottom()));
    scrollTo(scrollPosition() + zoomedPoint(move, m_zoom));
    viewport()->update();
}

void CVorpelView::scrollBoardBy(int dx, int dy)
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
    viewport()->repaint();
}

QPoint CVorpelView::boardPoint(QPoint viewportPoint) const
{
    return boardPointOf(viewportPoint + scrollPosition(), m_zoom);
}

QRect CVorpelView::toViewport(const QRect& boardRect) const
{
    return zoomedArea(boardRect, m_zoom).translated(-scrollPosition());
}

void CVorpelView::updateScrollBars(QPoint scroll)
{
    const QSize total = sizeKeeping(scroll);
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, total.height() - page.height()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setPageStep(page.height());
    horizontalScrollBar()->setSingleStep(std::max(1, page.width() / 10));
    verticalScrollBar()->setSingleStep(std::max(1, page.height() / 10));
}

void CVorpelView::scrollTo(QPoint scroll)
{
    scroll = QPoint(std::max(0, scroll.x()), std::max(0, scroll.y()));
    updateScrollBars(scroll);
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
}

void CVorpelView::drawPiece(QPainter& painter, const QRect& boardRect, QPoint offset, int id, int turn)
{
    m_zoomed.draw(painter, zoomedPoint(boardRect.topLeft(), m_zoom) - offset, id, turn, m_zoom);
}

void CVorpelView::ensureCache()
{
    const QRect wanted(scrollPosition(), viewport()->size());
    const GroupMatrix lifted = CarriedCells(m_doc);
    if (!m_cacheDirty && m_cacheArea == wanted && m_cacheLifted == lifted)
        return;
    if (!m_cacheDirty && m_cacheLifted == lifted && m_cacheArea.size() == wanted.size()) {
        // Scrolled: what stays in view moves with it.
        m_cache = m_cache.copy(wanted.translated(-m_cacheArea.topLeft()));
        const QRegion exposed = QRegion(wanted) - QRegion(m_cacheArea);
        m_cacheArea = wanted;
        for (const QRect& rect : exposed)
            renderCache(rect);
        return;
    }
    // Groups lifted or put down behind the view's back may lie anywhere.
    if (m_cacheLifted != lifted)
        viewport()->update();
    if (m_cache.size() != wanted.size())
        m_cache = QImage(wanted.size(), QImage::Format_RGB32);
    m_cacheArea = wanted;
    m_cacheLifted = lifted;
    m_cacheDirty = false;
    renderCache(m_cacheArea);
}

void CVorpelView::renderCache(const QRect& zoomedRect)
{
    const QRect area = zoomedRect & m_cacheArea;
    if (area.isEmpty() || m_cache.isNull())
        return;
    QPainter painter(&m_cache);
    painter.translate(-m_cacheArea.topLeft());
    painter.setClipRect(area);
    paintBackdrop(painter, area);
    const int cols = m_doc.GetCols();
    forEachInStackingOrder(m_doc, [&](int c, int r) {
        const int id = r * cols + c;
        const int turn = m_doc.GetBoardTurn(id);
        if (turn == 0 || m_cacheLifted[c][r])
            return;
        const QRect rect = toQRect(m_doc.PieceRect()[c][r]);
        if (zoomedArea(rect, m_zoom).intersects(area))
            drawPiece(painter, rect, QPoint(0, 0), id, turn);
    });
}

void CVorpelView::showDamage(const BoardDamage& damage, const std::optional<GroupMatrix>& liftedBefore)
{
    showDamage(GroupsDamage{{damage.before, damage.after}, damage.shift}, liftedBefore);
}

void CVorpelView::showDamage(const GroupsDamage& damage, const std::optional<GroupMatrix>& liftedBefore)
{
    if (damage.shift.x != 0 || damage.shift.y != 0) {
        // Every piece moved by the shift: the view follows, so that nothing
        // moves on screen, and draws the board again.
        scrollTo(scrollPosition() + zoomedPoint(QPoint(damage.shift.x, damage.shift.y), m_zoom));
        m_cacheDirty = true;
        viewport()->update();
        return;
    }
    updateScrollBars(scrollPosition());
    if (liftedBefore && !m_cacheDirty && !m_cache.isNull()) {
        // Pieces on either side may now lie above or below the changed
        // groups. A cache that did not match the board before the change is
        // redrawn whole.
        if (m_cacheLifted != *liftedBefore) {
            m_cacheDirty = true;
            viewport()->update();
            return;
        }
        m_cacheLifted = CarriedCells(m_doc);
        for (const RECT& area : damage.areas)
            renderCache(zoomedArea(toQRect(area), m_zoom));
    }
    std::vector<QRect> changed;
    changed.reserve(damage.areas.size());
    for (const RECT& area : damage.areas)
        changed.push_back(toViewport(toQRect(area)));
    viewport()->update(damageRegion(changed, viewport()->rect()));
}

void CVorpelView::paintLiftedGroups(QPainter& painter, const QRect& exposed)
{
    const QPoint scroll = scrollPosition();
    const int cols = m_doc.GetCols();
    forEachInStackingOrder(m_doc, [&](int c, int r) {
        const int id = r * cols + c;
        const int turn = m_doc.GetBoardTurn(id);
        if (!m_cacheLifted[c][r] || turn == 0)
            return;
        const QRect rect = toQRect(m_doc.PieceRect()[c][r]);
        if (zoomedArea(rect, m_zoom).intersects(exposed))
            drawPiece(painter, rect, scroll, id, turn);
    });
}

void CVorpelView::paintEvent(QPaintEvent* event)
{
    ensureCache();
    QPainter painter(viewport());
    // Each rectangle of the region is copied whole; the pieces on top are
    // clipped to the region.
    for (const QRect& rect : event->region())
        painter.drawImage(rect.topLeft(), m_cache, rect);
    painter.setClipRegion(event->region());
    const QRect exposed = event->region().boundingRect().translated(scrollPosition());
    paintLiftedGroups(painter, exposed);
    paintSelection(painter, exposed);
}

void CVorpelView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars(scrollPosition());
}

void CVorpelView::scrollContentsBy(int, int) { viewport()->update(); }

void CVorpelView::mousePressEvent(QMouseEvent* event)
{
    if (m_doc.GetTrayDrag())
        return;
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (m_doc.GetHolding())
            putDown();
        else
            pressOnBoard(at, event->modifiers() & Qt::ControlModifier);
    } else if (event->button() == Qt::RightButton) {
        turn(at, true);
    }
}

void CVorpelView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a quick double click comes only as this event: on
    // the left it puts down or picks up as any press does.
    if (event->button() == Qt::LeftButton)
        mousePressEvent(event);
    else if (event->button() == Qt::RightButton && !m_doc.GetTrayDrag())
        turn(event->position().toPoint(), false);
}

void CVorpelView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_doc.GetTrayDrag())
        return;
    setFocus();
    if (m_bandFrom) {
        extendBand(event->position().toPoint());
        return;
    }
    if (!m_doc.GetHolding())
        return;
    const QPoint at = carryPoint(event->position().toPoint());
    const QPoint bp = boardPoint(at);
    showDamage(MoveCarriedGroups(m_doc, bp.x(), bp.y()), std::nullopt);
    followEdges(at);
}

void CVorpelView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bandFrom) {
        finishBand();
        return;
    }
    if (event->button() != Qt::LeftButton || m_doc.GetTrayDrag() || !m_doc.GetHolding() || !m_doc.GetHoldMoved())
        return;
    if (viewport()->rect().contains(event->position().toPoint()))
        putDown();
}

void CVorpelView::wheelEvent(QWheelEvent* event)
{
    const int zDelta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        if (zDelta != 0)
            zoomAbout(nextZoomLevel(m_zoom, zDelta > 0 ? 1 : -1), event->position().toPoint());
        event->accept();
        return;
    }
    if (zDelta != 0) {
        QScrollBar* bar = horizontalScrollBar();
        bar->setValue(bar->value() + (zDelta < 0 ? kWheelSideStep : -kWheelSideStep));
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CVorpelView::turn(QPoint viewportPoint, bool menuOnEmpty)
{
    const QPoint bp = boardPoint(viewportPoint);
    if (m_doc.GetHolding()) {
        showDamage(TurnCarriedGroups(m_doc, bp.x(), bp.y()), std::nullopt);
        return;
    }
    const TurnResult turned = TurnGroupAt(m_doc, bp.x(), bp.y());
    if (turned.piece != kNoPiece)
        showDamage(turned.damage, GroupMatrix{});
    else if (menuOnEmpty)
        emit contextMenuRequested(viewport()->mapToGlobal(viewportPoint));
}

void CVorpelView::putDown()
{
    m_edgeScroll.stop();
    const GroupMatrix held = CarriedCells(m_doc);
    const GroupsPutDown putDown = PutDownCarriedGroups(m_doc);
    showDamage(putDown.damage, held);
    announceJoins(putDown.joins, putDown.completed);
}

void CVorpelView::announceJoins(int joins, bool completed)
{
    for (int i = 0; i < joins; ++i)
        m_sounds.play(SoundEffect::Join);
    if (joins > 0)
        emit piecesJoined();
    if (!completed || m_completing)
        return;
    m_sounds.play(SoundEffect::Complete);
    m_completing = true;
    emit puzzleCompleted();
    m_completing = false;
}
