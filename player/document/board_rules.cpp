// Board moves: picking up, carrying, turning and putting down groups. They
// call the join rules (join_rules.cpp), which never call back into this file.
#include <algorithm>

#include "play_rules.h"
#include "rules_detail.h"

bool HitTestPieceTurn(const CVorpelDoc& doc, int dx, int dy, int id, int turn)
{
    const int s = doc.PieceSize();
    const int cols = doc.GetCols();
    const jigsaw::PackedDib& mask = doc.Mask();
    if (dx < 0 || dy < 0 || dx >= s || dy >= s || turn < 1 || turn > 4 || id < 0 || id >= doc.PieceCount())
        return false;
    const int x = (turn - 1) * cols * s + (id % cols) * s + dx;
    const int y = (id / cols) * s + dy;
    if (mask.empty() || mask.bitCount() != 1 || x >= mask.width() || y >= mask.height())
        return false;
    // A 0 bit (the white colour table entry) marks a pixel of the piece.
    const std::uint8_t byte = mask.rowFromTop(y)[x >> 3];
    return ((byte >> (7 - (x & 7))) & 1) == 0;
}

bool HitTestPiece(const CVorpelDoc& doc, int dx, int dy, int id)
{
    return HitTestPieceTurn(doc, dx, dy, id, doc.GetBoardTurn(id));
}

int FindPieceAt(const CVorpelDoc& doc, int bx, int by)
{
    const int cols = doc.GetCols();
    for (int z = doc.PieceCount() - 1; z >= 0; --z) {
        const int c = doc.ZCol()[z];
        const int r = doc.ZRow()[z];
        if (!IsCellInPuzzle(doc, c, r))
            continue;
        const RECT& rect = doc.PieceRect()[c][r];
        const int id = r * cols + c;
        if (bx >= rect.left && bx < rect.right && by >= rect.top && by < rect.bottom &&
            HitTestPiece(doc, bx - rect.left, by - rect.top, id))
            return id;
    }
    return kNoPiece;
}

void RotateGroup(CVorpelDoc& doc, int x, int y, int p)
{
    const int cols = doc.GetCols();
    ForEachMember(doc, p, [&](int c, int r) {
        const int id = r * cols + c;
        doc.SetBoardTurn(id, doc.GetBoardTurn(id) % 4 + 1);
    });
    PlaceGroup(doc, x, y, p);
}

RECT BoardBounds(const CVorpelDoc& doc)
{
    RECT bounds{};
    for (int c = 0; c < doc.GetCols(); ++c)
        for (int r = 0; r < doc.GetRows(); ++r)
            if (doc.GetBoardTurn(r * doc.GetCols() + c) != 0)
                bounds = UnionRect(bounds, doc.PieceRect()[c][r]);
    return bounds;
}

POINT StorableShift(const RECT& bounds)
{
    const auto axis = [](int low, int high) {
        if (low < 0)
            return -low;
        return high > kMaxBoardCoordinate ? kMaxBoardCoordinate - high : 0;
    };
    if (IsEmptyRect(bounds))
        return {};
    return POINT{axis(bounds.left, bounds.right), axis(bounds.top, bounds.bottom)};
}

namespace {

void moveRect(RECT& rect, POINT by)
{
    rect = RECT{rect.left + by.x, rect.top + by.y, rect.right + by.x, rect.bottom + by.y};
}

// How far a group spanning [low, high) moves so that the table, whose other
// pieces span [restLow, restHigh), stays within the storable range: 0 when
// it does already.
int pullBack(int low, int high, int restLow, int restHigh)
{
    const int least = restHigh - kMaxBoardCoordinate - low;
    const int most = restLow + kMaxBoardCoordinate - high;
    return least > 0 ? least : std::min(0, most);
}

}  // namespace

POINT KeepBoardStorable(CVorpelDoc& doc, int p) { return KeepBoardStorable(doc, doc.Group(p)); }

