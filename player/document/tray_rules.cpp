#include "play_rules.h"
#include "rules_detail.h"

void LayoutTray(CVorpelDoc& doc, int clientWidth)
{
    const int s = doc.PieceSize();
    doc.SetPieceSize(s);
    doc.SetTrayWidth(clientWidth < s ? s : clientWidth);
    doc.SetTrayCols(doc.GetTrayWidth() / s);
}

int TraySlotAt(const CVorpelDoc& doc, POINT trayPoint)
{
    const int s = doc.PieceSize();
    const int trayCols = doc.GetTrayCols();
    if (s <= 0 || trayCols <= 0 || trayPoint.x < 0 || trayPoint.y < 0)
        return kNoPiece;
    const int col = trayPoint.x / s;
    const int row = trayPoint.y / s;
    if (col >= trayCols || row > doc.PieceCount() / trayCols)
        return kNoPiece;
    const int slot = row * trayCols + col;
    return slot <= doc.PieceCount() ? slot : kNoPiece;
}

POINT TraySlotOrigin(const CVorpelDoc& doc, int slot)
{
    const int s = doc.PieceSize();
    const int trayCols = doc.GetTrayCols() > 0 ? doc.GetTrayCols() : 1;
    return POINT{slot % trayCols * s, slot / trayCols * s};
}

bool HitTestTrayPiece(const CVorpelDoc& doc, POINT trayPoint)
{
    const int slot = TraySlotAt(doc, trayPoint);
    if (slot == kNoPiece)
        return false;
    const POINT origin = TraySlotOrigin(doc, slot);
    return HitTestPieceTurn(doc, trayPoint.x - origin.x, trayPoint.y - origin.y, doc.GetTrayPiece(slot),
                            doc.GetTrayTurn(slot));
}

bool PickUpFromTray(CVorpelDoc& doc, POINT trayPoint)
{
    doc.SetTrayHit(trayPoint);
    const int slot = TraySlotAt(doc, trayPoint);
    if (doc.GetTrayDrag() || slot == kNoPiece || doc.GetTrayTurn(slot) == 0)
        return false;
    const int piece = doc.GetTrayPiece(slot);
    if (piece < 0 || piece >= doc.PieceCount())
        return false;
    doc.SetDragSlot(slot);
    doc.SetDragPiece(piece);
    doc.SetDragTurn(doc.GetTrayTurn(slot));
    doc.SetTrayPiece(slot, 0);
    doc.SetTrayTurn(slot, 0);
    doc.SetTrayDrag(1);
    doc.SetHolding(1);
    doc.SetHoldMoved(0);
    doc.SetHoldCol(piece % doc.GetCols());
    doc.SetHoldRow(piece / doc.GetCols());
    BringGroupToFront(doc, doc.GetHoldCol(), doc.GetHoldRow());
    return true;
}

void MoveTrayDrag(CVorpelDoc& doc)
{
    if (doc.GetTrayDrag())
        doc.SetHoldMoved(1);
}

void TurnDraggedPiece(CVorpelDoc& doc)
{
    if (!doc.GetTrayDrag())
        return;
    doc.SetDragTurn(doc.GetDragTurn() % 4 + 1);
    doc.SetModified(1);
}

bool TurnTrayPieceAt(CVorpelDoc& doc, POINT trayPoint)
{
    doc.SetTrayHit(trayPoint);
    if (!HitTestTrayPiece(doc, trayPoint))
        return false;
    const int slot = TraySlotAt(doc, trayPoint);
    doc.SetTrayTurn(slot, doc.GetTrayTurn(slot) % 4 + 1);
    doc.SetModified(1);
    return true;
}

std::optional<JoinResult> AcceptTrayDrop(CVorpelDoc& doc, int bx, int by)
{
    if (!doc.GetTrayDrag() || !doc.GetHolding() || !doc.GetHoldMoved())
        return std::nullopt;
    const int piece = doc.GetDragPiece();
    const int slot = doc.GetDragSlot();
    doc.SetOnBoard(piece, 1);
    doc.SetBoardTurn(piece, doc.GetDragTurn());
    doc.SetTrayPiece(slot, -1);
    doc.SetTrayTurn(slot, 0);
    doc.SetPiecesOut(doc.GetPiecesOut() + 1);
    doc.SetHolding(0);
    doc.SetModified(1);

    // The piece lands centred on the point; the join test sees it there.
    const int s = doc.PieceSize();
    const RECT landing{bx - s / 2, by - s / 2, bx - s / 2 + s, by - s / 2 + s};
    doc.PieceRect()[piece % doc.GetCols()][piece / doc.GetCols()] = landing;
    doc.SetDroppedOnBoard(1);
    JoinResult result = TryJoin(doc, piece);
    const POINT shift = KeepBoardStorable(doc, piece);
    const RECT landed{landing.left + shift.x, landing.top + shift.y, landing.right + shift.x, landing.bottom + shift.y};
    result.damage = BoardDamage{RECT{}, UnionRect(landed, GroupBounds(doc, piece)), shift};
    return result;
}

TrayRelease ReleaseTrayDrag(CVorpelDoc& doc, const TrayDropPoint& drop)
{
    TrayRelease release;
    if (!doc.GetTrayDrag())
        return release;
    doc.SetDroppedOnBoard(0);
    const int slot = doc.GetDragSlot();
    doc.SetTrayPiece(slot, doc.GetDragPiece());
    doc.SetTrayTurn(slot, doc.GetDragTurn());

    if (drop.where == TrayDropPoint::Where::Tray) {
        doc.SetTrayHit(drop.point);
        const int target = TraySlotAt(doc, drop.point);
        if (target != kNoPiece) {
            const int piece = doc.GetTrayPiece(target);
            const int turn = doc.GetTrayTurn(target);
            doc.SetTrayPiece(target, doc.GetTrayPiece(slot));
            doc.SetTrayTurn(target, doc.GetTrayTurn(slot));
            doc.SetTrayPiece(slot, piece);
            doc.SetTrayTurn(slot, turn);
            doc.SetDragPiece(piece);
            doc.SetDragTurn(turn);
            if (target != slot) {
                release.swapped = true;
                doc.SetModified(1);
            }
        }
    } else if (drop.where == TrayDropPoint::Where::Board) {
        release.join = AcceptTrayDrop(doc, drop.point.x, drop.point.y);
    }

    if (!release.join) {
        release.flySlot = slot;
        release.flyPiece = doc.GetDragPiece();
        release.flyTurn = doc.GetDragTurn();
    }
    doc.SetTrayDrag(0);
    doc.SetHolding(0);
    return release;
}
