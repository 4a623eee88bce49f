#include "cut_pieces.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace jigsaw {

namespace {

// How one output pixel is stored: three bytes blue, green, red for 24-bit
// sheets, one palette index for 8-bit sheets. Colours are stored byte by
// byte: assembled in a register and copied as a whole, a 3-byte pixel takes
// a slow detour through the stack.
struct Pixel24 {
    static constexpr int kBits = 24;
    static constexpr std::size_t kBytes = 3;
    using Sample = ColorRef;
    static void store(std::uint8_t* p, ColorRef c)
    {
        p[0] = blueOf(c);
        p[1] = greenOf(c);
        p[2] = redOf(c);
    }
};

struct Pixel8 {
    static constexpr int kBits = 8;
    static constexpr std::size_t kBytes = 1;
    using Sample = std::uint8_t;
    static void store(std::uint8_t* p, std::uint8_t index) { *p = index; }
};

// Mask byte with the bit of pixel x (leftmost pixel = most significant bit) cleared.
constexpr std::uint8_t kKeepMask[8] = {0x7F, 0xBF, 0xDF, 0xEF, 0xF7, 0xFB, 0xFD, 0xFE};

// Largest cols, rows, cellSize or margin accepted; keeps every derived size
// well inside int.
constexpr int kMaxGeometryValue = 4096;

std::size_t area(std::size_t stride, int rows)
{
    return stride * static_cast<std::size_t>(rows);
}

void requireSize(const char* what, std::size_t have, std::size_t need)
{
    if (have < need)
        throw std::invalid_argument(std::string("CutPieces: ") + what + " holds " + std::to_string(have) +
                                    " values but the geometry needs " + std::to_string(need));
}

template <class Px>
void checkArguments(const PuzzleGeometry& g, std::size_t templSize, std::size_t pictureSize, CutVariant variant,
                    const CutTarget& target)
{
    for (int value : {g.cols, g.rows, g.cellSize})
        if (value < 1 || value > kMaxGeometryValue)
            throw std::invalid_argument("CutPieces: cols, rows and cellSize must be between 1 and " +
                                        std::to_string(kMaxGeometryValue));
    if (g.margin < 0 || g.margin > kMaxGeometryValue)
        throw std::invalid_argument("CutPieces: margin must be between 0 and " + std::to_string(kMaxGeometryValue));

    const std::size_t samples = static_cast<std::size_t>(g.width()) * static_cast<std::size_t>(g.height());
    requireSize("the template", templSize, samples);
    requireSize("the picture", pictureSize, samples);
    const std::size_t sheetBytes = area(dibStride(g.sheetWidth(), Px::kBits), g.sheetHeight());
    const char* sheetNames[4] = {"sheet 1", "sheet 2", "sheet 3", "sheet 4"};
    for (std::size_t k = 0; k < 4; ++k)
        requireSize(sheetNames[k], target.sheets[k].size(), sheetBytes);
    requireSize("the mask", target.mask.size(), area(dibStride(4 * g.sheetWidth(), 1), g.sheetHeight()));
    if (!target.fullPicture.empty()) {
        if (variant != CutVariant::Maker)
            throw std::invalid_argument("CutPieces: only the maker variant fills a full picture");
        requireSize("the full picture", target.fullPicture.size(), area(dibStride(g.width(), Px::kBits), g.height()));
    }
}

// Where sample (u, v) of a tile lands in one turned copy of a raster:
// offset origin + u·du + v·dv from the raster's start, in bytes for a sheet
// and in bits for the mask.
struct TurnWalk {
    std::ptrdiff_t origin;
    std::ptrdiff_t du;
    std::ptrdiff_t dv;

