#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "packed_dib.h"

// Plain screen and board coordinates, in the layout the drawing code expects.
struct POINT {
    int x = 0;
    int y = 0;
    bool operator==(const POINT&) const = default;
};

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const RECT&) const = default;
};

// Fixed capacity of every table of the game.
inline constexpr int kMaxPieces = 1001;  // piece and tray slots, ids 0 to 1000
inline constexpr int kGridCols = 41;     // cell grid, stored column by column
inline constexpr int kGridRows = 26;

// A table by cell: element [c][r] is cell (column c, row r), so the storage
// is column-major (cell (c, r) is element c × 26 + r).
template <class T>
using CellGrid = std::array<std::array<T, kGridRows>, kGridCols>;
using GroupMatrix = CellGrid<std::uint8_t>;
template <class T>
using SlotTable = std::array<T, kMaxPieces>;

inline constexpr int kMessageLines = 3;
inline constexpr int kMessageLineBytes = 111;
using MessageBuffer = std::array<std::array<char, kMessageLineBytes>, kMessageLines>;

// The three lines, each up to its first NUL, joined by CR LF.
std::string JoinMessageLines(const MessageBuffer& lines);

// The player's single document: the whole state of one game. The board, the
// tray and the tool windows read and write it through these accessors and hold
// nothing of the game themselves. Every table is embedded at its largest size,
// so the object is about 1.2 MB; it is created once and reused for every
// puzzle. Only the six pictures live in memory of their own.
class CVorpelDoc {
public:
    CVorpelDoc();

    // Full paths the shell fills in at start-up: the settings file beside the
    // executable and the executable's folder. Setting the folder also resets
    // the four remembered paths to it, as at construction.
    void SetProgramPaths(const std::string& iniPath, const std::string& exeDir);

    // The whole document, pictures included, is equal; the board's selection
    // and whether the clock is paused, which are not the game, are left out.
    bool operator==(const CVorpelDoc& other) const;

    // Geometry.
    int GetCols() const { return m_nCols; }
    void SetCols(int v) { m_nCols = v; }
    int GetRows() const { return m_nRows; }
    void SetRows(int v) { m_nRows = v; }
    int GetCellSize() const { return m_nCellSize; }
    void SetCellSize(int v) { m_nCellSize = v; }
    int GetMargin() const { return m_nMargin; }
    void SetMargin(int v) { m_nMargin = v; }
    int GetPieceSize() const { return m_nPieceSize; }
    void SetPieceSize(int v) { m_nPieceSize = v; }
    // Side of one piece bitmap, from the cell size and margin.
    int PieceSize() const { return m_nCellSize + 2 * m_nMargin; }
    int PieceCount() const { return m_nCols * m_nRows; }
    int Pitch() const { return m_nCellSize + m_nMargin; }
    int BoardWidth() const { return Pitch() * m_nCols + m_nMargin; }
    int BoardHeight() const { return Pitch() * m_nRows + m_nMargin; }

    // Tray layout and hit state.
    int GetTrayCols() const { return m_nTrayCols; }
    void SetTrayCols(int v) { m_nTrayCols = v; }
    int GetTraySlot() const { return m_nTraySlot; }
    void SetTraySlot(int v) { m_nTraySlot = v; }
    POINT GetTrayHit() const { return m_ptTrayHit; }
    void SetTrayHit(POINT v) { m_ptTrayHit = v; }

    // Tables by tray slot and by piece.
    int GetTrayPiece(int slot) const { return m_aTrayPiece[slot]; }
    void SetTrayPiece(int slot, int v) { m_aTrayPiece[slot] = v; }
    int GetTrayTurn(int slot) const { return m_aTrayTurn[slot]; }
    void SetTrayTurn(int slot, int v) { m_aTrayTurn[slot] = v; }
    int GetBoardTurn(int piece) const { return m_aBoardTurn[piece]; }
    void SetBoardTurn(int piece, int v) { m_aBoardTurn[piece] = v; }
    int GetOnBoard(int piece) const { return m_aOnBoard[piece]; }
    void SetOnBoard(int piece, int v) { m_aOnBoard[piece] = v; }

    int GetCurPiece() const { return m_nCurPiece; }
    void SetCurPiece(int v) { m_nCurPiece = v; }
    POINT GetTrayGrab() const { return m_ptTrayGrab; }
    void SetTrayGrab(POINT v) { m_ptTrayGrab = v; }

