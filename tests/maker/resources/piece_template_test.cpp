#include "piece_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

namespace jigsaw {
namespace {

constexpr int kRectTabSize = 13;

// A template read the way the cutter reads it: each piece is the region of
// its reference point's colour, grown 4-connected from that point.
struct Reading {
    explicit Reading(int sizeIndex)
        : g(puzzleSize(sizeIndex).geometry), tpl(makePieceTemplate(sizeIndex)),
          owner(tpl.pixels.size(), -1)
    {
        for (int id = 0; id < g.pieceCount(); ++id) {
            const int c = id % g.cols;
            const int r = id / g.cols;
            const int rx = g.pitch() * c + g.margin + g.cellSize / 2;
            const int ry = g.pitch() * r + g.margin + g.cellSize / 2;
            colour.push_back(tpl.at(rx, ry));
            std::vector<std::pair<int, int>> pending{{rx, ry}};
            while (!pending.empty()) {
                const auto [x, y] = pending.back();
                pending.pop_back();
                if (x < 0 || y < 0 || x >= tpl.width || y >= tpl.height || tpl.at(x, y) != colour.back())
                    continue;
                int& o = owner[index(x, y)];
                if (o == id)
                    continue;
                if (o >= 0) {
                    ++shared;
                    continue;
                }
                o = id;
                pending.insert(pending.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
            }
        }
    }

    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * tpl.width + x; }
    int ownerAt(int x, int y) const { return owner[index(x, y)]; }
    bool insideOutline(int x, int y) const
    {
        const int h = g.margin / 2;
        return x > h && y > h && x < g.width() - h - 1 && y < g.height() - h - 1;
    }
    // Column (row) of the cell holding picture column x (row y).
    int cellAt(int v) const { return (v - g.margin / 2) / g.pitch(); }

    PuzzleGeometry g;
    PieceTemplate tpl;
    std::vector<int> owner;  // piece id per pixel, -1 for none
    std::vector<std::uint8_t> colour;
    int shared = 0;  // pixels reached from two reference points
};

class EveryTemplate : public ::testing::TestWithParam<int> {
protected:
    Reading t{GetParam()};
};

TEST_P(EveryTemplate, IsReproducibleAndSizedForItsPuzzle)
{
    EXPECT_EQ(t.tpl.width, puzzleSize(GetParam()).templateWidth);
    EXPECT_EQ(t.tpl.height, t.g.height());
    EXPECT_EQ(t.tpl.pixels, makePieceTemplate(GetParam()).pixels);
}

TEST_P(EveryTemplate, FramesThePuzzleWithWhiteBandAndBlackOutline)
{
    const int h = t.g.margin / 2;
    for (int y = 0; y < t.tpl.height; ++y)
        for (int x = 0; x < t.tpl.width; ++x) {
            const bool inArea = x >= h && y >= h && x < t.g.width() - h && y < t.g.height() - h;
            const std::uint8_t expected = !inArea ? kTplWhite : t.insideOutline(x, y) ? t.tpl.at(x, y) : kTplBlack;
            ASSERT_EQ(t.tpl.at(x, y), expected) << "at " << x << "," << y;
        }
}

// Every pixel inside the outline belongs to one piece; pieces that touch,
// even at a corner, differ in colour.
TEST_P(EveryTemplate, PiecesFillTheOutlineAndTouchingPiecesDiffer)
{
    EXPECT_EQ(t.shared, 0);
    for (int y = 1; y + 1 < t.tpl.height; ++y)
        for (int x = 1; x + 1 < t.tpl.width; ++x) {
            const int a = t.ownerAt(x, y);
            ASSERT_TRUE(!t.insideOutline(x, y) || a >= 0) << "unowned pixel at " << x << "," << y;
            for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {-1, 1}}) {
                const int b = t.ownerAt(x + dx, y + dy);
                const bool touching = a >= 0 && b >= 0 && a != b;
                ASSERT_TRUE(!touching || t.tpl.at(x, y) != t.tpl.at(x + dx, y + dy)) << "at " << x << "," << y;
            }
        }
}

// Cutting by colour within a tile yields exactly the piece, core included.
TEST_P(EveryTemplate, EachTileHoldsItsPieceAloneInItsColour)
{
    const PuzzleGeometry& g = t.g;
    std::vector<int> area(static_cast<std::size_t>(g.pieceCount()));
    for (int owner : t.owner)
        if (owner >= 0)
            ++area[static_cast<std::size_t>(owner)];
    for (int id = 0; id < g.pieceCount(); ++id) {
        const int tx = g.pitch() * (id % g.cols);
        const int ty = g.pitch() * (id / g.cols);
        int inTile = 0;
        for (int y = ty; y < ty + g.pieceSize(); ++y)
            for (int x = tx; x < tx + g.pieceSize(); ++x) {
                const bool isCore =
                    std::min(x - tx, y - ty) >= g.margin && std::max(x - tx, y - ty) < g.margin + g.cellSize;
                ASSERT_TRUE(!isCore || t.ownerAt(x, y) == id) << "core of piece " << id;
                if (t.tpl.at(x, y) == t.colour[static_cast<std::size_t>(id)]) {
                    ASSERT_EQ(t.ownerAt(x, y), id) << "foreign pixel in tile of piece " << id;
                    ++inTile;
                }
            }
        EXPECT_EQ(inTile, area[static_cast<std::size_t>(id)]) << "piece " << id << " leaves its tile";
    }
}

