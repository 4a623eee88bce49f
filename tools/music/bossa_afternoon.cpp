// Track 2: a bossa nova in A minor, 4/4 at 128: clarinet over nylon guitar,
// acoustic bass and a quiet shaker and side stick; 36 bars, about 68 seconds.
#include "bgm_pieces.h"
#include "composition.h"

namespace jigsaw::music {

namespace {

const ChordSpan& chordAt(const std::vector<ChordSpan>& spans, std::uint32_t tick)
{
    for (const ChordSpan& s : spans)
        if (tick < s.start + s.length)
            return s;
    return spans.back();
}

}  // namespace

std::vector<std::uint8_t> bossaAfternoon()
{
    Piece piece("Bossa Afternoon", 128, {4, 2}, {0, true});
    const int clarinet = piece.addPart({"Clarinet", 0, 71, 92, 72, 45});
    const int guitar = piece.addPart({"Nylon Guitar", 1, 24, 100, 52, 35});
    const int bass = piece.addPart({"Acoustic Bass", 2, 32, 100, 64, 25});
    const int drums = piece.addPart({"Shaker", 9, 0, 70, 76, 35});

    const char* const themeA =
        "E5:3 D5:1 C5:2 B4:2  A4:5 r:1 C5:1 D5:1  E5:3 F5:1 E5:2 D5:2  D5:3 C5:1 B4:4 "
        "r:1 C5:1 E5:2 G5:3 F5:1  E5:6 r:2  D5:2 C5:1 B4:1 G#4:2 B4:2  A4:8 ";
    const char* const themeA2 =
        "E5:3 D5:1 C5:2 B4:2  A4:5 r:1 C5:1 D5:1  E5:3 F5:1 E5:2 D5:2  D5:3 C5:1 B4:4 "
        "r:1 G5:1 E5:2 C5:3 D5:1  A5:4 G5:2 E5:2  F5:2 E5:1 D5:1 B4:2 G#4:2  A4:6 r:2 ";
    const char* const themeB =
        "r:1 A4:1 D5:1 F5:1 A5:3 G5:1  F5:4 D5:2 B4:2  r:1 G4:1 C5:1 E5:1 G5:3 F5:1  E5:4 C5:2 A4:2 "
        "r:1 F4:1 A4:1 D5:1 F5:3 E5:1  D5:4 B4:2 G#4:2  A4:2 C5:2 E5:2 G5:2  F5:2 E5:2 D5:2 B4:2 ";

    const char* const chordsA = "Am7:8 Am7:8 Dm7:8 G7:8 Cmaj7:8 Fmaj7:8 Bm7b5:4 E7:4 Am7:8 ";
    const std::string chords = std::string("Am7:8 Dm7:8 Bm7b5:8 E7:8 ") + chordsA + chordsA +
                               "Dm7:8 G7:8 Cmaj7:8 Fmaj7:8 Bm7b5:8 E7:8 Am7:8 E7:8 " + chordsA;
    const int bars = 36;

    piece.melody(clarinet, piece.bar(4), 8, themeA, 78);
    piece.melody(clarinet, piece.bar(12), 8, themeA2, 78);
    piece.melody(clarinet, piece.bar(20), 8, themeB, 76);
    piece.melody(clarinet, piece.bar(28), 8, themeA, 78);

    const std::vector<ChordSpan> spans = progression(0, chords);
    const std::uint32_t finalBar = piece.bar(bars - 1);

    // Bass: root on one, the fifth from the and of two through the bar.
    for (const ChordSpan& s : spans) {
        const int root = toneAtOrAbove(s.chord, 33);
        if (s.start == finalBar) {
            piece.note(bass, s.start, s.length, root, 70);
        } else if (s.length == piece.barTicks()) {
            piece.note(bass, s.start, 3 * kStep - 20, root, 72);
            piece.note(bass, s.start + 3 * kStep, 5 * kStep - 20, toneAtOrAbove(s.chord, root - 5, 2), 62);
        } else {
            piece.note(bass, s.start, s.length - 20, root, 70);
        }
    }

    // Guitar: the two-bar bossa comping figure; a stroke on an off-beat
    // anticipates the chord of the next eighth. The final bar is one held
    // chord.
    static constexpr std::uint32_t kStrokes[] = {0, 3, 6, 10, 13};
    for (std::uint32_t at = 0; at < finalBar; at += 2 * piece.barTicks())
        for (std::uint32_t step : kStrokes) {
            const std::uint32_t tick = at + step * kStep;
            if (tick >= finalBar)
                break;
            for (int key : closeVoicing(chordAt(spans, tick + kStep).chord, 55))
                piece.note(guitar, tick, 2 * kStep - 30, key, 50);
        }
    for (int key : closeVoicing(chordAt(spans, finalBar).chord, 55))
        piece.note(guitar, finalBar, piece.barTicks(), key, 48);

    // Percussion: a shaker on every eighth, leaning on the off-beats, and a
    // side stick on the comping strokes.
    constexpr int kMaracas = 70;
    constexpr int kSideStick = 37;
    for (std::uint32_t tick = 0; tick < finalBar; tick += kStep)
        piece.note(drums, tick, kStep / 2, kMaracas, (tick / kStep) % 2 ? 34 : 24);
    for (std::uint32_t at = piece.bar(4); at < finalBar; at += 2 * piece.barTicks())
        for (std::uint32_t step : kStrokes)
            if (at + step * kStep < finalBar)
                piece.note(drums, at + step * kStep, kStep / 2, kSideStick, 30);
    piece.note(drums, finalBar, kStep / 2, kMaracas, 28);

    return piece.encode(bars);
}

}  // namespace jigsaw::music
