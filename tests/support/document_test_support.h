#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document_events.h"
#include "game_clock.h"
#include "jzt_file.h"
#include "random_source.h"
#include "vorpel_doc.h"

// A clock the test sets by hand.
class FakeClock final : public GameClock {
public:
    std::uint64_t tick = 5'000'000'000;  // well past 32 bits of milliseconds
    std::int64_t seconds = 1'700'000'000;
    std::uint64_t TickMs() override { return tick; }
    std::int64_t TimeSeconds() override { return seconds; }
};

// Writes down every event as a short word, in order.
class RecordingEvents final : public DocumentEvents {
public:
    std::vector<std::string> log;
    std::string message;
    void ShowMessage(const std::string& text) override
    {
        log.push_back("message");
        message = text;
    }
    void PreviewToggled(bool shown) override { log.push_back(shown ? "preview on" : "preview off"); }
    void ElapsedToggled(bool shown) override { log.push_back(shown ? "elapsed on" : "elapsed off"); }
    void CutProgress(int, int) override { log.push_back("progress"); }
    void RedrawAll() override { log.push_back("redraw"); }
};

// The sample puzzle of a size, built once per test program.
const jigsaw::JztPuzzle& samplePuzzle(int sizeIndex, jigsaw::DataFormat format, jigsaw::ColorFormat color);

// A new document with that puzzle loaded, dealt with the clock's seconds.
std::unique_ptr<CVorpelDoc> loadedDoc(int sizeIndex, jigsaw::DataFormat format, jigsaw::ColorFormat color,
                                      FakeClock& clock);

// Takes a piece out of the tray and lays it on the board with its image's
// top-left at board (x, y) in the given turn, as a hand-over from the tray
// would, without joining it.
void placeOnBoard(CVorpelDoc& doc, int piece, int turn, int x, int y);

// The records file's text of four finished puzzles (one with a Japanese
// name), the one finished last not first in the file.
std::string fourFinishedRecords();

// The tray slot that holds a piece, or -1.
int slotOfPiece(const CVorpelDoc& doc, int piece);

inline constexpr int kSize12 = 6;     // 3 × 4 pieces
inline constexpr int kSize1000 = 15;  // 40 × 25 pieces