    std::ptrdiff_t at(int u, int v) const { return origin + u * du + v * dv; }
};

using TurnWalks = std::array<TurnWalk, 4>;

// The walks of the four turns for the tile with corner (K, L) in a raster of
// Ph rows stored bottom row first, `row` units apart, `unit` units per pixel;
// turn k's part starts `turnShift` pixels to the right of turn k − 1's.
TurnWalks turnWalks(int K, int L, int S, int Ph, std::ptrdiff_t unit, std::ptrdiff_t row, int turnShift)
{
    const auto at = [&](int turn, int x, int y) { return (Ph - 1 - y) * row + (turn * turnShift + x) * unit; };
    return {{
        {at(0, K, L), unit, -row},
        {at(1, K + S - 1, L), -row, -unit},
        {at(2, K + S - 1, L + S - 1), -unit, row},
        {at(3, K, L + S - 1), row, unit},
    }};
}

// Cuts one piece at a time. Each sample of the tile is tested against the
// piece's colour once; the row pass then draws whole runs of inside samples,
// and the column pass finds the vertical edges row by row. The sheets and the
// mask come out as the sample-by-sample scans would leave them.
template <class Px>
class Cutter {
public:
    using Sample = typename Px::Sample;
    using Value = std::array<std::uint8_t, Px::kBytes>;  // one pixel's bytes

    Cutter(const PuzzleGeometry& g, const ColorRef* templ, const Sample* picture, Sample lightSample,
           Sample darkSample, CutVariant variant, const CutTarget& target)
        : g_(g),
          first_(variant == CutVariant::Maker ? 0 : 1),
          sheetStride_(static_cast<std::ptrdiff_t>(dibStride(g.sheetWidth(), Px::kBits))),
          maskStride_(static_cast<std::ptrdiff_t>(dibStride(4 * g.sheetWidth(), 1))),
          sinkStride_(static_cast<std::ptrdiff_t>(dibStride(g.width(), Px::kBits))),
          templ_(templ),
          picture_(picture),
          light_(pixel(lightSample)),
          dark_(pixel(darkSample)),
          leftMark_{light_, light_, dark_, dark_},
          rightMark_{dark_, dark_, light_, light_},
          topMark_{light_, dark_, dark_, light_},
          bottomMark_{dark_, light_, light_, dark_},
          sheets_{target.sheets[0].data(), target.sheets[1].data(), target.sheets[2].data(),
                  target.sheets[3].data()},
          mask_(target.mask.data()),
          sink_(target.fullPicture.empty() ? nullptr : target.fullPicture.data()),
          insideStride_((static_cast<std::size_t>(g.pieceSize()) + 7) / 8 * 8),
          inside_(insideStride_ * static_cast<std::size_t>(g.pieceSize() + 2), 0)
    {
    }

    void cutPiece(int c, int r)
    {
        const int S = g_.pieceSize();
        const int I = g_.pitch() * c;
        const int J = g_.pitch() * r;
        const int K = S * c;
        const int L = S * r;
        const int half = g_.margin + g_.cellSize / 2;
        const ColorRef t0 = templ_[index(I + half, J + half)];

        const int Ph = g_.sheetHeight();
        const TurnWalks sheet = turnWalks(K, L, S, Ph, Px::kBytes, sheetStride_, 0);
        const TurnWalks mask = turnWalks(K, L, S, Ph, 1, 8 * maskStride_, g_.sheetWidth());
        findInside(t0, I, J);
        rowPass(I, J, sheet, mask);
        columnPass(sheet);
    }

    // The maker's row pass visits every sample of every tile, and the tiles
    // cover the template, overlapping by the margin. So once a row of pieces
    // is cut, the picture rows its tiles reach and earlier rows' tiles did
    // not are complete; they are copied whole, which keeps the writes
    // sequential.
    void copyToSink(int r)
    {
        if (sink_ == nullptr)
            return;
        const int W = g_.width();
        const int J = g_.pitch() * r;
        for (int y = r > 0 ? J + g_.margin : 0; y < J + g_.pieceSize(); ++y) {
            const Sample* const in = picture_ + index(0, y);
            std::uint8_t* const out = sink_ + (g_.height() - 1 - y) * sinkStride_;
            for (int x = 0; x < W; ++x)
                Px::store(out + x * Px::kBytes, in[x]);
        }
    }

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(x) + static_cast<std::size_t>(g_.width()) * static_cast<std::size_t>(y);
    }

    std::uint8_t* insideRow(int v) { return inside_.data() + static_cast<std::size_t>(v + 1) * insideStride_; }

