#pragma once

#include <cstdint>
#include <vector>

#include "byte_io.h"

namespace jigsaw {

// The two headers of the BMP layout, with their on-disk field names. Packed so
// that a copy kept beside a picture is the same 14 and 40 bytes as in a file;
// reading and writing still go field by field in little-endian order.
#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    std::uint16_t bfType = 0;
    std::uint32_t bfSize = 0;
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::uint32_t bfOffBits = 0;

    bool operator==(const BITMAPFILEHEADER&) const = default;
};

struct BITMAPINFOHEADER {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;

    bool operator==(const BITMAPINFOHEADER&) const = default;
};

struct RGBQUAD {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;

    bool operator==(const RGBQUAD&) const = default;
};
#pragma pack(pop)

static_assert(sizeof(BITMAPFILEHEADER) == 14);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(RGBQUAD) == 4);

inline constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"
inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiBitfields = 3;

BITMAPFILEHEADER readFileHeader(ByteReader& in);
BITMAPINFOHEADER readInfoHeader(ByteReader& in);
// `count` colour-table entries (blue, green, red, reserved).
std::vector<RGBQUAD> readColorTable(ByteReader& in, std::size_t count);
void writeFileHeader(ByteWriter& out, const BITMAPFILEHEADER& h);
void writeInfoHeader(ByteWriter& out, const BITMAPINFOHEADER& h);

}  // namespace jigsaw