POINT KeepBoardStorable(CVorpelDoc& doc, const GroupMatrix& moved)
{
    const int cols = doc.GetCols();
    RECT rest{};
    RECT movedBounds{};
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < doc.GetRows(); ++r)
            if (doc.GetBoardTurn(r * cols + c) != 0) {
                RECT& bounds = moved[c][r] ? movedBounds : rest;
                bounds = UnionRect(bounds, doc.PieceRect()[c][r]);
            }
    if (!IsEmptyRect(rest)) {
        const POINT back{pullBack(movedBounds.left, movedBounds.right, rest.left, rest.right),
                         pullBack(movedBounds.top, movedBounds.bottom, rest.top, rest.bottom)};
        if (back.x != 0 || back.y != 0)
            for (int c = 0; c < cols; ++c)
                for (int r = 0; r < doc.GetRows(); ++r)
                    if (moved[c][r])
                        moveRect(doc.PieceRect()[c][r], back);
    }
    const POINT shift = StorableShift(BoardBounds(doc));
    if (shift.x == 0 && shift.y == 0)
        return shift;
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < doc.GetRows(); ++r)
            if (doc.GetBoardTurn(r * cols + c) != 0)
                moveRect(doc.PieceRect()[c][r], shift);
    return shift;
}

int PickUpGroup(CVorpelDoc& doc, int bx, int by)
{
    const int id = FindPieceAt(doc, bx, by);
    if (id == kNoPiece)
        return kNoPiece;
    const int col = id % doc.GetCols();
    const int row = id / doc.GetCols();
    const RECT& rect = doc.PieceRect()[col][row];
    doc.SetHolding(1);
    doc.SetHoldMoved(0);
    doc.SetHoldCol(col);
    doc.SetHoldRow(row);
    doc.SetGrab(POINT{bx - rect.left, by - rect.top});
    BringGroupToFront(doc, col, row);
    return id;
}

BoardDamage MoveHeldGroup(CVorpelDoc& doc, int bx, int by)
{
    if (!doc.GetHolding())
        return {};
    const int id = HeldPiece(doc);
    BoardDamage damage;
    damage.before = GroupBounds(doc, id);
    doc.SetHoldMoved(1);
    PlaceGroup(doc, bx - doc.GetGrab().x, by - doc.GetGrab().y, id);
    damage.after = GroupBounds(doc, id);
    return damage;
}

JoinResult PutDownHeldGroup(CVorpelDoc& doc)
{
    if (!doc.GetHolding())
        return {};
    const int id = HeldPiece(doc);
    const RECT before = GroupBounds(doc, id);
    JoinResult result = TryJoin(doc, id);
    doc.SetHolding(0);
    const POINT shift = KeepBoardStorable(doc, id);
    result.damage = BoardDamage{before, GroupBounds(doc, id), shift};
    doc.SetModified(1);
    return result;
}

void TurnGroupAbout(CVorpelDoc& doc, int bx, int by, int p)
{
    // The image offset (gx, gy) under the point becomes (S − gy, gx).
    const RECT& rect = doc.PieceRect()[p % doc.GetCols()][p / doc.GetCols()];
    const int gx = bx - rect.left;
    const int gy = by - rect.top;
    RotateGroup(doc, bx - (doc.PieceSize() - gy), by - gx, p);
}

TurnResult TurnGroupAt(CVorpelDoc& doc, int bx, int by)
{
    TurnResult result;
    result.piece = FindPieceAt(doc, bx, by);
    if (result.piece == kNoPiece)
        return result;
    result.damage.before = GroupBounds(doc, result.piece);
    TurnGroupAbout(doc, bx, by, result.piece);
    BringGroupToFront(doc, result.piece % doc.GetCols(), result.piece / doc.GetCols());
    result.damage.shift = KeepBoardStorable(doc, result.piece);
    result.damage.after = GroupBounds(doc, result.piece);
    doc.SetModified(1);
    return result;
}

BoardDamage TurnHeldGroup(CVorpelDoc& doc, int bx, int by)
{
    if (!doc.GetHolding())
        return {};
    const int id = HeldPiece(doc);
    BoardDamage damage;
    damage.before = GroupBounds(doc, id);
    TurnGroupAbout(doc, bx, by, id);
    const RECT& rect = doc.PieceRect()[doc.GetHoldCol()][doc.GetHoldRow()];
    doc.SetGrab(POINT{bx - rect.left, by - rect.top});
    damage.after = GroupBounds(doc, id);
    return damage;
}
