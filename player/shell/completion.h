#pragma once

#include "game_clock.h"
#include "vorpel_doc.h"

class QWidget;

// The end of a game: saving is no longer offered, the clock stops, and the
// user is congratulated with the time taken. Returns when the box is closed.
void RunCompletion(QWidget* parent, CVorpelDoc& doc, GameClock& clock);
