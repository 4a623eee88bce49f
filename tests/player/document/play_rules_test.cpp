#include "play_rules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "selection_rules.h"
#include "twelve_piece_game.h"

namespace {

class PlayRules : public TwelvePieceGame {
protected:
    POINT slotCentre(int slot) const
    {
        const POINT o = TraySlotOrigin(*doc, slot);
        return POINT{o.x + s / 2, o.y + s / 2};
    }
};

TEST_F(PlayRules, PicksTheTopOutlineAndSeesThroughTheSurround)
{
    placeOnBoard(*doc, 0, 1, 100, 100);
    placeOnBoard(*doc, 4, 1, 200, 200);
    BringGroupToFront(*doc, 1, 1);
    EXPECT_EQ(FindPieceAt(*doc, 250, 250), 4) << "the later piece wins where both are solid";
    EXPECT_TRUE(HitTestPiece(*doc, 115, 115, 0));
    EXPECT_FALSE(HitTestPiece(*doc, 15, 15, 4)) << "the corner between the knobs is transparent";
    EXPECT_EQ(FindPieceAt(*doc, 215, 215), 0) << "a click there reaches the piece below";
    EXPECT_EQ(FindPieceAt(*doc, 105, 105), kNoPiece);
    EXPECT_EQ(FindPieceAt(*doc, 0, 0), kNoPiece) << "pieces in the tray are never found";
    BringGroupToFront(*doc, 0, 0);
    EXPECT_EQ(FindPieceAt(*doc, 250, 250), 0);
    EXPECT_EQ(doc->ZIndex()[0][0], doc->PieceCount() - 1);
}

TEST_F(PlayRules, APieceDroppedIntoAGapJoinsAllThreeAndTheLastJoinCompletes)
{
    placeOnBoard(*doc, 1, 1, 200 + pitch, 200);
    placeOnBoard(*doc, 3, 1, 200, 200 + pitch);
    placeOnBoard(*doc, 5, 1, 200 + 2 * pitch, 200 + pitch);
    placeOnBoard(*doc, 4, 1, 600, 600);
    ASSERT_EQ(PickUpGroup(*doc, 600 + s / 2, 600 + s / 2), 4);
    MoveHeldGroup(*doc, 200 + pitch + s / 2 + 9, 200 + pitch + s / 2 - 7);
    const JoinResult gap = PutDownHeldGroup(*doc);
    ASSERT_EQ(gap.count, 3);
    EXPECT_EQ((std::vector<int>{gap.joined[0], gap.joined[1], gap.joined[2]}), (std::vector<int>{1, 5, 3}));
    EXPECT_FALSE(gap.completed);
    EXPECT_EQ(at(4), (POINT{200 + pitch, 200 + pitch}));
    for (int id : {1, 3, 5})
        EXPECT_EQ(doc->Group(id), doc->Group(4));
    EXPECT_EQ((std::pair<int, int>{doc->GetModified(), doc->GetHolding()}), (std::pair{1, 0}));
    EXPECT_EQ(gap.damage.after, GroupBounds(*doc, 4));

    for (int id : {0, 2, 6, 7, 8, 9, 10}) {
        placeOnBoard(*doc, id, 1, 200 + id % 3 * pitch, 200 + id / 3 * pitch);
        EXPECT_FALSE(TryJoin(*doc, id).completed);
    }
    placeOnBoard(*doc, 11, 1, 200 + 2 * pitch + 3, 200 + 3 * pitch - 4);
    const JoinResult last = TryJoin(*doc, 11);
    EXPECT_EQ(last.count, 1) << "the second neighbour is already in the group";
    EXPECT_TRUE(last.completed);
    EXPECT_EQ(doc->GetCompleted(), 1);
    EXPECT_TRUE(IsPuzzleComplete(*doc));
}

TEST_F(PlayRules, RightClicksTurnTheGroupAboutThePointAndFourRestoreIt)
{
    placeOnBoard(*doc, 4, 1, 300, 300);
    placeOnBoard(*doc, 5, 1, 300 + pitch, 300);
    placeOnBoard(*doc, 7, 1, 300, 300 + pitch);
    ASSERT_EQ(TryJoin(*doc, 4).count, 2);
    const RECT home4 = rect(4), home5 = rect(5), home7 = rect(7);
    // Where the right and the lower neighbour lie from piece 4 after each click.
    const POINT right[] = {{0, pitch}, {-pitch, 0}, {0, -pitch}, {pitch, 0}};
    const POINT below[] = {{-pitch, 0}, {0, -pitch}, {pitch, 0}, {0, pitch}};
    const int bx = 300 + s / 2 + 7, by = 300 + s / 2 - 5;
    for (int click = 0; click < 4; ++click) {
        ASSERT_EQ(TurnGroupAt(*doc, bx, by).piece, 4);
        EXPECT_EQ(doc->GetBoardTurn(4), (click + 1) % 4 + 1);
        EXPECT_EQ(doc->GetBoardTurn(7), doc->GetBoardTurn(4));
        EXPECT_EQ(FindPieceAt(*doc, bx, by), 4) << "the clicked spot stays under the cursor";
        EXPECT_EQ(offsetBetween(rect(5), rect(4)), right[click]) << "click " << click;
        EXPECT_EQ(offsetBetween(rect(7), rect(4)), below[click]) << "click " << click;
    }
    EXPECT_EQ((std::tuple{rect(4), rect(5), rect(7)}), (std::tuple{home4, home5, home7}));
    EXPECT_EQ(doc->GetModified(), 1);
}

TEST_F(PlayRules, NoPutDownLeavesAPieceLeftOfOrAboveTheBoard)
{
    placeOnBoard(*doc, 0, 1, 300, 300);
    placeOnBoard(*doc, 1, 1, 300 + pitch, 300);
    placeOnBoard(*doc, 8, 2, 700, 500);
    ASSERT_EQ(TryJoin(*doc, 1).count, 1);
    ASSERT_EQ(PickUpGroup(*doc, 300 + pitch + s / 2, 300 + s / 2), 1);
    MoveHeldGroup(*doc, s / 2 + 20, s / 2 - 60);
    const JoinResult down = PutDownHeldGroup(*doc);
    EXPECT_EQ(at(0), (POINT{0, 0}));
    EXPECT_EQ(rect(1).left, pitch) << "the group shifts as one";
    EXPECT_EQ(at(8), (POINT{700 + pitch - 20, 500 + 60})) << "and the rest of the board with it";
    EXPECT_LT(down.damage.before.left, 0);

    LayoutTray(*doc, 3 * s);
    ASSERT_TRUE(PickUpFromTray(*doc, slotCentre(slotOfPiece(*doc, 11))));
    MoveTrayDrag(*doc);
    const RECT before0 = rect(0);
    const TrayRelease release = ReleaseTrayDrag(*doc, {TrayDropPoint::Where::Board, POINT{30, 1000}});
    ASSERT_TRUE(release.join);
    EXPECT_EQ(rect(11), (RECT{0, 1000 - s / 2, s, 1000 - s / 2 + s}));
    EXPECT_EQ(offsetBetween(rect(0), before0), (POINT{s / 2 - 30, 0}));
}

TEST_F(PlayRules, JoinsBesideANeighbourAtTheLeftOrTopEdge)
{
    // Piece 0 carried to exactly left of piece 1, which lies at x = 0.
    placeOnBoard(*doc, 1, 1, 0, 300);
    placeOnBoard(*doc, 0, 1, 600, 600);
    placeOnBoard(*doc, 9, 1, 400, 0);
    ASSERT_EQ(PickUpGroup(*doc, 600 + s / 2, 600 + s / 2), 0);
    MoveHeldGroup(*doc, -pitch + s / 2, 300 + s / 2);
    const JoinResult left = PutDownHeldGroup(*doc);
    ASSERT_EQ(left.count, 1);
    EXPECT_EQ(doc->Group(0), doc->Group(1));
    EXPECT_EQ(rect(0), (RECT{0, 300, s, 300 + s})) << "the board moved right to make room";
    EXPECT_EQ(rect(1).left, pitch);
    EXPECT_EQ(rect(9).left, 400 + pitch);

    // Piece 3 dropped from the tray, centred on the board's top row, joins
    // piece 6 below it whose top lies within reach of the edge.
    placeOnBoard(*doc, 6, 1, 500, pitch - s / 2);
    LayoutTray(*doc, 3 * s);
    ASSERT_TRUE(PickUpFromTray(*doc, slotCentre(slotOfPiece(*doc, 3))));
    doc->SetDragTurn(1);
    MoveTrayDrag(*doc);
    const TrayRelease top = ReleaseTrayDrag(*doc, {TrayDropPoint::Where::Board, POINT{500 + s / 2, 0}});
    ASSERT_TRUE(top.join);
    EXPECT_EQ(top.join->count, 1);
    EXPECT_EQ(rect(3), (RECT{500, 0, 500 + s, s}));
    EXPECT_EQ(rect(6).top, pitch);
    EXPECT_EQ(rect(9).top, s / 2);
}

TEST_F(PlayRules, TurningAtTheEdgeKeepsTheSpotAndShiftsTheWholeBoard)
{
    placeOnBoard(*doc, 0, 1, 0, 30);
    placeOnBoard(*doc, 1, 1, pitch, 30);
    placeOnBoard(*doc, 2, 1, 2 * pitch, 30);
    placeOnBoard(*doc, 7, 3, 300, 400);
    ASSERT_EQ(TryJoin(*doc, 0).count, 2);
    // Turning about piece 2 puts pieces 0 and 1 above it, off the board.
    const int bx = 2 * pitch + s / 2 + 6, by = 30 + s / 2 - 4;
    const RECT before7 = rect(7);
    ASSERT_EQ(TurnGroupAt(*doc, bx, by).piece, 2);
    const POINT shift = offsetBetween(rect(7), before7);
    EXPECT_EQ(shift, (POINT{0, 2 * pitch - (by - (bx - 2 * pitch))}));
    EXPECT_EQ(FindPieceAt(*doc, bx + shift.x, by + shift.y), 2) << "the clicked spot is still under the cursor";
    EXPECT_EQ(rect(2).left, bx - (s - (by - 30)) + shift.x);
    for (int id : {0, 1, 2})
        EXPECT_GE(rect(id).top, 0);
    EXPECT_EQ(rect(0).top, 0);

    // A held group turned past the left edge is brought back when put down.
    const int hx = s / 2 + 10, hy = 400;
    ASSERT_EQ(PickUpGroup(*doc, bx + shift.x, by + shift.y), 2);
    MoveHeldGroup(*doc, hx, hy);
    for (int turn = 0; turn < 3; ++turn)
        TurnHeldGroup(*doc, hx, hy);
    EXPECT_LT(rect(0).left, 0);
    const RECT held7 = rect(7);
    PutDownHeldGroup(*doc);
    const POINT back = offsetBetween(rect(7), held7);
    EXPECT_GT(back.x, 0);
    EXPECT_EQ(FindPieceAt(*doc, hx + back.x, hy + back.y), 2);
    for (int id : {0, 1, 2, 7})
        EXPECT_TRUE(rect(id).left >= 0 && rect(id).top >= 0) << id;
}

// A piece put down so far from the rest that no move of the whole board
// keeps it where a play file can hold it (0 … 65,279) comes back just far
// enough; the rest stays.
TEST_F(PlayRules, APieceTooFarFromTheRestComesBackJustFarEnough)
{
    placeOnBoard(*doc, 11, 1, 65279 - s, 500);
    placeOnBoard(*doc, 0, 1, 1000, 500);
    ASSERT_EQ(PickUpGroup(*doc, 1000 + s / 2, 500 + s / 2), 0);
    MoveHeldGroup(*doc, s / 2 - 50, 500 + s / 2);
    EXPECT_EQ(PutDownHeldGroup(*doc).damage.shift, (POINT{0, 0}));
    EXPECT_EQ(rect(0).left, 0);
    EXPECT_EQ(rect(11).left, 65279 - s);
}

// Chosen groups carried far past the origin, from a table that reaches the
// far end of that range, come back as one: their places relative to each
// other stay, and so does the rest.
TEST_F(PlayRules, CarriedGroupsComeBackWithinTheStorableRangeAsOne)
{
    placeOnBoard(*doc, 11, 1, 65279 - s, 500);
    placeOnBoard(*doc, 0, 1, 1000, 500);
    placeOnBoard(*doc, 2, 1, 1400, 700);
    ASSERT_TRUE(ToggleGroup(*doc, 0) && ToggleGroup(*doc, 2));
    ASSERT_EQ(PickUpGroups(*doc, 1000 + s / 2, 500 + s / 2), 0);
    MoveCarriedGroups(*doc, s / 2 - 50, 500 + s / 2);
    EXPECT_EQ(PutDownCarriedGroups(*doc).damage.shift, (POINT{0, 0}));
    EXPECT_EQ(rect(0).left, 0);
    EXPECT_EQ(rect(2).left, 400);
    EXPECT_EQ(rect(11).left, 65279 - s);
}

TEST_F(PlayRules, TrayLayoutAndSlots)
{
    LayoutTray(*doc, s / 2);
    EXPECT_EQ(doc->GetTrayCols(), 1) << "a narrow tray still has one column of width S";
    LayoutTray(*doc, 5 * s / 2);
    EXPECT_EQ(doc->GetTrayCols(), 2);
    EXPECT_EQ(TraySlotAt(*doc, POINT{s + 5, 2 * s + 5}), 5);
    EXPECT_EQ(TraySlotAt(*doc, POINT{2 * s + 5, 5}), kNoPiece) << "right of the last full column";
    EXPECT_EQ(TraySlotAt(*doc, POINT{5, 6 * s + 5}), 12) << "slot N exists";
    EXPECT_EQ(TraySlotAt(*doc, POINT{s + 5, 6 * s + 5}), kNoPiece) << "beyond slot N";
    EXPECT_FALSE(PickUpFromTray(*doc, POINT{5, 6 * s + 5})) << "slot N starts empty";
    EXPECT_FALSE(HitTestTrayPiece(*doc, POINT{2, 2})) << "an image corner is transparent in the tray too";

    const int turn = doc->GetTrayTurn(0);
    EXPECT_TRUE(TurnTrayPieceAt(*doc, slotCentre(0)));
    EXPECT_EQ(doc->GetTrayTurn(0), turn % 4 + 1);
    EXPECT_EQ(doc->GetModified(), 1);
}

TEST_F(PlayRules, TrayDragSwapsFillsTheEmptySlotHandsOverOrFliesBack)
{
    LayoutTray(*doc, 3 * s);
    const int a = doc->GetTrayPiece(0), turnA = doc->GetTrayTurn(0);
    const int b = doc->GetTrayPiece(1), turnB = doc->GetTrayTurn(1);
    ASSERT_TRUE(PickUpFromTray(*doc, slotCentre(0)));
    EXPECT_EQ(doc->GetHolding(), 1);
    EXPECT_EQ(doc->ZIndex()[a % 3][a / 3], doc->PieceCount() - 1) << "stacked on top for the board";
    MoveTrayDrag(*doc);
    TrayRelease swap = ReleaseTrayDrag(*doc, {TrayDropPoint::Where::Tray, slotCentre(1)});
    EXPECT_TRUE(swap.swapped);
    EXPECT_EQ((std::tuple{doc->GetTrayPiece(1), doc->GetTrayTurn(1), doc->GetTrayPiece(0)}), (std::tuple{a, turnA, b}));
    EXPECT_EQ((std::tuple{swap.flySlot, swap.flyPiece, swap.flyTurn}), (std::tuple{0, b, turnB}));
    EXPECT_EQ((std::pair<int, int>{doc->GetHolding(), doc->GetTrayDrag()}), (std::pair{0, 0}));

    const int c = doc->GetTrayPiece(2);
    ASSERT_TRUE(PickUpFromTray(*doc, slotCentre(2)));
    const TrayRelease toEmpty = ReleaseTrayDrag(*doc, {TrayDropPoint::Where::Tray, slotCentre(12)});
    EXPECT_EQ(doc->GetTrayPiece(12), c);
    EXPECT_EQ(doc->GetTrayTurn(2), 0);
    EXPECT_EQ(toEmpty.flyTurn, 0) << "an empty slot has nothing to fly back";

    const int d = doc->GetTrayPiece(3);
    ASSERT_TRUE(PickUpFromTray(*doc, slotCentre(3)));
    EXPECT_FALSE(ReleaseTrayDrag(*doc, {TrayDropPoint::Where::Board, POINT{500, 500}}).join)
        << "the board takes only a piece that was carried";
    ASSERT_TRUE(PickUpFromTray(*doc, slotCentre(3)));
    MoveTrayDrag(*doc);
    const TrayRelease out = ReleaseTrayDrag(*doc, {TrayDropPoint::Where::Elsewhere, POINT{}});
    EXPECT_EQ((std::tuple{out.flySlot, out.flyPiece}), (std::tuple{3, d}));
    EXPECT_EQ(doc->GetTrayPiece(3), d);

    ASSERT_TRUE(PickUpFromTray(*doc, slotCentre(3)));
    const int landingTurn = doc->GetDragTurn() % 4 + 1;
    TurnDraggedPiece(*doc);
    MoveTrayDrag(*doc);
    const TrayRelease board = ReleaseTrayDrag(*doc, {TrayDropPoint::Where::Board, POINT{500, 500}});
    ASSERT_TRUE(board.join);
    EXPECT_EQ(doc->GetOnBoard(d), 1);
    EXPECT_EQ(doc->GetBoardTurn(d), landingTurn) << "lands in the turn given while dragging";
    EXPECT_EQ(rect(d), (RECT{500 - s / 2, 500 - s / 2, 500 + s / 2, 500 + s / 2}));
    EXPECT_EQ((std::pair{doc->GetTrayPiece(3), doc->GetTrayTurn(3)}), (std::pair{-1, 0}));
    EXPECT_EQ((std::pair<int, int>{doc->GetPiecesOut(), doc->GetDroppedOnBoard()}), (std::pair{1, 1}));
    EXPECT_EQ(FindPieceAt(*doc, 500, 500), d);
}

}  // namespace
