#include "packed_dib.h"

#include <gtest/gtest.h>

#include "dib_samples.h"
#include "format_error.h"

namespace jigsaw {
namespace {

BITMAPINFOHEADER info(int bits, std::uint32_t clrUsed = 0, std::uint32_t compression = kBiRgb)
{
    BITMAPINFOHEADER h = PackedDib::makeInfo(10, 10, bits);
    h.biClrUsed = clrUsed;
    h.biCompression = compression;
    return h;
}

TEST(PackedDib, PixelsStartBehindTheColourTable)
{
    EXPECT_EQ(dibPixelOffset(info(8)), 40u + 1024u);
    EXPECT_EQ(dibPixelOffset(info(8, 16)), 40u + 64u);
    EXPECT_EQ(dibPixelOffset(info(4)), 40u + 64u);
    EXPECT_EQ(dibPixelOffset(info(1)), 48u);
    EXPECT_EQ(dibPixelOffset(info(24)), 40u);
    EXPECT_EQ(dibPixelOffset(info(24, 3)), 52u);
    EXPECT_EQ(dibPixelOffset(info(32, 0, kBiBitfields)), 52u);
    EXPECT_EQ(dibPixelOffset(info(8, 0xFFFFFFFFu)), 40u + 4u * 0xFFFFFFFFull) << "no 32-bit wrap-around";
}

TEST(PackedDib, RefusesImpossibleOrAbsurdPictures)
{
    EXPECT_THROW(PackedDib::create(info(8, 0xFFFFFFFFu), {}), FormatError);
    EXPECT_THROW(PackedDib::create(PackedDib::makeInfo(0, 10, 8), {}), FormatError);
    EXPECT_THROW(PackedDib::create(PackedDib::makeInfo(10, 10, 7), {}), FormatError);
    EXPECT_THROW(PackedDib::create(PackedDib::makeInfo(65500, 65500, 24), {}), FormatError);
    EXPECT_THROW(PackedDib::create(PackedDib::makeInfo(10, INT32_MIN, 24), {}), FormatError);
}

TEST(PackedDib, RowsArePaddedAndStoredBottomUp)
{
    const RGBQUAD table[3] = {{0, 0, 0, 0}, {10, 20, 30, 0}, {255, 255, 255, 0}};
    PackedDib dib = PackedDib::create(PackedDib::makeInfo(570, 3, 8), table, 2);
    EXPECT_EQ(dib.stride(), 572u);
    EXPECT_EQ(dib.block().size(), 40u + 1024u + 572u * 3u);
    EXPECT_EQ(dib.colorCount(), 256);
    EXPECT_EQ(dib.color(200), (RGBQUAD{}));
    EXPECT_THROW(dib.color(256), std::out_of_range);

    dib.rowFromTop(0)[0] = 1;  // top row, stored last
    EXPECT_EQ(dib.pBits()[2 * 572], 1);
    const std::vector<ColorRef> samples = dibSamples(dib);
    EXPECT_EQ(samples[0], rgb(30, 20, 10));
    EXPECT_EQ(samples[1], rgb(255, 255, 255));

    PackedDib topDown = PackedDib::create(PackedDib::makeInfo(4, -3, 8), table);
    EXPECT_EQ(topDown.height(), 3);
    EXPECT_EQ(topDown.rowFromTop(0), topDown.pBits()) << "a negative height stores the top row first";
}

TEST(PackedDib, SamplesOfFourAndTwentyFourBitPictures)
{
    const RGBQUAD table[16] = {{0, 0, 0, 0}, {255, 255, 255, 0}, {255, 0, 0, 0}};
    PackedDib map = PackedDib::create(PackedDib::makeInfo(3, 2, 4), table, 0);
    map.rowFromTop(1)[0] = 0x12;  // left pixel code 1, right pixel code 2
    map.rowFromTop(1)[1] = 0x10;
    const ColorRef black = rgb(0, 0, 0), white = rgb(255, 255, 255);
    EXPECT_EQ(dibSamples(map), (std::vector<ColorRef>{black, black, black, white, rgb(0, 0, 255), white}));

    PackedDib pic = PackedDib::create(PackedDib::makeInfo(2, 1, 24), {}, 0);
    pic.rowFromTop(0)[3] = 1;  // blue, green, red
    pic.rowFromTop(0)[5] = 3;
    EXPECT_EQ(dibSamples(pic)[1], rgb(3, 0, 1));
}

}  // namespace
}  // namespace jigsaw
