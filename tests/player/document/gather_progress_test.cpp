#include "document_commands.h"
#include "elapsed_clock.h"
#include "play_rules.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "twelve_piece_game.h"

namespace {

using jigsaw::ColorFormat;
using jigsaw::DataFormat;

bool overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class GatherAndProgress : public TwelvePieceGame {
protected:
    void put(int id, int x, int y) { placeOnBoard(*doc, id, 1, x, y); }
    // Puts the listed pieces at their places in the picture from (x, y) and
    // joins them into one group.
    void putGroup(const std::vector<int>& ids, int x, int y)
    {
        for (int id : ids)
            put(id, x + (id % 3) * pitch, y + (id / 3) * pitch);
        for (int id : ids)
            TryJoin(*doc, id);
    }
    static bool inside(const RECT& r, const RECT& area)
    {
        return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
    }
};

TEST_F(GatherAndProgress, GatherBringsOutlyingGroupsInWholeInRowsAndKeepsTheRest)
{
    const RECT area{0, 0, 900, 700};
    put(0, 2400, 1800);
    putGroup({4, 5, 8}, 3000, 150);
    put(3, 100, 100);  // wholly in view: stays
    put(6, 740, 300);  // its knobs reach past the edge but its body is in view: stays
    put(7, 790, 500);  // its body leaves the view: moves
    put(9, 100, 600);
    doc->SetModified(0);
    const CVorpelDoc before = *doc;

    RecordingEvents events;
    OnGatherPieces(*doc, events, area);

    EXPECT_EQ(events.log, std::vector<std::string>{"redraw"});
    EXPECT_EQ(doc->GetModified(), 1);
    for (int id : {3, 6})
        EXPECT_EQ(rect(id), before.PieceRect()[id % 3][id / 3]) << id;
    // The group moved as one: its members kept their places in it.
    for (int id : {5, 8})
        EXPECT_EQ(offsetBetween(rect(id), rect(4)), (POINT{(id % 3 - 1) * pitch, (id / 3 - 1) * pitch})) << id;
    const std::vector<RECT> moved{rect(0), GroupBounds(*doc, 4), rect(7), rect(9)};
    for (std::size_t i = 0; i < moved.size(); ++i) {
        EXPECT_TRUE(inside(moved[i], area)) << i;
        // Neither on each other nor on what was already in view.
        for (std::size_t j = i + 1; j < moved.size(); ++j)
            EXPECT_FALSE(overlap(moved[i], moved[j])) << i << " " << j;
        EXPECT_FALSE(overlap(moved[i], rect(3)) || overlap(moved[i], rect(6))) << i;
    }
    // No joins made, no restacking, no piece taken from or put into the tray.
    for (int id = 0; id < 12; ++id)
        ASSERT_EQ(doc->Group(id), before.Group(id)) << id;
    EXPECT_TRUE(doc->ZCol() == before.ZCol() && doc->ZRow() == before.ZRow() && doc->ZIndex() == before.ZIndex());
    EXPECT_EQ(CountJoins(*doc).done, 2);
}

TEST_F(GatherAndProgress, GatherPutsAGroupTooBigForTheViewAtItsTopLeftAndNeverBelowTheOrigin)
{
    putGroup({0, 1, 2}, 1500, 1500);
    put(11, 2000, 100);
    // A view of 250 × 250: the row of three (440 wide) cannot fit.
    OnGatherPieces(*doc, noDocumentEvents(), RECT{300, 200, 550, 450});
    EXPECT_EQ(at(0), (POINT{300, 200})) << "the group's top-left";
    EXPECT_EQ(rect(1).left - rect(0).left, pitch);
    EXPECT_TRUE(inside(rect(11), RECT{300, 200, 550, 450}));

    // An area reaching left of or above the board's origin is used from the
    // origin on.
    put(11, 2000, 100);
    OnGatherPieces(*doc, noDocumentEvents(), RECT{-100, -60, 400, 400});
    EXPECT_TRUE(inside(rect(11), RECT{0, 0, 400, 400}));
    EXPECT_TRUE(BoardBounds(*doc).left >= 0 && BoardBounds(*doc).top >= 0);
}

TEST_F(GatherAndProgress, GatherWithNothingOutsideChangesNothingAndAFullViewStillSpreadsThePieces)
{
    put(3, 100, 100);
    put(4, 400, 300);
    doc->SetModified(0);
    const CVorpelDoc before = *doc;
    RecordingEvents events;
    OnGatherPieces(*doc, events, RECT{0, 0, 900, 700});
    EXPECT_TRUE(*doc == before) << "pieces in the tray are not on the board and do not move";
    EXPECT_TRUE(events.log.empty());

    // A view with room for four pieces takes all twelve: the rest go in
    // too, spread out rather than on one spot.
    for (int id = 0; id < 12; ++id)
        put(id, 3000 + id * 300, 2000);
    const RECT small{0, 0, 400, 400};
    OnGatherPieces(*doc, noDocumentEvents(), small);
    std::set<std::pair<int, int>> spots;
    for (int id = 0; id < 12; ++id) {
        EXPECT_TRUE(inside(rect(id), small)) << id;
        spots.insert({rect(id).left, rect(id).top});
    }
    EXPECT_GE(spots.size(), 8u);
}

TEST(SpreadPieces, ManyMoreThanTheViewHoldsGoBesideThePuzzleWithoutOverlapping)
{
    FakeClock clock;
    auto doc = loadedDoc(kSize1000, DataFormat::Small, ColorFormat::TrueColor, clock);
    const int cols = doc->GetCols();
    const int s = doc->PieceSize();
    for (int id = 0; id < doc->PieceCount(); ++id) {
        doc->SetBoardTurn(id, 1 + id % 4);
        doc->PieceRect()[id % cols][id / cols] = RECT{300 + id % 7, 200 + id % 5, 300 + id % 7 + s, 200 + id % 5 + s};
    }
    const RECT view{0, 0, 800, 600};
    RecordingEvents events;
    OnSpreadPieces(*doc, events, view);
    EXPECT_EQ(events.log, std::vector<std::string>{"redraw"});

    std::vector<RECT> laid;
    for (int id = 0; id < doc->PieceCount(); ++id)
        laid.push_back(doc->PieceRect()[id % cols][id / cols]);
    for (std::size_t i = 0; i < laid.size(); ++i) {
        ASSERT_TRUE(laid[i].left >= doc->BoardWidth() && laid[i].right <= doc->BoardWidth() * 3 &&
                    laid[i].bottom <= kMaxBoardCoordinate)
            << i;
        for (std::size_t j = i + 1; j < laid.size(); ++j)
            ASSERT_FALSE(overlap(laid[i], laid[j])) << i << " " << j;
    }
    // Spread again, nothing moves.
    RecordingEvents again;
    OnSpreadPieces(*doc, again, view);
    EXPECT_TRUE(again.log.empty());
}

TEST_F(GatherAndProgress, ProgressCountsJoinsNotPiecesOutOfTheTray)
{
    // Joins done, joins needed, percent.
    const auto progress = [&] {
        const JoinProgress p = CountJoins(*doc);
        return std::tuple{p.done, p.needed, p.percent()};
    };
    EXPECT_EQ(progress(), (std::tuple{0, 11, 0}));
    // Out of the tray but not joined: nothing done.
    put(0, 100, 100);
    put(4, 600, 600);
    put(11, 900, 100);
    doc->SetPiecesOut(3);
    EXPECT_EQ(progress(), (std::tuple{0, 11, 0}));
    EXPECT_EQ(ElapsedClockAt(*doc, clock.tick).joinPercent, 0);

    putGroup({0, 1}, 100, 100);
    EXPECT_EQ(progress(), (std::tuple{1, 11, 9}));
    EXPECT_EQ(ElapsedClockAt(*doc, clock.tick).joinPercent, 9);
    // One piece dropped into a gap joins two neighbours: two joins.
    putGroup({2, 3, 5}, 100, 100);
    EXPECT_EQ(progress(), (std::tuple{4, 11, 36}));

    putGroup({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 100, 100);
    ASSERT_TRUE(IsPuzzleComplete(*doc));
    EXPECT_EQ(progress(), (std::tuple{11, 11, 100}));
}

TEST(JoinProgress, ShowsAHundredOnlyWhenEveryJoinIsDone)
{
    EXPECT_EQ((std::tuple{JoinProgress{998, 999}.percent(), JoinProgress{999, 999}.percent(),
                          JoinProgress{0, 0}.percent()}),
              (std::tuple{99, 100, 0}));
}

}  // namespace
