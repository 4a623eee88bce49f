#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vorpel_doc.h"

// The play file of the game in progress, taken for a copy that is written
// elsewhere (another thread). The picture blocks are taken once per game; each
// later take builds only the fixed blocks and hands them out when the game
// changed since the last take (the seconds played do not count as a change),
// so that taking costs little while a game is played.
class PlaySnapshot {
public:
    using Bytes = std::shared_ptr<const std::vector<std::uint8_t>>;

    // A new game: keeps its picture blocks. Throws jigsaw::FormatError when
    // there is no game.
    void startGame(const CVorpelDoc& doc);
    // The fixed blocks at tick `nowMs`, or null when the game is as last
    // taken. Throws jigsaw::FormatError when there is no game.
    Bytes takeIfChanged(const CVorpelDoc& doc, std::uint64_t nowMs);
    // The last take was not written: the next one counts as a change.
    void forget() { m_last.reset(); }

    // The picture blocks of the game (null before startGame()).
    const Bytes& pictures() const { return m_pictures; }

private:
    Bytes m_pictures;
    Bytes m_last;
};