    // Home marks.
    RECT GetHomeMark(int piece) const { return m_aHomeMark[piece]; }
    void SetHomeMark(int left, int top, int right, int bottom, int piece)
    {
        m_aHomeMark[piece] = RECT{left, top, right, bottom};
    }
    int GetMarkOffsetX() const { return m_nMarkOffsetX; }
    void SetMarkOffsetX(int v) { m_nMarkOffsetX = v; }
    int GetMarkOffsetY() const { return m_nMarkOffsetY; }
    void SetMarkOffsetY(int v) { m_nMarkOffsetY = v; }
    // Sets the marks of pieces 0 to cols × rows inclusive from the geometry.
    void ComputeHomeMarks();

    // A piece carried from the tray to the board.
    int GetDragSlot() const { return m_nDragSlot; }
    void SetDragSlot(int v) { m_nDragSlot = v; }
    int GetDragPiece() const { return m_nDragPiece; }
    void SetDragPiece(int v) { m_nDragPiece = v; }
    int GetDragTurn() const { return m_nDragTurn; }
    void SetDragTurn(int v) { m_nDragTurn = v; }
    int GetPiecesOut() const { return m_nPiecesOut; }
    void SetPiecesOut(int v) { m_nPiecesOut = v; }
    int GetTrayWidth() const { return m_nTrayWidth; }
    void SetTrayWidth(int v) { m_nTrayWidth = v; }
    int GetPreviewShown() const { return m_bPreviewShown; }
    void SetPreviewShown(int v) { m_bPreviewShown = v; }
    int GetTrayDrag() const { return m_bTrayDrag; }
    void SetTrayDrag(int v) { m_bTrayDrag = v; }
    int GetDroppedOnBoard() const { return m_bDroppedOnBoard; }
    void SetDroppedOnBoard(int v) { m_bDroppedOnBoard = v; }
    int GetPlayable() const { return m_bPlayable; }
    void SetPlayable(int v) { m_bPlayable = v; }

    // Playing time. The tick is the clock's 64-bit millisecond count.
    std::uint64_t GetStartTick() const { return m_dwStartTick; }
    // Starts the clock at a tick (0: no game is timed), ending any pause.
    void SetStartTick(std::uint64_t v)
    {
        m_dwStartTick = v;
        m_bClockPaused = false;
    }
    // Stops the clock at tick `nowMs`: the seconds played so far become the
    // base, and the time stands still until the clock starts again.
    void PauseClock(std::uint64_t nowMs);
    bool IsClockPaused() const { return m_bClockPaused; }
    int GetElapsedBase() const { return m_nElapsedBase; }
    void SetElapsedBase(int v) { m_nElapsedBase = v; }
    int GetElapsedShown() const { return m_bElapsedShown; }
    void SetElapsedShown(int v) { m_bElapsedShown = v; }
    int GetElapsedSeconds() const { return m_nElapsedSeconds; }
    void SetElapsedSeconds(int v) { m_nElapsedSeconds = v; }
    // Seconds played at tick `nowMs`: the seconds before the clock last started
    // plus the whole seconds since, counted as whole-second tick boundaries;
    // while paused, the seconds before the pause.
    int ElapsedSeconds(std::uint64_t nowMs) const;

    // Options and formats.
    int GetSpareOption() const { return m_bSpareOption; }
    void SetSpareOption(int v) { m_bSpareOption = v; }
    int GetPictureFormat() const { return m_nPictureFormat; }
    void SetPictureFormat(int v) { m_nPictureFormat = v; }
    int GetSheetFormat() const { return m_nSheetFormat; }
    void SetSheetFormat(int v) { m_nSheetFormat = v; }
    int GetBgmTrack() const { return m_nBgmTrack; }
    void SetBgmTrack(int v) { m_nBgmTrack = v; }

    // Remembered paths.
    std::string GetPuzzleDir() const { return m_strPuzzleDir; }
    void SetPuzzleDir(const std::string& v) { m_strPuzzleDir = v; }
    std::string GetPlayOpenPath() const { return m_strPlayOpenPath; }
    void SetPlayOpenPath(const std::string& v) { m_strPlayOpenPath = v; }
    std::string GetPlaySavePath() const { return m_strPlaySavePath; }
    void SetPlaySavePath(const std::string& v) { m_strPlaySavePath = v; }
    std::string GetSpareDir() const { return m_strSpareDir; }
    void SetSpareDir(const std::string& v) { m_strSpareDir = v; }

