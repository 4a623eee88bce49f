// What a play file and a game to be saved must satisfy before either is used.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "format_error.h"
#include "play_file_layout.h"

namespace playfile {

using jigsaw::ErrorCode;
using jigsaw::FormatError;

// Every piece lies in exactly one tray slot with a turn, or on the board with
// a turn; nothing else is in the tray, and a piece in the tray has no board
// turn.
void checkPlaces(const PlayData& d)
{
    const int n = d.pieceCount();
    std::vector<int> seen(static_cast<std::size_t>(n), 0);
    for (int slot = 0; slot < kMaxPieces; ++slot) {
        const int turn = d.trayTurn[slot];
        if (turn > 4)
            throw FormatError(ErrorCode::PlayFileTrayTurnInvalid);
        if (turn == 0)
            continue;
        const int piece = d.trayPiece[slot];
        if (piece >= n)
            throw FormatError(ErrorCode::PlayFileTrayPieceUnknown, {piece});
        ++seen[static_cast<std::size_t>(piece)];
    }
    int onBoard = 0;
    for (int piece = 0; piece < kMaxPieces; ++piece) {
        if (d.onBoard[piece] > 1 || (piece >= n && d.onBoard[piece] != 0))
            throw FormatError(ErrorCode::PlayFileBoardPiecesInvalid);
        if (piece >= n)
            continue;
        if (d.onBoard[piece] == 1) {
            if (d.boardTurn[piece] < 1 || d.boardTurn[piece] > 4)
                throw FormatError(ErrorCode::PlayFileBoardTurnInvalid);
            ++seen[static_cast<std::size_t>(piece)];
            ++onBoard;
        } else if (d.boardTurn[piece] != 0) {
            // The board draws every piece that has a board turn.
            throw FormatError(ErrorCode::PlayFileTrayPieceTurnedOnBoard, {piece});
        }
        if (seen[static_cast<std::size_t>(piece)] != 1)
            throw FormatError(ErrorCode::PlayFilePiecePlaceInvalid, {piece});
    }
}

// Mends what the game can tell from the rest of the file: the count of
// pieces taken out is the count on the board, and a piece in the tray
// belongs to no group but its own.
void mendCountAndGroups(PlayData& d)
{
    const int n = d.pieceCount();
    d.piecesOut = static_cast<int>(std::count(d.onBoard.begin(), d.onBoard.begin() + n, 1));
    for (int p = 0; p < n; ++p)
        for (int q = 0; q < n; ++q)
            if (p != q && (d.onBoard[p] == 0 || d.onBoard[q] == 0))
                d.groupByte(p, static_cast<std::size_t>(q)) = 0;
}

// The stacking positions list every cell of the puzzle once, and the cell
// table is their inverse.
void checkStacking(const PlayData& d)
{
    const int n = d.pieceCount();
    CellGrid<int> seen{};
    for (int pos = 0; pos < n; ++pos) {
        const int c = d.zCol[pos];
        const int r = d.zRow[pos];
        if (c >= d.cols || r >= d.rows || seen[c][r]++ != 0 || d.zIndex[c][r] != pos)
            throw FormatError(ErrorCode::PlayFileStackingInvalid);
    }
}

// Every piece is in its own group, and all members of a group hold the same
// matrix. Each group is named by its lowest member, and every member must
// name the same one.
void checkGroups(const PlayData& d)
{
    const int n = d.pieceCount();
    const auto member = [&](int p, int q) { return d.inGroup(p, static_cast<std::size_t>(q)); };
    std::vector<int> lowest(static_cast<std::size_t>(n));
    for (int p = 0; p < n; ++p) {
        if (!member(p, p))
            throw FormatError(ErrorCode::PlayFilePieceOutsideGroup, {p});
        int q = 0;
        while (!member(p, q))
            ++q;
        lowest[static_cast<std::size_t>(p)] = q;
    }
    for (int p = 0; p < n; ++p) {
        const int name = lowest[static_cast<std::size_t>(p)];
        for (int q = 0; q < n; ++q) {
            if (member(p, q) != member(name, q) || (member(p, q) && lowest[static_cast<std::size_t>(q)] != name))
                throw FormatError(ErrorCode::PlayFileGroupsInconsistent);
        }
    }
}

void checkGame(const CVorpelDoc& doc)
{
    if (doc.Picture().empty() || doc.Mask().empty())
        throw FormatError(ErrorCode::NoGameToSave);
}

// The game's state can be written only when the file can hold it whole: no
// piece is carried out of the tray (it would lie nowhere), and every
// position on the board fits a pair.
void checkWholeGame(const CVorpelDoc& doc)
{
    checkGame(doc);
    if (doc.GetTrayDrag())
        throw FormatError(ErrorCode::PieceWithoutPlace);
    const auto fits = [](int v) { return v >= 0 && v <= kMaxPairValue; };
    for (int c = 0; c < doc.GetCols(); ++c) {
        for (int r = 0; r < doc.GetRows(); ++r) {
            const RECT& rect = doc.PieceRect()[c][r];
            const int piece = r * doc.GetCols() + c;
            if (doc.GetBoardTurn(piece) != 0 &&
                !(fits(rect.left) && fits(rect.top) && fits(rect.right) && fits(rect.bottom)))
                throw FormatError(ErrorCode::PiecePlaceUnstorable, {piece, rect.left, rect.top, kMaxPairValue});
        }
    }
}

}  // namespace playfile
