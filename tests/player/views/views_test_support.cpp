#include "views_test_support.h"

#include <algorithm>

int RecordingSounds::count(SoundEffect effect) const
{
    return static_cast<int>(std::count(played.begin(), played.end(), effect));
}

int slotOfPiece(const CVorpelDoc& doc, int piece)
{
    for (int slot = 0; slot <= doc.PieceCount(); ++slot)
        if (doc.GetTrayTurn(slot) != 0 && doc.GetTrayPiece(slot) == piece)
            return slot;
    return -1;
}

void placeOnBoard(CVorpelDoc& doc, int piece, int turn, int x, int y)
{
    const int slot = slotOfPiece(doc, piece);
    if (slot >= 0) {
        doc.SetTrayPiece(slot, -1);
        doc.SetTrayTurn(slot, 0);
        doc.SetPiecesOut(doc.GetPiecesOut() + 1);
    }
    doc.SetOnBoard(piece, 1);
    doc.SetBoardTurn(piece, turn);
    const int s = doc.PieceSize();
    doc.PieceRect()[piece % doc.GetCols()][piece / doc.GetCols()] = RECT{x, y, x + s, y + s};
}

POINT homePlace(const CVorpelDoc& doc, int piece, int x0, int y0)
{
    return POINT{x0 + (piece % doc.GetCols()) * doc.Pitch(), y0 + (piece / doc.GetCols()) * doc.Pitch()};
}
