#pragma once

#include <vector>

#include "color.h"

namespace jigsaw {

// The sample landscape with things to find while assembling it: a cottage
// with a red roof and a path, trees, a sailboat and a kite. The picture of the
// bundled sample puzzle. Top-down samples, x + width·y.
std::vector<ColorRef> sampleScene(int width, int height);

}  // namespace jigsaw
