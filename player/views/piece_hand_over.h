#pragma once

#include <QPoint>

#include "play_rules.h"

class CVorpelView;

// Carries a piece dragged out of the tray over to the board: how it shows
// and where it lands over the board, the board's scrolling while it nears
// the board's edges, and the board's welcome once the rules have placed it.
// Whoever lays out the panes makes one for the board and gives it to the
// tray, so that neither pane knows the other.
class PieceHandOver {
public:
    explicit PieceHandOver(CVorpelView& board);

    // The zoom a dragged piece shows at with the cursor at `globalPos`: the
    // board's over the board, actual size elsewhere.
    int zoomAt(QPoint globalPos) const;
    // The cursor moved to `globalPos` and the drag image's top-left from
    // `from` to `to` (global). Within half a piece of an edge of the board
    // and moving towards it, the board scrolls a fifth of its range that way.
    void followDrag(QPoint globalPos, QPoint from, QPoint to, int pieceSize);
    // A drop at `globalPos`: the board point it lands at when on the board.
    TrayDropPoint dropAt(QPoint globalPos) const;
    // The rules placed the piece on the board: the board shows it, sounds
    // the joins and reports completion.
    void arrive(const JoinResult& join);

private:
    CVorpelView& m_board;
};
