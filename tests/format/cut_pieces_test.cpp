#include "cut_pieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "piece_template.h"

namespace jigsaw {
namespace {

constexpr ColorRef kWhite = rgb(255, 255, 255);
constexpr ColorRef kLight = kBevelLight24;
constexpr ColorRef kDark = kBevelDark24;
constexpr ColorRef kRed = rgb(255, 0, 0);
constexpr ColorRef kYellow = rgb(255, 255, 0);
constexpr ColorRef kGreen = rgb(0, 255, 0);

// Marks per turn 1..4, as each edge of an upright run shows in the sheets.
constexpr ColorRef kLeftMark[4] = {kLight, kLight, kDark, kDark};
constexpr ColorRef kRightMark[4] = {kDark, kDark, kLight, kLight};
constexpr ColorRef kTopMark[4] = {kLight, kDark, kDark, kLight};
constexpr ColorRef kBottomMark[4] = {kDark, kLight, kLight, kDark};

// Two pieces by two: S 14, W = H 23 (full-picture rows need padding), Pw = Ph 28.
// Piece (c, r) has its tile at (9c, 9r) and its reference point at (9c + 7, 9r + 7).
constexpr PuzzleGeometry kTiny{2, 2, 4, 5};

// Unique per position and never white or one of the bevel greys.
ColorRef pictureAt(int x, int y)
{
    return rgb(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
               static_cast<std::uint8_t>(1 + (x >> 8) + 8 * (y >> 8)));
}

std::vector<ColorRef> makePicture(const PuzzleGeometry& g)
{
    std::vector<ColorRef> picture;
    picture.reserve(static_cast<std::size_t>(g.width()) * g.height());
    for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x)
            picture.push_back(pictureAt(x, y));
    return picture;
}

struct Point {
    int x, y;
};

// Where sample (u, v) of a tile lies within the tile of sheet `turn`.
Point turned(int turn, int S, int u, int v)
{
    switch (turn) {
    case 1: return {u, v};
    case 2: return {S - 1 - v, u};
    case 3: return {S - 1 - u, S - 1 - v};
    default: return {v, S - 1 - u};
    }
}

// A template painted by hand: white, with rectangles of piece colours.
class Canvas {
public:
    explicit Canvas(const PuzzleGeometry& g) : width_(g.width()), samples_(g.width() * g.height(), kWhite) {}

    // Fills x0..x1 × y0..y1, both ends included.
    Canvas& fill(int x0, int y0, int x1, int y1, ColorRef colour)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                samples_[x + width_ * y] = colour;
        return *this;
    }

    const std::vector<ColorRef>& samples() const { return samples_; }

private:
    int width_;
    std::vector<ColorRef> samples_;
};

// One piece's tile in one sheet, read by sample (u, v) of the upright tile.
// A turn maps samples linearly, so the offsets are worked out once per tile.
struct TileView {
    const std::uint8_t* sheet;
    const std::uint8_t* mask;
    std::ptrdiff_t pixel0, pixelU, pixelV, bit0, bitU, bitV;

    const std::uint8_t* at(int u, int v) const { return sheet + pixel0 + u * pixelU + v * pixelV; }
    ColorRef colour(int u, int v) const { return rgb(at(u, v)[2], at(u, v)[1], at(u, v)[0]); }
    std::uint8_t index(int u, int v) const { return *at(u, v); }
    bool inside(int u, int v) const
    {
        const std::ptrdiff_t bit = bit0 + u * bitU + v * bitV;
        return (mask[bit / 8] & (0x80 >> (bit % 8))) == 0;
    }
};

// The buffers of one cut, prepared as a caller prepares them.
class Output {
public:
    Output() = default;
    Output(const PuzzleGeometry& g, int bits, std::uint8_t white = 0xFF) { reset(g, bits, white); }

    // Keeps the vectors' memory, so that a reused Output costs no fresh pages.
    void reset(const PuzzleGeometry& g, int bits, std::uint8_t white = 0xFF)
    {
        g_ = g;
        bytes_ = bits / 8;
        sheetStride_ = dibStride(g.sheetWidth(), bits);
        maskStride_ = dibStride(4 * g.sheetWidth(), 1);
        sinkStride_ = dibStride(g.width(), bits);
        for (auto& sheet : sheets)
            sheet.assign(sheetStride_ * g.sheetHeight(), white);
        mask.assign(maskStride_ * g.sheetHeight(), 0xFF);
        sink.assign(sinkStride_ * g.height(), 0xFF);
    }

