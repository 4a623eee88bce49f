#pragma once

#include <vector>

#include "color.h"
#include "data_creation.h"

namespace kestra {

// Scales the frame's part of the picture to width × height by area
// averaging: every output pixel is the mean of the source area it covers,
// partly covered pixels counting by their share. The frame may reach past the
// picture; what lies outside reads as black. The frame is in the picture's
// own pixels, mapped onto the source's (possibly reduced) pixels. Output as
// top-down samples.
std::vector<jigsaw::ColorRef> scaleArea(const SourcePicture& source, const FrameRect& frame, int width, int height,
                                        const StageProgress& progress = {});

}  // namespace kestra
