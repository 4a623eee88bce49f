#include "cut_pieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
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

// Piece (0, 0) is a bar two samples wide, x 6..7 and y 3..10.
TEST(CutPiecesTiny, TwoSampleRunCarriesBothSideMarks)
{
    const Output out = cutTiny(Canvas(kTiny).fill(6, 3, 7, 10, kRed));
    for (int turn = 1; turn <= 4; ++turn) {
        SCOPED_TRACE(turn);
        const TileView tile = out.view(turn, 0, 0);
        for (int v = 4; v <= 9; ++v) {
            EXPECT_EQ(tile.colour(6, v), kLeftMark[turn - 1]);
            EXPECT_EQ(tile.colour(7, v), kRightMark[turn - 1]);
        }
        for (int u = 6; u <= 7; ++u) {
            EXPECT_EQ(tile.colour(u, 3), kTopMark[turn - 1]);
            EXPECT_EQ(tile.colour(u, 10), kBottomMark[turn - 1]);
        }
        for (int v = 0; v < kTiny.pieceSize(); ++v)
            for (int u = 0; u < kTiny.pieceSize(); ++u)
                EXPECT_EQ(tile.inside(u, v), u >= 6 && u <= 7 && v >= 3 && v <= 10) << u << "," << v;
    }
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
    const TileView upright = out.view(1, 0, 0);
    EXPECT_EQ(upright.colour(9, 5), kLight);
    EXPECT_EQ(upright.colour(5, 9), kDark);

    for (int y = 0; y < kTiny.height(); ++y)
        for (int x = 0; x < kTiny.width(); ++x)
            ASSERT_EQ(out.sinkColour(x, y), pictureAt(x, y)) << x << "," << y;
}

// Piece (0, 0) reaches the last row of its tile (y 13) in x 6..8; below the
// tile, x 7 goes on in red. Piece (0, 1) reaches the last row of the template.
TEST(CutPiecesTiny, RunsEndingAtTheTileBottomGetABottomMark)
{
    const Output out = cutTiny(Canvas(kTiny)
                                   .fill(4, 4, 10, 9, kRed)
                                   .fill(6, 10, 8, 13, kRed)
                                   .fill(4, 14, 10, 22, kGreen)
                                   .fill(7, 14, 7, 14, kRed));
    const TileView upright = out.view(1, 0, 0);
    EXPECT_EQ(upright.colour(6, 13), kDark);
    EXPECT_EQ(upright.colour(8, 13), kDark);
    EXPECT_EQ(out.view(2, 0, 0).colour(8, 13), kLight);
    EXPECT_EQ(upright.colour(7, 13), pictureAt(7, 13));
    for (int u = 5; u <= 9; ++u)
        EXPECT_EQ(out.view(1, 0, 1).colour(u, 13), kDark) << u;
}

// Piece (1, 0) has knobs in the first column (y 6..8) and the first row
// (x 15..17) of its tile, which starts at x 9.
TEST(CutPiecesTiny, FirstRowAndColumnBelongToTheMakerOnly)
{
    const Canvas canvas =
        Canvas(kTiny).fill(13, 3, 19, 10, kYellow).fill(9, 6, 12, 8, kYellow).fill(15, 0, 17, 2, kYellow);
    const Output maker = cutTiny(canvas, CutVariant::Maker);
    const Output player = cutTiny(canvas, CutVariant::Player);
    for (int turn = 1; turn <= 4; ++turn) {
        SCOPED_TRACE(turn);
        const TileView made = maker.view(turn, 1, 0), played = player.view(turn, 1, 0);
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(made.inside(0, 6 + i));
            EXPECT_TRUE(made.inside(6 + i, 0));
            EXPECT_FALSE(played.inside(0, 6 + i));
            EXPECT_FALSE(played.inside(6 + i, 0));
            EXPECT_TRUE(played.inside(1, 6 + i));
            EXPECT_TRUE(played.inside(6 + i, 1));
        }
    }
    EXPECT_EQ(maker.view(1, 1, 0).colour(0, 7), kLight);
    EXPECT_EQ(maker.view(1, 1, 0).colour(1, 7), pictureAt(10, 7));
    EXPECT_EQ(player.view(1, 1, 0).colour(0, 7), kWhite);
    EXPECT_EQ(player.view(1, 1, 0).colour(1, 7), kLight);
    // The column pass still marks the first column, outside the mask.
    EXPECT_EQ(player.view(1, 1, 0).colour(0, 6), kLight);
}

// Besides its square (x, y 4..9), piece (0, 0)'s tile holds red in its top
// right corner (x 11..13, y 0..2, the last column included) and a lone red
// sample at (12, 6).
TEST(CutPiecesTiny, SameColourElsewhereInTheTileIsCutIn)
{
    const Output out = cutTiny(Canvas(kTiny).fill(4, 4, 9, 9, kRed).fill(11, 0, 13, 2, kRed).fill(12, 6, 12, 6, kRed));
    for (int turn = 1; turn <= 4; ++turn) {
        const TileView tile = out.view(turn, 0, 0);
        for (int v = 0; v <= 2; ++v)
            for (int u = 11; u <= 13; ++u)
                EXPECT_TRUE(tile.inside(u, v)) << turn << ": " << u << "," << v;
        // A run of one gets the right mark over the left, then the bottom mark over the top.
        EXPECT_EQ(tile.colour(12, 6), kBottomMark[turn - 1]) << turn;
    }
    const TileView upright = out.view(1, 0, 0);
    EXPECT_EQ(upright.colour(11, 1), kLight);
    EXPECT_EQ(upright.colour(12, 1), pictureAt(12, 1));
    // The row pass ends with the tile, so a run in its last column has no right mark.
    EXPECT_EQ(upright.colour(13, 1), pictureAt(13, 1));
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
        EXPECT_EQ(tile.index(7, 7), pictureIndex(7, 7));
        EXPECT_EQ(tile.index(8, 6), pictureIndex(8, 6));
        EXPECT_EQ(tile.index(5, 7), indexOf(kLeftMark[turn - 1]));
        EXPECT_EQ(tile.index(7, 9), indexOf(kBottomMark[turn - 1]));
        EXPECT_EQ(tile.index(4, 7), kWhiteIndex);
        EXPECT_TRUE(tile.inside(9, 9));
        EXPECT_FALSE(tile.inside(10, 9));
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
    for (std::size_t k = 0; k < 4; ++k) {
        CutTarget target = full;
        target.sheets[k] = shortened(target.sheets[k]);
        EXPECT_THROW(cut(templ, picture, target), std::invalid_argument) << k;
    }
    CutTarget target = full;
    target.mask = shortened(target.mask);
    EXPECT_THROW(cut(templ, picture, target), std::invalid_argument);
    target = full;
    target.fullPicture = shortened(target.fullPicture);
    EXPECT_THROW(cut(templ, picture, target), std::invalid_argument);
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
    target = out8.target();
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
