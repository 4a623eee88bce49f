#include "byte_io.h"

#include <gtest/gtest.h>

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
    BITMAPFILEHEADER f;
    f.bfType = kBmpSignature;
    f.bfSize = 0x11223344;
    f.bfOffBits = 1078;
    BITMAPINFOHEADER i;
    i.biSize = 40;
    i.biWidth = 570;
    i.biHeight = -525;
    i.biPlanes = 1;
    i.biBitCount = 8;
    i.biClrUsed = 256;

    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    writeFileHeader(out, f);
    writeInfoHeader(out, i);
    ASSERT_EQ(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[2], 0x44);
    EXPECT_EQ(bytes[10], 1078 & 0xFF);
    EXPECT_EQ(bytes[14], 40);
    EXPECT_EQ(bytes[22], 0xF3) << "negative heights are two's complement";
    EXPECT_EQ(bytes[25], 0xFF);

    ByteReader in(bytes);
    EXPECT_EQ(readFileHeader(in), f);
    EXPECT_EQ(readInfoHeader(in), i);
}

}  // namespace
}  // namespace jigsaw
