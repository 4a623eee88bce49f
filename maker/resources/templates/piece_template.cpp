#include "piece_template.h"

#include <stdexcept>

#include "template_drawing.h"

namespace jigsaw {

namespace {

using templates::PieceColours;
using templates::Rect;
using templates::Rng;

// The 30-piece size whose pieces are interlocking rectangles.
constexpr int kRectTabSize = 13;

std::uint64_t seedOf(int sizeIndex)
{
    return 0x5EED'7E3B'1A7C'0000ull + static_cast<std::uint64_t>(sizeIndex) * 0x0101'0101ull;
}

// Red/yellow along one row and green/blue along the next, so that any 2×2
// block of pieces holds four different colours whatever the phase of each row.
PieceColours fourColourPattern(const PuzzleGeometry& g, Rng& rng)
{
    static constexpr std::uint8_t kPairs[2][2] = {{kTplRed, kTplYellow}, {kTplGreen, kTplBlue}};
    const int firstPair = rng.between(0, 1);
    const bool shifted = rng.chance(50);
    PieceColours colours(static_cast<std::size_t>(g.pieceCount()));
    for (int r = 0; r < g.rows; ++r) {
        const int phase = shifted ? rng.between(0, 1) : 0;
        for (int c = 0; c < g.cols; ++c)
            colours[static_cast<std::size_t>(c + g.cols * r)] = kPairs[(r + firstPair) % 2][(c + phase) % 2];
    }
    return colours;
}

// Red/blue/yellow on even rows and green/cyan/magenta on odd rows, cycling
// along each row from a random start.
PieceColours sixColourPattern(const PuzzleGeometry& g, Rng& rng)
{
    static constexpr std::uint8_t kTriples[2][3] = {{kTplRed, kTplBlue, kTplYellow},
                                                    {kTplGreen, kTplCyan, kTplMagenta}};
    PieceColours colours(static_cast<std::size_t>(g.pieceCount()));
    for (int r = 0; r < g.rows; ++r) {
        const int phase = rng.between(0, 2);
        for (int c = 0; c < g.cols; ++c)
            colours[static_cast<std::size_t>(c + g.cols * r)] = kTriples[r % 2][(c + phase) % 3];
    }
    return colours;
}

// Every cell, the pitch × pitch square between grid lines, in its piece's colour.
void paintCells(PieceTemplate& tpl, const PuzzleGeometry& g, const PieceColours& colours)
{
    const int half = g.margin / 2;
    const int p = g.pitch();
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c)
            templates::fillRect(tpl, Rect{half + c * p, half + r * p, half + (c + 1) * p, half + (r + 1) * p},
                                colours[static_cast<std::size_t>(c + g.cols * r)]);
}

// The outline lies on the puzzle area's own border pixels, so the white band
// around it stays exactly margin/2 wide.
void drawOutline(PieceTemplate& tpl, const PuzzleGeometry& g)
{
    const int half = g.margin / 2;
    const int x0 = half;
    const int y0 = half;
    const int x1 = g.width() - half;
    const int y1 = g.height() - half;
    templates::fillRect(tpl, Rect{x0, y0, x1, y0 + 1}, kTplBlack);
    templates::fillRect(tpl, Rect{x0, y1 - 1, x1, y1}, kTplBlack);
    templates::fillRect(tpl, Rect{x0, y0, x0 + 1, y1}, kTplBlack);
    templates::fillRect(tpl, Rect{x1 - 1, y0, x1, y1}, kTplBlack);
}

}  // namespace

namespace templates {

void fillRect(PieceTemplate& tpl, const Rect& r, std::uint8_t colour)
{
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            setPixel(tpl, x, y, colour);
}

}  // namespace templates

PieceTemplate makePieceTemplate(int sizeIndex)
{
    const PuzzleSize& size = puzzleSize(sizeIndex);
    const PuzzleGeometry& g = size.geometry;
    Rng rng(seedOf(sizeIndex));

    PieceTemplate tpl;
    tpl.width = size.templateWidth;
    tpl.height = g.height();
    tpl.pixels.assign(static_cast<std::size_t>(tpl.width) * tpl.height, kTplWhite);

    if (sizeIndex == kRectTabSize) {
        const PieceColours colours = sixColourPattern(g, rng);
        paintCells(tpl, g, colours);
        templates::drawRectTabs(tpl, g, colours, rng);
    } else {
        const PieceColours colours = fourColourPattern(g, rng);
        paintCells(tpl, g, colours);
        templates::drawRoundKnobs(tpl, g, colours, rng);
    }
    drawOutline(tpl, g);
    return tpl;
}

std::vector<ColorRef> templateSamples(const PieceTemplate& tpl, const PuzzleGeometry& g)
{
    const int w = g.width();
    const int h = g.height();
    if (tpl.width < w || tpl.height < h)
        throw std::invalid_argument("piece template smaller than the puzzle");
    std::vector<ColorRef> samples(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            samples[static_cast<std::size_t>(x) + static_cast<std::size_t>(w) * y] = kTemplatePalette[tpl.at(x, y)];
    return samples;
}

}  // namespace jigsaw