    // Tests every sample of the tile, and of the row below it, against the
    // piece's colour; positions outside the template never match.
    void findInside(ColorRef t0, int I, int J)
    {
        const int S = g_.pieceSize();
        const int rows = J + S < g_.height() ? S + 1 : S;
        for (int v = 0; v < rows; ++v) {
            std::uint8_t* const row = insideRow(v);
            const ColorRef* const t = templ_ + index(I, J + v);
            for (int u = 0; u < S; ++u)
                row[u] = t[u] == t0;
        }
        if (rows == S)
            std::fill_n(insideRow(S), S, std::uint8_t{0});
    }

    // Splits each row, from the first row and column of the variant on, into
    // runs of inside samples and draws every run. The state starts as
    // "outside" in each row, so a run never begins before the first column.
    void rowPass(int I, int J, const TurnWalks& sheet, const TurnWalks& mask)
    {
        const int S = g_.pieceSize();
        for (int v = first_; v < S; ++v) {
            const std::uint8_t* const row = insideRow(v);
            const std::uint8_t* const end = row + S;
            const Sample* const picture = picture_ + index(I, J + v);
            const std::uint8_t* from = row + first_;
            while (const auto* start = static_cast<const std::uint8_t*>(std::memchr(from, 1, end - from))) {
                const auto* stop = static_cast<const std::uint8_t*>(std::memchr(start, 0, end - start));
                from = stop != nullptr ? stop : end;
                drawRun(v, static_cast<int>(start - row), static_cast<int>(from - row), picture, sheet, mask);
            }
        }
    }

    // Draws samples a..b − 1 of tile row v in all four turns and clears their
    // mask bits. The first sample then gets the left-edge mark and, when the
    // run ends inside the tile, the last sample the right-edge mark, which
    // stands on a run of one.
    void drawRun(int v, int a, int b, const Sample* row, const TurnWalks& sheet, const TurnWalks& mask)
    {
        const int n = b - a;
        const Sample* const samples = row + a;
        for (int k = 0; k < 4; ++k) {
            std::uint8_t* const out = sheets_[k];
            const std::ptrdiff_t du = sheet[k].du;
            std::ptrdiff_t at = sheet[k].at(a, v);
            for (int i = 0; i < n; ++i, at += du)
                Px::store(out + at, samples[i]);
        }
        const bool closed = b < g_.pieceSize();
        for (int k = 0; k < 4; ++k) {
            put(k, sheet[k].at(a, v), leftMark_[k]);
            if (closed)
                put(k, sheet[k].at(b - 1, v), rightMark_[k]);
        }

        // Turns 1 and 3 lay the run along a mask row, turns 2 and 4 across rows.
        clearRowBits(mask[0].at(a, v), n);
        clearRowBits(mask[2].at(b - 1, v), n);
        clearColumnBits(mask[1].at(a, v), mask[1].du, n);
        clearColumnBits(mask[3].at(a, v), mask[3].du, n);
    }

    // Clears `count` bits from bit `first` on, a byte at a time where it can.
    void clearRowBits(std::ptrdiff_t first, int count) const
    {
        const std::ptrdiff_t end = first + count;
        std::uint8_t* const lo = mask_ + (first >> 3);
        std::uint8_t* const hi = mask_ + (end >> 3);
        const auto fromFirst = static_cast<std::uint8_t>(0xFF >> (first & 7));
        const auto fromEnd = static_cast<std::uint8_t>(0xFF >> (end & 7));
        if (lo == hi) {
            *lo &= static_cast<std::uint8_t>(~fromFirst | fromEnd);
            return;
        }
        *lo &= static_cast<std::uint8_t>(~fromFirst);
        if ((end & 7) != 0)
            *hi &= fromEnd;
        std::fill(lo + 1, hi, std::uint8_t{0});
    }

    // Clears `count` bits from bit `first` on, one in each row, `step` bits apart.
    void clearColumnBits(std::ptrdiff_t first, std::ptrdiff_t step, int count) const
    {
        std::uint8_t* const mask = mask_;
        const std::uint8_t keep = kKeepMask[first & 7];
        const std::ptrdiff_t byteStep = step / 8;
        std::ptrdiff_t at = first >> 3;
        for (int i = 0; i < count; ++i, at += byteStep)
            mask[at] &= keep;
    }

