#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>
#include <vector>

#include "piece_shapes.h"
#include "vorpel_doc.h"

class QPainter;

// The document's piece sheets turned into images ready for painting: one per
// turn, premultiplied ARGB, whose alpha comes from the mask so that a piece
// painted from it has a transparent surround, and whose outline also gives
// the silhouettes and the sides with a tab. Built from the document whenever
// it gets new pictures; the views only read it.
class PieceImages {
public:
    void rebuild(const CVorpelDoc& doc);
    void clear();

    bool isEmpty() const { return m_pieceSize == 0; }
    int pieceSize() const { return m_pieceSize; }

    // Where piece id lies in the sheet of any turn (all turns share the layout).
    QRect sourceRect(int piece) const;
    // Turn 1 … 4.
    const QImage& sheet(int turn) const { return m_sheets[turn - 1]; }

    // The sides of the piece whose outline carries a tab (FindTabSides).
    TabSides tabSides(int piece) const;

    // Whether the piece can be drawn: a known piece id and a turn 1 … 4.
    bool canDraw(int piece, int turn) const;
    // Paints the piece with its top-left at `topLeft`, surround transparent.
    void draw(QPainter& painter, QPoint topLeft, int piece, int turn) const;
    // Paints only the piece's outline, filled with `color`.
    void drawSilhouette(QPainter& painter, QPoint topLeft, int piece, int turn, QColor color) const;

private:
    int m_cols = 0;
    int m_count = 0;
    int m_pieceSize = 0;
    std::array<QImage, 4> m_sheets;
    std::vector<TabSides> m_tabSides;
};
