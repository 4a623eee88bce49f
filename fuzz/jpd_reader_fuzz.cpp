// Feeds arbitrary bytes to the play-file reader: it must either throw
// FormatError and leave the document as it was, or give a game that saves
// and reopens to the same document, and never touch memory outside its
// buffers.
//
// The input is a play file without the bytes that a game leaves zero or that
// the reader only copies, so that mutations land where they matter and a run
// stays cheap: the header; the cell and rectangle entries, the group records
// (each as long as the piece count) for the puzzle's pieces only; the stacking
// order; and the heads of the six picture blocks without their pixels. The
// target puts the parts back at their offsets with zeros in between; an input
// that ends early ends the file at the same point.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "format_error.h"
#include "game_clock.h"
#include "geometry.h"
#include "play_file.h"
#include "sparse_file.h"
#include "vorpel_doc.h"

namespace {

// The seed replay checks every input; libFuzzer builds set a sample.
#ifndef FUZZ_CHECK_EVERY
#define FUZZ_CHECK_EVERY 1
#endif
constexpr unsigned kCheckEvery = FUZZ_CHECK_EVERY;

class FixedClock final : public GameClock {
public:
    std::uint64_t TickMs() override { return 86'400'000; }
    std::int64_t TimeSeconds() override { return 86'400; }
};

constexpr std::size_t kTablesEnd = kPlayHeaderSize + kPlayCellBlockSize + kPlayRectBlockSize;
constexpr std::size_t kTrailerSize = 2 * kMaxPieces + 2 * 16;

// Copies input parts to their file offsets one after another, and ends the
// file where the input runs out.
class Expander {
public:
    Expander(SparseFile& file, std::span<const std::uint8_t> in) : file_(file), in_(in) {}

    // Copies the next `count` input bytes to `at`; false once the input ran out.
    bool copy(std::size_t at, std::size_t count)
    {
        const std::size_t take = std::min(count, in_.size() - pos_);
        file_.put(at, in_.subspan(pos_, take));
        pos_ += take;
        return take == count;
    }
    std::span<const std::uint8_t> rest() const { return in_.subspan(pos_); }

private:
    SparseFile& file_;
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
};

std::span<const std::uint8_t> expand(std::span<const std::uint8_t> in)
{
    static SparseFile file;
    file.clear();
    const auto h = [&](std::size_t i) { return int{in[i]}; };
    if (in.size() < kPlayHeaderSize || !jigsaw::findSizeIndex({h(0), h(4), h(8), h(12)}) || h(20) < 1 || h(20) > 2 ||
        h(24) < 1 || h(24) > 2) {
        file.put(0, in);
        return file.bytes();
    }
    Expander parts(file, in);
    const std::size_t pieces = static_cast<std::size_t>(h(0) * h(4));
    if (!parts.copy(0, kPlayHeaderSize) || !parts.copy(kPlayHeaderSize, 12 * pieces) ||
        !parts.copy(kPlayHeaderSize + kPlayCellBlockSize, 16 * pieces))
        return file.bytes();
    for (std::size_t p = 0; p < pieces; ++p)
        if (!parts.copy(kTablesEnd + p * kPlayGroupRecordSize, pieces))
            return file.bytes();
    if (!parts.copy(kPlayFixedSize - kTrailerSize, kTrailerSize))
        return file.bytes();
    std::size_t offset = kPlayFixedSize;
    const auto lengths = PlayPictureLengths(h(0), h(4), h(8), h(12), h(20), h(24));
    for (std::size_t k = 0; k < lengths.size(); ++k) {
        const int format = k == 0 ? h(20) : h(24);
        const int bits = k == 5 ? 1 : format == 1 ? 8 : 24;
        if (!parts.copy(offset, 14 + 40 + (bits <= 8 ? std::size_t{4} << bits : 0)))
            return file.bytes();
        offset += lengths[k];
        file.setLength(offset);
    }
    file.put(offset, parts.rest());
    return file.bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Built once: a fresh document takes longer to make than most inputs to read.
    static FixedClock clock;
    static const auto untouched = std::make_unique<const CVorpelDoc>();
    static const auto doc = std::make_unique<CVorpelDoc>();
    static const auto reopened = std::make_unique<CVorpelDoc>();
    static unsigned refused = 0;
    static unsigned accepted = 0;

    // Comparing whole documents costs more than reading most inputs, so one
    // refusal in kCheckEvery (the first one included) checks that the document
    // was left alone, and one game read in kCheckEvery that it saves and
    // reopens to the same document. A refusal that changed the document is
    // still caught at the next check, as only a game read resets it.
    try {
        OpenPlayData(*doc, expand({data, size}), clock, noDocumentEvents());
    } catch (const jigsaw::FormatError&) {
        if (refused++ % kCheckEvery == 0 && !(*doc == *untouched))
            std::abort();
        return 0;
    }
    if (accepted++ % kCheckEvery == 0) {
        const std::vector<std::uint8_t> saved = WritePlayData(*doc, clock.TickMs());
        *reopened = *doc;
        try {
            OpenPlayData(*reopened, saved, clock, noDocumentEvents());
        } catch (const jigsaw::FormatError&) {
            std::abort();
        }
        if (!(*reopened == *doc))
            std::abort();
    }
    *doc = *untouched;
    return 0;
}
