#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "byte_io.h"
#include "byte_source.h"
#include "format_error.h"
#include "jzt_file.h"
#include "message_text.h"

namespace jigsaw {

namespace {

JztHeader parseHeader(std::span<const std::uint8_t> h)
{
    JztHeader header;
    header.geometry = PuzzleGeometry{h[0], h[4], h[8], h[12]};
    const std::optional<int> sizeIndex = findSizeIndex(header.geometry);
    if (!sizeIndex)
        throw FormatError(ErrorCode::PuzzleFileSizeUnknown, {h[0], h[4], h[8], h[12]});
    header.sizeIndex = *sizeIndex;

    if (h[16] != 1 && h[16] != 2)
        throw FormatError(ErrorCode::PuzzleFileColorFormatInvalid, {h[16]});
    header.colorFormat = static_cast<ColorFormat>(h[16]);

    if (h[354] != 0 && h[354] != 1)
        throw FormatError(ErrorCode::PuzzleFileDataFormatInvalid, {h[354]});
    header.dataFormat = static_cast<DataFormat>(h[354]);

    // Only small files store the size index; large files leave the byte unused.
    if (header.dataFormat == DataFormat::Small && h[355] != *sizeIndex)
        throw FormatError(ErrorCode::PuzzleFileSizeIndexMismatch, {h[355], h[0], h[4]});

    for (std::size_t line = 0; line < 3; ++line) {
        const char* field = reinterpret_cast<const char*>(h.data()) + 20 + line * kMessageFieldSize;
        const std::string_view bytes(field, kMessageFieldSize);
        const std::string_view text = bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
        header.messageLines[line] = std::string(text.substr(0, cp932PrefixLength(text, kMessageLineMax)));
    }
    header.showMessage = h[353];
    return header;
}

// What one block must look like.
struct BlockShape {
    std::string name;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::size_t dataLength = 0;  // pixel bytes (and filler) the block carries in the file
    bool lastMayBeShort = false; // the template map: filler may be missing at the end of the file
};

void expectField(const BlockShape& shape, const char* field, long long actual, long long expected)
{
    if (actual != expected)
        throw FormatError(ErrorCode::PuzzleFileBlockFieldInvalid, {shape.name, field, actual, expected});
}

PackedDib readBlock(ByteSource& src, std::size_t& offset, const BlockShape& shape)
{
    const std::size_t tableBytes = shape.bitCount <= 8 ? 4u << shape.bitCount : 0;
    const std::size_t headLength = 14 + 40 + tableBytes;
    const std::size_t available = src.size() - offset;
    const std::size_t pixelBytes = dibStride(shape.width, shape.bitCount) * static_cast<std::size_t>(shape.height);
    const std::size_t required = headLength + (shape.lastMayBeShort ? pixelBytes : shape.dataLength);
    if (available < required)
        throw FormatError(ErrorCode::PuzzleFileTruncated, {shape.name, required, available});

    std::vector<std::uint8_t> head(headLength);
    src.readAt(offset, head);
    ByteReader in(head);
    const BITMAPFILEHEADER fileHeader = readFileHeader(in);
    const BITMAPINFOHEADER info = readInfoHeader(in);
    expectField(shape, "biSize", info.biSize, 40);
    expectField(shape, "biWidth", info.biWidth, shape.width);
    expectField(shape, "biHeight", info.biHeight, shape.height);
    expectField(shape, "biPlanes", info.biPlanes, 1);
    expectField(shape, "biBitCount", info.biBitCount, shape.bitCount);
    expectField(shape, "biCompression", info.biCompression, kBiRgb);
    expectField(shape, "biClrUsed", info.biClrUsed, 0);

    const std::vector<RGBQUAD> table = readColorTable(in, tableBytes / 4);

    PackedDib dib = PackedDib::allocate(info, table);
    dib.hdr = fileHeader;
    // The file may carry fewer bytes than the pixel array holds (8-bit rows
    // whose width is not a multiple of 4, the small format's 24-bit picture):
    // the rest reads as zero. Bytes beyond the pixel array are filler.
    const std::size_t supplied = std::min(shape.dataLength, available - headLength);
    const std::size_t take = std::min(supplied, pixelBytes);
    std::span<std::uint8_t> pixels = dib.pixels();
    src.readAt(offset + headLength, pixels.first(take));
    std::fill(pixels.begin() + static_cast<std::ptrdiff_t>(take), pixels.end(), std::uint8_t{0});
    offset += headLength + supplied;
    return dib;
}

JztPuzzle readFrom(ByteSource& src)
{
    if (src.size() < kJztHeaderSize)
        throw FormatError(ErrorCode::PuzzleFileTooShort, {src.size()});
    std::vector<std::uint8_t> headerBytes(kJztHeaderSize);
    src.readAt(0, headerBytes);

    JztPuzzle puzzle;
    puzzle.header = parseHeader(headerBytes);
    const JztHeader& h = puzzle.header;
    const PuzzleGeometry& g = h.geometry;
    const JztLayout layout = jztLayout(h);
    const int bits = h.bitCount();
    std::size_t offset = kJztHeaderSize;

    puzzle.picture = readBlock(src, offset, {block::kPicture, g.width(), g.height(), bits, layout.pictureData});
    if (h.dataFormat == DataFormat::Large) {
        for (int turn = 0; turn < 4; ++turn)
            puzzle.sheets[static_cast<std::size_t>(turn)] =
                readBlock(src, offset, {block::kSheet + std::to_string(turn + 1), g.sheetWidth(), g.sheetHeight(),
                                        bits, layout.sheetData});
        puzzle.mask = readBlock(src, offset, {block::kMask, 4 * g.sheetWidth(), g.sheetHeight(), 1, layout.maskData});
    } else {
        puzzle.templateMap =
            readBlock(src, offset, {block::kTemplateMap, g.width(), g.height(), 4, layout.templateMapData, true});
    }
    return puzzle;
}

}  // namespace

JztPuzzle readJzt(std::span<const std::uint8_t> data)
{
    MemorySource src(data);
    return readFrom(src);
}

JztPuzzle readJztFile(const std::filesystem::path& path)
{
    FileSource src(path);
    return readFrom(src);
}

}  // namespace jigsaw
