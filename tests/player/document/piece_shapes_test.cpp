#include "piece_shapes.h"

#include <gtest/gtest.h>

#include "document_test_support.h"
#include "piece_template.h"

namespace {

// The tab sides read from loaded puzzles' masks against the template they
// were cut from: a piece has a tab on a side exactly when its colour lies
// just beyond the grid line, at the middle of the side, where the round knob
// of one of the two pieces always reaches. Every inner side then has one
// tab, the border none. The rectangular tabs of size 13 need not cross the
// middle; there only the border and the count are checked.
TEST(PieceShapes, TabsFollowTheCutOutline)
{
    struct Case {
        int sizeIndex;
        jigsaw::DataFormat format;
        bool roundKnobs;
    };
    const Case cases[] = {
        {kSize12, jigsaw::DataFormat::Large, true},
        {10, jigsaw::DataFormat::Small, true},
        {13, jigsaw::DataFormat::Large, false},
    };
    FakeClock clock;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sizeIndex);
        const auto doc = loadedDoc(c.sizeIndex, c.format, jigsaw::ColorFormat::TrueColor, clock);
        const jigsaw::PieceTemplate tpl = jigsaw::makePieceTemplate(c.sizeIndex);
        const std::vector<TabSides> sides = FindTabSides(*doc);
        const int cols = doc->GetCols();
        const int rows = doc->GetRows();
        ASSERT_EQ(static_cast<int>(sides.size()), cols * rows);
        const int pitch = doc->Pitch();
        const int near = doc->GetMargin() / 2;
        const int middle = doc->GetMargin() + doc->GetCellSize() / 2;
        // Piece image points just beyond the grid line, side by side.
        const int beyond[4][2] = {
            {middle, near - 1}, {near + pitch, middle}, {middle, near + pitch}, {near - 1, middle}};
        int tabs = 0;
        for (int piece = 0; piece < cols * rows; ++piece) {
            const int x0 = piece % cols * pitch;
            const int y0 = piece / cols * pitch;
            const std::uint8_t colour = tpl.at(x0 + middle, y0 + middle);
            tabs += TabCount(sides[static_cast<std::size_t>(piece)]);
            for (int d = 0; d < 4; ++d) {
                const bool knob = tpl.at(x0 + beyond[d][0], y0 + beyond[d][1]) == colour;
                const int nc = piece % cols + doc->GetDirX(d);
                const int nr = piece / cols + doc->GetDirY(d);
                const bool border = nc < 0 || nr < 0 || nc >= cols || nr >= rows;
                if (c.roundKnobs || border) {
                    EXPECT_EQ((sides[static_cast<std::size_t>(piece)] >> d & 1) != 0, knob) << piece << " side " << d;
                }
            }
        }
        EXPECT_EQ(tabs, (cols - 1) * rows + cols * (rows - 1));
    }
}

}  // namespace
