#include "play_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "atomic_file.h"
#include "bmp_headers.h"
#include "byte_io.h"
#include "byte_source.h"
#include "document_commands.h"
#include "format_error.h"
#include "geometry.h"
#include "large_buffer.h"

namespace {

using jigsaw::ErrorCode;
using jigsaw::FormatError;
using jigsaw::BITMAPFILEHEADER;
using jigsaw::BITMAPINFOHEADER;
using jigsaw::PackedDib;
using jigsaw::RGBQUAD;

// Offsets of the header block.
constexpr std::size_t kOffCols = 0;
constexpr std::size_t kOffRows = 4;
constexpr std::size_t kOffCellSize = 8;
constexpr std::size_t kOffMargin = 12;
constexpr std::size_t kOffPiecesOut = 16;
constexpr std::size_t kOffPictureFormat = 20;
constexpr std::size_t kOffSheetFormat = 24;
constexpr std::size_t kOffTray = 28;
constexpr std::size_t kTrayEntrySize = 5;
constexpr std::size_t kOffElapsed = kPlayElapsedOffset;
constexpr std::size_t kOffMessage = 5037;
constexpr std::size_t kOffShowMessage = 5370;
constexpr std::size_t kOffPreviewShown = 5371;
constexpr std::size_t kOffElapsedShown = 5372;
constexpr std::size_t kOffSpareOption = 5373;
constexpr std::size_t kOffBlackMode = 5374;

constexpr std::size_t kOffCellBlock = kPlayHeaderSize;
constexpr std::size_t kOffRectBlock = kOffCellBlock + kPlayCellBlockSize;
constexpr std::size_t kOffGroups = kOffRectBlock + kPlayRectBlockSize;
constexpr std::size_t kOffZCol = kOffGroups + kMaxPieces * kPlayGroupRecordSize;
constexpr std::size_t kOffZRow = kOffZCol + kMaxPieces;
constexpr std::size_t kOffDirX = kOffZRow + kMaxPieces;
constexpr std::size_t kOffDirY = kOffDirX + 16;
constexpr std::size_t kOffPictures = kOffDirY + 16;
static_assert(kOffPictures == kPlayFixedSize);

// A value in base 255: low digit, high digit. Negative values keep the C
// remainder's byte, so the empty slot −1 is stored as 0xFF, 0.
void putPair(std::uint8_t* at, int v)
{
    at[0] = static_cast<std::uint8_t>(v % 255);
    at[1] = static_cast<std::uint8_t>(v / 255);
}

// The largest value a pair holds: 255 × 255 − 1.
constexpr int kMaxPairValue = 65279;

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

std::size_t cellIndex(int c, int r, int cols)
{
    return static_cast<std::size_t>(r * cols + c);
}

// Everything the file carries, checked before any of it reaches the game.
struct PlayData {
    int cols = 0;
    int rows = 0;
    int cellSize = 0;
    int margin = 0;
    int piecesOut = 0;
    int pictureFormat = 0;
    int sheetFormat = 0;
    SlotTable<int> trayPiece{};
    SlotTable<int> trayTurn{};
    SlotTable<int> boardTurn{};
    SlotTable<int> onBoard{};
    int elapsedBase = 0;
    MessageBuffer message{};
    std::uint8_t showMessage = 0;
    int previewShown = 0;
    int elapsedShown = 0;
    int spareOption = 0;
    int blackMode = 0;
    CellGrid<int> cellA{};
    CellGrid<int> cellB{};
    CellGrid<int> zIndex{};
    CellGrid<RECT> pieceRect{};
    // Record p's byte for piece q at p × pieceCount() + q: only the first
    // pieceCount() bytes of each record belong to the puzzle.
    std::vector<std::uint8_t> groupBytes;
    SlotTable<int> zCol{};
    SlotTable<int> zRow{};
    std::array<PackedDib, 6> pictures;

