#include "elapsed_clock.h"

#include <cmath>

#include "play_rules.h"

POINT ClockHandEnd(std::uint32_t sixtieths, int length)
{
    const double angle = sixtieths * 6 * 3.14 / 180;
    const double x = kClockCentre.x + std::sin(angle) * length;
    const double y = kClockCentre.y + std::cos(angle + 3.1415) * length;
    return POINT{static_cast<int>(x), static_cast<int>(y)};
}

ElapsedClock ElapsedClockAt(const CVorpelDoc& doc, std::uint64_t nowMs)
{
    ElapsedClock clock;
    clock.piecesOut = doc.GetPiecesOut();
    clock.pieceCount = doc.PieceCount();
    if (doc.GetStartTick() == 0 && clock.piecesOut != clock.pieceCount)
        return clock;
    clock.timed = true;
    clock.joinPercent = CountJoins(doc).percent();
    clock.elapsedSeconds = doc.GetCompleted() == 1 ? static_cast<std::uint32_t>(doc.GetElapsedSeconds())
                                                   : static_cast<std::uint32_t>(doc.ElapsedSeconds(nowMs));
    clock.time = SplitElapsed(clock.elapsedSeconds);
    clock.secondHandEnd = ClockHandEnd(clock.time.seconds, kSecondHandLength);
    clock.minuteHandEnd = ClockHandEnd(clock.time.minutes, kMinuteHandLength);
    return clock;
}