// Pixels of a piece outside its own cell are knobs: they reach at most half
// a margin into one side neighbour's cell and touch only that neighbour.
// Every inner side carries a knob: one round knob, or at least one tab.
TEST_P(EveryTemplate, KnobsInterlockEverySideWithinHalfAMargin)
{
    const PuzzleGeometry& g = t.g;
    const int h = g.margin / 2;
    std::map<std::pair<int, int>, int> crossings;  // (piece, host piece) → pixels
    for (int y = 1; y + 1 < t.tpl.height; ++y)
        for (int x = 1; x + 1 < t.tpl.width; ++x) {
            const int id = t.ownerAt(x, y);
            if (id < 0 || (t.cellAt(x) == id % g.cols && t.cellAt(y) == id / g.cols))
                continue;
            const int host = t.cellAt(x) + g.cols * t.cellAt(y);
            const int cx = h + g.pitch() * (id % g.cols);
            const int cy = h + g.pitch() * (id / g.cols);
            const int beyondX = std::max({cx - x, x - (cx + g.pitch() - 1), 0});
            const int beyondY = std::max({cy - y, y - (cy + g.pitch() - 1), 0});
            ASSERT_TRUE((beyondX == 0) != (beyondY == 0)) << "corner knob at " << x << "," << y;
            ASSERT_LE(beyondX + beyondY, h) << "deep knob at " << x << "," << y;
            for (int ny = y - 1; ny <= y + 1; ++ny)
                for (int nx = x - 1; nx <= x + 1; ++nx)
                    ASSERT_TRUE(t.ownerAt(nx, ny) == id || t.ownerAt(nx, ny) == host)
                        << "knob touches a third piece at " << x << "," << y;
            ++crossings[{id, host}];
        }
    const bool nested = GetParam() == kRectTabSize;
    for (int id = 0; id < g.pieceCount(); ++id)
        for (const int next : {id % g.cols + 1 < g.cols ? id + 1 : -1, id + g.cols < g.pieceCount() ? id + g.cols : -1})
            if (next >= 0) {
                const int knobs = static_cast<int>(crossings.count({id, next}) + crossings.count({next, id}));
                EXPECT_TRUE(nested ? knobs >= 1 : knobs == 1) << "side between " << id << " and " << next;
            }

    // Knobs vary in shape, hence in area, and point both ways.
    std::set<int> areas;
    std::array<int, 2> directions{};
    for (const auto& [knob, area] : crossings) {
        areas.insert(area);
        ++directions[knob.first < knob.second];
    }
    EXPECT_GE(areas.size(), std::min<std::size_t>(crossings.size() / 2, 12));
    EXPECT_GT(directions[0], 0);
    EXPECT_GT(directions[1], 0);
}

TEST_P(EveryTemplate, RowsTakeTheirColoursFromAlternatingGroups)
{
    using Group = std::set<std::uint8_t>;
    const std::vector<Group> groups =
        GetParam() == kRectTabSize
            ? std::vector<Group>{{kTplRed, kTplBlue, kTplYellow}, {kTplGreen, kTplCyan, kTplMagenta}}
            : std::vector<Group>{{kTplRed, kTplYellow}, {kTplGreen, kTplBlue}};
    long previous = -1;
    for (int r = 0; r < t.g.rows; ++r) {
        const auto first = t.colour.begin() + r * t.g.cols;
        const long group = std::find(groups.begin(), groups.end(), Group(first, first + t.g.cols)) - groups.begin();
        ASSERT_LT(group, 2) << "row " << r;
        EXPECT_NE(group, previous) << "row " << r;
        previous = group;
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, EveryTemplate, ::testing::Range(0, kSizeCount));

TEST(TemplateSamples, CoverThePuzzleWidthOfTheWideTemplate)
{
    const PuzzleGeometry& g = puzzleSize(12).geometry;
    const PieceTemplate tpl = makePieceTemplate(12);
    ASSERT_EQ(tpl.width, g.width() + 45);
    const std::vector<ColorRef> samples = templateSamples(tpl, g);
    ASSERT_EQ(samples.size(), static_cast<std::size_t>(g.width()) * g.height());
    for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x)
            ASSERT_EQ(samples[static_cast<std::size_t>(x + g.width() * y)], kTemplatePalette[tpl.at(x, y)]);
    EXPECT_THROW(templateSamples(makePieceTemplate(0), g), std::invalid_argument);
}

}  // namespace
}  // namespace jigsaw
