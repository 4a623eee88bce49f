#pragma once

#include <array>
#include <optional>

#include "vorpel_doc.h"

// The rules of play on the board and in the tray, as operations on the
// document. The views translate mouse events into these calls (board points
// are board coordinates: client point plus scroll position; tray points are
// tray coordinates: client point plus the tray's scroll position), then
// repaint what the results name. Nothing here draws or plays a sound.

inline constexpr int kNoPiece = -1;
// A neighbour joins when the place expected from the group lies within this
// many pixels of the neighbour's centre: −15 … +14 in each axis.
inline constexpr int kJoinReach = 15;

// Board areas a rule changed, for repainting only those: what moved or was
// restacked, at its old place and at its new one. Empty rectangles (right
// not beyond left) mean nothing. When the change left a piece outside the
// storable range (KeepBoardStorable), every piece on the board was then
// moved by `shift` (`after` is already moved): the view scrolls by as much,
// so that nothing moves on screen.
struct BoardDamage {
    RECT before{};
    RECT after{};
    POINT shift{};
};

// The smallest rectangle holding both; an empty rectangle adds nothing.
RECT UnionRect(const RECT& a, const RECT& b);
bool IsEmptyRect(const RECT& r);

// What a put-down did: each join (with the neighbour it joined, in order; one
// "on.wav" each), whether the last join completed the puzzle, and the board
// areas to repaint.
struct JoinResult {
    int count = 0;
    std::array<int, kMaxPieces> joined{};
    bool completed = false;
    BoardDamage damage;
};

// ---- Board ----

// Where member (c, r) of p's group lies when p's image has its top-left at
// `pTopLeft`, by the group placement rule for the member's turn.
POINT GroupMemberPlace(const CVorpelDoc& doc, int p, POINT pTopLeft, int c, int r);
// The same rule from p's top-left at the origin, for a puzzle `cols` pieces
// across with pieces `pitch` apart and the member in `turn`.
POINT MemberOffset(int cols, int pitch, int p, int c, int r, int turn);
// Bounds of the rectangles of p's group.
RECT GroupBounds(const CVorpelDoc& doc, int p);

// Whether pixel (dx, dy) of piece id's image in the given turn lies inside the
// piece outline (the transparent surround and the gaps between knobs do not).
bool HitTestPieceTurn(const CVorpelDoc& doc, int dx, int dy, int id, int turn);
// The same in the piece's turn on the board; false for a piece not on it.
bool HitTestPiece(const CVorpelDoc& doc, int dx, int dy, int id);
// The top-most piece on the board whose outline covers board point (bx, by).
int FindPieceAt(const CVorpelDoc& doc, int bx, int by);

// Raises the group of piece (col, row) to the top of the stacking order: the
// other members in row-by-row order, then (col, row) itself on top.
void BringGroupToFront(CVorpelDoc& doc, int col, int row);
// Lays out p's group with p's top-left at board (x, y).
void PlaceGroup(CVorpelDoc& doc, int x, int y, int p);
// Turns every member of p's group a quarter turn clockwise and lays the group
// out again about p, whose new top-left is board (x, y).
void RotateGroup(CVorpelDoc& doc, int x, int y, int p);
// Turns p's group a quarter turn clockwise about board point (bx, by), which
// stays on the same spot of the pieces.
void TurnGroupAbout(CVorpelDoc& doc, int bx, int by, int p);
// Bounds of every piece on the board; empty when none is.
RECT BoardBounds(const CVorpelDoc& doc);
// The largest board coordinate a play file holds: every rectangle on the
// board lies within 0 … kMaxBoardCoordinate whenever nothing is carried.
inline constexpr int kMaxBoardCoordinate = 65279;
// How far a table with these bounds moves to lie within that range: right
// and down when it reaches left of or above the origin, left and up when it
// reaches beyond the range, else not at all. The bounds must fit the range.
POINT StorableShift(const RECT& bounds);
// Keeps every piece on the board within the storable range after p's group
// moved, and returns how far the whole board moved (StorableShift). Should
// the table have grown wider or taller than the range, p's group is first
// brought back toward the rest, just far enough. Positions leave the range
// only while a group is carried or turned: play files cannot hold them.
POINT KeepBoardStorable(CVorpelDoc& doc, int p);
// The same after the pieces marked in `moved`, whole groups, moved together.
POINT KeepBoardStorable(CVorpelDoc& doc, const GroupMatrix& moved);

// Joins p's group with every true neighbour that lies close enough in the
// same turn, snapping the group onto it; the group grows during the pass, so a
// piece dropped into a gap joins all its neighbours at once. Sets the
// completed flag when one group holds every piece.
JoinResult TryJoin(CVorpelDoc& doc, int p);
// The same, leaving out the pieces marked in `carried`: they are still in the
// air.
JoinResult TryJoin(CVorpelDoc& doc, int p, const GroupMatrix& carried);
// One group holds every piece of the puzzle.
bool IsPuzzleComplete(const CVorpelDoc& doc);

