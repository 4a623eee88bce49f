// Track 3: a pastoral in D major, 4/4 at 88: flute over a string pad,
// pizzicato arpeggios and cello, with an oboe on the chords' guide tones in
// the second half; 26 bars, about 71 seconds.
#include <cstdlib>

#include "bgm_pieces.h"
#include "composition.h"

namespace jigsaw::music {

namespace {

// The chord's third or seventh nearest to `previous`, for a line that moves
// by step through the harmony.
int guideTone(const Chord& c, int previous)
{
    int best = toneAtOrAbove(c, previous - 6, 1);
    if (c.tones.size() > 3) {
        const int seventh = toneAtOrAbove(c, previous - 6, 3);
        if (std::abs(seventh - previous) < std::abs(best - previous))
            best = seventh;
    }
    // Keep the line in the oboe's sweet middle.
    if (best < pitch("D4"))
        best += 12;
    if (best > pitch("E5"))
        best -= 12;
    return best;
}

}  // namespace

std::vector<std::uint8_t> meadowPastoral()
{
    Piece piece("Meadow Pastoral", 88, {4, 2}, {2, false});
    const int flute = piece.addPart({"Flute", 0, 73, 95, 70, 60});
    const int strings = piece.addPart({"Strings", 1, 48, 66, 56, 70});
    const int pizzicato = piece.addPart({"Pizzicato", 2, 45, 72, 40, 55});
    const int cello = piece.addPart({"Cello", 3, 42, 85, 60, 60});
    const int oboe = piece.addPart({"Oboe", 4, 68, 70, 88, 60});

    const char* const themeA =
        "F#5:3 G5:1 A5:4  E5:3 F#5:1 E5:2 C#5:2  D5:3 E5:1 F#5:2 B5:2  A5:6 F#5:2 "
        "G5:3 A5:1 B5:2 D6:2  A5:4 F#5:2 D5:2  G5:3 F#5:1 E5:2 D5:2  E5:6 r:2 ";
    const char* const themeB =
        "B5:4 D6:2 B5:2  C#6:4 A5:2 E5:2  F#5:3 A5:1 C#6:4  B5:4 A5:2 F#5:2 "
        "G5:3 F#5:1 E5:2 B4:2  C#5:3 D5:1 E5:2 F#5:2  G5:2 B5:2 D6:2 B5:2  A5:4 G5:2 E5:2 ";
    const char* const themeA2 =
        "F#5:3 G5:1 A5:4  E5:3 F#5:1 E5:2 C#5:2  D5:3 E5:1 F#5:2 B5:2  A5:6 F#5:2 "
        "G5:3 A5:1 B5:2 D6:2  A5:4 F#5:2 D5:2  B5:2 G5:2 E5:2 C#5:2  D5:8 ";

    const std::string chords =
        "D:8 G:8 "
        "D:8 A:8 Bm:8 F#m:8 G:8 D:8 Em7:8 A7:8 "
        "G:8 A:8 F#m:8 Bm:8 Em:8 F#m:8 G:8 A7:8 "
        "D:8 A:8 Bm:8 F#m:8 G:8 D:8 G:4 A7:4 D:8";
    const int bars = 26;
    const std::uint32_t finalBar = piece.bar(bars - 1);

    piece.melody(flute, piece.bar(2), 8, themeA, 80);
    piece.melody(flute, piece.bar(10), 8, themeB, 78);
    piece.melody(flute, piece.bar(18), 8, themeA2, 80);

    int guide = pitch("F#4");
    for (const ChordSpan& s : progression(0, chords)) {
        const bool last = s.start == finalBar;
        piece.note(cello, s.start, s.length - (last ? 0 : 20), toneAtOrAbove(s.chord, pitch("D2")), 58);
        for (int key : closeVoicing(s.chord, pitch("A3")))
            piece.note(strings, s.start, s.length, key, 44);

        // Pizzicato: the chord broken upwards and back, an eighth a note.
        std::vector<int> broken = closeVoicing(s.chord, pitch("D3"));
        broken.resize(3);
        broken.push_back(broken[0] + 12);
        static constexpr int kOrder[] = {0, 1, 2, 3, 2, 1, 2, 1};
        const std::uint32_t strokes = last ? 1 : s.length / kStep;
        for (std::uint32_t i = 0; i < strokes; ++i)
            piece.note(pizzicato, s.start + i * kStep, kStep, broken[kOrder[i % 8]], i % 4 == 0 ? 48 : 38);

        if (s.start >= piece.bar(10)) {
            guide = guideTone(s.chord, guide);
            piece.note(oboe, s.start, s.length - 20, guide, 52);
        }
    }
    return piece.encode(bars);
}

}  // namespace jigsaw::music
