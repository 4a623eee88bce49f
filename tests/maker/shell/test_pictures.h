#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "bmp_headers.h"

// Picture files made by the tests themselves.

// The file and info headers of a bottom-up BMP whose pixels start at `offset`.
std::vector<std::uint8_t> bmpHeaders(int width, int height, int bitCount, std::uint32_t offset,
                                     std::uint32_t clrUsed = 0);

// An 8-bit BMP of top-down palette indices; `clrUsed` entries of the table
// are written (0 means all 256).
std::vector<std::uint8_t> makeBmp8(int width, int height, const std::array<jigsaw::RGBQUAD, 256>& palette,
                                   const std::vector<std::uint8_t>& indices, std::uint32_t clrUsed = 0);

// A 6×6×6 colour cube (steps of 51) followed by black entries: every two
// entries differ by 51 or more in some channel, so each maps to itself.
std::array<jigsaw::RGBQUAD, 256> cubePalette();

// Writes `bytes` to `path`; returns false on failure.
bool writeBytes(const QString& path, const std::vector<std::uint8_t>& bytes);

// The file's content, empty when it cannot be read.
std::vector<std::uint8_t> readBytes(const QString& path);

// How writeJpegRows writes: an EXIF orientation (1 to 8, 0 for no EXIF
// block), progressive scans, full-resolution colour (4:4:4).
struct JpegOptions {
    int orientation = 0;
    bool progressive = false;
    bool fullColour = false;
};

// Writes a JPEG (quality 85, baseline 4:2:0 unless `options` say otherwise)
// of width × height one row at a time, so that pictures larger than memory
// can be made; `row` fills the 3·width bytes R, G, B of row y (from the
// top). Returns false on failure.
bool writeJpegRows(const QString& path, int width, int height,
                   const std::function<void(int y, std::uint8_t* rgb)>& row, const JpegOptions& options = {});

// A photograph-like scene for such rows: broad colour gradients, a grid of
// darker lines every 250 pixels and a little fixed noise.
void photoRow(int width, int height, int y, std::uint8_t* rgb);
