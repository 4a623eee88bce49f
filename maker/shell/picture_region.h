#pragma once

#include <QImage>
#include <QRect>

#include "picture_loader.h"
#include "picture_reduction.h"

namespace kestra {

// EXIF orientations: 1 upright; 2 mirrored; 3 turned half round; 4 mirrored
// top to bottom; 5 to 8 with the sides swapped (6 is turned a quarter
// clockwise to be upright, 8 a quarter anticlockwise).
bool swapsSides(int orientation);

// The orientation an EXIF block (the APP1 segment's data after its marker
// and length) gives, 1 when it gives none or none that is valid.
int exifOrientation(const std::uint8_t* data, std::size_t size);

// How a decoder reads a picture stored storedWidth × storedHeight: at which
// scale, and which part of its output (the stored picture scaled by num/8,
// in its own orientation) it keeps. Without a region, the whole picture at
// the scale the view needs; with one, the part under the frame, block-aligned.
struct DecodePlan {
    DecodeScale scale;
    QRect keep;
};
DecodePlan planDecode(int storedWidth, int storedHeight, int orientation, const PictureRegion* region,
                      bool scalesWhileDecoding);

// Puts the kept part, reduced, upright in `picture` with its place on the
// upright picture (scale and offsets).
void placePart(LoadedPicture& picture, const QImage& part, const DecodePlan& plan, int storedWidth, int storedHeight,
               int orientation);

}  // namespace kestra
