#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

class PieceImages;

// A transparent layer over the main window's client area that shows the piece
// dragged out of the tray, so that it floats over both panes, and runs the
// short fly-back animation. It takes no mouse input and holds no game state:
// what it shows is told to it by the tray.
class DragOverlay : public QWidget {
    Q_OBJECT

public:
    DragOverlay(const PieceImages& images, QWidget* parent);

    // Shows the piece with its image's top-left at a global position, at
    // `percent` of actual size; a silhouette is drawn as a black shape.
    void showPiece(QPoint globalTopLeft, int piece, int turn, bool silhouette, int percent = 100);
    void hidePiece();
    // Where the piece's image is shown, in global coordinates; empty when
    // nothing is.
    QRect shownRect() const;

    // Flies the piece in a straight line from one global top-left to another
    // in ten frames 5 ms apart, then hides it. Returns when it has landed.
    void flyPiece(QPoint globalFrom, QPoint globalTo, int piece, int turn, bool silhouette);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Keeps the overlay covering its parent.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Moves the shown piece and returns the area to repaint: where it was and
    // where it is now.
    QRegion place(QPoint globalTopLeft, int piece, int turn, bool silhouette, int percent);
    QRect pieceRect() const;

    const PieceImages& m_images;
    bool m_shown = false;
    QPoint m_topLeft;
    int m_piece = -1;
    int m_turn = 0;
    bool m_silhouette = false;
    int m_percent = 100;
};
