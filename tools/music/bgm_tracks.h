#pragma once

#include <cstdint>
#include <vector>

namespace jigsaw {

// The number of built-in background-music tracks.
inline constexpr int kBgmTrackCount = 5;

// The Standard MIDI File of built-in track `number` (1 to kBgmTrackCount),
// the same bytes on every run. Throws std::out_of_range for other numbers.
//   1 a music-box waltz in F major
//   2 a nylon-guitar bossa nova in A minor
//   3 a pastoral for flute and strings in D major
//   4 a vibraphone and electric-piano lounge tune in E-flat major
//   5 a lullaby for celesta and harp in G major
std::vector<std::uint8_t> BgmTrack(int number);

}  // namespace jigsaw
