#pragma once

// What the play file's reader, writer and checks share: where each field
// lies in the file, and the file's contents as read, held apart from the game
// until every check has passed. Only the play file's own sources include this.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "packed_dib.h"
#include "play_file.h"
#include "play_rules.h"
#include "vorpel_doc.h"

namespace playfile {

// Offsets of the header block.
inline constexpr std::size_t kOffCols = 0;
inline constexpr std::size_t kOffRows = 4;
inline constexpr std::size_t kOffCellSize = 8;
inline constexpr std::size_t kOffMargin = 12;
inline constexpr std::size_t kOffPiecesOut = 16;
inline constexpr std::size_t kOffPictureFormat = 20;
inline constexpr std::size_t kOffSheetFormat = 24;
inline constexpr std::size_t kOffTray = 28;
inline constexpr std::size_t kTrayEntrySize = 5;
inline constexpr std::size_t kOffElapsed = kPlayElapsedOffset;
inline constexpr std::size_t kOffMessage = 5037;
inline constexpr std::size_t kOffShowMessage = 5370;
inline constexpr std::size_t kOffPreviewShown = 5371;
inline constexpr std::size_t kOffElapsedShown = 5372;
inline constexpr std::size_t kOffSpareOption = 5373;
inline constexpr std::size_t kOffBlackMode = 5374;

inline constexpr std::size_t kOffCellBlock = kPlayHeaderSize;
inline constexpr std::size_t kOffRectBlock = kOffCellBlock + kPlayCellBlockSize;
inline constexpr std::size_t kOffGroups = kOffRectBlock + kPlayRectBlockSize;
inline constexpr std::size_t kOffZCol = kOffGroups + kMaxPieces * kPlayGroupRecordSize;
inline constexpr std::size_t kOffZRow = kOffZCol + kMaxPieces;
inline constexpr std::size_t kOffDirX = kOffZRow + kMaxPieces;
inline constexpr std::size_t kOffDirY = kOffDirX + 16;
inline constexpr std::size_t kOffPictures = kOffDirY + 16;
static_assert(kOffPictures == kPlayFixedSize);

// The largest value a pair holds: 255 × 255 − 1.
inline constexpr int kMaxPairValue = 65279;
static_assert(kMaxPairValue == kMaxBoardCoordinate);

inline std::size_t cellIndex(int c, int r, int cols)
{
    return static_cast<std::size_t>(r * cols + c);
}

// Everything the file carries, checked before any of it reaches the game.
struct PlayData {
    int cols = 0;
    int rows = 0;
    int cellSize = 0;
    int margin = 0;
    int piecesOut = 0;
    int pictureFormat = 0;
    int sheetFormat = 0;
    SlotTable<int> trayPiece{};
    SlotTable<int> trayTurn{};
    SlotTable<int> boardTurn{};
    SlotTable<int> onBoard{};
    int elapsedBase = 0;
    MessageBuffer message{};
    std::uint8_t showMessage = 0;
    int previewShown = 0;
    int elapsedShown = 0;
    int spareOption = 0;
    int blackMode = 0;
    CellGrid<int> cellA{};
    CellGrid<int> cellB{};
    CellGrid<int> zIndex{};
    CellGrid<RECT> pieceRect{};
    // The rectangles' digits as stored, low digit first: left, top, right,
    // bottom. Placing the board pieces reads them.
    CellGrid<std::array<std::array<std::uint8_t, 2>, 4>> rectDigits{};
    // Record p's byte for piece q at p × pieceCount() + q: only the first
    // pieceCount() bytes of each record belong to the puzzle.
    std::vector<std::uint8_t> groupBytes;
    SlotTable<int> zCol{};
    SlotTable<int> zRow{};
    std::array<jigsaw::PackedDib, 6> pictures;

    int pieceCount() const { return cols * rows; }
    int pieceSize() const { return cellSize + 2 * margin; }
    int pitch() const { return cellSize + margin; }
    std::uint8_t& groupByte(int p, std::size_t q)
    {
        return groupBytes[static_cast<std::size_t>(p) * static_cast<std::size_t>(pieceCount()) + q];
    }
    bool inGroup(int p, std::size_t q) const
    {
        return groupBytes[static_cast<std::size_t>(p) * static_cast<std::size_t>(pieceCount()) + q] != 0;
    }
};

// The checks of a file's contents (play_file_checks.cpp), in the order the
// reader makes them; each throws jigsaw::FormatError.
void checkPlaces(const PlayData& d);
void mendCountAndGroups(PlayData& d);
void checkStacking(const PlayData& d);
void checkGroups(const PlayData& d);

// The checks of a game before it is written: a game with pictures, and one
// that the file can hold whole.
void checkGame(const CVorpelDoc& doc);
void checkWholeGame(const CVorpelDoc& doc);

// Sets the board rectangles from their stored digits (play_file_places.cpp).
void placeBoardPieces(PlayData& d);

}  // namespace playfile
