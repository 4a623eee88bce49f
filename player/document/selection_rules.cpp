#include "selection_rules.h"

#include "rules_detail.h"

namespace {

void markGroup(CVorpelDoc& doc, int p, std::uint8_t mark)
{
    ForEachMember(doc, p, [&](int c, int r) { doc.Selected()[c][r] = mark; });
}

// One piece of each chosen group on the board, the first met in stacking
// order, bottom first.
std::vector<int> selectedGroups(const CVorpelDoc& doc)
{
    std::vector<int> groups;
    CellGrid<std::uint8_t> seen{};
    const int cols = doc.GetCols();
    for (int z = 0; z < doc.PieceCount(); ++z) {
        const int c = doc.ZCol()[z];
        const int r = doc.ZRow()[z];
        const int id = r * cols + c;
        if (!IsCellInPuzzle(doc, c, r) || seen[c][r] || !doc.Selected()[c][r] || doc.GetBoardTurn(id) == 0)
            continue;
        ForEachMember(doc, id, [&](int mc, int mr) { seen[mc][mr] = 1; });
        groups.push_back(id);
    }
    return groups;
}

// A group of the board is held (a drag from the tray holds nothing there).
bool isHoldingOnBoard(const CVorpelDoc& doc)
{
    return doc.GetHolding() && !doc.GetTrayDrag() && IsCellInPuzzle(doc, doc.GetHoldCol(), doc.GetHoldRow());
}

RECT movedRect(const RECT& r, POINT by)
{
    return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

GroupsDamage fromBoardDamage(const BoardDamage& damage)
{
    return GroupsDamage{{damage.before, damage.after}, damage.shift};
}

}  // namespace

bool IsGroupSelected(const CVorpelDoc& doc, int p)
{
    if (p < 0 || p >= doc.PieceCount())
        return false;
    bool selected = false;
    ForEachMember(doc, p, [&](int c, int r) { selected = selected || doc.Selected()[c][r]; });
    return selected;
}

void SelectGroupsIn(CVorpelDoc& doc, const RECT& area)
{
    const int cols = doc.GetCols();
    const int half = doc.PieceSize() / 2;
    for (int id = 0; id < doc.PieceCount(); ++id) {
        const int c = id % cols;
        const int r = id / cols;
        const RECT& rect = doc.PieceRect()[c][r];
        const int x = rect.left + half;
        const int y = rect.top + half;
        if (doc.GetBoardTurn(id) != 0 && !doc.Selected()[c][r] && x >= area.left && x < area.right &&
            y >= area.top && y < area.bottom)
            markGroup(doc, id, 1);
    }
}

bool ToggleGroup(CVorpelDoc& doc, int p)
{
    if (p < 0 || p >= doc.PieceCount() || doc.GetBoardTurn(p) == 0)
        return false;
    markGroup(doc, p, IsGroupSelected(doc, p) ? 0 : 1);
    return true;
}

void ClearSelection(CVorpelDoc& doc) { doc.Selected() = GroupMatrix{}; }

void SelectWholeGroups(CVorpelDoc& doc)
{
    for (const int p : selectedGroups(doc))
        markGroup(doc, p, 1);
}

bool IsCarryingSelection(const CVorpelDoc& doc)
{
    return isHoldingOnBoard(doc) && doc.Selected()[doc.GetHoldCol()][doc.GetHoldRow()];
}

GroupMatrix CarriedCells(const CVorpelDoc& doc)
{
    if (!isHoldingOnBoard(doc))
        return {};
    return IsCarryingSelection(doc) ? doc.Selected() : doc.Group(HeldPiece(doc));
}

std::vector<RECT> CarriedBounds(const CVorpelDoc& doc)
{
    std::vector<RECT> bounds;
    if (IsCarryingSelection(doc)) {
        for (const int p : selectedGroups(doc))
            bounds.push_back(GroupBounds(doc, p));
    } else if (isHoldingOnBoard(doc)) {
        bounds.push_back(GroupBounds(doc, HeldPiece(doc)));
    }
    return bounds;
}

int PickUpGroups(CVorpelDoc& doc, int bx, int by)
{
    const int id = FindPieceAt(doc, bx, by);
    if (id == kNoPiece)
        return kNoPiece;
    if (IsGroupSelected(doc, id)) {
        SelectWholeGroups(doc);
        for (const int p : selectedGroups(doc))
            BringGroupToFront(doc, p % doc.GetCols(), p / doc.GetCols());
    } else {
        ClearSelection(doc);
    }
    return PickUpGroup(doc, bx, by);
}

GroupsDamage MoveCarriedGroups(CVorpelDoc& doc, int bx, int by)
{
    if (!IsCarryingSelection(doc))
        return fromBoardDamage(MoveHeldGroup(doc, bx, by));
    const RECT& held = doc.PieceRect()[doc.GetHoldCol()][doc.GetHoldRow()];
    const POINT step{bx - doc.GetGrab().x - held.left, by - doc.GetGrab().y - held.top};
    doc.SetHoldMoved(1);
    GroupsDamage damage;
    for (const int p : selectedGroups(doc)) {
        const RECT before = GroupBounds(doc, p);
        const RECT& rect = doc.PieceRect()[p % doc.GetCols()][p / doc.GetCols()];
        PlaceGroup(doc, rect.left + step.x, rect.top + step.y, p);
        damage.areas.push_back(before);
        damage.areas.push_back(movedRect(before, step));
    }
    return damage;
}

GroupsDamage TurnCarriedGroups(CVorpelDoc& doc, int bx, int by)
{
    if (!IsCarryingSelection(doc))
        return fromBoardDamage(TurnHeldGroup(doc, bx, by));
    GroupsDamage damage;
    for (const int p : selectedGroups(doc)) {
        if (doc.Group(p)[doc.GetHoldCol()][doc.GetHoldRow()])
            continue;
        const RECT before = GroupBounds(doc, p);
        TurnGroupAbout(doc, (before.left + before.right) / 2, (before.top + before.bottom) / 2, p);
        damage.areas.push_back(before);
        damage.areas.push_back(GroupBounds(doc, p));
    }
    const BoardDamage held = TurnHeldGroup(doc, bx, by);
    damage.areas.push_back(held.before);
    damage.areas.push_back(held.after);
    return damage;
}

GroupsPutDown PutDownCarriedGroups(CVorpelDoc& doc)
{
    if (!IsCarryingSelection(doc)) {
        const JoinResult join = PutDownHeldGroup(doc);
        return GroupsPutDown{join.count, join.completed, fromBoardDamage(join.damage)};
    }
    GroupsPutDown result;
    const std::vector<int> groups = selectedGroups(doc);
    for (const int p : groups)
        result.damage.areas.push_back(GroupBounds(doc, p));
    // Each group lands in turn; the ones above it are still in the air.
    GroupMatrix carried = doc.Selected();
    for (const int p : groups) {
        ForEachMember(doc, p, [&](int c, int r) { carried[c][r] = 0; });
        const JoinResult join = TryJoin(doc, p, carried);
        result.joins += join.count;
        result.completed = result.completed || join.completed;
    }
    doc.SetHolding(0);
    SelectWholeGroups(doc);
    result.damage.shift = KeepBoardStorable(doc, doc.Selected());
    for (const int p : groups)
        result.damage.areas.push_back(GroupBounds(doc, p));
    doc.SetModified(1);
    return result;
}
