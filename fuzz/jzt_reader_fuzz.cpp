// Feeds arbitrary bytes to the puzzle file reader: it must either return a
// puzzle whose pictures have the sizes the header promises, or throw
// FormatError, and never touch memory outside its buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "format_error.h"
#include "jzt_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const jigsaw::JztPuzzle puzzle = jigsaw::readJzt({data, size});
        const jigsaw::PuzzleGeometry& g = puzzle.header.geometry;
        if (puzzle.picture.width() != g.width() || puzzle.picture.height() != g.height())
            std::abort();
        if (puzzle.header.dataFormat == jigsaw::DataFormat::Large && puzzle.mask.width() != 4 * g.sheetWidth())
            std::abort();
        // A puzzle that was read must write back without complaint.
        (void)jigsaw::writeJzt(puzzle);
    } catch (const jigsaw::FormatError&) {
    }
    return 0;
}