    CutTarget target(bool withSink = true)
    {
        return {{sheets[0], sheets[1], sheets[2], sheets[3]}, mask, withSink ? std::span(sink) : std::span<std::uint8_t>()};
    }

    // Piece (c, r) as sheet `turn` shows it.
    TileView view(int turn, int c, int r) const
    {
        const int S = g_.pieceSize();
        const auto storedRow = [&](Point p) { return static_cast<std::ptrdiff_t>(g_.sheetHeight() - 1 - S * r - p.y); };
        const auto pixel = [&](int u, int v) {
            const Point p = turned(turn, S, u, v);
            return storedRow(p) * static_cast<std::ptrdiff_t>(sheetStride_) + (S * c + p.x) * bytes_;
        };
        const auto bit = [&](int u, int v) {
            const Point p = turned(turn, S, u, v);
            return storedRow(p) * static_cast<std::ptrdiff_t>(maskStride_ * 8) + (turn - 1) * g_.sheetWidth() + S * c + p.x;
        };
        return {sheets[turn - 1].data(), mask.data(),      pixel(0, 0), pixel(1, 0) - pixel(0, 0),
                pixel(0, 1) - pixel(0, 0), bit(0, 0),        bit(1, 0) - bit(0, 0), bit(0, 1) - bit(0, 0)};
    }

    const std::uint8_t* sinkAt(int x, int y) const
    {
        return sink.data() + (g_.height() - 1 - y) * sinkStride_ + x * bytes_;
    }
    ColorRef sinkColour(int x, int y) const { return rgb(sinkAt(x, y)[2], sinkAt(x, y)[1], sinkAt(x, y)[0]); }

    std::array<std::vector<std::uint8_t>, 4> sheets;
    std::vector<std::uint8_t> mask;
    std::vector<std::uint8_t> sink;

private:
    PuzzleGeometry g_;
    std::ptrdiff_t bytes_ = 0;
    std::size_t sheetStride_ = 0, maskStride_ = 0, sinkStride_ = 0;
};

Output cutTiny(const Canvas& canvas, CutVariant variant = CutVariant::Maker)
{
    Output out(kTiny, 24);
    CutPieces(kTiny, canvas.samples(), makePicture(kTiny), kLight, kDark, variant,
              out.target(variant == CutVariant::Maker));
    return out;
}

// Piece (0, 0) is the square x, y 5..9. Whatever the turn, the sheet shows it
// lit from the top left: the marks are not turned with the picture.
TEST(CutPiecesTiny, EveryTurnIsLitFromTheTopLeft)
{
    const Output out = cutTiny(Canvas(kTiny).fill(5, 5, 9, 9, kRed));
    const int S = kTiny.pieceSize();
    for (int turn = 1; turn <= 4; ++turn) {
        SCOPED_TRACE(turn);
        const TileView tile = out.view(turn, 0, 0);
        const Point a = turned(turn, S, 5, 5), b = turned(turn, S, 9, 9);
        const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
        const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
        for (int v = 5; v <= 9; ++v)
            for (int u = 5; u <= 9; ++u) {
                const Point p = turned(turn, S, u, v);
                if ((p.x == left || p.x == right) && (p.y == top || p.y == bottom))
                    continue;
                const bool lit = p.y == top || p.x == left, shaded = p.y == bottom || p.x == right;
                EXPECT_EQ(tile.colour(u, v), lit ? kLight : shaded ? kDark : pictureAt(u, v)) << u << "," << v;
            }
    }
    // The column pass has the last word at the corners.
    EXPECT_EQ((std::pair{out.view(1, 0, 0).colour(9, 5), out.view(1, 0, 0).colour(5, 9)}), (std::pair{kLight, kDark}));

    for (int y = 0; y < kTiny.height(); ++y)
        for (int x = 0; x < kTiny.width(); ++x)
            ASSERT_EQ(out.sinkColour(x, y), pictureAt(x, y)) << x << "," << y;
}

// What a probe expects besides a plain colour: the mark an upright edge gets
// in the probe's turn, the picture's own sample, or only that the sample lies
// inside or outside the piece.
enum : ColorRef { kLeft = 1u << 24, kRight, kTop, kBottom, kPicture, kIn, kOut };

ColorRef expected(ColorRef expect, int turn, int x, int y)
{
    const ColorRef* const marks[] = {kLeftMark, kRightMark, kTopMark, kBottomMark};
    if (expect >= kLeft && expect <= kBottom)
        return marks[expect - kLeft][turn - 1];
    return expect == kPicture ? pictureAt(x, y) : expect;
}

