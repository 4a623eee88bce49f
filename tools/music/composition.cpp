#include "composition.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <utility>

#include "midi_file.h"

namespace jigsaw::music {

namespace {

// Pitch class of a note letter with an optional accidental at the start of
// `text`; `used` receives how many characters it took.
int pitchClass(std::string_view text, std::size_t& used)
{
    static constexpr int kLetters[] = {9, 11, 0, 2, 4, 5, 7};  // A to G
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        throw std::invalid_argument("bad note name: " + std::string(text));
    int pc = kLetters[text[0] - 'A'];
    used = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        pc += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    return (pc + 12) % 12;
}

// Splits "NAME:STEPS" tokens; calls `use(name, steps)` for each.
template <typename Use>
void forEachToken(std::string_view text, Use use)
{
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ' || text[at] == '\n') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(text.find_first_of(" \n", at), text.size());
        const std::string_view token = text.substr(at, end - at);
        at = end;
        const std::size_t colon = token.find(':');
        unsigned steps = 0;
        if (colon == std::string_view::npos ||
            std::from_chars(token.data() + colon + 1, token.data() + token.size(), steps).ptr !=
                token.data() + token.size() ||
            steps == 0 || steps > 64)
            throw std::invalid_argument("bad token: " + std::string(token));
        use(token.substr(0, colon), steps * kStep);
    }
}

}  // namespace

int pitch(std::string_view name)
{
    std::size_t used = 0;
    const int pc = pitchClass(name, used);
    if (name.size() != used + 1 || name[used] < '0' || name[used] > '9')
        throw std::invalid_argument("bad pitch: " + std::string(name));
    // Cb and B# belong to the octave of their letter.
    int octave = name[used] - '0';
    if (name[0] == 'C' && pc == 11)
        --octave;
    if (name[0] == 'B' && pc == 0)
        ++octave;
    return 12 * (octave + 1) + pc;
}

Chord chord(std::string_view name)
{
    struct Quality {
        std::string_view suffix;
        std::vector<int> tones;
    };
    static const Quality kQualities[] = {
        {"", {0, 4, 7}},        {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},  {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},  {"m7b5", {0, 3, 6, 10}},   {"6", {0, 4, 7, 9}},   {"m6", {0, 3, 7, 9}},
        {"sus4", {0, 5, 7}},    {"dim", {0, 3, 6}},
    };
    std::size_t used = 0;
    const int root = pitchClass(name, used);
    for (const Quality& q : kQualities)
        if (name.substr(used) == q.suffix)
            return Chord{root, q.tones};
    throw std::invalid_argument("bad chord: " + std::string(name));
}

int toneAtOrAbove(const Chord& c, int low, std::size_t index)
{
    const int pc = (c.root + c.tones.at(index)) % 12;
    return low + ((pc - low % 12) + 12) % 12;
}

std::vector<int> closeVoicing(const Chord& c, int low)
{
    std::vector<int> keys;
    for (std::size_t i = 0; i < c.tones.size(); ++i)
        keys.push_back(toneAtOrAbove(c, low, i));
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::vector<ChordSpan> progression(std::uint32_t start, std::string_view text)
{
    std::vector<ChordSpan> spans;
    forEachToken(text, [&](std::string_view name, std::uint32_t length) {
        spans.push_back(ChordSpan{start, length, chord(name)});
        start += length;
    });
    return spans;
}

Piece::Piece(std::string title, int quartersPerMinute, Metre metre, Key key)
    : m_title(std::move(title)),
      m_quartersPerMinute(quartersPerMinute),
      m_metre(metre),
      m_key(key),
      m_barTicks(static_cast<std::uint32_t>(metre.beats) * 4 * kQuarter >> metre.beatPowerOfTwo)
{
}

int Piece::addPart(Instrument instrument)
{
    m_parts.push_back(std::move(instrument));
    m_notes.emplace_back();
    return static_cast<int>(m_parts.size()) - 1;
}

void Piece::note(int part, std::uint32_t tick, std::uint32_t length, int key, int velocity)
{
    m_notes.at(static_cast<std::size_t>(part)).push_back(Note{tick, length, key, velocity});
}

void Piece::melody(int part, std::uint32_t tick, int bars, std::string_view text, int velocity)
{
    const std::uint32_t end = tick + bar(bars);
    forEachToken(text, [&](std::string_view name, std::uint32_t length) {
        if (name != "r")
            note(part, tick, length - kStep / 8, pitch(name), velocity);
        tick += length;
    });
    if (tick != end)
        throw std::invalid_argument("melody does not fill its bars: " + std::string(text.substr(0, 40)));
}

std::uint32_t Piece::swung(std::uint32_t tick) const
{
    if (!m_swing)
        return tick;
    const std::uint32_t beat = tick / kQuarter * kQuarter;
    const std::uint32_t within = tick % kQuarter;
    const std::uint32_t late = kQuarter * 2 / 3;
    return beat + (within <= kStep ? within * late / kStep : late + (within - kStep) * (kQuarter - late) / kStep);
}

std::vector<std::uint8_t> Piece::encode(int bars) const
{
    std::vector<MidiTrack> tracks;
    MidiTrack& conductor = tracks.emplace_back(m_title);
    conductor.tempo(0, static_cast<std::uint32_t>(60'000'000 / m_quartersPerMinute));
    conductor.timeSignature(0, m_metre.beats, m_metre.beatPowerOfTwo);
    conductor.keySignature(0, m_key.accidentals, m_key.minor);

    std::uint32_t seed = 0x2F6B1D5u;
    for (std::size_t p = 0; p < m_parts.size(); ++p) {
        const Instrument& instrument = m_parts[p];
        MidiTrack& track = tracks.emplace_back(instrument.name);
        if (instrument.channel != 9)
            track.program(0, instrument.channel, instrument.program);
        track.controller(0, instrument.channel, 7, instrument.volume);
        track.controller(0, instrument.channel, 10, instrument.pan);
        track.controller(0, instrument.channel, 91, instrument.reverb);

        std::vector<Note> notes;
        for (Note n : m_notes[p]) {
            const std::uint32_t end = swung(n.tick + n.length);
            n.tick = swung(n.tick);
            n.length = end - n.tick;
            seed = seed * 1664525u + 1013904223u;
            n.velocity = std::clamp(n.velocity + static_cast<int>(seed >> 29) - 3, 1, 127);
            notes.push_back(n);
        }
        std::stable_sort(notes.begin(), notes.end(),
                         [](const Note& a, const Note& b) { return a.key != b.key ? a.key < b.key : a.tick < b.tick; });
        for (std::size_t i = 0; i < notes.size(); ++i) {
            Note& n = notes[i];
            if (i + 1 < notes.size() && notes[i + 1].key == n.key && notes[i + 1].tick < n.tick + n.length)
                n.length = notes[i + 1].tick - n.tick;
            if (n.length > 0)
                track.note(n.tick, n.length, instrument.channel, n.key, n.velocity);
        }
    }
    return encodeMidiFile(static_cast<int>(kQuarter), tracks, bar(bars));
}

}  // namespace jigsaw::music
