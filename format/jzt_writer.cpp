#include <deque>
#include <string>

#include "atomic_file.h"
#include "byte_io.h"
#include "format_error.h"
#include "jzt_file.h"

namespace jigsaw {

namespace {

// The file as a list of byte ranges: small headers built here, pixel data
// taken straight from the pictures, so that nothing large is copied.
class Gather {
public:
    std::vector<std::uint8_t>& own()
    {
        owned_.emplace_back();
        parts_.emplace_back();
        slots_.push_back(parts_.size() - 1);
        return owned_.back();
    }
    void ref(std::span<const std::uint8_t> bytes) { parts_.push_back(bytes); }
    void filler(std::size_t n, std::uint8_t value)
    {
        if (n > 0)
            own().assign(n, value);
    }

    // Binds the owned buffers to their places once they are complete.
    std::span<const std::span<const std::uint8_t>> parts()
    {
        for (std::size_t i = 0; i < slots_.size(); ++i)
            parts_[slots_[i]] = owned_[i];
        return parts_;
    }

private:
    std::deque<std::vector<std::uint8_t>> owned_;
    std::vector<std::size_t> slots_;
    std::vector<std::span<const std::uint8_t>> parts_;
};

void checkBlock(const PackedDib& dib, const char* name, int width, int height, int bitCount)
{
    const BITMAPINFOHEADER& info = dib.info();
    if (dib.empty() || info.biSize != 40 || info.biWidth != width || info.biHeight != height ||
        info.biBitCount != bitCount || info.biCompression != kBiRgb || info.biClrUsed != 0)
        throw FormatError(ErrorCode::PuzzleBlockShapeMismatch, {name, width, height, bitCount});
}

// One block: file header, the picture's own info header and colour table,
// then `dataLength` bytes: the first bytes of the pixel array, or all of it
// followed by filler.
void addBlock(Gather& out, const BITMAPFILEHEADER& fileHeader, const PackedDib& dib, std::size_t dataLength,
              std::uint8_t fillerByte)
{
    std::vector<std::uint8_t>& head = out.own();
    ByteWriter w(head);
    writeFileHeader(w, fileHeader);
    w.bytes(dib.block().first(dib.bitsOffset()));
    const std::span<const std::uint8_t> pixels = dib.pixels();
    const std::size_t take = std::min(dataLength, pixels.size());
    out.ref(pixels.first(take));
    out.filler(dataLength - take, fillerByte);
}

void addHeader(Gather& out, const JztHeader& h)
{
    std::vector<std::uint8_t>& bytes = out.own();
    bytes.assign(kJztHeaderSize, 0);
    const PuzzleGeometry& g = h.geometry;
    bytes[0] = static_cast<std::uint8_t>(g.cols);
    bytes[4] = static_cast<std::uint8_t>(g.rows);
    bytes[8] = static_cast<std::uint8_t>(g.cellSize);
    bytes[12] = static_cast<std::uint8_t>(g.margin);
    bytes[16] = static_cast<std::uint8_t>(h.colorFormat);
    for (std::size_t line = 0; line < 3; ++line) {
        const std::string& text = h.messageLines[line];
        if (text.size() > kMessageLineMax || text.find('\0') != std::string::npos)
            throw FormatError(ErrorCode::MessageLineTooLong, {line + 1});
        std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(20 + line * kMessageFieldSize));
    }
    bytes[353] = h.showMessage;
    bytes[354] = static_cast<std::uint8_t>(h.dataFormat);
    if (h.dataFormat == DataFormat::Small)
        bytes[355] = static_cast<std::uint8_t>(h.sizeIndex);
}

Gather gather(const JztPuzzle& puzzle)
{
    const JztHeader& h = puzzle.header;
    const PuzzleGeometry& g = h.geometry;
    const std::optional<int> sizeIndex = findSizeIndex(g);
    if (!sizeIndex || (h.dataFormat == DataFormat::Small && *sizeIndex != h.sizeIndex))
        throw FormatError(ErrorCode::PuzzleSizeUnknown);
    const int bits = h.bitCount();
    const JztLayout layout = jztLayout(h);

    Gather out;
    addHeader(out, h);
    checkBlock(puzzle.picture, block::kPicture, g.width(), g.height(), bits);
    if (h.dataFormat == DataFormat::Large) {
        addBlock(out, puzzle.picture.hdr, puzzle.picture, layout.pictureData, 0xFF);
        for (const PackedDib& sheet : puzzle.sheets) {
            checkBlock(sheet, block::kSheet, g.sheetWidth(), g.sheetHeight(), bits);
            addBlock(out, sheet.hdr, sheet, layout.sheetData, 0xFF);
        }
        checkBlock(puzzle.mask, block::kMask, 4 * g.sheetWidth(), g.sheetHeight(), 1);
        addBlock(out, puzzle.mask.hdr, puzzle.mask, layout.maskData, 0xFF);
    } else {
        // Small files give the picture block an offset of 54 whatever its
        // depth, and the template map a file header of its own.
        BITMAPFILEHEADER pictureHeader = puzzle.picture.hdr;
        pictureHeader.bfOffBits = 54;
        addBlock(out, pictureHeader, puzzle.picture, layout.pictureData, 0xFF);
        checkBlock(puzzle.templateMap, block::kTemplateMap, g.width(), g.height(), 4);
        BITMAPFILEHEADER mapHeader;
        mapHeader.bfType = kBmpSignature;
        mapHeader.bfSize = static_cast<std::uint32_t>(layout.templateMapData + 118);
        mapHeader.bfOffBits = 118;
        addBlock(out, mapHeader, puzzle.templateMap, layout.templateMapData, 0x00);
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> writeJzt(const JztPuzzle& puzzle)
{
    Gather g = gather(puzzle);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(jztLayout(puzzle.header).fileSize);
    for (const auto& part : g.parts())
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

void writeJztFile(const std::filesystem::path& path, const JztPuzzle& puzzle)
{
    Gather g = gather(puzzle);
    writeFileAtomically(path, g.parts());
}

}  // namespace jigsaw