// Samples u0..u1 × v0..v1 of piece (c, r) in sheet `turn`; turn 0: in every turn.
struct Probe {
    int turn, c, r, u0, v0, u1, v1;
    ColorRef expect;
};
struct Fill {
    int x0, y0, x1, y1;
    ColorRef colour;
};

// Templates painted by hand, each cut and probed where its runs begin and end.
TEST(CutPiecesTiny, MarksAndOutlinesFollowTheRunsOfEachTile)
{
    // Piece (1, 0) has knobs in the first column (y 6..8) and the first row
    // (x 15..17) of its tile, which starts at x 9.
    const std::vector<Fill> knobs{{13, 3, 19, 10, kYellow}, {9, 6, 12, 8, kYellow}, {15, 0, 17, 2, kYellow}};
    const std::tuple<std::vector<Fill>, CutVariant, std::vector<Probe>> cuts[] = {
        // Piece (0, 0) is a bar two samples wide, x 6..7 and y 3..10: both
        // side marks, and nothing else of the tile inside.
        {{{6, 3, 7, 10, kRed}}, CutVariant::Maker,
         {{0, 0, 0, 6, 4, 6, 9, kLeft}, {0, 0, 0, 7, 4, 7, 9, kRight}, {0, 0, 0, 6, 3, 7, 3, kTop},
          {0, 0, 0, 6, 10, 7, 10, kBottom}, {0, 0, 0, 6, 3, 7, 10, kIn}, {0, 0, 0, 0, 0, 13, 2, kOut},
          {0, 0, 0, 0, 11, 13, 13, kOut}, {0, 0, 0, 0, 3, 5, 10, kOut}, {0, 0, 0, 8, 3, 13, 10, kOut}}},
        // Piece (0, 0) reaches the last row of its tile (y 13) in x 6..8;
        // below the tile, x 7 goes on in red: runs ending at the tile bottom
        // get a bottom mark. Piece (0, 1) reaches the last row of the template.
        {{{4, 4, 10, 9, kRed}, {6, 10, 8, 13, kRed}, {4, 14, 10, 22, kGreen}, {7, 14, 7, 14, kRed}}, CutVariant::Maker,
         {{1, 0, 0, 6, 13, 6, 13, kDark}, {1, 0, 0, 8, 13, 8, 13, kDark}, {2, 0, 0, 8, 13, 8, 13, kLight},
          {1, 0, 0, 7, 13, 7, 13, kPicture}, {1, 0, 1, 5, 13, 9, 13, kDark}}},
        // The first row and column of a tile belong to the maker only; the
        // column pass still marks the player's first column, outside the mask.
        {knobs, CutVariant::Maker,
         {{0, 1, 0, 0, 6, 0, 8, kIn}, {0, 1, 0, 6, 0, 8, 0, kIn}, {1, 1, 0, 0, 7, 0, 7, kLight},
          {1, 1, 0, 1, 7, 1, 7, kPicture}}},
        {knobs, CutVariant::Player,
         {{0, 1, 0, 0, 6, 0, 8, kOut}, {0, 1, 0, 6, 0, 8, 0, kOut}, {0, 1, 0, 1, 6, 1, 8, kIn},
          {0, 1, 0, 6, 1, 8, 1, kIn}, {1, 1, 0, 0, 7, 0, 7, kWhite}, {1, 1, 0, 1, 7, 1, 7, kLight},
          {1, 1, 0, 0, 6, 0, 6, kLight}}},
        // Besides its square (x, y 4..9), piece (0, 0)'s tile holds red in its
        // top right corner (x 11..13, y 0..2, the last column included) and a
        // lone red sample at (12, 6): the same colour elsewhere in the tile is
        // cut in. A run of one gets the right mark over the left, then the
        // bottom mark over the top. The row pass ends with the tile, so a run
        // in its last column has no right mark.
        {{{4, 4, 9, 9, kRed}, {11, 0, 13, 2, kRed}, {12, 6, 12, 6, kRed}}, CutVariant::Maker,
         {{0, 0, 0, 11, 0, 13, 2, kIn}, {0, 0, 0, 12, 6, 12, 6, kBottom}, {1, 0, 0, 11, 1, 11, 1, kLight},
          {1, 0, 0, 12, 1, 13, 1, kPicture}}},
    };
    for (const auto& [fills, variant, probes] : cuts) {
        Canvas canvas(kTiny);
        for (const Fill& f : fills)
            canvas.fill(f.x0, f.y0, f.x1, f.y1, f.colour);
        const Output out = cutTiny(canvas, variant);
        for (const Probe& p : probes)
            for (int turn = std::max(p.turn, 1); turn <= (p.turn ? p.turn : 4); ++turn)
                for (int v = p.v0; v <= p.v1; ++v)
                    for (int u = p.u0; u <= p.u1; ++u) {
                        const TileView tile = out.view(turn, p.c, p.r);
                        if (p.expect == kIn || p.expect == kOut)
                            EXPECT_EQ(tile.inside(u, v), p.expect == kIn) << turn << ": " << u << "," << v;
                        else
                            EXPECT_EQ(tile.colour(u, v), expected(p.expect, turn, 9 * p.c + u, 9 * p.r + v))
                                << turn << ": " << p.c << "," << p.r << " at " << u << "," << v;
                    }
    }
}

