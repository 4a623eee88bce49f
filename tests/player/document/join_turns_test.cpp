#include "play_rules.h"

#include <utility>

#include "twelve_piece_game.h"

namespace {

// Joins of turned groups in the 12-piece game. Piece 4 sits in the middle of
// the picture's grid: 3 left of it, 5 right, 1 above and 7 below.
class JoinTurns : public TwelvePieceGame {
protected:
    const CVorpelDoc start = *doc;

    void put(int id, int turn, int x, int y) { placeOnBoard(*doc, id, turn, x, y); }
};

struct Neighbour {
    int id;
    POINT place[4];  // where it lies from piece 4 on the board in turns 1 to 4
};

// A turn is a quarter turn clockwise on screen: what lies to the right of a
// piece in the picture lies below it after one turn.
constexpr Neighbour kNeighbours[] = {
    {3, {{-120, 0}, {0, -120}, {120, 0}, {0, 120}}},
    {5, {{120, 0}, {0, 120}, {-120, 0}, {0, -120}}},
    {1, {{0, -120}, {120, 0}, {0, 120}, {-120, 0}}},
    {7, {{0, 120}, {-120, 0}, {0, -120}, {120, 0}}},
};

TEST_F(JoinTurns, EveryNeighbourJoinsInEveryTurnWithinTheWindowOnly)
{
    // Piece 4 is put down off its place by `offset` along one axis; the
    // window reaches 15 pixels before the place and 14 after it.
    for (const Neighbour& n : kNeighbours)
        for (int turn = 1; turn <= 4; ++turn)
            for (int axis = 0; axis < 2; ++axis)
                for (const int offset : {-16, -15, 0, 14, 15}) {
                    *doc = start;
                    const POINT place{400 + n.place[turn - 1].x, 400 + n.place[turn - 1].y};
                    put(n.id, turn, place.x, place.y);
                    put(4, turn, 400 + (axis == 0 ? offset : 0), 400 + (axis == 1 ? offset : 0));
                    const bool near = offset >= -15 && offset <= 14;
                    const JoinResult joined = TryJoin(*doc, 4);
                    ASSERT_EQ(joined.count, near ? 1 : 0)
                        << "neighbour " << n.id << " turn " << turn << " axis " << axis << " offset " << offset;
                    if (!near)
                        continue;
                    EXPECT_EQ(joined.joined[0], n.id);
                    EXPECT_EQ(at(4), (POINT{400, 400})) << "snapped beside the neighbour";
                    EXPECT_EQ(at(n.id), place) << "the neighbour stays";
                    EXPECT_EQ(doc->Group(4), doc->Group(n.id));
                }
}

TEST_F(JoinTurns, ANeighbourInTheUnturnedPlaceOrAnotherTurnDoesNotJoin)
{
    for (const Neighbour& n : kNeighbours)
        for (int turn = 2; turn <= 4; ++turn) {
            // The neighbour in the group's turn at its unturned place, or at
            // its turned place in the next turn.
            const std::pair<int, POINT> misplaced[] = {{turn, n.place[0]}, {turn % 4 + 1, n.place[turn - 1]}};
            for (const auto& [neighbourTurn, place] : misplaced) {
                *doc = start;
                put(4, turn, 400, 400);
                put(n.id, neighbourTurn, 400 + place.x, 400 + place.y);
                EXPECT_EQ(TryJoin(*doc, 4).count, 0) << "neighbour " << n.id << " turns " << turn << ", " << neighbourTurn;
            }
        }
}

TEST_F(JoinTurns, AGroupThatGrowsDuringThePassKeepsJoiningWhileTurned)
{
    // Upside down, the picture's column 1 runs upwards on screen: 10 lies
    // above 7, which lies above 4. Only 7 is within reach of 4, and 10 of 7.
    *doc = start;
    put(4, 3, 400, 400);
    put(7, 3, 405, 400 - 120 - 3);
    put(10, 3, 411, 154);
    const JoinResult joined = TryJoin(*doc, 4);
    ASSERT_EQ(joined.count, 2);
    EXPECT_EQ((std::pair{joined.joined[0], joined.joined[1]}), (std::pair{7, 10}));
    EXPECT_EQ(at(10), (POINT{411, 154})) << "the last neighbour stays where it lay";
    EXPECT_EQ(at(7), (POINT{411, 274}));
    EXPECT_EQ(at(4), (POINT{411, 394}));
    EXPECT_EQ(doc->Group(4), doc->Group(10));
    EXPECT_EQ(doc->Group(7), doc->Group(10));
}

}  // namespace