    int pieceCount() const { return cols * rows; }
    bool inGroup(int p, std::size_t q) const
    {
        return groupBytes[static_cast<std::size_t>(p) * static_cast<std::size_t>(pieceCount()) + q] != 0;
    }
};

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
    d.piecesOut = pairAt(h + kOffPiecesOut);
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
            d.pieceRect[c][r] = RECT{pairAt(rect), pairAt(rect + 4), pairAt(rect + 8), pairAt(rect + 12)};
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

// Every piece lies in exactly one tray slot with a turn, or on the board with
// a turn; nothing else is in the tray, and a piece in the tray has no board
// turn.
void checkPlaces(const PlayData& d)
{
    const int n = d.pieceCount();
    std::vector<int> seen(static_cast<std::size_t>(n), 0);
    for (int slot = 0; slot < kMaxPieces; ++slot) {
        const int turn = d.trayTurn[slot];
        if (turn > 4)
            throw FormatError(ErrorCode::PlayFileTrayTurnInvalid);
        if (turn == 0)
            continue;
        const int piece = d.trayPiece[slot];
        if (piece >= n)
            throw FormatError(ErrorCode::PlayFileTrayPieceUnknown, {piece});
        ++seen[static_cast<std::size_t>(piece)];
    }
    int onBoard = 0;
    for (int piece = 0; piece < kMaxPieces; ++piece) {
        if (d.onBoard[piece] > 1 || (piece >= n && d.onBoard[piece] != 0))
            throw FormatError(ErrorCode::PlayFileBoardPiecesInvalid);
        if (piece >= n)
            continue;
        if (d.onBoard[piece] == 1) {
            if (d.boardTurn[piece] < 1 || d.boardTurn[piece] > 4)
                throw FormatError(ErrorCode::PlayFileBoardTurnInvalid);
            ++seen[static_cast<std::size_t>(piece)];
            ++onBoard;
        } else if (d.boardTurn[piece] != 0) {
            // The board draws every piece that has a board turn.
            throw FormatError(ErrorCode::PlayFileTrayPieceTurnedOnBoard, {piece});
        }
        if (seen[static_cast<std::size_t>(piece)] != 1)
            throw FormatError(ErrorCode::PlayFilePiecePlaceInvalid, {piece});
    }
    if (d.piecesOut > n)
        throw FormatError(ErrorCode::PlayFileTakenCountInvalid);
}

// The stacking positions list every cell of the puzzle once, and the cell
// table is their inverse.
void checkStacking(const PlayData& d)
{
    const int n = d.pieceCount();
    CellGrid<int> seen{};
    for (int pos = 0; pos < n; ++pos) {
        const int c = d.zCol[pos];
        const int r = d.zRow[pos];
        if (c >= d.cols || r >= d.rows || seen[c][r]++ != 0 || d.zIndex[c][r] != pos)
            throw FormatError(ErrorCode::PlayFileStackingInvalid);
    }
}

// Every piece is in its own group, and all members of a group hold the same
// matrix. Each group is named by its lowest member, and every member must
// name the same one.
void checkGroups(const PlayData& d)
{
    const int n = d.pieceCount();
    const auto member = [&](int p, int q) { return d.inGroup(p, static_cast<std::size_t>(q)); };
    std::vector<int> lowest(static_cast<std::size_t>(n));
    for (int p = 0; p < n; ++p) {
        if (!member(p, p))
            throw FormatError(ErrorCode::PlayFilePieceOutsideGroup, {p});
        int q = 0;
        while (!member(p, q))
            ++q;
        lowest[static_cast<std::size_t>(p)] = q;
    }
    for (int p = 0; p < n; ++p) {
        const int name = lowest[static_cast<std::size_t>(p)];
        for (int q = 0; q < n; ++q) {
            if (member(p, q) != member(name, q) || (member(p, q) && lowest[static_cast<std::size_t>(q)] != name))
                throw FormatError(ErrorCode::PlayFileGroupsInconsistent);
        }
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
    checkStacking(*d);
    checkGroups(*d);
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

// Whether the file can hold the game whole: no piece is carried out of the
// tray (it would lie nowhere), and every position on the board fits a pair.
bool fitsPlayFile(const CVorpelDoc& doc)
{
    if (doc.GetTrayDrag())
        return false;
    const auto fits = [](int v) { return v >= 0 && v <= kMaxPairValue; };
    for (int c = 0; c < doc.GetCols(); ++c) {
        for (int r = 0; r < doc.GetRows(); ++r) {
            const RECT& rect = doc.PieceRect()[c][r];
            if (doc.GetBoardTurn(r * doc.GetCols() + c) != 0 &&
                !(fits(rect.left) && fits(rect.top) && fits(rect.right) && fits(rect.bottom)))
                return false;
        }
    }
    return true;
}

void checkGame(const CVorpelDoc& doc)
{
    if (doc.Picture().empty() || doc.Mask().empty())
        throw FormatError(ErrorCode::NoGameToSave);
}

// The game's state can be written only when the file can hold it whole.
void checkWholeGame(const CVorpelDoc& doc)
{
    checkGame(doc);
    if (!fitsPlayFile(doc))
        throw FormatError(ErrorCode::PieceWithoutPlace);
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
    image.filler.assign(*std::max_element(shortfall.begin(), shortfall.end()), 0);

    for (std::size_t k = 0; k < 6; ++k) {
        const std::size_t wanted = lengths[k] - image.fileHeaders[k].size();
        image.parts.push_back(image.fileHeaders[k]);
        image.parts.push_back(pictures[k]->block().first(wanted - shortfall[k]));
        if (shortfall[k] > 0)
            image.parts.push_back(std::span<const std::uint8_t>(image.filler).first(shortfall[k]));
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
