#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "template_drawing.h"

namespace jigsaw::templates {

namespace {

// Knob geometry is worked out in sixteenths of a pixel with whole numbers, so
// the pixels a knob covers never depend on floating-point rounding.
constexpr int kSub = 16;

// A round head on a neck that flares out into the side it grows from. All
// values in sixteenths; lateral positions from the start of the side, depths
// from the grid line.
struct RoundKnob {
    int centre = 0;     // lateral position of the neck and head
    int headDepth = 0;  // depth of the head's centre
    int radius = 0;     // of the head
    int neck = 0;       // half-width of the narrowest part of the neck
    int base = 0;       // half-width where the neck meets the side
    int flare = 0;      // depth over which the neck narrows from base to neck

    bool covers(int t, int k) const
    {
        const std::int64_t x = static_cast<std::int64_t>(kSub) * t + kSub / 2 - centre;
        const std::int64_t z = static_cast<std::int64_t>(kSub) * k + kSub / 2;
        const std::int64_t dz = z - headDepth;
        if (x * x + dz * dz <= static_cast<std::int64_t>(radius) * radius)
            return true;
        if (z > headDepth)
            return false;
        std::int64_t half = neck;
        if (z < flare) {
            const std::int64_t rest = flare - z;
            half += (base - neck) * rest * rest / (static_cast<std::int64_t>(flare) * flare);
        }
        return std::abs(x) <= half;
    }
};

// A knob for a side whose allowed lateral pixels are [tLo, tHi) and which may
// reach `depth` pixels beyond the grid line. Every part of it, head, neck and
// flare, stays inside those bounds.
RoundKnob randomKnob(Rng& rng, int tLo, int tHi, int depth)
{
    const int halfRange = kSub / 2 * (tHi - tLo);
    RoundKnob k;
    k.radius = halfRange * rng.between(78, 94) / 100;
    k.base = k.radius * rng.between(80, 100) / 100;
    const int room = halfRange - std::max(k.radius, k.base);
    k.centre = kSub / 2 * (tLo + tHi) + rng.between(-room, room);
    k.neck = std::max(kSub * 3 / 4, k.radius * rng.between(45, 58) / 100);
    const int tip = kSub * depth * rng.between(80, 100) / 100;
    k.headDepth = tip - k.radius;
    k.flare = std::max(kSub, k.headDepth * rng.between(50, 80) / 100);
    return k;
}

}  // namespace

void drawRoundKnobs(PieceTemplate& tpl, const PuzzleGeometry& g, const PieceColours& colours, Rng& rng)
{
    const int half = g.margin / 2;
    // Knobs keep one pixel inside the middle part of each side, the stretch
    // facing the core. Knobs of crossing sides then live in disjoint squares
    // with a free pixel between them, so they can never touch.
    const int tLo = half + 1;
    const int tHi = half + g.cellSize - 1;

    auto drawKnob = [&](EdgeFrame frame, std::uint8_t before, std::uint8_t after) {
        frame.intoAfter = rng.chance(50);
        const std::uint8_t colour = frame.intoAfter ? before : after;
        const RoundKnob knob = randomKnob(rng, tLo, tHi, half);
        for (int k = 0; k < half; ++k)
            for (int t = tLo; t < tHi; ++t)
                if (knob.covers(t, k)) {
                    int x = 0;
                    int y = 0;
                    frame.toPixel(t, k, x, y);
                    setPixel(tpl, x, y, colour);
                }
    };

    forEachInnerSide(g, colours, drawKnob);
}

}  // namespace jigsaw::templates
