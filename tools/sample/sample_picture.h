#pragma once

#include <vector>

#include "color.h"

namespace jigsaw {

// A landscape drawn by code (sky, sun, hills, a lake, a meadow with flowers),
// the same for the same size: the picture of the bundled sample puzzle and of
// the tests. Top-down samples, x + width·y.
std::vector<ColorRef> samplePicture(int width, int height);

}  // namespace jigsaw
