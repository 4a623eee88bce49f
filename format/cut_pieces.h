#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "color.h"
#include "geometry.h"

namespace jigsaw {

// The maker cuts from the tile's first row and column; the player from the second.
enum class CutVariant { Maker, Player };

// Where the cutter writes. Every buffer is a DIB pixel array (bottom row first,
// rows padded to 4 bytes) that the caller has prepared: sheets filled with
// white, the mask with 1 bits.
struct CutTarget {
    // Turns 1 to 4; Pw × Ph pixels at the output depth (stride Pw·bytes per pixel).
    std::array<std::span<std::uint8_t>, 4> sheets;
    // 4·Pw × Ph pixels at 1 bit, the four turns side by side; 0 = inside a piece.
    std::span<std::uint8_t> mask;
    // Optional W × H sink at the output depth that receives every picture
    // sample the cutter visits inside the template (maker only).
    std::span<std::uint8_t> fullPicture;
};

// Called once per piece, before it is cut, with r·cols + c.
using CutProgress = std::function<void(int piece)>;

// Inputs are top-down sample arrays indexed x + W·y holding at least W·H
// values. Template values matter only by equality. Throws std::invalid_argument
// when a buffer is too small for the geometry.

// 24-bit output: picture samples are colours; light and dark are the bevel colours.
void CutPieces(const PuzzleGeometry& g, std::span<const ColorRef> templ, std::span<const ColorRef> picture,
               ColorRef light, ColorRef dark, CutVariant variant, const CutTarget& target,
               const CutProgress& progress = {});

// 8-bit output: picture samples are palette indices; light and dark are indices.
void CutPieces(const PuzzleGeometry& g, std::span<const ColorRef> templ, std::span<const std::uint8_t> picture,
               std::uint8_t light, std::uint8_t dark, CutVariant variant, const CutTarget& target,
               const CutProgress& progress = {});

inline constexpr ColorRef kBevelLight24 = rgb(200, 200, 200);
inline constexpr ColorRef kBevelDark24 = rgb(80, 80, 80);

}  // namespace jigsaw
