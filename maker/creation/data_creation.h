#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bmp_headers.h"
#include "color.h"
#include "geometry.h"
#include "jzt_file.h"

namespace kestra {

// Turning the framed part of a picture into a puzzle file, in the stages the
// maker shows one progress dialog each for:
//   1. sampleFramedPicture  - scale the frame to W × H, read the template  (178)
//   2. mapToPalette         - 256-colour pictures only                      (179)
//   3. buildPuzzle          - cut the pieces or map the template            (135)
//   4. savePuzzle           - write the file atomically
// createPuzzle runs 1 to 3 in one call. A memory shortage surfaces as
// std::bad_alloc from any stage; everything else that can fail throws
// jigsaw::FormatError.

// The picture as the document holds it: 32-bit pixels 0xAARRGGBB (alpha
// ignored), rows from the top, `stride` pixels from one row to the next. The
// pixels may be a reduced copy of a larger picture, or of a part of it:
// frames are given in pixels of pictureWidth × pictureHeight (0 for the
// pixels' own size), and picture coordinate p lies at source coordinate
// p · scale − offset on each axis (scale 0: the ratio of the sizes).
struct SourcePicture {
    int width = 0;
    int height = 0;
    const std::uint32_t* pixels = nullptr;
    std::size_t stride = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
    double scale = 0.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
};

// A rectangle in picture pixels; right and bottom are exclusive.
struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Called with (position, maximum) once per row or per piece.
using StageProgress = std::function<void(int position, int maximum)>;

using Palette = std::array<jigsaw::RGBQUAD, 256>;

// Stage 1: the framed part scaled to W × H by area averaging (parts of the
// frame outside the picture read as black), and the size's piece template,
// both as top-down sample arrays indexed x + W·y.
struct WorkingSamples {
    int sizeIndex = 0;
    jigsaw::PuzzleGeometry geometry;
    std::vector<jigsaw::ColorRef> picture;
    std::vector<jigsaw::ColorRef> templ;
};
WorkingSamples sampleFramedPicture(const SourcePicture& source, const FrameRect& frame, int sizeIndex,
                                   const StageProgress& progress = {});

// Stage 2: the picture's samples as indices into its 256-entry colour table.
// The brightest entry is forced to pure white and the darkest to pure black
// in `palette` itself (so a second run starts from the changed table). A
// sample takes the last entry whose red, green and blue each differ from it
// by less than 30; one with no such entry becomes white.
struct IndexedSamples {
    std::vector<std::uint8_t> indices;  // x + W·y
    std::uint8_t lightIndex = 0;        // first entry with the largest R+G+B below 600
    std::uint8_t darkIndex = 0;         // first entry with the smallest R+G+B above 165
    std::uint8_t whiteIndex = 0;        // first entry with the largest R+G+B
    std::uint8_t blackIndex = 0;        // first entry with the smallest R+G+B
};
IndexedSamples mapToPalette(const std::vector<jigsaw::ColorRef>& picture, int width, int height,
                            Palette& palette, const StageProgress& progress = {});

// Stage 3: the puzzle's blocks. `indexed` is null for a true-colour puzzle;
// otherwise the puzzle is 256-colour with `palette`. Every block carries the
// picture's file header. The header's message fields are left for setMessage.
jigsaw::JztPuzzle buildPuzzle(const WorkingSamples& samples, const IndexedSamples* indexed, const Palette& palette,
                              jigsaw::DataFormat format, const jigsaw::BITMAPFILEHEADER& fileHeader,
                              const StageProgress& progress = {});

// The attached message (UTF-8 lines, at most three, each stored as CP932 cut
// at 100 bytes) and the show-on-open flag. Throws jigsaw::FormatError when a line
// holds a character CP932 cannot store.
void setMessage(jigsaw::JztHeader& header, const std::vector<std::string>& utf8Lines, bool showOnOpen);

// Stage 4: writes the file atomically; a failure names the file and the
// reason and leaves any previous file as it was.
void savePuzzle(const std::filesystem::path& path, const jigsaw::JztPuzzle& puzzle);

// Everything one run needs, for callers without dialogs in between.
struct CreationRequest {
    SourcePicture source;
    FrameRect frame;
    int sizeIndex = 0;
    jigsaw::DataFormat format = jigsaw::DataFormat::Large;
    int bitCount = 24;           // 8: 256-colour picture with `palette`
    Palette* palette = nullptr;  // required when bitCount is 8; modified as mapToPalette says
    jigsaw::BITMAPFILEHEADER fileHeader;
    std::vector<std::string> messageLines;
    bool showMessageOnOpen = true;
};

enum class Stage { Sampling, Palette, Creating };
using CreationProgress = std::function<void(Stage stage, int position, int maximum)>;

jigsaw::JztPuzzle createPuzzle(const CreationRequest& request, const CreationProgress& progress = {});

}  // namespace kestra
