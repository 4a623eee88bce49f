#include <algorithm>
#include <utility>
#include <vector>

#include "play_rules.h"
#include "row_layout.h"
#include "rules_detail.h"

namespace {

bool IsAlone(const CVorpelDoc& doc, int c, int r)
{
    int members = 0;
    ForEachMember(doc, r * doc.GetCols() + c, [&](int, int) { ++members; });
    return members <= 1;
}

// Lays a square of side `side` for each piece in `area`, clear of `occupied`;
// empty when they do not all fit.
std::vector<POINT> LayOut(const RECT& area, int side, std::size_t count, std::vector<RECT> occupied)
{
    RowLayout rows(area, side, std::move(occupied));
    std::vector<POINT> spots(count);
    for (POINT& spot : spots)
        if (!rows.place(side, side, spot))
            return {};
    return spots;
}

}  // namespace

int SpreadLoosePieces(CVorpelDoc& doc, const RECT& area)
{
    const int cols = doc.GetCols();
    std::vector<int> loose;
    std::vector<RECT> groups;
    for (int z = 0; z < doc.PieceCount(); ++z) {
        const int c = doc.ZCol()[z];
        const int r = doc.ZRow()[z];
        if (!IsCellInPuzzle(doc, c, r) || doc.GetBoardTurn(r * cols + c) == 0)
            continue;
        if (IsAlone(doc, c, r))
            loose.push_back(r * cols + c);
        else
            groups.push_back(doc.PieceRect()[c][r]);
    }
    if (loose.empty())
        return 0;

    const int side = doc.PieceSize();
    const RECT view{std::max(0, area.left), std::max(0, area.top), area.right, area.bottom};
    std::vector<POINT> spots = LayOut(view, side, loose.size(), groups);
    if (spots.empty()) {
        // Too many for the view: a block as wide as the puzzle, to the right
        // of where it is assembled, as far down as the board can hold.
        const int puzzleRight = doc.BoardWidth() + 2 * doc.GetMarkOffsetX();
        const RECT beside{puzzleRight, 0, puzzleRight + std::max(doc.BoardWidth(), side), kMaxBoardCoordinate};
        spots = LayOut(beside, side, loose.size(), std::move(groups));
    }
    int moved = 0;
    for (std::size_t i = 0; i < spots.size(); ++i) {
        RECT& rect = doc.PieceRect()[loose[i] % cols][loose[i] / cols];
        const RECT laid{spots[i].x, spots[i].y, spots[i].x + side, spots[i].y + side};
        if (rect == laid)
            continue;
        rect = laid;
        ++moved;
    }
    return moved;
}