    // Marks the top and bottom of every vertical run, the column at u = S
    // left out: it cannot start a run. A run starts where an inside sample
    // has none above it and ends where it has none below, the row below the
    // tile included, so the marks can be found row by row. Within a column
    // only a run of one sample is marked twice, and there the bottom mark
    // comes last, as it does scanning down the column.
    void columnPass(const TurnWalks& sheet)
    {
        const int S = g_.pieceSize();
        const std::size_t words = insideStride_ / 8;
        for (int v = 0; v < S; ++v) {
            const std::uint8_t* const above = insideRow(v - 1);
            const std::uint8_t* const row = insideRow(v);
            const std::uint8_t* const below = insideRow(v + 1);
            for (std::size_t w = 0; w < words; ++w) {
                // Eight samples at a time skip the long stretches without an edge.
                std::uint64_t a, c, b;
                std::memcpy(&a, above + 8 * w, 8);
                std::memcpy(&c, row + 8 * w, 8);
                std::memcpy(&b, below + 8 * w, 8);
                if ((c & ~(a & b)) == 0)
                    continue;
                for (int u = static_cast<int>(8 * w); u < static_cast<int>(8 * w + 8); ++u) {
                    if (row[u] == 0)
                        continue;
                    if (above[u] == 0)
                        mark(sheet, u, v, topMark_);
                    if (below[u] == 0)
                        mark(sheet, u, v, bottomMark_);
                }
            }
        }
    }

    void mark(const TurnWalks& sheet, int u, int v, const Value (&marks)[4]) const
    {
        for (int k = 0; k < 4; ++k)
            put(k, sheet[k].at(u, v), marks[k]);
    }

    void put(int turn, std::ptrdiff_t at, const Value& value) const
    {
        std::memcpy(sheets_[turn] + at, value.data(), Px::kBytes);
    }

    static Value pixel(Sample sample)
    {
        Value value;
        Px::store(value.data(), sample);
        return value;
    }

    const PuzzleGeometry g_;
    const int first_;
    const std::ptrdiff_t sheetStride_, maskStride_, sinkStride_;
    const ColorRef* const templ_;
    const Sample* const picture_;
    const Value light_, dark_;
    // Per turn 1..4, as each edge of an upright run shows in the sheets.
    const Value leftMark_[4], rightMark_[4], topMark_[4], bottomMark_[4];
    std::uint8_t* const sheets_[4];
    std::uint8_t* const mask_;
    std::uint8_t* const sink_;
    // The tile's samples that match the piece's colour, one byte each, for
    // rows v = −1..S; the row above the tile and the padding of each row to
    // whole 8-byte words never match.
    const std::size_t insideStride_;
    std::vector<std::uint8_t> inside_;
};

template <class Px>
void cutAll(const PuzzleGeometry& g, std::span<const ColorRef> templ, std::span<const typename Px::Sample> picture,
            typename Px::Sample light, typename Px::Sample dark, CutVariant variant, const CutTarget& target,
            const CutProgress& progress)
{
    checkArguments<Px>(g, templ.size(), picture.size(), variant, target);
    Cutter<Px> cutter(g, templ.data(), picture.data(), light, dark, variant, target);
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.cols; ++c) {
            if (progress)
                progress(r * g.cols + c);
            cutter.cutPiece(c, r);
        }
        cutter.copyToSink(r);
    }
}

}  // namespace

void CutPieces(const PuzzleGeometry& g, std::span<const ColorRef> templ, std::span<const ColorRef> picture,
               ColorRef light, ColorRef dark, CutVariant variant, const CutTarget& target,
               const CutProgress& progress)
{
    cutAll<Pixel24>(g, templ, picture, light, dark, variant, target, progress);
}

void CutPieces(const PuzzleGeometry& g, std::span<const ColorRef> templ, std::span<const std::uint8_t> picture,
               std::uint8_t light, std::uint8_t dark, CutVariant variant, const CutTarget& target,
               const CutProgress& progress)
{
    cutAll<Pixel8>(g, templ, picture, light, dark, variant, target, progress);
}

}  // namespace jigsaw
