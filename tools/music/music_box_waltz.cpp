// Track 1: a music-box waltz in F major, 3/4 at 112, over a piano's
// bass-chord-chord and a soft string pad; 40 bars, about 64 seconds.
#include "bgm_pieces.h"
#include "composition.h"

namespace jigsaw::music {

std::vector<std::uint8_t> musicBoxWaltz()
{
    Piece piece("Music Box Waltz", 112, {3, 2}, {-1, false});
    const int box = piece.addPart({"Music Box", 0, 10, 118, 70, 50});
    const int piano = piece.addPart({"Piano", 1, 0, 127, 54, 45});
    const int strings = piece.addPart({"Strings", 2, 49, 90, 64, 70});

    const char* const themeA =
        "C5:2 F5:2 A5:2  C6:4 A5:2  Bb5:3 A5:1 G5:2  E5:4 C5:2 "
        "D5:2 F5:2 A5:2  D6:4 Bb5:2 B5:2 A5:2 G5:2   G5:6 ";
    const char* const themeA2 =
        "C5:2 F5:2 A5:2  C6:4 A5:2  Bb5:3 A5:1 G5:2  E5:4 C5:2 "
        "D5:2 F5:2 A5:2  D6:4 Bb5:2 G5:2 Bb5:2 E5:2  F5:6 ";
    const char* const themeB =
        "D6:3 C6:1 Bb5:2  C6:3 Bb5:1 G5:2  A5:3 G5:1 E5:2  F5:2 E5:1 F5:1 A5:2 "
        "Bb5:3 A5:1 G5:2  E5:2 G5:2 Bb5:2  A5:2 C6:2 F6:2  E6:2 D6:1 C6:1 Bb5:2 ";
    const char* const coda = "F5:2 D6:2 Bb5:2  G5:2 E5:2 C5:2  A5:2 C6:2 A5:2  F5:6 ";

    const char* const chordsA = "F:6 F:6 Gm7:6 C7:6 Dm:6 Bb:6 G7:6 C7:6 ";
    const char* const chordsA2 = "F:6 F:6 Gm7:6 C7:6 Dm:6 Bb:6 C7:6 F:6 ";
    const std::string chords = std::string("F:6 Dm:6 Gm7:6 C7:6 ") + chordsA + chordsA2 +
                               "Bb:6 C7:6 Am7:6 Dm:6 Gm7:6 C7:6 F:6 C7:6 " + chordsA2 + "Bb:6 C7:6 F:6 F:6";

    piece.melody(box, piece.bar(4), 8, themeA, 84);
    piece.melody(box, piece.bar(12), 8, themeA2, 84);
    piece.melody(box, piece.bar(20), 8, themeB, 80);
    piece.melody(box, piece.bar(28), 8, themeA2, 84);
    piece.melody(box, piece.bar(36), 4, coda, 80);

    const std::vector<ChordSpan> spans = progression(0, chords);
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const ChordSpan& s = spans[i];
        const bool last = i + 1 == spans.size();
        piece.note(piano, s.start, last ? s.length : kQuarter * 2, toneAtOrAbove(s.chord, 41), 72);
        const std::vector<int> voicing = closeVoicing(s.chord, 55);
        for (int key : voicing) {
            if (last) {
                piece.note(piano, s.start + kQuarter, s.length - kQuarter, key, 54);
            } else {
                piece.note(piano, s.start + kQuarter, kQuarter * 3 / 4, key, 54);
                piece.note(piano, s.start + 2 * kQuarter, kQuarter * 3 / 4, key, 48);
            }
        }
        // The pad rests through the introduction and joins with the tune.
        if (s.start >= piece.bar(4))
            for (int key : closeVoicing(s.chord, 60))
                piece.note(strings, s.start, s.length, key, 44);
    }
    return piece.encode(40);
}

}  // namespace jigsaw::music
