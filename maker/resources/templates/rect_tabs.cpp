#include <cstddef>

#include "template_drawing.h"

namespace jigsaw::templates {

namespace {

constexpr int kClearance = 2;      // free pixels kept between tabs of different sides
constexpr int kAttempts = 24;      // random shapes tried on a side before the plain fallback
constexpr int kSlottedPercent = 40;
constexpr int kEndGap = 6;         // pixels a tab keeps from either end of its side

// Pixels a tab must stay clear of: everything outside the outline, the
// outline itself, every core, and the tabs already placed.
class Occupancy {
public:
    Occupancy(const PieceTemplate& tpl, const PuzzleGeometry& g)
        : width_(tpl.width), taken_(tpl.pixels.size(), 1)
    {
        const int half = g.margin / 2;
        mark(Rect{half + 1, half + 1, g.width() - half - 1, g.height() - half - 1}, 0);
        for (int r = 0; r < g.rows; ++r)
            for (int c = 0; c < g.cols; ++c) {
                const int x = g.pitch() * c + g.margin;
                const int y = g.pitch() * r + g.margin;
                mark(Rect{x, y, x + g.cellSize, y + g.cellSize}, 1);
            }
    }

    // Whether r, widened by the clearance, holds no taken pixel. Every
    // rectangle tested lies inside the outline, so the widened one stays
    // inside the white band.
    bool isFree(const Rect& r) const
    {
        for (int y = r.y0 - kClearance; y < r.y1 + kClearance; ++y)
            for (int x = r.x0 - kClearance; x < r.x1 + kClearance; ++x)
                if (taken_[index(x, y)])
                    return false;
        return true;
    }

    void take(const Rect& r) { mark(r, 1); }

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    void mark(const Rect& r, std::uint8_t value)
    {
        for (int y = r.y0; y < r.y1; ++y)
            for (int x = r.x0; x < r.x1; ++x)
                taken_[index(x, y)] = value;
    }

    int width_;
    std::vector<std::uint8_t> taken_;
};

// A rectangular tab of the piece behind the frame's line, reaching `depth`
// pixels into the faced cell over [t0, t1). A slotted tab is split by a
// tongue of the faced piece over [slot0, slot1) that runs through it and on
// `tongue` pixels back across the line into the tab owner's cell.
struct Tab {
    int t0 = 0;
    int t1 = 0;
    int depth = 0;
    int slot0 = 0;
    int slot1 = 0;
    int tongue = 0;  // 0 for a plain tab

    Rect body(const EdgeFrame& f) const { return f.rect(t0, t1, 0, depth); }
    Rect tongueBack(const EdgeFrame& f) const { return f.rect(slot0, slot1, -tongue, 0); }
};

Tab randomTab(Rng& rng, int sideLength, int maxDepth)
{
    Tab tab;
    if (rng.chance(kSlottedPercent)) {
        const int width = rng.between(30, 64);
        tab.t0 = rng.between(kEndGap, sideLength - kEndGap - width);
        tab.t1 = tab.t0 + width;
        tab.slot0 = tab.t0 + rng.between(6, 11);
        tab.slot1 = tab.t1 - rng.between(6, 11);
        tab.depth = rng.between(12, maxDepth);
        tab.tongue = rng.between(10, maxDepth);
    } else {
        const int width = rng.between(14, 56);
        tab.t0 = rng.between(kEndGap, sideLength - kEndGap - width);
        tab.t1 = tab.t0 + width;
        tab.depth = rng.between(8, maxDepth);
    }
    return tab;
}

}  // namespace

void drawRectTabs(PieceTemplate& tpl, const PuzzleGeometry& g, const PieceColours& colours, Rng& rng)
{
    const int half = g.margin / 2;
    const int p = g.pitch();
    const int maxDepth = half - kClearance;  // deeper would come too close to the faced core
    // The fallback sits in the middle of its side, facing the cores. Tabs of
    // the crossing sides stay within half a margin of their own grid lines,
    // which keeps them off the middle of this side, so the spot is always free.
    const int middle = half + g.cellSize / 2;
    const Tab fallback{middle - 5, middle + 5, 12, 0, 0, 0};

    Occupancy occupancy(tpl, g);

    auto place = [&](EdgeFrame frame, std::uint8_t before, std::uint8_t after) {
        Tab tab = fallback;
        frame.intoAfter = rng.chance(50);
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            EdgeFrame candidateFrame = frame;
            candidateFrame.intoAfter = rng.chance(50);
            const Tab candidate = randomTab(rng, p, maxDepth);
            if (occupancy.isFree(candidate.body(candidateFrame)) &&
                (candidate.tongue == 0 || occupancy.isFree(candidate.tongueBack(candidateFrame)))) {
                tab = candidate;
                frame = candidateFrame;
                break;
            }
        }
        const std::uint8_t owner = frame.intoAfter ? before : after;
        const std::uint8_t faced = frame.intoAfter ? after : before;
        fillRect(tpl, tab.body(frame), owner);
        occupancy.take(tab.body(frame));
        if (tab.tongue > 0) {
            fillRect(tpl, frame.rect(tab.slot0, tab.slot1, -tab.tongue, tab.depth), faced);
            occupancy.take(tab.tongueBack(frame));
        }
    };

    forEachInnerSide(g, colours, place);
}

}  // namespace jigsaw::templates
