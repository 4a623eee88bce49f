#pragma once

#include <array>
#include <string>
#include <vector>

#include "color.h"
#include "jzt_file.h"

namespace jigsaw {

// Makes a complete puzzle from a W × H picture (top-down samples) with the
// generated template of the size: cut for the large format, mapped for the
// small one; 256-colour puzzles use a fixed colour cube. For the bundled
// sample, the tests, benchmarks and fuzz seeds.
JztPuzzle buildSamplePuzzle(int sizeIndex, DataFormat dataFormat, ColorFormat colorFormat,
                            const std::vector<ColorRef>& picture,
                            const std::array<std::string, 3>& messageLines = {});

// The fixed 256-colour palette of such puzzles: a 6×6×6 colour cube and a
// grey ramp ending in white at index 255.
std::array<RGBQUAD, 256> samplePalette();

}  // namespace jigsaw
