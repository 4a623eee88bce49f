// Track 4: a slow swing in E-flat major, 4/4 at 92: vibraphone over electric
// piano, a walking fretless bass and a soft ride and hi-hat; 28 bars, about
// 73 seconds.
#include "bgm_pieces.h"
#include "composition.h"

namespace jigsaw::music {

std::vector<std::uint8_t> nightLounge()
{
    Piece piece("Night Lounge", 92, {4, 2}, {-3, false});
    piece.setSwing(true);
    const int vibes = piece.addPart({"Vibraphone", 0, 11, 95, 76, 60});
    const int rhodes = piece.addPart({"Electric Piano", 1, 4, 90, 50, 50});
    const int bass = piece.addPart({"Fretless Bass", 2, 35, 105, 64, 30});
    const int drums = piece.addPart({"Ride and Hi-hat", 9, 0, 65, 70, 45});

    const char* const themeA =
        "G5:2 F5:1 G5:1 Bb5:4  G5:2 Eb5:2 C5:3 r:1  Ab5:2 G5:1 F5:1 Eb5:2 C5:2  D5:6 r:2 "
        "Bb5:2 G5:1 F5:1 D5:2 G5:2  E5:3 F5:1 G5:2 Bb5:2  Ab5:2 C6:2 Bb5:1 Ab5:1 F5:2  D5:2 F5:2 Ab5:4 ";
    const char* const themeB =
        "G5:3 Eb5:1 C5:4  B4:2 Eb5:2 F5:2 Ab5:2  G5:6 r:2  Bb5:2 G5:2 Eb5:2 C5:2 "
        "C5:2 Eb5:2 F5:2 Ab5:2  G5:3 F5:1 D5:4  Bb5:2 G5:2 Eb5:2 G5:2  Ab5:2 F5:2 D5:2 Bb4:2 ";
    const char* const themeA2 =
        "G5:2 F5:1 G5:1 Bb5:4  G5:2 Eb5:2 C5:3 r:1  Ab5:2 G5:1 F5:1 Eb5:2 C5:2  D5:6 r:2 "
        "Bb5:2 G5:1 F5:1 D5:2 G5:2  E5:3 F5:1 G5:2 Bb5:2  Ab5:2 F5:2 D5:2 F5:2  Eb5:8 ";

    const std::string chords =
        "Ebmaj7:8 Cm7:8 Fm7:8 Bb7:8 "
        "Ebmaj7:8 Cm7:8 Fm7:8 Bb7:8 Gm7:8 C7:8 Fm7:8 Bb7:8 "
        "Abmaj7:8 Abm7:4 Db7:4 Ebmaj7:8 Cm7:8 Fm7:8 Bb7:8 Ebmaj7:4 Cm7:4 Fm7:4 Bb7:4 "
        "Ebmaj7:8 Cm7:8 Fm7:8 Bb7:8 Gm7:8 C7:8 Fm7:4 Bb7:4 Ebmaj7:8";
    const int bars = 28;
    const std::uint32_t finalBar = piece.bar(bars - 1);

    piece.melody(vibes, piece.bar(4), 8, themeA, 76);
    piece.melody(vibes, piece.bar(12), 8, themeB, 74);
    piece.melody(vibes, piece.bar(20), 8, themeA2, 76);

    const std::vector<ChordSpan> spans = progression(0, chords);
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const ChordSpan& s = spans[i];
        const std::vector<int> voicing = closeVoicing(s.chord, pitch("G3"));
        if (s.start == finalBar) {
            piece.note(bass, s.start, s.length, toneAtOrAbove(s.chord, pitch("C2")), 70);
            for (int key : voicing)
                piece.note(rhodes, s.start, s.length, key, 46);
            continue;
        }
        // Electric piano: on the beat, then pushed on the and of two.
        for (int key : voicing) {
            piece.note(rhodes, s.start, 2 * kStep, key, 48);
            if (s.length == piece.barTicks())
                piece.note(rhodes, s.start + 3 * kStep, 3 * kStep, key, 42);
        }
        // Walking bass: root, a chord tone, the fifth, then a half step
        // into the next root.
        const int root = toneAtOrAbove(s.chord, pitch("C2"));
        const int next = toneAtOrAbove(spans[i + 1].chord, pitch("C2"));
        const int approach = next > root ? next - 1 : next + 1;
        const int line[] = {root, toneAtOrAbove(s.chord, root, 1), toneAtOrAbove(s.chord, root, 2), approach};
        const std::uint32_t beats = s.length / kQuarter;
        for (std::uint32_t b = 0; b < beats; ++b) {
            const int key = beats == 4 ? line[b] : (b == 0 ? root : approach);
            piece.note(bass, s.start + b * kQuarter, kQuarter - 30, key, b == 0 ? 72 : 64);
        }
    }

    // Ride on every beat with the swung skip on two and four, foot hi-hat on
    // two and four; the introduction and final bar are lighter.
    constexpr int kRide = 51;
    constexpr int kPedalHat = 44;
    for (std::uint32_t beat = 0; beat * kQuarter < finalBar; ++beat) {
        const std::uint32_t tick = beat * kQuarter;
        const int lift = tick < piece.bar(4) ? -6 : 0;
        piece.note(drums, tick, kStep / 2, kRide, 34 + lift);
        if (beat % 2 == 1) {
            piece.note(drums, tick, kStep / 2, kPedalHat, 30 + lift);
            piece.note(drums, tick + kStep, kStep / 2, kRide, 26 + lift);
        }
    }
    piece.note(drums, finalBar, kQuarter, kRide, 28);

    return piece.encode(bars);
}

}  // namespace jigsaw::music
