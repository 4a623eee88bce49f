#include <gtest/gtest.h>

#include "area_scaler.h"
#include "data_creation.h"

namespace kestra {
namespace {

jigsaw::RGBQUAD grey(std::uint8_t v)
{
    return {v, v, v, 0};
}

jigsaw::RGBQUAD colour(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return {b, g, r, 0};
}

// A table of mid greys (no pure white or black) with a few chosen entries.
Palette greyTable()
{
    Palette p;
    p.fill(grey(128));
    p[3] = grey(35);    // darkest: becomes black
    p[9] = grey(230);   // brightest: becomes white
    p[10] = grey(230);  // as bright, but later
    p[20] = grey(190);  // s = 570: the light entry
    p[21] = grey(70);   // s = 210: the dark entry
    return p;
}

TEST(PaletteMapping, ForcesTheExtremesAndPicksTheBevelEntries)
{
    Palette p = greyTable();
    const IndexedSamples m = mapToPalette({jigsaw::rgb(0, 0, 0), jigsaw::rgb(255, 255, 255)}, 2, 1, p);
    EXPECT_EQ(m.whiteIndex, 9) << "the first of the brightest entries";
    EXPECT_EQ(m.blackIndex, 3);
    EXPECT_EQ(m.lightIndex, 20);
    EXPECT_EQ(m.darkIndex, 21);
    EXPECT_EQ(p[9], grey(255));
    EXPECT_EQ(p[10], grey(230)) << "only the first brightest entry changes";
    EXPECT_EQ(p[3], grey(0));
    EXPECT_EQ(m.indices, (std::vector<std::uint8_t>{3, 9})) << "pure black and white take the forced entries";
}

TEST(PaletteMapping, TheLastEntryWithin30WinsAndStrangersBecomeWhite)
{
    Palette p = greyTable();
    p[50] = colour(100, 0, 0);
    p[60] = colour(129, 0, 0);  // within 30 of the pixel below, further than entry 50
    p[70] = colour(130, 0, 0);  // exactly 30 away from 100: not within
    const IndexedSamples m =
        mapToPalette({jigsaw::rgb(101, 0, 0), jigsaw::rgb(100, 0, 0), jigsaw::rgb(0, 0, 250)}, 3, 1, p);
    EXPECT_EQ(m.indices[0], 70) << "101 lies within 30 of 130";
    EXPECT_EQ(m.indices[1], 60);
    EXPECT_EQ(m.indices[2], m.whiteIndex);
}

TEST(PaletteMapping, ASecondRunStartsFromTheChangedTable)
{
    Palette p = greyTable();
    const std::vector<jigsaw::ColorRef> pixel{jigsaw::rgb(35, 35, 35)};
    EXPECT_EQ(mapToPalette(pixel, 1, 1, p).indices[0], 3) << "the darkest entry as it was";
    const IndexedSamples second = mapToPalette(pixel, 1, 1, p);
    EXPECT_EQ(second.blackIndex, 3);
    EXPECT_EQ(second.indices[0], second.whiteIndex) << "entry 3 is pure black now, 35 away";
}

TEST(AreaScaling, CopiesAveragesAndReadsBlackOutsideThePicture)
{
    // 4 × 2 picture: red 0, 30, 60, 90 across the top row, twice that below.
    const std::uint32_t pixels[8] = {0xFF000000, 0xFF1E0000, 0xFF3C0000, 0xFF5A0000,
                                     0xFF000000, 0xFF3C0000, 0xFF780000, 0xFFB40000};
    const SourcePicture src{4, 2, pixels, 4};
    const auto reds = [&](FrameRect f, int w, int h) {
        std::vector<int> out;
        for (jigsaw::ColorRef c : scaleArea(src, f, w, h))
            out.push_back(jigsaw::redOf(c));
        return out;
    };
    EXPECT_EQ(reds({0, 0, 4, 2}, 4, 2), (std::vector<int>{0, 30, 60, 90, 0, 60, 120, 180}));
    EXPECT_EQ(reds({0, 0, 4, 2}, 2, 1), (std::vector<int>{23, 113}));
    EXPECT_EQ(reds({0, 0, 3, 1}, 2, 1), (std::vector<int>{10, 50})) << "partly covered pixels count by their share";
    EXPECT_EQ(reds({2, 1, 6, 2}, 4, 1), (std::vector<int>{120, 180, 0, 0}));
}

}  // namespace
}  // namespace kestra
