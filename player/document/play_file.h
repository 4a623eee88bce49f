#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "byte_source.h"
#include "document_events.h"
#include "game_clock.h"
#include "vorpel_doc.h"

// The play file (.jpd): a game in progress with its pictures, so that it can
// be resumed without the puzzle file. Fixed-size blocks sized for the largest
// puzzle, then six picture blocks whose lengths follow from the geometry.
// Numbers are stored in base 255 ("pairs", value mod 255 and value div 255).

// Bytes before the six picture blocks, whatever the puzzle.
inline constexpr std::size_t kPlayHeaderSize = 6400;
inline constexpr std::size_t kPlayCellBlockSize = 1066 * 12;
inline constexpr std::size_t kPlayRectBlockSize = 1066 * 16;
inline constexpr std::size_t kPlayGroupRecordSize = 1066;
inline constexpr std::size_t kPlayFixedSize = kPlayHeaderSize + kPlayCellBlockSize + kPlayRectBlockSize +
                                              kMaxPieces * kPlayGroupRecordSize + 2 * kMaxPieces + 2 * 16;

// Offset and size of the elapsed seconds in the header block.
inline constexpr std::size_t kPlayElapsedOffset = 5033;
inline constexpr std::size_t kPlayElapsedSize = 4;

// Length in the file of each picture block (picture, sheets 1 to 4, mask),
// file header included, for a geometry and the two colour formats.
std::array<std::size_t, 6> PlayPictureLengths(int cols, int rows, int cellSize, int margin, int pictureFormat,
                                              int sheetFormat);

// The file's bytes for the document's game, with the seconds played at tick
// `nowMs`. Throws jigsaw::FormatError when there is no game to save.
std::vector<std::uint8_t> WritePlayData(const CVorpelDoc& doc, std::uint64_t nowMs);

// The same bytes in two parts, for a writer that keeps one of them: the
// blocks before the pictures (kPlayFixedSize bytes), which follow every move,
// and the picture blocks, which stay the same for the whole game. Both throw
// jigsaw::FormatError when there is no game to save.
std::vector<std::uint8_t> WritePlayFixedData(const CVorpelDoc& doc, std::uint64_t nowMs);

// The picture blocks as byte ranges: the file headers are held here, the
// blocks are read in place from the document's pictures, which must stay as
// they are while the parts are used, and the zero filler from a static block.
struct PlayPictureParts {
    std::array<std::vector<std::uint8_t>, 6> fileHeaders;
    std::vector<std::span<const std::uint8_t>> parts;
    std::size_t size() const;
};
PlayPictureParts WritePlayPictureParts(const CVorpelDoc& doc);

// Writes the play file atomically: on failure (FormatError with the system's
// reason) any earlier file is kept and the game stays marked as changed. On
// success the game counts as saved and `path` is remembered.
void SavePlayFile(CVorpelDoc& doc, const std::filesystem::path& path, GameClock& clock);

// Reads a play file into the document. The whole file is checked first
// (geometry one of the puzzle sizes, formats, every piece in exactly one
// place, turns, the stacking order, the groups, the pictures); a file that
// fails any check throws jigsaw::FormatError and leaves the document as it
// was. On success the game is replaced in the file's order: ShowMessage when
// the file asks for it, the tool windows and the spare option brought to the
// file's state through their toggles, the pictures, then RedrawAll. The clock
// resumes from the stored seconds.
void OpenPlayData(CVorpelDoc& doc, std::span<const std::uint8_t> data, GameClock& clock, DocumentEvents& events);
void OpenPlaySource(CVorpelDoc& doc, jigsaw::ByteSource& src, GameClock& clock, DocumentEvents& events);
// As above; remembers `path` as the last opened play file.
void OpenPlayFile(CVorpelDoc& doc, const std::filesystem::path& path, GameClock& clock, DocumentEvents& events);
