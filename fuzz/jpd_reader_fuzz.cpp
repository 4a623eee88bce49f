// Feeds arbitrary bytes to the play-file reader: it must either throw
// FormatError and leave the document as it was, or give a game that saves
// and reopens to the same document, and never touch memory outside its
// buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "format_error.h"
#include "game_clock.h"
#include "play_file.h"
#include "vorpel_doc.h"

namespace {

class FixedClock final : public GameClock {
public:
    std::uint64_t TickMs() override { return 86'400'000; }
    std::int64_t TimeSeconds() override { return 86'400; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FixedClock clock;
    const auto doc = std::make_unique<CVorpelDoc>();
    const auto untouched = std::make_unique<CVorpelDoc>();
    try {
        OpenPlayData(*doc, {data, size}, clock, noDocumentEvents());
    } catch (const jigsaw::FormatError&) {
        if (!(*doc == *untouched))
            std::abort();
        return 0;
    }
    const std::vector<std::uint8_t> saved = WritePlayData(*doc, clock.TickMs());
    const auto reopened = std::make_unique<CVorpelDoc>(*doc);
    try {
        OpenPlayData(*reopened, saved, clock, noDocumentEvents());
    } catch (const jigsaw::FormatError&) {
        std::abort();
    }
    if (!(*reopened == *doc))
        std::abort();
    return 0;
}
