#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

#include "bmp_headers.h"

// Picture files made by the tests themselves.

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
