#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vorpel_doc.h"

// The fixed blocks of the game in progress, taken for a copy that is written
// elsewhere (another thread). A take hands them out only when the game
// changed since the last take; the seconds played count as a change only
// when the caller says so, so that a clock that alone moved is written
// seldom.
class PlaySnapshot {
public:
    using Bytes = std::shared_ptr<const std::vector<std::uint8_t>>;

    // The fixed blocks at tick `nowMs`, or null when the game is as last
    // taken. Throws jigsaw::FormatError when there is no game to write.
    Bytes take(const CVorpelDoc& doc, std::uint64_t nowMs, bool clockCounts);
    // The last take was not written, or a new game began: the next take
    // counts as a change.
    void forget() { m_last.reset(); }

private:
    Bytes m_last;
};
