#pragma once

#include <cstdint>
#include <vector>

// The five built-in pieces, each written as a complete MIDI file.
namespace jigsaw::music {

std::vector<std::uint8_t> musicBoxWaltz();
std::vector<std::uint8_t> bossaAfternoon();
std::vector<std::uint8_t> meadowPastoral();
std::vector<std::uint8_t> nightLounge();
std::vector<std::uint8_t> starLullaby();

}  // namespace jigsaw::music