    // Default window rectangles.
    RECT GetMainWndRect() const { return m_rcMainWnd; }
    RECT GetPreviewWndRect() const { return m_rcPreviewWnd; }
    RECT GetElapsedWndRect() const { return m_rcElapsedWnd; }

    std::uint8_t GetShowMessage() const { return m_bShowMessage; }
    void SetShowMessage(std::uint8_t v) { m_bShowMessage = v; }
    int GetBlackMode() const { return m_nBlackMode; }
    void SetBlackMode(int v) { m_nBlackMode = v; }
    int GetGlue() const { return m_nGlue; }
    void SetGlue(int v) { m_nGlue = v; }
    int GetPanel() const { return m_nPanel; }
    void SetPanel(int v) { m_nPanel = v; }
    int GetDataFormat() const { return m_nDataFormat; }
    void SetDataFormat(int v) { m_nDataFormat = v; }
    int GetMaskPad() const { return m_nMaskPad; }
    void SetMaskPad(int v) { m_nMaskPad = v; }
    int GetSizeIndex() const { return m_nSizeIndex; }
    void SetSizeIndex(int v) { m_nSizeIndex = v; }
    std::uint8_t GetModified() const { return m_bModified; }
    void SetModified(std::uint8_t v) { m_bModified = v; }

    // The attached message: three zero-padded CP932 lines, and the same lines
    // joined with CR LF.
    MessageBuffer& Message() { return m_szMessage; }
    const MessageBuffer& Message() const { return m_szMessage; }
    std::string GetMessageText() const { return m_strMessage; }
    void SetMessageText(const std::string& v) { m_strMessage = v; }
    // Rebuilds the joined text from the three lines.
    void JoinMessage();

    // The six pictures of the puzzle.
    jigsaw::PackedDib& Picture() { return m_dibPicture; }
    const jigsaw::PackedDib& Picture() const { return m_dibPicture; }
    jigsaw::PackedDib& Sheet(int turnIndex) { return m_dibSheet[turnIndex]; }
    const jigsaw::PackedDib& Sheet(int turnIndex) const { return m_dibSheet[turnIndex]; }
    jigsaw::PackedDib& Mask() { return m_dibMask; }
    const jigsaw::PackedDib& Mask() const { return m_dibMask; }

    // Stacking order: position 0 is at the bottom.
    SlotTable<int>& ZCol() { return m_aZCol; }
    const SlotTable<int>& ZCol() const { return m_aZCol; }
    SlotTable<int>& ZRow() { return m_aZRow; }
    const SlotTable<int>& ZRow() const { return m_aZRow; }
    CellGrid<int>& ZIndex() { return m_aZIndex; }
    const CellGrid<int>& ZIndex() const { return m_aZIndex; }

    // Board rectangles by home cell.
    CellGrid<RECT>& PieceRect() { return m_aPieceRect; }
    const CellGrid<RECT>& PieceRect() const { return m_aPieceRect; }

    // Board hold state.
    int GetHolding() const { return m_bHolding; }
    void SetHolding(int v) { m_bHolding = v; }
    std::uint8_t GetHoldMoved() const { return m_bHoldMoved; }
    void SetHoldMoved(std::uint8_t v) { m_bHoldMoved = v; }
    int GetHoldCol() const { return m_nHoldCol; }
    void SetHoldCol(int v) { m_nHoldCol = v; }
    int GetHoldRow() const { return m_nHoldRow; }
    void SetHoldRow(int v) { m_nHoldRow = v; }
    POINT GetGrab() const { return m_ptGrab; }
    void SetGrab(POINT v) { m_ptGrab = v; }
    POINT GetHoldDrawn() const { return m_ptHoldDrawn; }
    void SetHoldDrawn(POINT v) { m_ptHoldDrawn = v; }

    // Groups: by piece, the cells of the pieces in its group.
    GroupMatrix& Group(int piece) { return m_aGroup[piece]; }
    const GroupMatrix& Group(int piece) const { return m_aGroup[piece]; }

