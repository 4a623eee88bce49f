#pragma once

#include <vector>

#include "color.h"
#include "packed_dib.h"

namespace jigsaw {

// A picture's pixels as a top-down sample array (x + width·y) of colours:
// indexed pictures through their colour table, 24-bit pictures directly. This
// is the form the cutter reads pictures and template maps in.
std::vector<ColorRef> dibSamples(const PackedDib& dib);

}  // namespace jigsaw
