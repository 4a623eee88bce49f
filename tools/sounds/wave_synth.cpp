#include "wave_synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "wave_file.h"

namespace jigsaw {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRate = kWaveSampleRate;

using Signal = std::vector<double>;

Signal silence(double seconds)
{
    return Signal(static_cast<std::size_t>(std::lround(seconds * kRate)), 0.0);
}

double timeOf(std::size_t i)
{
    return static_cast<double>(i) / kRate;
}

// White noise in [-1, 1) from a 32-bit xorshift generator: unlike the
// standard distributions, it gives the same numbers with every library.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed) {}

    double next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t m_state;
};

// A two-pole band-pass filter with 0 dB gain at its centre frequency.
class BandPass {
public:
    BandPass(double centre, double q)
    {
        const double w = 2.0 * kPi * centre / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        m_b0 = alpha / a0;
        m_a1 = -2.0 * std::cos(w) / a0;
        m_a2 = (1.0 - alpha) / a0;
    }

    double next(double x)
    {
        const double y = m_b0 * (x - m_x2) - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    double m_b0 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// A one-pole low-pass filter.
class LowPass {
public:
    explicit LowPass(double cutoff) : m_k(1.0 - std::exp(-2.0 * kPi * cutoff / kRate)) {}

    double next(double x)
    {
        m_y += m_k * (x - m_y);
        return m_y;
    }

private:
    double m_k;
    double m_y = 0;
};

// Rises from 0 to 1 over `attack` seconds along half a cosine, then decays
// exponentially with time constant `decay`.
double envelope(double t, double attack, double decay)
{
    const double rise = t < attack ? 0.5 - 0.5 * std::cos(kPi * t / attack) : 1.0;
    return rise * std::exp(-t / decay);
}

// Adds a sine of `frequency` starting at `start` seconds, shaped by an
// envelope, to the signal.
void addTone(Signal& s, double start, double frequency, double gain, double attack, double decay)
{
    const auto first = static_cast<std::size_t>(std::lround(start * kRate));
    for (std::size_t i = first; i < s.size(); ++i) {
        const double t = timeOf(i - first);
        s[i] += gain * envelope(t, attack, decay) * std::sin(2.0 * kPi * frequency * t);
    }
}

// Half-cosine fades over the first `in` and the last `out` seconds, so that
// the sound begins and ends at exactly zero.
void fadeEnds(Signal& s, double in, double out)
{
    const auto fade = [&s](double seconds, auto&& index) {
        const std::size_t n = std::min(s.size(), static_cast<std::size_t>(std::lround(seconds * kRate)));
        for (std::size_t i = 0; i < n; ++i)
            s[index(i)] *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(n));
    };
    fade(in, [](std::size_t i) { return i; });
    fade(out, [&s](std::size_t i) { return s.size() - 1 - i; });
}

// Scales the signal so that its largest magnitude is `peak` of full scale
// and rounds it to 16-bit samples.
std::vector<std::int16_t> toPcm(const Signal& s, double peak)
{
    double largest = 0;
    for (const double v : s)
        largest = std::max(largest, std::abs(v));
    const double scale = largest > 0 ? peak * 32767.0 / largest : 0.0;
    std::vector<std::int16_t> out(s.size());
    std::ranges::transform(s, out.begin(), [scale](double v) {
        return static_cast<std::int16_t>(std::lround(std::clamp(v * scale, -32767.0, 32767.0)));
    });
    return out;
}

}  // namespace

std::vector<std::int16_t> joinSound()
{
    Signal s = silence(0.080);
    Noise noise(0x5eed1234u);
    BandPass tap(2200.0, 1.5);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = 2.5 * tap.next(noise.next()) * std::exp(-timeOf(i) / 0.004);
    addTone(s, 0.0, 950.0, 0.30, 0.0008, 0.011);
    addTone(s, 0.0, 190.0, 0.50, 0.0020, 0.022);
    fadeEnds(s, 0.0005, 0.012);
    return toPcm(s, 0.70);
}

std::vector<std::int16_t> completeSound()
{
    struct Note {
        double start, frequency, gain;
    };
    constexpr std::array<Note, 4> kNotes{{
        {0.00, 523.25, 1.00},
        {0.08, 659.26, 0.90},
        {0.16, 783.99, 0.85},
        {0.24, 1046.50, 0.90},
    }};
    Signal s = silence(1.100);
    for (const Note& note : kNotes) {
        // Higher harmonics are quieter and die away sooner, as on a struck bar.
        for (int k = 1; k <= 3; ++k) {
            const double gain = note.gain * (k == 1 ? 1.0 : k == 2 ? 0.25 : 0.08);
            addTone(s, note.start, note.frequency * k, gain, 0.012, 0.32 / k);
        }
    }
    fadeEnds(s, 0.002, 0.100);
    return toPcm(s, 0.60);
}

std::vector<std::int16_t> flyBackSound()
{
    constexpr double kFrom = 150.0, kTo = 55.0, kLength = 0.150;
    Signal s = silence(kLength);
    Noise noise(0x0ff5eedu);
    LowPass rumble(300.0);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = timeOf(i);
        const double frequency = kFrom * std::pow(kTo / kFrom, t / kLength);
        phase += 2.0 * kPi * frequency / kRate;
        s[i] = envelope(t, 0.003, 0.035) * (std::sin(phase) + 0.3 * std::sin(2.0 * phase)) +
               0.8 * rumble.next(noise.next()) * std::exp(-t / 0.010);
    }
    fadeEnds(s, 0.001, 0.020);
    return toPcm(s, 0.80);
}

std::span<const PlayerSound> playerSounds()
{
    static constexpr std::array<PlayerSound, 3> kSounds{{
        {"on.wav", joinSound},
        {"ok.wav", completeSound},
        {"off.wav", flyBackSound},
    }};
    return kSounds;
}

}  // namespace jigsaw
