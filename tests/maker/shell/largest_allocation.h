#pragma once

#include <cstddef>

// The largest single heap block the process asked for since the last reset,
// counted for every malloc and operator new, the picture decoders' included.
void resetLargestAllocation();
std::size_t largestAllocation();
