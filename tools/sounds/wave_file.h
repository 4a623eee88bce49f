#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace jigsaw {

// The sample rate of every sound the kit makes.
inline constexpr int kWaveSampleRate = 44100;

// A RIFF/WAVE file holding `samples` as 16-bit mono PCM at kWaveSampleRate:
// the 44-byte header ("RIFF", "WAVE", a 16-byte "fmt " chunk, "data") and
// the samples, all little-endian. Throws std::length_error when the data
// would not fit the 32-bit sizes of the header.
std::vector<std::uint8_t> encodeWave(std::span<const std::int16_t> samples);

}  // namespace jigsaw
