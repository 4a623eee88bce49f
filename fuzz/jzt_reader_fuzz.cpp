// Feeds arbitrary bytes to the puzzle file reader: it must either return a
// puzzle whose pictures have the sizes the header promises, or throw
// FormatError, and never touch memory outside its buffers. A puzzle that was
// read must write back without complaint and read again to the same puzzle.
//
// The input is a puzzle file whose blocks carry no pixel bytes: the reader
// only copies them, so mutating them finds nothing and makes every run slow.
// The target puts behind each block's head as many zero bytes as the
// header's layout asks for; input left after the last head follows as it is,
// and an input that ends inside a head ends the file there.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "format_error.h"
#include "jzt_file.h"
#include "sparse_file.h"

namespace {

// The seed replay checks every input; libFuzzer builds set a sample.
#ifndef FUZZ_CHECK_EVERY
#define FUZZ_CHECK_EVERY 1
#endif
constexpr unsigned kCheckEvery = FUZZ_CHECK_EVERY;

using jigsaw::DataFormat;
using jigsaw::JztPuzzle;
using jigsaw::PackedDib;

struct BlockSize {
    std::size_t head = 0;
    std::size_t data = 0;
};

// The blocks of the file the header describes, or nothing when the header
// names no puzzle (the reader refuses it before any block).
std::optional<std::vector<BlockSize>> blockSizes(std::span<const std::uint8_t> h)
{
    jigsaw::JztHeader header;
    header.geometry = {h[0], h[4], h[8], h[12]};
    if (!jigsaw::findSizeIndex(header.geometry) || (h[16] != 1 && h[16] != 2) || h[354] > 1)
        return std::nullopt;
    header.colorFormat = static_cast<jigsaw::ColorFormat>(h[16]);
    header.dataFormat = static_cast<DataFormat>(h[354]);
    const jigsaw::JztLayout layout = jigsaw::jztLayout(header);
    const std::size_t head = 14 + 40 + (header.colorFormat == jigsaw::ColorFormat::Indexed ? 1024 : 0);
    std::vector<BlockSize> blocks{{head, layout.pictureData}};
    if (header.dataFormat == DataFormat::Large) {
        blocks.insert(blocks.end(), 4, {head, layout.sheetData});
        blocks.push_back({14 + 40 + 8, layout.maskData});
    } else {
        blocks.push_back({14 + 40 + 64, layout.templateMapData});
    }
    return blocks;
}

// The whole file for an input.
std::span<const std::uint8_t> expand(std::span<const std::uint8_t> in)
{
    static SparseFile file;
    file.clear();
    const auto blocks = in.size() >= jigsaw::kJztHeaderSize ? blockSizes(in) : std::nullopt;
    if (!blocks) {
        file.put(0, in);
        return file.bytes();
    }
    file.put(0, in.first(jigsaw::kJztHeaderSize));
    std::size_t pos = jigsaw::kJztHeaderSize;
    std::size_t out = pos;
    for (const BlockSize& block : *blocks) {
        const std::size_t take = std::min(block.head, in.size() - pos);
        file.put(out, in.subspan(pos, take));
        pos += take;
        if (take < block.head)
            return file.bytes();
        out += take + block.data;
    }
    file.put(out, in.subspan(pos));
    return file.bytes();
}

bool samePicture(const PackedDib& a, const PackedDib& b, bool compareFileHeader)
{
    return (!compareFileHeader || a.hdr == b.hdr) && std::ranges::equal(a.block(), b.block());
}

// Small files get their picture's offset and the template map's file header
// from the writer, so only the large format keeps the file headers it read.
bool samePuzzle(const JztPuzzle& a, const JztPuzzle& b)
{
    const jigsaw::JztHeader& x = a.header;
    const jigsaw::JztHeader& y = b.header;
    const bool large = x.dataFormat == DataFormat::Large;
    return x.geometry == y.geometry && x.colorFormat == y.colorFormat && x.messageLines == y.messageLines &&
           x.showMessage == y.showMessage && x.dataFormat == y.dataFormat && x.sizeIndex == y.sizeIndex &&
           samePicture(a.picture, b.picture, large) && samePicture(a.mask, b.mask, large) &&
           samePicture(a.templateMap, b.templateMap, large) &&
           std::ranges::equal(a.sheets, b.sheets, [&](const PackedDib& s, const PackedDib& t) {
               return samePicture(s, t, large);
           });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    JztPuzzle puzzle;
    try {
        puzzle = jigsaw::readJzt(expand({data, size}));
    } catch (const jigsaw::FormatError&) {
        return 0;
    }
    const jigsaw::PuzzleGeometry& g = puzzle.header.geometry;
    if (puzzle.picture.width() != g.width() || puzzle.picture.height() != g.height())
        std::abort();
    if (puzzle.header.dataFormat == DataFormat::Large && puzzle.mask.width() != 4 * g.sheetWidth())
        std::abort();
    // Writing and reading again costs more than reading; one puzzle read in
    // kCheckEvery, the first one included, is checked that way.
    static unsigned accepted = 0;
    if (accepted++ % kCheckEvery != 0)
        return 0;
    try {
        if (!samePuzzle(jigsaw::readJzt(jigsaw::writeJzt(puzzle)), puzzle))
            std::abort();
    } catch (const jigsaw::FormatError&) {
        std::abort();
    }
    return 0;
}
