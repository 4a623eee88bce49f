#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "geometry.h"
#include "packed_dib.h"

namespace jigsaw {

// The puzzle file (.jzt): a 6,400-byte header with the geometry and the
// attached message, then bitmap blocks end to end. The large format carries
// the picture, four turned piece sheets and the piece mask; the small format
// carries the picture and a 4-bit template map from which the player cuts.

inline constexpr std::size_t kJztHeaderSize = 6400;
inline constexpr std::size_t kMessageFieldSize = 111;
inline constexpr std::size_t kMessageLineMax = 100;

enum class ColorFormat { Indexed = 1, TrueColor = 2 };
enum class DataFormat { Large = 0, Small = 1 };

struct JztHeader {
    PuzzleGeometry geometry;
    ColorFormat colorFormat = ColorFormat::TrueColor;
    std::array<std::string, 3> messageLines;  // bytes in CP932, at most 100 each
    std::uint8_t showMessage = 0;             // 1 = show the message when the file is opened
    DataFormat dataFormat = DataFormat::Large;
    int sizeIndex = 0;                        // the geometry's size index; stored in small files only

    int bitCount() const { return colorFormat == ColorFormat::Indexed ? 8 : 24; }
};

struct JztPuzzle {
    JztHeader header;
    PackedDib picture;                // W × H at the header's depth
    std::array<PackedDib, 4> sheets;  // large format: Pw × Ph, turns 1 to 4
    PackedDib mask;                   // large format: 4·Pw × Ph at 1 bit
    PackedDib templateMap;            // small format: W × H at 4 bits
};

// The pixel data (with filler) that each block carries in the file, as the
// header alone determines it. A block is its 14-byte file header, its 40-byte
// info header and its colour table, then these bytes.
struct JztLayout {
    std::size_t pictureData = 0;
    std::size_t sheetData = 0;        // each of four (large)
    std::size_t maskData = 0;         // large
    std::size_t templateMapData = 0;  // small
    std::size_t fileSize = 0;
};
JztLayout jztLayout(const JztHeader& header);

// Reads and checks a whole puzzle file. Any fault (too short, impossible
// header, a block whose header does not fit the puzzle) throws FormatError
// with a message that says what is wrong; nothing is read past the data.
JztPuzzle readJzt(std::span<const std::uint8_t> data);
JztPuzzle readJztFile(const std::filesystem::path& path);

// Writes the puzzle in the layout other copies of the programs read. Throws
// FormatError when a block does not fit the header, or the file cannot be
// written; the file is replaced atomically, so a failure leaves any old file.
std::vector<std::uint8_t> writeJzt(const JztPuzzle& puzzle);
void writeJztFile(const std::filesystem::path& path, const JztPuzzle& puzzle);

// Empty blocks of the standard form, ready to be filled.
PackedDib makeSheetDib(const PuzzleGeometry& g, int bitCount, std::span<const RGBQUAD> colorTable);
PackedDib makeMaskDib(const PuzzleGeometry& g);         // every pixel outside (1 bits)
PackedDib makeTemplateMapDib(const PuzzleGeometry& g);  // every pixel code 0, the eight-code colour table

// Colour codes of the template map.
enum TemplateCode : std::uint8_t {
    kCodeBlack = 0, kCodeWhite, kCodeBlue, kCodeRed, kCodeGreen, kCodeYellow, kCodeCyan, kCodeMagenta
};

}  // namespace jigsaw
