#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <optional>

#include "play_rules.h"
#include "selection_rules.h"
#include "vorpel_doc.h"
#include "zoomed_pieces.h"

class PieceImages;
class SoundEffects;

// The board: the left pane, a scrolling area of cloth (green unless the user
// chose another colour) on which the pieces that left the tray lie and are
// carried, turned and joined. The view
// shows the board at a zoom level: the scroll area is the board at that zoom,
// and a board point is the viewport point plus the scroll position, divided
// by the zoom. The view translates mouse events into the rules of play and
// paints what they name; it keeps only a drawing cache: an image of the area
// in view with every piece at rest, without the groups being carried, so that
// a drag step repaints just the squares that changed. A drag on empty board
// draws a band that chooses groups; chosen groups are outlined and carried
// together.
class CVorpelView : public QAbstractScrollArea {
    Q_OBJECT

public:
    CVorpelView(CVorpelDoc& doc, const PieceImages& images, SoundEffects& sounds, QWidget* parent = nullptr);

    // The document or the piece images changed: the cache is rebuilt at the
    // next paint.
    void documentChanged();

    // The scrollable size, in pixels on screen: at least the splitter's size
    // less 20 pixels each way, the puzzle's laid-out size and every piece on
    // the board at the zoom, and never so small that the place in view could
    // not stay there.
    QSize totalSize() const;
    QPoint scrollPosition() const;

    // The zoom, one of kZoomLevels or a smaller whole percent (board_zoom.h).
    int zoomPercent() const { return m_zoom; }
    // Zooms to `percent` keeping the board point under viewport point
    // `anchor` there, as far as the board reaches; values that isZoom
    // refuses do nothing.
    void zoomAbout(int percent, QPoint anchor);
    // One level up or down, or actual size, about the middle of the view.
    void zoomIn();
    void zoomOut();
    void zoomActualSize();
    // The largest level at which the puzzle's laid-out area and every piece
    // on the board fit in the view, showing the board from its top-left.
    // Below the smallest level it takes the largest whole percent that
    // fits, 1 % at the least.
    void zoomToFit();
    // The part of the board, in board coordinates, that the view shows.
    QRect visibleBoardRect() const;

    // The board point under a global point, when it lies on the viewport:
    // where a piece dragged from the tray would land.
    std::optional<QPoint> boardPointAt(QPoint globalPos) const;

    // A piece came over from the tray (the rules have placed and joined
    // it): repaint where it landed, sound the joins, and report completion.
    void pieceArrived(const JoinResult& join);

    // A group held on the board is put down where it is, as a click would:
    // before anything saves, opens or closes the game.
    void putDownHeldGroup();
    // No group is chosen any more: when a carry ends or another game starts.
    void clearSelection();

    // After a game was opened: when no piece on the board is in view, scrolls
    // the least way that shows the one nearest to it.
    void showNearestPieces();

    // Scrolls by a step, as a piece dragged from the tray near the board's
    // edges does; the board repaints at once.
    void scrollBoardBy(int dx, int dy);

    // The look of the table (board_backdrop.cpp): its colour, and whether the
    // finished picture shows faintly where the completed puzzle lies, beneath
    // every piece.
    static QColor defaultTableColor();
    QColor tableColor() const { return m_tableColor; }
    void setTableColor(const QColor& color);
    void setBackdropShown(bool shown);

signals:
    // A right click on empty board: the frame shows the context menu there.
    void contextMenuRequested(QPoint globalPos);
    // Pieces joined, on the board or as a piece arrived from the tray.
    void piecesJoined();
    // The last join made one group of every piece ("ok.wav" has started).
    void puzzleCompleted();
    void zoomChanged(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // Escape ends the choice of groups while nothing is carried.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPoint boardPoint(QPoint viewportPoint) const;
    QRect toViewport(const QRect& boardRect) const;
    // The puzzle's laid-out area and every piece on the board, from the
    // board's origin.
    QSize tableSize() const;
    // The scrollable size when the view is to show scroll position `scroll`
    // at its top-left.
    QSize sizeKeeping(QPoint scroll) const;
    void updateScrollBars(QPoint scroll);
    void scrollTo(QPoint scroll);
    // Paints a piece lying at `boardRect` at the zoom, less `offset`.
    void drawPiece(QPainter& painter, const QRect& boardRect, QPoint offset, int id, int turn);
    // Brings the cache to the area in view and the lifted group: after a
    // scroll it draws only what came into view, after any other change all
    // of it.
    void ensureCache();
    // Redraws one rectangle of the cache, in zoomed coordinates, from the
    // document.
    void renderCache(const QRect& zoomedRect);
    // The table and, when shown, the faint picture in `area` (zoomed).
    void paintBackdrop(QPainter& painter, const QRect& area);
    // The rules changed the board: repaints the changed squares and, given
    // the cells lifted before the change, redraws the cache there; without
    // them only the lifted groups moved and the cache stands. A shift of the
    // whole board is followed by the same scroll.
    void showDamage(const GroupsDamage& damage, const std::optional<GroupMatrix>& liftedBefore);
    void showDamage(const BoardDamage& damage, const std::optional<GroupMatrix>& liftedBefore);
    void paintLiftedGroups(QPainter& painter, const QRect& exposed);
    // Carrying (board_carry.cpp). The viewport point a carried group's grab
    // point follows for the cursor at `viewportPos`: inside the viewport,
    // clear of the bottom.
    QPoint carryPoint(QPoint viewportPos) const;
    // Edge scrolling while a group is carried: the scroll step for a carry
    // point in a band along the view's edges (none elsewhere), starting or
    // stopping the timer for it, and one tick that scrolls and moves the
    // group along so that it stays under the cursor.
    QPoint edgeScrollStep(QPoint carryAt) const;
    void followEdges(QPoint carryAt);
    void scrollWhileCarrying();
    void turn(QPoint viewportPoint, bool menuOnEmpty);
    void putDown();
    void announceJoins(int joins, bool completed);

    // Choosing groups (board_selection.cpp). A left press while idle: Ctrl
    // chooses or leaves the group under it, on empty board a band starts,
    // on a group that group is picked up, and with it the chosen ones when
    // it is one of them.
    void pressOnBoard(QPoint viewportPoint, bool toggle);
    void extendBand(QPoint viewportPoint);
    void finishBand();
    // The band's outline in the viewport, one pixel wide.
    QRegion bandOutline() const;
    // Outlines every chosen piece's square where it has no joined neighbour,
    // and the band, over what `exposed` (zoomed) shows.
    void paintSelection(QPainter& painter, const QRect& exposed);

    CVorpelDoc& m_doc;
    SoundEffects& m_sounds;
    ZoomedPieces m_zoomed;
    int m_zoom = 100;
    QColor m_tableColor = defaultTableColor();
    bool m_backdropShown = false;
    QImage m_cache;
    QRect m_cacheArea;  // the area the cache holds, at the zoom
    bool m_cacheDirty = true;
    GroupMatrix m_cacheLifted{};
    // The band's corners in board coordinates, while one is drawn.
    std::optional<QPoint> m_bandFrom;
    QPoint m_bandTo;
    bool m_completing = false;
    QTimer m_edgeScroll;
    QPoint m_carryAt;  // the last carry point, in the viewport
};
