// Writing a play file: the fixed blocks built from the game, the picture
// blocks taken in place from its pictures, the whole written atomically.
#include <algorithm>
#include <cstring>
#include <vector>

#include "atomic_file.h"
#include "bmp_headers.h"
#include "byte_io.h"
#include "geometry.h"
#include "large_buffer.h"
#include "play_file_layout.h"

std::array<std::size_t, 6> PlayPictureLengths(int cols, int rows, int cellSize, int margin, int pictureFormat,
                                              int sheetFormat)
{
    const jigsaw::PuzzleGeometry g{cols, rows, cellSize, margin};
    const auto area = [](int w, int h) { return static_cast<std::size_t>(w) * static_cast<std::size_t>(h); };
    const auto length = [](std::size_t pixels, int format) { return format == 2 ? pixels * 3 + 54 : pixels + 1078; };
    const std::size_t picture = length(area(g.width(), g.height()), pictureFormat);
    const std::size_t sheet = length(area(g.sheetWidth(), g.sheetHeight()), sheetFormat);
    const std::size_t mask = area(g.sheetWidth() / 2 * 2, g.sheetHeight()) + 62;
    return {picture, sheet, sheet, sheet, sheet, mask};
}

namespace {

using namespace playfile;
using jigsaw::PackedDib;

// A value in base 255: low digit, high digit. Negative values keep the C
// remainder's byte, so the empty slot −1 is stored as 0xFF, 0.
void putPair(std::uint8_t* at, int v)
{
    at[0] = static_cast<std::uint8_t>(v % 255);
    at[1] = static_cast<std::uint8_t>(v / 255);
}

// The file as a list of byte ranges: the fixed blocks, built here, then the
// picture blocks.
struct PlayFileImage {
    std::vector<std::uint8_t> fixed;
    PlayPictureParts pictures;
    std::vector<std::span<const std::uint8_t>> parts;
};

std::vector<std::uint8_t> fixedBlocks(const CVorpelDoc& doc, std::uint64_t nowMs)
{
    const int cols = doc.GetCols();
    const int rows = doc.GetRows();
    std::vector<std::uint8_t> out(kPlayFixedSize, 0);
    std::uint8_t* h = out.data();

    h[kOffCols] = static_cast<std::uint8_t>(cols);
    h[kOffRows] = static_cast<std::uint8_t>(rows);
    h[kOffCellSize] = static_cast<std::uint8_t>(doc.GetCellSize());
    h[kOffMargin] = static_cast<std::uint8_t>(doc.GetMargin());
    putPair(h + kOffPiecesOut, doc.GetPiecesOut());
    h[kOffPictureFormat] = static_cast<std::uint8_t>(doc.GetPictureFormat());
    h[kOffSheetFormat] = static_cast<std::uint8_t>(doc.GetSheetFormat());
    for (int i = 0; i < kMaxPieces; ++i) {
        std::uint8_t* e = h + kOffTray + kTrayEntrySize * static_cast<std::size_t>(i);
        const int piece = doc.GetTrayPiece(i);
        e[0] = static_cast<std::uint8_t>(piece / 255);
        e[1] = static_cast<std::uint8_t>(piece % 255);
        e[2] = static_cast<std::uint8_t>(doc.GetTrayTurn(i));
        e[3] = static_cast<std::uint8_t>(doc.GetBoardTurn(i));
        e[4] = static_cast<std::uint8_t>(doc.GetOnBoard(i));
    }
    const auto elapsed = static_cast<std::uint32_t>(doc.ElapsedSeconds(nowMs));
    for (int k = 0; k < 4; ++k)
        h[kOffElapsed + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(elapsed >> (24 - 8 * k));
    for (int line = 0; line < kMessageLines; ++line)
        std::memcpy(h + kOffMessage + kMessageLineBytes * static_cast<std::size_t>(line), doc.Message()[line].data(),
                    kMessageLineBytes);
    h[kOffShowMessage] = doc.GetShowMessage();
    h[kOffPreviewShown] = static_cast<std::uint8_t>(doc.GetPreviewShown());
    h[kOffElapsedShown] = static_cast<std::uint8_t>(doc.GetElapsedShown());
    h[kOffSpareOption] = static_cast<std::uint8_t>(doc.GetSpareOption());
    h[kOffBlackMode] = static_cast<std::uint8_t>(doc.GetBlackMode());

    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const std::size_t k = cellIndex(c, r, cols);
            std::uint8_t* cell = h + kOffCellBlock + 12 * k;
            putPair(cell, doc.CellA()[c][r]);
            putPair(cell + 4, doc.CellB()[c][r]);
            putPair(cell + 8, doc.ZIndex()[c][r]);
            std::uint8_t* rect = h + kOffRectBlock + 16 * k;
            const RECT& rc = doc.PieceRect()[c][r];
            putPair(rect, rc.left);
            putPair(rect + 4, rc.top);
            putPair(rect + 8, rc.right);
            putPair(rect + 12, rc.bottom);
        }
    }
    for (int p = 0; p < kMaxPieces; ++p) {
        std::uint8_t* record = h + kOffGroups + kPlayGroupRecordSize * static_cast<std::size_t>(p);
        const GroupMatrix& group = doc.Group(p);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                record[cellIndex(c, r, cols)] = group[c][r];
    }
    for (int i = 0; i < kMaxPieces; ++i) {
        h[kOffZCol + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(doc.ZCol()[i]);
        h[kOffZRow + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(doc.ZRow()[i]);
    }
    for (int d = 0; d < 4; ++d) {
        putPair(h + kOffDirX + 4 * static_cast<std::size_t>(d), doc.GetDirX(d));
        putPair(h + kOffDirY + 4 * static_cast<std::size_t>(d), doc.GetDirY(d));
    }
    return out;
}

// For each picture its file header, the leading part of its block (read in
// place) and zero filler where the block is shorter than its length in the file.
void addPictures(const CVorpelDoc& doc, PlayPictureParts& image)
{
    const auto lengths = PlayPictureLengths(doc.GetCols(), doc.GetRows(), doc.GetCellSize(), doc.GetMargin(),
                                            doc.GetPictureFormat(), doc.GetSheetFormat());
    const std::array<const PackedDib*, 6> pictures{&doc.Picture(), &doc.Sheet(0), &doc.Sheet(1),
                                                   &doc.Sheet(2),  &doc.Sheet(3), &doc.Mask()};
    std::array<std::size_t, 6> shortfall{};
    for (std::size_t k = 0; k < 6; ++k) {
        jigsaw::ByteWriter writer(image.fileHeaders[k]);
        jigsaw::writeFileHeader(writer, pictures[k]->hdr);
        const std::size_t wanted = lengths[k] - image.fileHeaders[k].size();
        shortfall[k] = wanted - std::min(wanted, pictures[k]->block().size());
    }
    // The filler repeats one shared block of zeros: the mask's is as long
    // as its pixels, and a copy of that per save would only add to the peak.
    static const std::array<std::uint8_t, 64 * 1024> zeros{};
    for (std::size_t k = 0; k < 6; ++k) {
        const std::size_t wanted = lengths[k] - image.fileHeaders[k].size();
        image.parts.push_back(image.fileHeaders[k]);
        image.parts.push_back(pictures[k]->block().first(wanted - shortfall[k]));
        for (std::size_t left = shortfall[k]; left > 0;) {
            const std::size_t n = std::min(left, zeros.size());
            image.parts.push_back(std::span<const std::uint8_t>(zeros).first(n));
            left -= n;
        }
    }
}

PlayFileImage buildImage(const CVorpelDoc& doc, std::uint64_t nowMs)
{
    checkWholeGame(doc);
    PlayFileImage image;
    image.fixed = fixedBlocks(doc, nowMs);
    addPictures(doc, image.pictures);
    image.parts.push_back(image.fixed);
    image.parts.insert(image.parts.end(), image.pictures.parts.begin(), image.pictures.parts.end());
    return image;
}

std::vector<std::uint8_t> joined(const PlayFileImage& image)
{
    std::size_t size = 0;
    for (const auto part : image.parts)
        size += part.size();
    std::vector<std::uint8_t> out;
    out.reserve(size);
    adviseHugePages({out.data(), size});
    for (const auto part : image.parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

}  // namespace

std::vector<std::uint8_t> WritePlayData(const CVorpelDoc& doc, std::uint64_t nowMs)
{
    return joined(buildImage(doc, nowMs));
}

std::vector<std::uint8_t> WritePlayFixedData(const CVorpelDoc& doc, std::uint64_t nowMs)
{
    checkWholeGame(doc);
    return fixedBlocks(doc, nowMs);
}

PlayPictureParts WritePlayPictureParts(const CVorpelDoc& doc)
{
    checkGame(doc);
    PlayPictureParts pictures;
    addPictures(doc, pictures);
    return pictures;
}

std::size_t PlayPictureParts::size() const
{
    std::size_t size = 0;
    for (const auto part : parts)
        size += part.size();
    return size;
}

void SavePlayFile(CVorpelDoc& doc, const std::filesystem::path& path, GameClock& clock)
{
    const PlayFileImage image = buildImage(doc, clock.TickMs());
    jigsaw::writeFileAtomically(path, image.parts);
    doc.SetPlaySavePath(path.string());
    doc.SetModified(0);
}
