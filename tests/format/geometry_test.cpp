#include "geometry.h"

#include <gtest/gtest.h>

#include <set>

namespace jigsaw {
namespace {

// The row paddings the writers use are derived from the 4-byte alignment;
// these are the values the maker's size table lists (size 11's mask padding
// is 4, as the alignment gives).
TEST(Geometry, RowPaddingsMatchTheSizeTable)
{
    const std::set<int> maskPad4 = {0, 2, 9, 11, 14};
    const std::set<int> rowPad2 = {2, 3, 5, 11, 12};
    const int mapPads[kSizeCount] = {2, 0, 3, 3, 0, 1, 0, 0, 0, 2, 0, 3, 1, 2, 0, 2};
    for (const PuzzleSize& s : puzzleSizes()) {
        SCOPED_TRACE(s.sizeIndex);
        EXPECT_EQ(maskPadUnits(s.geometry), maskPad4.count(s.sizeIndex) ? 4 : 0);
        EXPECT_EQ(rowPad24(s.geometry), rowPad2.count(s.sizeIndex) ? 2 : 0);
        EXPECT_EQ(mapPad(s.geometry), mapPads[s.sizeIndex]);
    }
}

// Properties the file layout relies on hold for every size.
TEST(Geometry, EverySizeFitsTheFileLayout)
{
    for (const PuzzleSize& s : puzzleSizes()) {
        SCOPED_TRACE(s.sizeIndex);
        const PuzzleGeometry& g = s.geometry;
        EXPECT_EQ(findSizeIndex(g), s.sizeIndex);
        EXPECT_EQ(g.sheetWidth() % 4, 0) << "sheet rows must need no padding";
        EXPECT_EQ(g.width() % 2, 0);
        EXPECT_EQ(3 * g.width() * g.height() % 5, 0) << "the template map's length must be whole";
        EXPECT_GE(3u * g.width() * g.height() / 5, dibStride(g.width(), 4) * g.height());
        EXPECT_TRUE(g.width() <= 1220 && g.height() <= 930) << g.width() << " × " << g.height();
        EXPECT_TRUE(g.sheetWidth() <= 2000 && g.sheetHeight() <= 1500) << g.sheetWidth() << " × " << g.sheetHeight();
        EXPECT_LE(g.sheetWidth() * g.sheetHeight(), 2'700'000);
        EXPECT_LE(g.pieceCount(), 1000);
        EXPECT_EQ(s.templateWidth, s.sizeIndex == 12 ? 1155 : g.width());
    }
    EXPECT_FALSE(findSizeIndex({7, 9, 20, 41}));
    EXPECT_FALSE(findSizeIndex({9, 7, 20, 40}));
}

}  // namespace
}  // namespace jigsaw
