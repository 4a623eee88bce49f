#pragma once

#include "document_events.h"
#include "vorpel_doc.h"

// Command ids of the player's menus, kept from the original resource numbering.
enum VorpelCommand : int {
    kCmdOpenPuzzle = 32772,
    kCmdTogglePreview = 32775,
    kCmdArrangeTray = 32777,
    kCmdOpenPlayFile = 32779,
    kCmdSavePlayFile = 32780,
    kCmdToggleElapsed = 32782,
    kCmdToggleSpareOption = 32783,
    kCmdShowMessage = 32796,
    kCmdBlackNone = 32799,
    kCmdBlackUncompleted = 32801,
    kCmdReverseStacking = 32804,
    kCmdHelp = 57670,
    // Numbered after the frame's own commands (command_ids.h).
    kCmdArrangeEdgesFirst = 33111,  // "辺を先に整列(&E)"
    kCmdPause = 33113,              // "一時停止(&P)"
};

// Closes the gaps in the tray: the occupied slots among 0 to 999 move to the
// front in their order; the rest become empty (piece 0, turn 0). Slot 1000 is
// left alone. Not a change of the game.
void OnArrangeTray(CVorpelDoc& doc, DocumentEvents& events);
// The same with the corner pieces first, then the other edge pieces, then
// the inner ones, each in their tray order.
void OnArrangeEdgesFirst(CVorpelDoc& doc, DocumentEvents& events);

// Turns the stacking order upside down (bottom piece on top). Groups and
// positions stay; not a change of the game.
void OnReverseStacking(CVorpelDoc& doc, DocumentEvents& events);

// Brings every group lying outside `area` (board coordinates: the part of
// the board in view) into it, by GatherGroups. A change of the game when any
// group moved; nothing happens when none lies outside.
void OnGatherPieces(CVorpelDoc& doc, DocumentEvents& events, const RECT& area);

// Lays the single pieces on the board out side by side in `area` (the part
// of the board in view), by SpreadLoosePieces. A change of the game when any
// piece moved.
void OnSpreadPieces(CVorpelDoc& doc, DocumentEvents& events, const RECT& area);

// Opens or closes a tool window by its flag.
void OnTogglePreview(CVorpelDoc& doc, DocumentEvents& events);
void OnToggleElapsed(CVorpelDoc& doc, DocumentEvents& events);

// The option kept in play files and consulted by nothing else.
void OnToggleSpareOption(CVorpelDoc& doc, DocumentEvents& events);

// The black display modes: 0 normal, 2 pieces in the tray. Mode 1 (completed
// pieces), which play files may hold, draws as mode 0 and is checked as it.
// Choosing the mode already set does nothing.
void OnBlackNone(CVorpelDoc& doc, DocumentEvents& events);
void OnBlackUncompleted(CVorpelDoc& doc, DocumentEvents& events);

// Shows the attached message.
void OnShowMessage(const CVorpelDoc& doc, DocumentEvents& events);

// Menu state of a command: whether it can be chosen, and its check mark.
// Pausing can be chosen while the clock runs: a game is timed, not finished
// and not paused.
bool IsCommandEnabled(const CVorpelDoc& doc, int command);
bool IsCommandChecked(const CVorpelDoc& doc, int command);

// Whether opening another file or closing should first offer to save: the
// game changed and is not finished.
bool ShouldOfferSave(const CVorpelDoc& doc);
