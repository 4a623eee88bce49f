#pragma once

// Drawing helpers shared by the two kinds of piece template: a small seeded
// random source, a way to address pixels along and across a grid line, and
// the two knob painters.

#include <cstdint>
#include <vector>

#include "geometry.h"
#include "piece_template.h"

namespace jigsaw::templates {

// splitmix64. Its output is fixed by its seed on every platform, which the
// library distributions do not promise, and the templates must never change.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number in [lo, hi].
    int between(int lo, int hi)
    {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }

    bool chance(int percent) { return between(0, 99) < percent; }

private:
    std::uint64_t state_;
};

// A half-open pixel rectangle [x0, x1) × [y0, y1).
struct Rect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

// One side shared by two neighbouring cells, seen from the grid line between
// them. Positions are (t, k): t runs along the side from the cells' common
// start, k is the depth beyond the line into the cell the frame faces, so
// k < 0 reaches back into the other cell.
struct EdgeFrame {
    bool vertical = false;  // the grid line runs down the picture
    int line = 0;           // first pixel column (or row) after the grid line
    int along = 0;          // first pixel row (or column) of the shared side
    bool intoAfter = true;  // facing the cell right of (below) the line

    int acrossAt(int k) const { return intoAfter ? line + k : line - 1 - k; }

    // The picture pixel (x, y) of position (t, k).
    void toPixel(int t, int k, int& x, int& y) const
    {
        x = vertical ? acrossAt(k) : along + t;
        y = vertical ? along + t : acrossAt(k);
    }

    // The picture rectangle of [t0, t1) × [k0, k1).
    Rect rect(int t0, int t1, int k0, int k1) const
    {
        const int a0 = intoAfter ? line + k0 : line - k1;
        const int a1 = intoAfter ? line + k1 : line - k0;
        return vertical ? Rect{a0, along + t0, a1, along + t1} : Rect{along + t0, a0, along + t1, a1};
    }
};

// The colour of every piece, indexed c + cols·r.
using PieceColours = std::vector<std::uint8_t>;

inline void setPixel(PieceTemplate& tpl, int x, int y, std::uint8_t colour)
{
    tpl.pixels[static_cast<std::size_t>(y) * tpl.width + x] = colour;
}

void fillRect(PieceTemplate& tpl, const Rect& r, std::uint8_t colour);

// Calls draw(frame, colour before the line, colour after it) for every side
// shared by two pieces, row by row from the top: the right side, then the
// bottom side of each piece. The order is fixed, since it decides what the
// random source gives each side.
template <class Draw>
void forEachInnerSide(const PuzzleGeometry& g, const PieceColours& colours, Draw&& draw)
{
    const int half = g.margin / 2;
    const int p = g.pitch();
    const auto colourOf = [&](int c, int r) { return colours[static_cast<std::size_t>(c + g.cols * r)]; };
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c) {
            if (c + 1 < g.cols)
                draw(EdgeFrame{true, half + (c + 1) * p, half + r * p, true}, colourOf(c, r), colourOf(c + 1, r));
            if (r + 1 < g.rows)
                draw(EdgeFrame{false, half + (r + 1) * p, half + c * p, true}, colourOf(c, r), colourOf(c, r + 1));
        }
}

// Round knobs on a neck, one in the middle of every inner side.
void drawRoundKnobs(PieceTemplate& tpl, const PuzzleGeometry& g, const PieceColours& colours, Rng& rng);

// Rectangular tabs, some of them slotted around a tongue of the other piece.
void drawRectTabs(PieceTemplate& tpl, const PuzzleGeometry& g, const PieceColours& colours, Rng& rng);

}  // namespace jigsaw::templates