TEST(CutPiecesTiny, ProgressReportsEachPieceBeforeItIsCut)
{
    const PuzzleGeometry g{3, 2, 4, 5};
    Canvas canvas(g);
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c)
            canvas.fill(g.pitch() * c + 5, g.pitch() * r + 5, g.pitch() * c + 9, g.pitch() * r + 9,
                        (r + c) % 2 ? kRed : kGreen);
    Output out(g, 24);
    const auto centreCut = [&](int piece) { return out.view(1, piece % g.cols, piece / g.cols).inside(7, 7); };
    std::vector<int> reported;
    CutPieces(g, canvas.samples(), makePicture(g), kLight, kDark, CutVariant::Maker, out.target(), [&](int piece) {
        EXPECT_FALSE(centreCut(piece)) << piece;
        EXPECT_TRUE(piece == 0 || centreCut(piece - 1)) << piece;
        reported.push_back(piece);
    });
    EXPECT_EQ(reported, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(CutPiecesTiny, EightBitSheetsTakeIndicesAndIndexBevels)
{
    constexpr std::uint8_t kWhiteIndex = 250, kLightIndex = 7, kDarkIndex = 3;
    std::vector<std::uint8_t> picture;
    for (int y = 0; y < kTiny.height(); ++y)
        for (int x = 0; x < kTiny.width(); ++x)
            picture.push_back(static_cast<std::uint8_t>(20 + x + 5 * y));
    const auto pictureIndex = [&](int x, int y) { return picture[x + kTiny.width() * y]; };
    const auto indexOf = [&](ColorRef mark) { return mark == kLight ? kLightIndex : kDarkIndex; };
    Output out(kTiny, 8, kWhiteIndex);
    CutPieces(kTiny, Canvas(kTiny).fill(5, 5, 9, 9, kRed).samples(), picture, kLightIndex, kDarkIndex,
              CutVariant::Maker, out.target());

    for (int turn = 1; turn <= 4; ++turn) {
        SCOPED_TRACE(turn);
        const TileView tile = out.view(turn, 0, 0);
        // Inside, on the left and bottom edges, and outside.
        const auto at = [&](int u, int v) { return tile.index(u, v); };
        EXPECT_EQ((std::tuple{at(7, 7), at(8, 6), at(5, 7), at(7, 9), at(4, 7)}),
                  (std::tuple{pictureIndex(7, 7), pictureIndex(8, 6), indexOf(kLeftMark[turn - 1]),
                              indexOf(kBottomMark[turn - 1]), kWhiteIndex}));
        EXPECT_TRUE(tile.inside(9, 9) && !tile.inside(10, 9));
    }
    for (int y = 0; y < kTiny.height(); ++y)
        for (int x = 0; x < kTiny.width(); ++x)
            ASSERT_EQ(*out.sinkAt(x, y), pictureIndex(x, y)) << x << "," << y;
}

TEST(CutPiecesArguments, ShortBuffersAreRejectedBeforeAnythingIsWritten)
{
    const Canvas canvas = Canvas(kTiny).fill(5, 5, 9, 9, kRed);
    const std::span<const ColorRef> templ(canvas.samples());
    const std::vector<ColorRef> picture = makePicture(kTiny);
    Output out(kTiny, 24);
    const CutTarget full = out.target();
    const auto cut = [&](std::span<const ColorRef> t, std::span<const ColorRef> p, const CutTarget& target,
                         CutVariant variant = CutVariant::Maker) {
        CutPieces(kTiny, t, p, kLight, kDark, variant, target);
    };
    const auto shortened = [](std::span<std::uint8_t> bytes) { return bytes.first(bytes.size() - 1); };

    EXPECT_THROW(cut(templ.first(templ.size() - 1), picture, full), std::invalid_argument);
    EXPECT_THROW(cut(templ, std::span(picture).first(picture.size() - 1), full), std::invalid_argument);
    // Each sheet, the mask and the full picture one byte short.
    for (std::size_t k = 0; k < 6; ++k) {
        CutTarget target = full;
        std::span<std::uint8_t>& part = k < 4 ? target.sheets[k] : k == 4 ? target.mask : target.fullPicture;
        part = shortened(part);
        EXPECT_THROW(cut(templ, picture, target), std::invalid_argument) << k;
    }
    EXPECT_THROW(cut(templ, picture, full, CutVariant::Player), std::invalid_argument);
    EXPECT_THROW(CutPieces(PuzzleGeometry{0, 2, 4, 5}, templ, picture, kLight, kDark, CutVariant::Maker, full),
                 std::invalid_argument);

    for (const auto& sheet : out.sheets)
        EXPECT_EQ(std::count(sheet.begin(), sheet.end(), 0xFF), static_cast<std::ptrdiff_t>(sheet.size()));
    EXPECT_EQ(std::count(out.mask.begin(), out.mask.end(), 0xFF), static_cast<std::ptrdiff_t>(out.mask.size()));
    EXPECT_NO_THROW(cut(templ, picture, full));

    // 8-bit sheets take one byte per pixel.
    Output out8(kTiny, 8);
    const std::vector<std::uint8_t> indices(picture.size(), 1);
    CutTarget target = out8.target();
    target.sheets[2] = shortened(target.sheets[2]);
    EXPECT_THROW(CutPieces(kTiny, templ, indices, 2, 3, CutVariant::Maker, target), std::invalid_argument);
    EXPECT_NO_THROW(CutPieces(kTiny, templ, indices, 2, 3, CutVariant::Maker, out8.target()));
}

// Cuts with the real template of every puzzle size: each piece is exactly the
// samples of its tile in its colour, shown alike in every turn apart from the
// marks, on white; and the full picture comes out whole.
class CutPiecesEverySize : public ::testing::TestWithParam<int> {};

TEST_P(CutPiecesEverySize, MakerShowsEachPieceAlikeInEveryTurn)
{
    const PuzzleGeometry g = puzzleSize(GetParam()).geometry;
    const std::vector<ColorRef> templ = templateSamples(makePieceTemplate(GetParam()), g);
    const std::vector<ColorRef> picture = makePicture(g);
    // Kept from one size to the next: fresh pages for tens of megabytes per
    // size would take most of the run time.
    static Output out;
    out.reset(g, 24);
    CutPieces(g, templ, picture, kLight, kDark, CutVariant::Maker, out.target());

    const int S = g.pieceSize();
    const int half = g.margin + g.cellSize / 2;
    const auto isMark = [](ColorRef c) { return c == kLight || c == kDark; };
    int failures = 0;
    std::string first;
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c) {
            const std::size_t corner = static_cast<std::size_t>(g.pitch() * c + g.width() * g.pitch() * r);
            const ColorRef t0 = templ[corner + half + g.width() * half];
            const TileView tiles[4] = {out.view(1, c, r), out.view(2, c, r), out.view(3, c, r), out.view(4, c, r)};
            for (int v = 0; v < S; ++v)
                for (int u = 0; u < S; ++u) {
                    const bool inPiece = templ[corner + u + g.width() * v] == t0;
                    const ColorRef upright = tiles[0].colour(u, v);
                    bool ok = isMark(upright) || upright == (inPiece ? picture[corner + u + g.width() * v] : kWhite);
                    for (const TileView& tile : tiles) {
                        const ColorRef shown = tile.colour(u, v);
                        ok = ok && tile.inside(u, v) == inPiece && (shown == kWhite) == !inPiece &&
                             (isMark(upright) || isMark(shown) || shown == upright);
                    }
                    if (!ok && failures++ == 0)
                        first = "piece " + std::to_string(c) + "," + std::to_string(r) + " sample " +
                                std::to_string(u) + "," + std::to_string(v);
                }
        }
    EXPECT_EQ(failures, 0) << "first at " << first;

    int wrongInSink = 0;
    for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x)
            wrongInSink += out.sinkColour(x, y) != pictureAt(x, y);
    EXPECT_EQ(wrongInSink, 0);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, CutPiecesEverySize, ::testing::Range(0, kSizeCount));

}  // namespace
}  // namespace jigsaw
