#include "piece_shapes.h"

#include <gtest/gtest.h>

#include <tuple>

#include "document_test_support.h"
#include "piece_template.h"

namespace {

// The tab sides read from loaded puzzles' masks, against the template they
// were cut from: where a round knob joins two pieces, its owner's colour lies
// just beyond the grid line at the middle of the side, and the owner alone
// has the tab there; the border has none. The rectangular tabs of the
// 30-piece size need not cross the middle: there each inner side counts once.
TEST(PieceShapes, TabsFollowTheCutOutline)
{
    const std::tuple<int, jigsaw::DataFormat, bool> cases[] = {
        {kSize12, jigsaw::DataFormat::Large, true},
        {10, jigsaw::DataFormat::Small, true},
        {13, jigsaw::DataFormat::Large, false},
    };
    FakeClock clock;
    for (const auto& [sizeIndex, format, roundKnobs] : cases) {
        SCOPED_TRACE(sizeIndex);
        const auto doc = loadedDoc(sizeIndex, format, jigsaw::ColorFormat::TrueColor, clock);
        const jigsaw::PieceTemplate tpl = jigsaw::makePieceTemplate(sizeIndex);
        const std::vector<TabSides> sides = FindTabSides(*doc);
        ASSERT_EQ(static_cast<int>(sides.size()), doc->PieceCount());
        const int cols = doc->GetCols();
        const int rows = doc->GetRows();
        const int pitch = doc->Pitch();
        const int near = doc->GetMargin() / 2;
        const int middle = doc->GetMargin() + doc->GetCellSize() / 2;
        // Points of a piece's image just beyond its grid lines: up, right, down, left.
        const int beyond[4][2] = {
            {middle, near - 1}, {near + pitch, middle}, {middle, near + pitch}, {near - 1, middle}};
        int tabs = 0;
        for (int piece = 0; piece < cols * rows; ++piece) {
            const TabSides found = sides[static_cast<std::size_t>(piece)];
            tabs += TabCount(found);
            const int x0 = piece % cols * pitch;
            const int y0 = piece / cols * pitch;
            for (int d = 0; d < 4 && roundKnobs; ++d) {
                const bool knob = tpl.at(x0 + beyond[d][0], y0 + beyond[d][1]) == tpl.at(x0 + middle, y0 + middle);
                EXPECT_EQ((found >> d & 1) != 0, knob) << piece << " side " << d;
            }
        }
        EXPECT_EQ(tabs, (cols - 1) * rows + cols * (rows - 1));
    }
}

}  // namespace
