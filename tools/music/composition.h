#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A small toolkit for writing the background music: pitches and chords by
// name, voicings, chord progressions and melodies written as text, and a
// piece that collects the notes of its parts and becomes a MIDI file.
namespace jigsaw::music {

// Every piece counts 480 ticks to the quarter note; melodies and
// progressions are written in eighth-note steps.
inline constexpr std::uint32_t kQuarter = 480;
inline constexpr std::uint32_t kStep = kQuarter / 2;

// The MIDI key of a pitch name: a letter A to G, optionally '#' or 'b', and
// an octave digit; "C4" is 60 (middle C). Throws std::invalid_argument.
int pitch(std::string_view name);

// A chord: its root as a pitch class (0 = C) and its tones as pitch-class
// offsets from the root, root first.
struct Chord {
    int root = 0;
    std::vector<int> tones;
};

// A chord by name: a root like pitch() without octave, then "", "m", "7",
// "maj7", "m7", "m7b5", "6", "m6", "sus4" or "dim". Throws
// std::invalid_argument.
Chord chord(std::string_view name);

// The chord's tones, each at the lowest key at or above `low`, ascending:
// a close voicing that moves little from chord to chord.
std::vector<int> closeVoicing(const Chord& c, int low);

// The chord's root (or its tone `index`) at the lowest key at or above `low`.
int toneAtOrAbove(const Chord& c, int low, std::size_t index = 0);

// A chord sounding from `start` for `length` ticks.
struct ChordSpan {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    Chord chord;
};

// A progression written as "NAME:STEPS" tokens separated by spaces, laid out
// one after another from `start`. Throws std::invalid_argument.
std::vector<ChordSpan> progression(std::uint32_t start, std::string_view text);

// One instrument of a piece on its own MIDI channel (0-based; 9 is the
// percussion channel, where `program` is ignored).
struct Instrument {
    std::string name;
    int channel = 0;
    int program = 0;
    int volume = 100;
    int pan = 64;
    int reverb = 40;
};

// A piece of music in one metre, key and tempo. Notes are collected per part
// and written when the piece is encoded; a key struck again on a part while
// it still sounds ends its earlier note there, as on a real instrument.
class Piece {
public:
    struct Metre {
        int beats;            // beats per bar
        int beatPowerOfTwo;   // 2 for quarter-note beats, 3 for eighths
    };
    struct Key {
        int accidentals;      // -7 flats to 7 sharps
        bool minor;
    };

    Piece(std::string title, int quartersPerMinute, Metre metre, Key key);

    std::uint32_t barTicks() const { return m_barTicks; }
    std::uint32_t bar(int index) const { return static_cast<std::uint32_t>(index) * m_barTicks; }

    // Off-beat eighths played late, in a triplet (two to one) swing.
    void setSwing(bool swing) { m_swing = swing; }

    int addPart(Instrument instrument);
    void note(int part, std::uint32_t tick, std::uint32_t length, int key, int velocity);

    // A melody written as "PITCH:STEPS" and "r:STEPS" (rest) tokens, from
    // `tick`; each note is let go just before the next. Throws
    // std::invalid_argument unless it fills exactly `bars` bars.
    void melody(int part, std::uint32_t tick, int bars, std::string_view text, int velocity);

    // The Standard MIDI File of the piece, `bars` bars long: a conductor
    // track (title, tempo, metre, key) and one track per part. Velocities get
    // a small fixed-seed variation so that repeated notes sound played.
    std::vector<std::uint8_t> encode(int bars) const;

private:
    struct Note {
        std::uint32_t tick;
        std::uint32_t length;
        int key;
        int velocity;
    };
    std::uint32_t swung(std::uint32_t tick) const;

    std::string m_title;
    int m_quartersPerMinute;
    Metre m_metre;
    Key m_key;
    std::uint32_t m_barTicks;
    bool m_swing = false;
    std::vector<Instrument> m_parts;
    std::vector<std::vector<Note>> m_notes;
};

}  // namespace jigsaw::music
