// Where the members of a group lie and how they stack: the lowest layer of
// the board's rules, used by the join rules and the board moves alike.
#include <algorithm>

#include "play_rules.h"
#include "rules_detail.h"

RECT UnionRect(const RECT& a, const RECT& b)
{
    if (IsEmptyRect(a))
        return b;
    if (IsEmptyRect(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

POINT MemberOffset(int cols, int pitch, int p, int c, int r, int turn)
{
    const int pc = p % cols;
    const int pr = p / cols;
    int cc = c;
    int rr = r;
    switch (turn) {
    case 2:
        cc = pc + pr - r;
        rr = pr - pc + c;
        break;
    case 3:
        cc = 2 * pc - c;
        rr = 2 * pr - r;
        break;
    case 4:
        cc = pc - pr + r;
        rr = pc + pr - c;
        break;
    default:
        break;
    }
    return POINT{(cc - pc) * pitch, (rr - pr) * pitch};
}

POINT GroupMemberPlace(const CVorpelDoc& doc, int p, POINT pTopLeft, int c, int r)
{
    const int cols = doc.GetCols();
    const POINT offset = MemberOffset(cols, doc.Pitch(), p, c, r, doc.GetBoardTurn(r * cols + c));
    return POINT{pTopLeft.x + offset.x, pTopLeft.y + offset.y};
}

RECT GroupBounds(const CVorpelDoc& doc, int p)
{
    RECT bounds{};
    ForEachMember(doc, p, [&](int c, int r) { bounds = UnionRect(bounds, doc.PieceRect()[c][r]); });
    return bounds;
}

void BringGroupToFront(CVorpelDoc& doc, int col, int row)
{
    if (!IsCellInPuzzle(doc, col, row))
        return;
    const int n = doc.PieceCount();
    const int cols = doc.GetCols();
    const GroupMatrix& group = doc.Group(row * cols + col);
    // Raising each member in turn leaves the other pieces in their order at
    // the bottom, the members above them in visit order and (col, row) on
    // top; building that order directly costs one pass.
    SlotTable<int> order;
    int count = 0;
    const auto push = [&](int c, int r) {
        if (count < n)
            order[count++] = r * cols + c;
    };
    for (int z = 0; z < n; ++z) {
        const int c = doc.ZCol()[z];
        const int r = doc.ZRow()[z];
        if (IsCellInPuzzle(doc, c, r) && !group[c][r])
            push(c, r);
    }
    for (int r = 0; r < doc.GetRows(); ++r)
        for (int c = 0; c < cols; ++c)
            if (group[c][r] && !(c == col && r == row))
                push(c, r);
    push(col, row);
    for (int z = 0; z < count; ++z) {
        const int c = order[z] % cols;
        const int r = order[z] / cols;
        doc.ZCol()[z] = c;
        doc.ZRow()[z] = r;
        doc.ZIndex()[c][r] = z;
    }
}

void PlaceGroup(CVorpelDoc& doc, int x, int y, int p)
{
    const int s = doc.PieceSize();
    ForEachMember(doc, p, [&](int c, int r) {
        const POINT at = GroupMemberPlace(doc, p, POINT{x, y}, c, r);
        doc.PieceRect()[c][r] = RECT{at.x, at.y, at.x + s, at.y + s};
    });
}
