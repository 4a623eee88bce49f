#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>

#include <memory>

#include "piece_hand_over.h"
#include "piece_shapes.h"
#include "vorpel_doc.h"

class DragOverlay;
class PieceImages;
class QComboBox;
class SoundEffects;

// The tray: the right pane, a vertically scrolling grid of slots in which the
// pieces wait in shuffled order and random turn. A piece can be turned, moved
// to another slot (swapping with what lies there) or dragged out onto the
// board; a drag that ends nowhere sends it flying back. A filter above the
// slots shows only the pieces of a kind or with a number of tabs: the others
// keep their slots but look empty and cannot be hit. The view holds no game
// state: slots, turns and the drag live in the document; the filter is only
// a way of looking at them.
class CPsView : public QAbstractScrollArea {
    Q_OBJECT

public:
    CPsView(CVorpelDoc& doc, const PieceImages& images, SoundEffects& sounds, QWidget* parent = nullptr);

    // What carries a dragged piece over to the board, and the overlay that
    // shows the dragged piece over both panes. The board and the overlay
    // must outlive the tray.
    void setHandOver(std::unique_ptr<PieceHandOver> handOver);
    void setOverlay(DragOverlay* overlay);

    // The document or the piece images changed: repaint.
    void documentChanged();

    // A drag from the tray ends without a drop: the piece goes straight back
    // to its slot and the drag image goes. Before anything saves, opens or
    // closes the game.
    void cancelDrag();

signals:
    // A right click that hit no piece: the frame shows the context menu.
    void contextMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Lays the slots out for the viewport's width and sizes the scroll range.
    void layOut();
    int scrollY() const;
    QPoint trayPoint(QPoint viewportPos) const;
    // A slot's cell in viewport coordinates.
    QRect slotRect(int slot) const;
    void rightPress(QPoint viewportPos, QPoint globalPos, bool doubleClick);
    // The dragged piece's image follows the cursor, centred on it.
    void showDragImage(QPoint globalPos);
    void scrollTrayAtEdges(QPoint globalPos, QPoint imageTopLeft);
    void endDrag(QPoint globalPos);
    bool isShown(int piece) const;
    // The slot under the tray point holds a piece the filter hides.
    bool hidesPieceAt(QPoint trayPoint) const;

    CVorpelDoc& m_doc;
    const PieceImages& m_images;
    SoundEffects& m_sounds;
    std::unique_ptr<PieceHandOver> m_handOver;
    DragOverlay* m_overlay = nullptr;
    QComboBox* m_filterBox;
    TrayFilter m_filter = TrayFilter::All;
    // Where the drag image was last shown (global top-left): edge scrolling
    // follows the direction the image moves in.
    QPoint m_lastDragImage;
    // The slot a piece is flying into; drawn only once it has landed.
    int m_flyingSlot = -1;
};
