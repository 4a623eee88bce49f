#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

#include "wave_file.h"
#include "wave_synth.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Samples = std::vector<std::int16_t>;

double seconds(const Samples& s)
{
    return static_cast<double>(s.size()) / jigsaw::kWaveSampleRate;
}

double peakOf(const Samples& s, std::size_t from)
{
    int peak = 0;
    for (std::size_t i = from; i < s.size(); ++i)
        peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    return peak / 32768.0;
}

// The root-mean-square frequency, from the energy of the differences: a rough
// measure of how high a sound lies.
double brightness(const Samples& s)
{
    double energy = 0, slope = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        energy += double(s[i]) * s[i];
        slope += double(s[i] - s[i - 1]) * (s[i] - s[i - 1]);
    }
    return std::sqrt(slope / energy) * jigsaw::kWaveSampleRate / (2.0 * std::numbers::pi);
}

}  // namespace

TEST(WaveFile, HeaderAndLittleEndianSamples)
{
    const Bytes expected{
        'R', 'I', 'F', 'F', 46, 0, 0, 0, 'W', 'A', 'V', 'E',                             // RIFF size 36 + data
        'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,                                     // PCM, mono
        0x44, 0xac, 0, 0, 0x88, 0x58, 0x01, 0, 2, 0, 16, 0,                              // 44100 Hz, 88200 B/s, 16 bits
        'd', 'a', 't', 'a', 10, 0, 0, 0, 0, 0, 1, 0, 0xff, 0xff, 0xff, 0x7f, 0x00, 0x80,  // five samples
    };
    EXPECT_EQ(jigsaw::encodeWave(std::vector<std::int16_t>{0, 1, -1, 32767, -32768}), expected);
    const Bytes empty = jigsaw::encodeWave({});
    ASSERT_EQ(empty.size(), 44u);
    EXPECT_EQ(Bytes(empty.begin() + 4, empty.begin() + 8), (Bytes{36, 0, 0, 0}));
    EXPECT_EQ(Bytes(empty.begin() + 40, empty.end()), (Bytes{0, 0, 0, 0}));
}

TEST(PlayerSounds, LengthsLevelsQuietEndsAndBuiltFiles)
{
    const double lengths[][2] = {{0.060, 0.090}, {0.8, 1.2}, {0.120, 0.180}};
    const char* names[] = {"on.wav", "ok.wav", "off.wav"};
    ASSERT_EQ(jigsaw::playerSounds().size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        const jigsaw::PlayerSound& sound = jigsaw::playerSounds()[k];
        SCOPED_TRACE(names[k]);
        EXPECT_STREQ(sound.fileName, names[k]);
        const Samples s = sound.make();
        EXPECT_GE(seconds(s), lengths[k][0]);
        EXPECT_LE(seconds(s), lengths[k][1]);
        // Loud enough to hear, never clipped, and silent at both ends.
        EXPECT_GE(peakOf(s, 0), 0.5);
        EXPECT_LE(peakOf(s, 0), 0.9);
        EXPECT_LE(std::abs(s.front()), 100);
        EXPECT_LE(peakOf(s, s.size() - jigsaw::kWaveSampleRate / 1000), 0.02);

        std::ifstream file(std::filesystem::path(BUILT_SOUNDS_DIR) / sound.fileName, std::ios::binary);
        const Bytes built((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(built, jigsaw::encodeWave(s));
    }
}

TEST(PlayerSounds, ClickIsHighChordMiddleThudLow)
{
    const double join = brightness(jigsaw::joinSound());
    const double complete = brightness(jigsaw::completeSound());
    const double flyBack = brightness(jigsaw::flyBackSound());
    EXPECT_LT(flyBack, 250.0);
    EXPECT_GT(complete, 3.0 * flyBack);
    EXPECT_GT(join, 1.5 * complete);
}
