// Track 5: a lullaby in G major, 6/8 at a dotted quarter of 52: celesta
// over rocking harp arpeggios and a warm pad; 30 bars, about 69 seconds.
#include "bgm_pieces.h"
#include "composition.h"

namespace jigsaw::music {

std::vector<std::uint8_t> starLullaby()
{
    Piece piece("Star Lullaby", 78, {6, 3}, {1, false});
    const int celesta = piece.addPart({"Celesta", 0, 8, 127, 70, 65});
    const int harp = piece.addPart({"Harp", 1, 46, 100, 52, 60});
    const int pad = piece.addPart({"Warm Pad", 2, 89, 75, 64, 70});

    const char* const themeA =
        "D5:2 G5:1 B5:2 A5:1  G5:3 E5:3  E5:2 G5:1 C6:2 B5:1  A5:4 F#5:2 "
        "G5:2 B5:1 D6:2 B5:1  B5:2 G5:1 E5:3  C6:2 B5:1 A5:2 F#5:1  G5:6 ";
    const char* const themeB =
        "E5:2 G5:1 C6:3  B5:2 A5:1 G5:3  C6:2 B5:1 A5:3  G5:2 F#5:1 E5:3 "
        "E5:2 G5:1 C6:2 D6:1  D6:3 B5:3  C6:2 A5:1 E5:2 G5:1  F#5:3 A5:3 ";
    const char* const coda = "E5:3 G5:3  Eb5:3 G5:3  B5:3 A5:3  G5:6 ";

    const char* const chordsA = "G:6 Em:6 C:6 D7:6 G:6 Em:6 Am7:3 D7:3 G:6 ";
    const std::string chords = std::string("G:6 C:6 ") + chordsA + "C:6 G:6 Am:6 Em:6 C:6 G:6 Am7:6 D7:6 " +
                               chordsA + "C:6 Cm:6 G:6 G:6";
    const int bars = 30;
    const std::uint32_t finalBar = piece.bar(bars - 1);

    piece.melody(celesta, piece.bar(2), 8, themeA, 84);
    piece.melody(celesta, piece.bar(10), 8, themeB, 82);
    piece.melody(celesta, piece.bar(18), 8, themeA, 84);
    piece.melody(celesta, piece.bar(26), 4, coda, 80);

    for (const ChordSpan& s : progression(0, chords)) {
        // Harp: a low root, then the chord rising and falling in eighths,
        // each string left to ring for a quarter.
        const int root = toneAtOrAbove(s.chord, pitch("G2"));
        std::vector<int> rising{root};
        for (int key : closeVoicing(s.chord, root + 7))
            if (rising.size() < 4)
                rising.push_back(key);
        static constexpr int kOrder[] = {0, 1, 2, 3, 2, 1};
        const std::uint32_t strokes = s.start == finalBar ? 4 : s.length / kStep;
        for (std::uint32_t i = 0; i < strokes; ++i) {
            const std::uint32_t length = s.start == finalBar ? s.length - i * kStep : 2 * kStep;
            piece.note(harp, s.start + i * kStep, length, rising[kOrder[i % 6]], i == 0 ? 66 : 54);
        }
        for (int key : closeVoicing(s.chord, pitch("E4")))
            piece.note(pad, s.start, s.length, key, 34);
    }
    return piece.encode(bars);
}

}  // namespace jigsaw::music
