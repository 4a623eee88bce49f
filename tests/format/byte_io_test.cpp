#include "byte_io.h"

#include <gtest/gtest.h>

#include <utility>

#include "bmp_headers.h"

namespace jigsaw {
namespace {

TEST(ByteIo, ReadsLittleEndianAndStopsAtTheEnd)
{
    const std::vector<std::uint8_t> data = {0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 0xFF, 0xFF, 0x42};
    ByteReader in(data);
    EXPECT_EQ(in.u16(), 0x0201);
    EXPECT_EQ(in.u16(), 0x0403);
    EXPECT_EQ(in.i32(), -2);
    EXPECT_THROW(in.u16(), FormatError);
    EXPECT_EQ(in.position(), 8u) << "a failed read must not move the position";
    EXPECT_EQ(in.u8(), 0x42);
    EXPECT_THROW(in.u8(), FormatError);
    EXPECT_THROW(in.bytes(1), FormatError);

    ByteReader huge(data);
    EXPECT_THROW(huge.skip(SIZE_MAX), FormatError) << "a length near the size limit must not wrap around";
}

TEST(ByteIo, BitmapHeadersKeepTheirByteLayout)
{
    const BITMAPFILEHEADER f{.bfType = kBmpSignature, .bfSize = 0x11223344, .bfOffBits = 1078};
    const BITMAPINFOHEADER i{
        .biSize = 40, .biWidth = 570, .biHeight = -525, .biPlanes = 1, .biBitCount = 8, .biClrUsed = 256};

    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    writeFileHeader(out, f);
    writeInfoHeader(out, i);
    ASSERT_EQ(bytes.size(), 54u);
    // Negative heights are two's complement (bytes 22 to 25).
    const std::pair<std::size_t, int> stored[] = {{0, 'B'}, {1, 'M'},   {2, 0x44},  {10, 1078 & 0xFF},
                                                  {14, 40}, {22, 0xF3}, {25, 0xFF}};
    for (const auto& [at, value] : stored)
        EXPECT_EQ(bytes[at], value) << "byte " << at;

    ByteReader in(bytes);
    EXPECT_EQ(readFileHeader(in), f);
    EXPECT_EQ(readInfoHeader(in), i);
}

}  // namespace
}  // namespace jigsaw
