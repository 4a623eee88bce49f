// Joins of neighbouring groups, below the board moves: they build on the
// group placement (group_placement.cpp) alone, and board_rules.cpp calls them.
#include "play_rules.h"
#include "rules_detail.h"

namespace {

// Direction (dx, dy) of the picture's grid as it lies on the board when the
// group is in `turn`.
POINT TurnedDirection(int dx, int dy, int turn)
{
    switch (turn) {
    case 2: return POINT{-dy, dx};
    case 3: return POINT{-dx, -dy};
    case 4: return POINT{dy, -dx};
    default: return POINT{dx, dy};
    }
}

// Whether neighbour n lies where the member expects it: the member's centre
// moved one pitch along the turned direction falls into the 30 × 30 window
// about n's centre.
bool IsWithinReach(const CVorpelDoc& doc, const RECT& member, const RECT& neighbour, POINT step)
{
    const int half = doc.PieceSize() / 2;
    const int pitch = doc.Pitch();
    const int ex = member.left + half + step.x * pitch;
    const int ey = member.top + half + step.y * pitch;
    const int left = neighbour.left - kJoinReach + half;
    const int top = neighbour.top - kJoinReach + half;
    return ex >= left && ex < left + 2 * kJoinReach && ey >= top && ey < top + 2 * kJoinReach;
}

// p's group takes in n's group; every member of the union holds the union.
void MergeGroups(CVorpelDoc& doc, int p, int n)
{
    GroupMatrix& merged = doc.Group(p);
    const GroupMatrix& other = doc.Group(n);
    for (int c = 0; c < doc.GetCols(); ++c)
        for (int r = 0; r < doc.GetRows(); ++r)
            merged[c][r] |= other[c][r];
    const int cols = doc.GetCols();
    ForEachMember(doc, p, [&](int c, int r) {
        const int m = r * cols + c;
        if (m != p)
            doc.Group(m) = merged;
    });
}

}  // namespace

bool IsPuzzleComplete(const CVorpelDoc& doc)
{
    if (doc.PieceCount() <= 0)
        return false;
    const GroupMatrix& group = doc.Group(0);
    for (int c = 0; c < doc.GetCols(); ++c)
        for (int r = 0; r < doc.GetRows(); ++r)
            if (!group[c][r])
                return false;
    return true;
}

JoinResult TryJoin(CVorpelDoc& doc, int p) { return TryJoin(doc, p, GroupMatrix{}); }

JoinResult TryJoin(CVorpelDoc& doc, int p, const GroupMatrix& carried)
{
    JoinResult result;
    const int cols = doc.GetCols();
    const int rows = doc.GetRows();
    // A piece not on the board (turn 0) joins nothing: the tray's pieces
    // share that turn.
    if (p < 0 || p >= doc.PieceCount() || doc.GetBoardTurn(p) == 0)
        return result;
    result.damage.before = GroupBounds(doc, p);
    const int turn = doc.GetBoardTurn(p);
    const GroupMatrix& group = doc.Group(p);
    // The group is read as it stands at each visit, so members merged during
    // the pass are visited too when they come later in row order.
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (!group[c][r])
                continue;
            for (int d = 0; d < 4; ++d) {
                const int nc = c + doc.GetDirX(d);
                const int nr = r + doc.GetDirY(d);
                if (!IsCellInPuzzle(doc, nc, nr) || group[nc][nr] || carried[nc][nr])
                    continue;
                const int n = nr * cols + nc;
                if (doc.GetBoardTurn(n) != turn)
                    continue;
                const RECT neighbour = doc.PieceRect()[nc][nr];
                const POINT step = TurnedDirection(doc.GetDirX(d), doc.GetDirY(d), turn);
                if (!IsWithinReach(doc, doc.PieceRect()[c][r], neighbour, step))
                    continue;
                MergeGroups(doc, p, n);
                PlaceGroup(doc, neighbour.left, neighbour.top, n);
                BringGroupToFront(doc, nc, nr);
                result.joined[result.count++] = n;
                if (IsPuzzleComplete(doc)) {
                    result.completed = true;
                    doc.SetCompleted(1);
                }
            }
        }
    }
    result.damage.after = GroupBounds(doc, p);
    return result;
}

JoinProgress CountJoins(const CVorpelDoc& doc)
{
    const int cols = doc.GetCols();
    const int rows = doc.GetRows();
    JoinProgress progress;
    if (cols <= 0 || rows <= 0)
        return progress;
    // Each cell not yet seen starts a group; its matrix marks the rest.
    CellGrid<std::uint8_t> seen{};
    int groups = 0;
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) {
            if (seen[c][r])
                continue;
            ++groups;
            seen[c][r] = 1;
            ForEachMember(doc, r * cols + c, [&](int mc, int mr) { seen[mc][mr] = 1; });
        }
    progress.needed = doc.PieceCount() - 1;
    progress.done = doc.PieceCount() - groups;
    return progress;
}