// How far the puzzle is: a puzzle of N pieces is done after N − 1 joins, and
// every join made one group of two, so the joins done are N less the number
// of groups, whether the pieces lie in the tray or on the board.
struct JoinProgress {
    int done = 0;
    int needed = 0;
    // Whole percent, rounded down, so that 100 means every join is done.
    int percent() const { return needed > 0 ? static_cast<int>(done * 100LL / needed) : 0; }
};
JoinProgress CountJoins(const CVorpelDoc& doc);

// Moves every group on the board that shows no whole piece body (the core
// square inside the knob band) within `area`, board coordinates, into it:
// each group as one, members and turns kept, the stacking order untouched.
// Groups go in stacking order, bottom first, in rows from the area's top-left,
// each at the first spot that covers nothing already there; a group larger
// than the area goes to its top-left corner, and when the area is full the
// rest are spread on a diagonal from its top-left. No joins are made; an area
// left of or above the board's origin is used from the origin on. Returns
// how many groups moved.
int GatherGroups(CVorpelDoc& doc, const RECT& area);

// Lays every single board piece (one joined to no other) in rows within
// `area`, board coordinates, side by side without overlapping one another or
// any group; when they do not all fit there, in rows of a block as wide as
// the puzzle to the right of the puzzle's laid-out area instead. Groups,
// turns and the stacking order stay; no joins are made; an area left of or
// above the origin is used from the origin on. Returns how many pieces moved.
int SpreadLoosePieces(CVorpelDoc& doc, const RECT& area);

// Left press while idle: holds the group of the piece under (bx, by), raised
// to the top. Returns the piece, or kNoPiece (nothing happens then).
int PickUpGroup(CVorpelDoc& doc, int bx, int by);
// Mouse move while holding: the held group follows, grabbed where it was
// picked up.
BoardDamage MoveHeldGroup(CVorpelDoc& doc, int bx, int by);
// Left release after a move, or the second click: the held group is put down
// where it is, joined with its neighbours, and the board is kept within the
// storable range; the game is changed.
JoinResult PutDownHeldGroup(CVorpelDoc& doc);

struct TurnResult {
    int piece = kNoPiece;  // the piece turned about; kNoPiece: none there
    BoardDamage damage;
};
// Right click while idle: turns the group under (bx, by) a quarter turn about
// that point, raises it and keeps the board within the storable range.
TurnResult TurnGroupAt(CVorpelDoc& doc, int bx, int by);
// Right click while holding: turns the held group about (bx, by), which keeps
// its spot under the cursor.
BoardDamage TurnHeldGroup(CVorpelDoc& doc, int bx, int by);

// ---- Tray ----

// Lays out the tray for a client width: at least one column of width S.
void LayoutTray(CVorpelDoc& doc, int clientWidth);
// The slot whose cell holds the tray point, or kNoPiece: right of the last
// full column, or beyond slot N.
int TraySlotAt(const CVorpelDoc& doc, POINT trayPoint);
// Top-left of a slot's cell in tray coordinates.
POINT TraySlotOrigin(const CVorpelDoc& doc, int slot);
// Whether the tray point lies inside the outline of the piece in its slot.
bool HitTestTrayPiece(const CVorpelDoc& doc, POINT trayPoint);

// Left press: lifts the piece in the slot under the point for dragging; the
// board holds it and stacks it on top. False when the slot is empty or none.
bool PickUpFromTray(CVorpelDoc& doc, POINT trayPoint);
// The dragged piece moved.
void MoveTrayDrag(CVorpelDoc& doc);
// Right click while dragging: the dragged piece turns a quarter turn.
void TurnDraggedPiece(CVorpelDoc& doc);
// Right click on the tray while not dragging: turns the piece under the point
// when the point is inside its outline. False: nothing there (context menu).
bool TurnTrayPieceAt(CVorpelDoc& doc, POINT trayPoint);

// Takes the dragged piece onto the board, centred on board point (bx, by),
// joins it and keeps the board within the storable range. The caller has
// checked that the point lies in the board's window. Nothing when the board
// holds no moved drag.
std::optional<JoinResult> AcceptTrayDrop(CVorpelDoc& doc, int bx, int by);

// Where a drag from the tray ended.
struct TrayDropPoint {
    enum class Where { Tray, Board, Elsewhere };
    Where where = Where::Elsewhere;
    POINT point;  // tray point inside the tray's window, or board point in the board's window
};

struct TrayRelease {
    bool swapped = false;            // the dragged piece changed places with the target slot
    std::optional<JoinResult> join;  // set when the board took the piece
    // What flies back into a slot when the board did not take it: the
    // dragged piece to its slot, or after a swap the displaced content to the
    // freed slot (turn 0: an empty slot, nothing to draw).
    int flySlot = kNoPiece;
    int flyPiece = kNoPiece;
    int flyTurn = 0;
};
// Ends a drag from the tray: swap on a slot, hand-over on the board, else
// back to its slot.
TrayRelease ReleaseTrayDrag(CVorpelDoc& doc, const TrayDropPoint& drop);
