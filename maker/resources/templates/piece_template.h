#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "color.h"
#include "geometry.h"

namespace jigsaw {

// The standard 16-colour palette of the templates, by index.
inline constexpr std::array<ColorRef, 16> kTemplatePalette{
    rgb(0, 0, 0),       rgb(128, 0, 0),   rgb(0, 128, 0),   rgb(128, 128, 0),
    rgb(0, 0, 128),     rgb(128, 0, 128), rgb(0, 128, 128), rgb(192, 192, 192),
    rgb(128, 128, 128), rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(255, 255, 0),
    rgb(0, 0, 255),     rgb(255, 0, 255), rgb(0, 255, 255), rgb(255, 255, 255),
};

inline constexpr std::uint8_t kTplBlack = 0;
inline constexpr std::uint8_t kTplRed = 9;
inline constexpr std::uint8_t kTplGreen = 10;
inline constexpr std::uint8_t kTplYellow = 11;
inline constexpr std::uint8_t kTplBlue = 12;
inline constexpr std::uint8_t kTplMagenta = 13;
inline constexpr std::uint8_t kTplCyan = 14;
inline constexpr std::uint8_t kTplWhite = 15;

// A piece template: one palette index per pixel, rows from the top.
struct PieceTemplate {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width·height indices into kTemplatePalette

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The template of a puzzle size (0..15). The same index always gives the same
// picture: the shapes come from a fixed seed per size.
PieceTemplate makePieceTemplate(int sizeIndex);

// The template's first W columns as a W × H colour sample array (x + W·y),
// the form in which the cutter reads it.
std::vector<ColorRef> templateSamples(const PieceTemplate& tpl, const PuzzleGeometry& g);

}  // namespace jigsaw