    // Groups chosen on the board to be carried together: every member of a
    // chosen group is marked (selection_rules.h). View state beside the game:
    // play files do not hold it and comparing documents leaves it out.
    GroupMatrix& Selected() { return m_aSelected; }
    const GroupMatrix& Selected() const { return m_aSelected; }

    // Neighbour directions up, right, down, left.
    int GetDirX(int d) const { return m_aDirX[d]; }
    int GetDirY(int d) const { return m_aDirY[d]; }

    CellGrid<int>& CellA() { return m_aCellA; }
    const CellGrid<int>& CellA() const { return m_aCellA; }
    CellGrid<int>& CellB() { return m_aCellB; }
    const CellGrid<int>& CellB() const { return m_aCellB; }

    int GetCompleted() const { return m_bCompleted; }
    void SetCompleted(int v) { m_bCompleted = v; }

    std::string GetIniPath() const { return m_szIniPath; }
    std::string GetExeDir() const { return m_szExeDir; }

private:
    int m_nCols = 3;
    int m_nRows = 4;
    int m_nCellSize = 40;
    int m_nMargin = 80;
    int m_nPieceSize = 0;
    int m_nTrayCols = 0;
    int m_nTraySlot = 0;
    POINT m_ptTrayHit;
    SlotTable<int> m_aTrayPiece{};
    SlotTable<int> m_aTrayTurn{};
    SlotTable<int> m_aBoardTurn{};
    SlotTable<int> m_aOnBoard{};
    int m_nCurPiece = 0;
    POINT m_ptTrayGrab;
    SlotTable<RECT> m_aHomeMark{};
    int m_nMarkOffsetX = 2;
    int m_nMarkOffsetY = -10;
    int m_nDragSlot = 0;
    int m_nDragPiece = 0;
    int m_nDragTurn = 0;
    int m_nPiecesOut = 0;
    int m_nTrayWidth = 0;
    int m_bPreviewShown = 0;
    int m_bTrayDrag = 0;
    int m_bDroppedOnBoard = 0;
    int m_bPlayable = 0;
    std::uint64_t m_dwStartTick = 0;
    int m_nElapsedBase = 0;
    int m_bElapsedShown = 0;
    int m_nElapsedSeconds = 0;
    bool m_bClockPaused = false;
    int m_bSpareOption = 0;
    int m_nPictureFormat = 0;
    int m_nSheetFormat = 0;
    int m_nBgmTrack = 0;
    std::string m_strPuzzleDir;
    std::string m_strPlayOpenPath;
    std::string m_strPlaySavePath;
    std::string m_strSpareDir;
    RECT m_rcMainWnd{0, 0, 640, 480};
    RECT m_rcPreviewWnd{0, 0, 262, 219};
    RECT m_rcElapsedWnd{142, 129, 344, 329};
    std::uint8_t m_bShowMessage = 0;
    int m_nBlackMode = 0;
    int m_nGlue = 0;
    int m_nPanel = 0;
    int m_nDataFormat = 0;
    int m_nMaskPad = 0;
    int m_nSizeIndex = 0;
    std::uint8_t m_bModified = 0;
    MessageBuffer m_szMessage{};
    jigsaw::PackedDib m_dibPicture;
    std::array<jigsaw::PackedDib, 4> m_dibSheet;
    jigsaw::PackedDib m_dibMask;
    std::string m_strMessage;
    SlotTable<int> m_aZCol{};
    SlotTable<int> m_aZRow{};
    CellGrid<RECT> m_aPieceRect{};
    int m_bHolding = 0;
    std::uint8_t m_bHoldMoved = 0;
    int m_nHoldCol = 0;
    int m_nHoldRow = 0;
    POINT m_ptGrab;
    POINT m_ptHoldDrawn;
    std::array<GroupMatrix, kMaxPieces> m_aGroup{};
    GroupMatrix m_aSelected{};
    std::array<int, 4> m_aDirX{0, 1, 0, -1};
    std::array<int, 4> m_aDirY{-1, 0, 1, 0};
    CellGrid<int> m_aZIndex{};
    CellGrid<int> m_aCellA{};
    CellGrid<int> m_aCellB{};
    int m_bCompleted = 0;
    std::string m_szIniPath;
    std::string m_szExeDir;
};
