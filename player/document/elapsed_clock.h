#pragma once

#include <cstdint>

#include "finished_picture.h"
#include "vorpel_doc.h"

// What the elapsed-time window shows on each tick of its one-second timer:
// the playing time as numbers and as two hands on the clock face, and how
// many pieces have left the tray and how much of the puzzle is joined.

// The black dial of the clock face, in face pixels, and the hands' centre.
inline constexpr RECT kClockDial{14, 20, 70, 80};
inline constexpr POINT kClockCentre{42, 50};
inline constexpr int kSecondHandLength = 25;
inline constexpr int kMinuteHandLength = 20;

struct ElapsedClock {
    // False while no game is being timed: the window then leaves the face
    // and the boxes as they are, and the other members mean nothing.
    bool timed = false;
    std::uint32_t elapsedSeconds = 0;
    ElapsedTime time;
    POINT secondHandEnd;
    POINT minuteHandEnd;
    int piecesOut = 0;
    int pieceCount = 0;
    int joinPercent = 0;  // joins done of those the puzzle needs, in whole percent
};

// The far end of a hand of `length` pixels pointing at `sixtieths` of a turn
// clockwise from twelve o'clock. The angle uses 3.14 for pi and the cosine is
// taken of the angle plus 3.1415, and the coordinates are truncated toward
// zero, so the hands lean a little off the exact quarters, as they always
// have.
POINT ClockHandEnd(std::uint32_t sixtieths, int length);

// The display at tick `nowMs`. A game is timed while the clock runs, and
// after completion, when every piece is out of the tray and the time is
// frozen at the final count. The count is unsigned 32-bit, so a negative base
// from a play file wraps rather than going below zero.
ElapsedClock ElapsedClockAt(const CVorpelDoc& doc, std::uint64_t nowMs);
