#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace jigsaw {

// The four numbers that fix a puzzle's layout, and everything derived from
// them. Only the sixteen combinations of puzzleSizes() occur in real files.
struct PuzzleGeometry {
    int cols = 0;      // pieces across
    int rows = 0;      // pieces down
    int cellSize = 0;  // side of a piece's core square
    int margin = 0;    // band around the core in which the knobs interlock

    constexpr int pitch() const { return cellSize + margin; }
    constexpr int pieceSize() const { return cellSize + 2 * margin; }  // S
    constexpr int width() const { return pitch() * cols + margin; }    // W
    constexpr int height() const { return pitch() * rows + margin; }   // H
    constexpr int sheetWidth() const { return pieceSize() * cols; }    // Pw
    constexpr int sheetHeight() const { return pieceSize() * rows; }   // Ph
    constexpr int pieceCount() const { return cols * rows; }

    constexpr bool operator==(const PuzzleGeometry&) const = default;
};

// Bytes in one DIB row of `width` pixels at `bitCount` bits, padded to 4 bytes.
constexpr std::size_t dibStride(int width, int bitCount)
{
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

// One of the sixteen puzzle sizes the maker offers, by size index.
struct PuzzleSize {
    int sizeIndex = 0;
    PuzzleGeometry geometry;
    int templateWidth = 0;  // width of the piece template; wider than W for one size
};

inline constexpr int kSizeCount = 16;

const std::array<PuzzleSize, kSizeCount>& puzzleSizes();
const PuzzleSize& puzzleSize(int sizeIndex);  // sizeIndex 0..15

// The size index whose geometry this is, if it is one of the sixteen.
std::optional<int> findSizeIndex(const PuzzleGeometry& g);

// Row paddings of the blocks, derived from the 4-byte row alignment.
int maskPadUnits(const PuzzleGeometry& g);  // 1-bit mask rows of 4·Pw pixels, in 4-pixel units
int rowPad24(const PuzzleGeometry& g);      // bytes after a 24-bit row of W pixels
int mapPad(const PuzzleGeometry& g);        // bytes after a 4-bit row of W pixels

}  // namespace jigsaw
