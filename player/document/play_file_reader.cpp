// Opening a play file: its blocks read into PlayData, checked and mended,
// the board places recovered, then the whole handed to the game at once.
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "bmp_headers.h"
#include "byte_io.h"
#include "byte_source.h"
#include "document_commands.h"
#include "format_error.h"
#include "geometry.h"
#include "large_buffer.h"
#include "play_file_layout.h"

namespace {

using namespace playfile;
using jigsaw::ErrorCode;
using jigsaw::FormatError;
using jigsaw::BITMAPFILEHEADER;
using jigsaw::BITMAPINFOHEADER;
using jigsaw::PackedDib;
using jigsaw::RGBQUAD;

// A number written as two base-255 digits. The digits 255, 255 give 65280,
// which the writer cannot store again.
int digitPair(std::uint8_t high, std::uint8_t low)
{
    if (high == 255 && low == 255)
        throw FormatError(ErrorCode::PlayFileNumberOutOfRange);
    return high * 255 + low;
}

int pairAt(const std::uint8_t* at)
{
    return digitPair(at[1], at[0]);
}

int formatBits(int format)
{
    return format == 1 ? 8 : 24;
}

// Reads one picture block of `length` bytes at `offset`: the file header kept
// with the picture, then an info header that must describe the expected
// picture, its colour table and as many pixel bytes as the block holds. The
// block lengths leave out row padding, so for some sizes the top rows fall
// short; what is missing repeats the row below instead of showing as black.
PackedDib readPicture(jigsaw::ByteSource& src, std::size_t offset, std::size_t length, const char* name, int width,
                      int height, int bitCount)
{
    const std::size_t tableBytes = bitCount <= 8 ? std::size_t{4} << bitCount : 0;
    std::vector<std::uint8_t> head(14 + 40 + tableBytes);
    src.readAt(offset, head);
    jigsaw::ByteReader in(head);
    const BITMAPFILEHEADER fileHeader = jigsaw::readFileHeader(in);
    const BITMAPINFOHEADER info = jigsaw::readInfoHeader(in);
    if (info.biSize != 40 || info.biWidth != width || info.biHeight != height || info.biPlanes != 1 ||
        info.biBitCount != bitCount || info.biCompression != jigsaw::kBiRgb || info.biClrUsed != 0)
        throw FormatError(ErrorCode::PlayFilePictureHeaderInvalid, {name, width, height, bitCount});
    const std::vector<RGBQUAD> table = jigsaw::readColorTable(in, tableBytes / 4);
    PackedDib dib = PackedDib::allocate(info, table);
    dib.hdr = fileHeader;
    std::span<std::uint8_t> pixels = dib.pixels();
    adviseHugePages(pixels);
    const std::size_t take = std::min(pixels.size(), length - head.size());
    src.readAt(offset + head.size(), pixels.first(take));
    const std::size_t stride = dib.stride();
    for (std::size_t i = take; i < pixels.size(); ++i)
        pixels[i] = i >= stride ? pixels[i - stride] : std::uint8_t{0};
    return dib;
}

void readHeader(std::span<const std::uint8_t> data, PlayData& d)
{
    const std::uint8_t* h = data.data();
    d.cols = h[kOffCols];
    d.rows = h[kOffRows];
    d.cellSize = h[kOffCellSize];
    d.margin = h[kOffMargin];
    if (!jigsaw::findSizeIndex({d.cols, d.rows, d.cellSize, d.margin}))
        throw FormatError(ErrorCode::PlayFileSizeUnknown, {d.cols, d.rows, d.cellSize, d.margin});
    d.pictureFormat = h[kOffPictureFormat];
    d.sheetFormat = h[kOffSheetFormat];
    if ((d.pictureFormat != 1 && d.pictureFormat != 2) || (d.sheetFormat != 1 && d.sheetFormat != 2))
        throw FormatError(ErrorCode::PlayFileColorFormatInvalid, {d.pictureFormat, d.sheetFormat});
    for (int i = 0; i < kMaxPieces; ++i) {
        const std::uint8_t* e = h + kOffTray + kTrayEntrySize * static_cast<std::size_t>(i);
        d.trayPiece[i] = digitPair(e[0], e[1]);
        d.trayTurn[i] = e[2];
        d.boardTurn[i] = e[3];
        d.onBoard[i] = e[4];
    }
    const std::uint32_t elapsed = (std::uint32_t{h[kOffElapsed]} << 24) | (std::uint32_t{h[kOffElapsed + 1]} << 16) |
                                  (std::uint32_t{h[kOffElapsed + 2]} << 8) | h[kOffElapsed + 3];
    if (elapsed > 0x7FFFFFFFu)
        throw FormatError(ErrorCode::PlayFileElapsedInvalid);
    d.elapsedBase = static_cast<int>(elapsed);
    for (int line = 0; line < kMessageLines; ++line)
        std::memcpy(d.message[line].data(), h + kOffMessage + kMessageLineBytes * static_cast<std::size_t>(line),
                    kMessageLineBytes);
    d.showMessage = h[kOffShowMessage];
    d.previewShown = h[kOffPreviewShown];
    d.elapsedShown = h[kOffElapsedShown];
    d.spareOption = h[kOffSpareOption];
    d.blackMode = h[kOffBlackMode];
    if (d.showMessage > 1 || d.previewShown > 1 || d.elapsedShown > 1 || d.spareOption > 1 || d.blackMode > 2)
        throw FormatError(ErrorCode::PlayFileDisplayInvalid);
}

// The cell and rectangle tables come from `tables` (the file's bytes up to the
// group records); the group records and the stacking order straight from the
// file, so that only the bytes that belong to the puzzle are copied.
void readTables(jigsaw::ByteSource& src, std::span<const std::uint8_t> tables, PlayData& d)
{
    const std::uint8_t* base = tables.data();
    for (int r = 0; r < d.rows; ++r) {
        for (int c = 0; c < d.cols; ++c) {
            const std::size_t k = cellIndex(c, r, d.cols);
            const std::uint8_t* cell = base + kOffCellBlock + 12 * k;
            d.cellA[c][r] = pairAt(cell);
            d.cellB[c][r] = pairAt(cell + 4);
            d.zIndex[c][r] = pairAt(cell + 8);
            const std::uint8_t* rect = base + kOffRectBlock + 16 * k;
            for (std::size_t side = 0; side < 4; ++side)
                d.rectDigits[c][r][side] = {rect[4 * side], rect[4 * side + 1]};
        }
    }
    const auto n = static_cast<std::size_t>(d.pieceCount());
    d.groupBytes.resize(kMaxPieces * n);
    for (std::size_t p = 0; p < kMaxPieces; ++p)
        src.readAt(kOffGroups + kPlayGroupRecordSize * p, std::span(d.groupBytes).subspan(p * n, n));
    std::array<std::uint8_t, 2 * kMaxPieces> stacking{};
    src.readAt(kOffZCol, stacking);
    for (int i = 0; i < kMaxPieces; ++i) {
        d.zCol[i] = stacking[static_cast<std::size_t>(i)];
        d.zRow[i] = stacking[kMaxPieces + static_cast<std::size_t>(i)];
    }
}

void readPictures(jigsaw::ByteSource& src, PlayData& d)
{
    const auto lengths = PlayPictureLengths(d.cols, d.rows, d.cellSize, d.margin, d.pictureFormat, d.sheetFormat);
    const jigsaw::PuzzleGeometry g{d.cols, d.rows, d.cellSize, d.margin};
    std::size_t offset = kOffPictures;
    for (std::size_t k = 0; k < 6; ++k) {
        if (k == 0)
            d.pictures[k] = readPicture(src, offset, lengths[k], jigsaw::block::kPicture, g.width(), g.height(),
                                        formatBits(d.pictureFormat));
        else if (k < 5)
            d.pictures[k] = readPicture(src, offset, lengths[k], jigsaw::block::kSheet, g.sheetWidth(), g.sheetHeight(),
                                        formatBits(d.sheetFormat));
        else
            d.pictures[k] = readPicture(src, offset, lengths[k], jigsaw::block::kMask, 4 * g.sheetWidth(), g.sheetHeight(), 1);
        offset += lengths[k];
    }
}

std::unique_ptr<PlayData> parsePlayData(jigsaw::ByteSource& src)
{
    if (src.size() < kPlayHeaderSize)
        throw FormatError(ErrorCode::PlayFileTooShort, {src.size()});
    std::vector<std::uint8_t> fixed(kPlayHeaderSize);
    src.readAt(0, fixed);
    auto d = std::make_unique<PlayData>();
    readHeader(fixed, *d);
    const auto lengths = PlayPictureLengths(d->cols, d->rows, d->cellSize, d->margin, d->pictureFormat, d->sheetFormat);
    std::size_t expected = kPlayFixedSize;
    for (const std::size_t length : lengths)
        expected += length;
    if (src.size() < expected)
        throw FormatError(ErrorCode::PlayFileTruncated, {expected, src.size()});
    fixed.resize(kOffGroups);
    src.readAt(kPlayHeaderSize, std::span<std::uint8_t>(fixed).subspan(kPlayHeaderSize));
    readTables(src, fixed, *d);
    checkPlaces(*d);
    mendCountAndGroups(*d);
    checkStacking(*d);
    checkGroups(*d);
    placeBoardPieces(*d);
    readPictures(src, *d);
    return d;
}

void applyPlayData(CVorpelDoc& doc, PlayData& d, GameClock& clock, DocumentEvents& events)
{
    doc.SetModified(0);
    doc.SetCols(d.cols);
    doc.SetRows(d.rows);
    doc.SetCellSize(d.cellSize);
    doc.SetMargin(d.margin);
    doc.SetPiecesOut(d.piecesOut);
    doc.SetPictureFormat(d.pictureFormat);
    doc.SetSheetFormat(d.sheetFormat);
    for (int i = 0; i < kMaxPieces; ++i) {
        doc.SetTrayPiece(i, d.trayPiece[i]);
        doc.SetTrayTurn(i, d.trayTurn[i]);
        doc.SetBoardTurn(i, d.boardTurn[i]);
        doc.SetOnBoard(i, d.onBoard[i]);
    }
    doc.SetElapsedBase(d.elapsedBase);
    doc.SetStartTick(clock.TickMs());
    doc.SetElapsedSeconds(0);
    doc.Message() = d.message;
    doc.JoinMessage();
    doc.SetShowMessage(d.showMessage);
    doc.SetBlackMode(d.blackMode);
    if (doc.GetShowMessage() == 1)
        events.ShowMessage(doc.GetMessageText());
    if (doc.GetPreviewShown() != d.previewShown)
        OnTogglePreview(doc, events);
    if (doc.GetElapsedShown() != d.elapsedShown)
        OnToggleElapsed(doc, events);
    if (doc.GetSpareOption() != d.spareOption)
        OnToggleSpareOption(doc, events);

    for (int r = 0; r < d.rows; ++r) {
        for (int c = 0; c < d.cols; ++c) {
            doc.CellA()[c][r] = d.cellA[c][r];
            doc.CellB()[c][r] = d.cellB[c][r];
            doc.ZIndex()[c][r] = d.zIndex[c][r];
            doc.PieceRect()[c][r] = d.pieceRect[c][r];
        }
    }
    for (int p = 0; p < kMaxPieces; ++p) {
        GroupMatrix& group = doc.Group(p);
        for (int r = 0; r < d.rows; ++r)
            for (int c = 0; c < d.cols; ++c)
                group[c][r] = d.inGroup(p, cellIndex(c, r, d.cols)) ? 1 : 0;
    }
    doc.ZCol() = d.zCol;
    doc.ZRow() = d.zRow;
    doc.SetPieceSize(doc.PieceSize());

    doc.Picture() = std::move(d.pictures[0]);
    for (int turn = 0; turn < 4; ++turn)
        doc.Sheet(turn) = std::move(d.pictures[static_cast<std::size_t>(turn) + 1]);
    doc.Mask() = std::move(d.pictures[5]);

    doc.ComputeHomeMarks();
    // Nothing of the game before stays in the hand.
    doc.SetTrayDrag(0);
    doc.SetHolding(0);
    doc.SetPlayable(1);
    doc.SetGlue(0);
    doc.SetPanel(0);
    doc.SetCompleted(0);

    if (doc.GetPreviewShown() == 1) {
        OnTogglePreview(doc, events);
        OnTogglePreview(doc, events);
    }
    events.RedrawAll();
}

}  // namespace

void OpenPlayData(CVorpelDoc& doc, std::span<const std::uint8_t> data, GameClock& clock, DocumentEvents& events)
{
    jigsaw::MemorySource src(data);
    const std::unique_ptr<PlayData> parsed = parsePlayData(src);
    applyPlayData(doc, *parsed, clock, events);
}

void OpenPlaySource(CVorpelDoc& doc, jigsaw::ByteSource& src, GameClock& clock, DocumentEvents& events)
{
    const std::unique_ptr<PlayData> parsed = parsePlayData(src);
    applyPlayData(doc, *parsed, clock, events);
}

void OpenPlayFile(CVorpelDoc& doc, const std::filesystem::path& path, GameClock& clock, DocumentEvents& events)
{
    std::unique_ptr<PlayData> parsed;
    {
        jigsaw::FileSource src(path);
        parsed = parsePlayData(src);
    }
    applyPlayData(doc, *parsed, clock, events);
    doc.SetPlayOpenPath(path.string());
}
