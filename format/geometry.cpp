#include "geometry.h"

#include <stdexcept>

namespace jigsaw {

namespace {

constexpr std::array<PuzzleSize, kSizeCount> kSizes{{
    {0, {7, 9, 20, 40}, 460},
    {1, {10, 8, 20, 40}, 640},
    {2, {12, 11, 15, 30}, 570},
    {3, {8, 6, 25, 50}, 650},
    {4, {12, 9, 20, 40}, 760},
    {5, {16, 13, 15, 30}, 750},
    {6, {3, 4, 40, 80}, 440},
    {7, {4, 3, 40, 80}, 560},
    {8, {8, 10, 20, 40}, 520},
    {9, {9, 12, 20, 40}, 580},
    {10, {6, 8, 24, 48}, 480},
    {11, {20, 15, 15, 30}, 930},
    {12, {24, 20, 15, 30}, 1155},
    {13, {6, 5, 20, 60}, 540},
    {14, {30, 25, 10, 20}, 920},
    {15, {40, 25, 10, 20}, 1220},
}};

}  // namespace

const std::array<PuzzleSize, kSizeCount>& puzzleSizes()
{
    return kSizes;
}

const PuzzleSize& puzzleSize(int sizeIndex)
{
    if (sizeIndex < 0 || sizeIndex >= kSizeCount)
        throw std::out_of_range("puzzle size index out of range");
    return kSizes[static_cast<std::size_t>(sizeIndex)];
}

std::optional<int> findSizeIndex(const PuzzleGeometry& g)
{
    for (const PuzzleSize& s : kSizes)
        if (s.geometry == g)
            return s.sizeIndex;
    return std::nullopt;
}

int maskPadUnits(const PuzzleGeometry& g)
{
    const int bits = 4 * g.sheetWidth();
    const int padBits = static_cast<int>(dibStride(bits, 1)) * 8 - bits;
    return padBits / 4;
}

int rowPad24(const PuzzleGeometry& g)
{
    return static_cast<int>(dibStride(g.width(), 24)) - 3 * g.width();
}

int mapPad(const PuzzleGeometry& g)
{
    return static_cast<int>(dibStride(g.width(), 4)) - (g.width() + 1) / 2;
}

}  // namespace jigsaw
