#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace jigsaw {

// The player's three sound effects as 16-bit mono samples at kWaveSampleRate.
// Each is made the same way on every run and every machine (fixed noise
// seeds), peaks below 0.9 of full scale and fades in and out, so that it
// starts and ends in silence without a click.

// A soft wooden click (about 80 ms): a short filtered noise burst, a ringing
// wood tone and a low knock.
std::vector<std::int16_t> joinSound();

// A bright major chord (about 1.1 s): C, E, G and the upper C struck one
// after another, each with a soft attack, a few harmonics and a long decay.
std::vector<std::int16_t> completeSound();

// A low thud (about 150 ms): a sine gliding down from 150 Hz, with a touch
// of its octave so that small speakers carry it, a fast decay and a little
// low rumble.
std::vector<std::int16_t> flyBackSound();

// One sound file of the player: its name and how to make its samples.
struct PlayerSound {
    const char* fileName;
    std::vector<std::int16_t> (*make)();
};

// "on.wav" (join), "ok.wav" (completion) and "off.wav" (fly-back).
std::span<const PlayerSound> playerSounds();

}  // namespace jigsaw
