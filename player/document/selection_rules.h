#pragma once

#include <vector>

#include "play_rules.h"

// Several groups chosen on the board (the document's Selected() table) and
// carried, turned and put down together. The group the press landed on is
// held as a single group is (the document's hold state); the other chosen
// groups follow it.

// Board areas several groups changed: each group's bounds before and after
// (empty rectangles mean nothing), so that only those are repainted; `shift`
// as in BoardDamage.
struct GroupsDamage {
    std::vector<RECT> areas;
    POINT shift{};
};

// What putting the carried groups down did: the joins of all of them (one
// "on.wav" each), whether the last one completed the puzzle, and the board
// areas to repaint.
struct GroupsPutDown {
    int joins = 0;
    bool completed = false;
    GroupsDamage damage;
};

// Whether p's group is chosen: one of its members is marked.
bool IsGroupSelected(const CVorpelDoc& doc, int p);
// Chooses, besides those chosen, every group with a piece on the board whose
// image's centre lies in `area` (right and bottom edges excluded).
void SelectGroupsIn(CVorpelDoc& doc, const RECT& area);
// Chooses p's group, or no longer when it was. False when p is not on the
// board.
bool ToggleGroup(CVorpelDoc& doc, int p);
void ClearSelection(CVorpelDoc& doc);
// Marks every member of each group with a marked piece: joins may have made
// one group of chosen pieces and others.
void SelectWholeGroups(CVorpelDoc& doc);

// Whether the group held on the board is chosen, so that every chosen group is
// carried with it.
bool IsCarryingSelection(const CVorpelDoc& doc);
// The cells carried on the board: every chosen group's when carrying the
// selection, else the held group's; none when nothing is held on the board.
GroupMatrix CarriedCells(const CVorpelDoc& doc);
// The bounds of each carried group; none when nothing is held on the board.
std::vector<RECT> CarriedBounds(const CVorpelDoc& doc);

// Left press while idle. On a chosen group: every chosen group is raised, in
// its order, and carried with the one under the point, which is held as
// PickUpGroup holds it, on top. On another group the choice ends first and
// the group is picked up alone. Returns the piece held, or kNoPiece.
int PickUpGroups(CVorpelDoc& doc, int bx, int by);
// Mouse move while holding: the held group follows as MoveHeldGroup moves it
// and every other carried group moves as far.
GroupsDamage MoveCarriedGroups(CVorpelDoc& doc, int bx, int by);
// Right click while holding: the held group turns about (bx, by) as
// TurnHeldGroup turns it, every other carried group a quarter turn about the
// centre of its bounds.
GroupsDamage TurnCarriedGroups(CVorpelDoc& doc, int bx, int by);
// Left release after a move, or the second click: each carried group is put
// down and joined as if alone, bottom first, so that it joins the carried
// groups below it but none still above it. The choice takes in what they
// joined, and the carried groups are kept within the storable range as one.
// The game is changed.
GroupsPutDown PutDownCarriedGroups(CVorpelDoc& doc);
