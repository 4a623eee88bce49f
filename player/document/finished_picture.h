#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "color.h"
#include "finished_buffer.h"
#include "packed_dib.h"
#include "vorpel_doc.h"

// The end of a game: the time taken, and the finished picture composed from
// the puzzle's own pictures, optionally glued and framed by a panel.

struct ElapsedTime {
    std::uint32_t hours = 0;
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    bool operator==(const ElapsedTime&) const = default;
};

ElapsedTime SplitElapsed(std::uint32_t elapsedSeconds);

// On completion: saving the game is no longer offered, the final time is
// kept in the document and returned, and the clock stops.
ElapsedTime TakeFinalTime(CVorpelDoc& doc, std::uint64_t nowMs);

// A drawing surface: top-down colours, x + width × y.
struct RgbSurface {
    int width = 0;
    int height = 0;
    std::vector<jigsaw::ColorRef> pixels;

    RgbSurface() = default;
    RgbSurface(int w, int h, jigsaw::ColorRef fill)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }
    jigsaw::ColorRef& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    jigsaw::ColorRef at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A panel for the finished picture: its mask (white on the frame, black
// inside) and its art (the frame, white inside), of any equal size; both are
// stretched over the picture.
struct PanelImages {
    jigsaw::PackedDib mask;
    jigsaw::PackedDib art;
};

// The board-size result surface: with glue the board picture squeezed into
// the finished area (the board less half a margin on every side), without
// glue every piece at its home place on white, each with its outline. The
// panel, when the document chose one and it is given, frames the area.
// Throws jigsaw::FormatError when the puzzle's pictures are missing.
RgbSurface ComposeFinishedPicture(const CVorpelDoc& doc, const PanelImages* panel = nullptr);

// The finished area of the result surface as the buffer the writers save:
// (pitch × cols) × (pitch × rows) pixels.
FinishedBuffer CaptureFinishedPicture(const CVorpelDoc& doc, const RgbSurface& result);
