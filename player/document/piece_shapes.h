#pragma once

#include <cstdint>
#include <vector>

#include "vorpel_doc.h"

// The shapes of the pieces, for sorting and filtering the tray: where a piece
// lies in the finished picture, from its place in the grid, and which of its
// sides carry a tab (a knob sticking out into the neighbour's cell), from its
// cut outline.

enum class PieceKind : std::uint8_t { Corner, Edge, Inner };
// Piece id = row × cols + col: an edge piece lies in the first or last row or
// column, a corner piece in both.
PieceKind KindOfPiece(const CVorpelDoc& doc, int piece);

// The sides of a piece with a tab, one bit each in the document's neighbour
// order (up, right, down, left).
using TabSides = std::uint8_t;
inline constexpr TabSides kTabUp = 1;
inline constexpr TabSides kTabRight = 2;
inline constexpr TabSides kTabDown = 4;
inline constexpr TabSides kTabLeft = 8;
int TabCount(TabSides sides);

// The tab sides of every piece of the puzzle, by piece id, read from turn 1
// of the mask. Each piece's cell (the pitch square between the grid lines
// half a margin outside its core) meets a neighbour's cell on each inner
// side; the piece whose outline reaches further across that line, counted in
// pixels beyond it, has the tab there; on the puzzle's border, any piece of
// the outline beyond the cell is a tab.
// Empty when the document holds no mask.
std::vector<TabSides> FindTabSides(const CVorpelDoc& doc);

// Which pieces the tray shows: all, by kind, or those with 0 to 4 tabs.
enum class TrayFilter : std::uint8_t { All, Edges, Inner, Tabs0, Tabs1, Tabs2, Tabs3, Tabs4 };
// Whether the filter shows a piece of this kind and these tab sides.
bool FilterShows(TrayFilter filter, PieceKind kind, TabSides sides);
