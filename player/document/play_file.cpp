#include "play_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
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
#include "play_rules.h"

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
static_assert(kMaxPairValue == kMaxBoardCoordinate);

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
    // The rectangles' digits as stored, low digit first: left, top, right,
    // bottom. Placing the board pieces reads them.
    CellGrid<std::array<std::array<std::uint8_t, 2>, 4>> rectDigits{};
    // Record p's byte for piece q at p × pieceCount() + q: only the first
    // pieceCount() bytes of each record belong to the puzzle.
    std::vector<std::uint8_t> groupBytes;
    SlotTable<int> zCol{};
    SlotTable<int> zRow{};
    std::array<PackedDib, 6> pictures;

    int pieceCount() const { return cols * rows; }
    int pieceSize() const { return cellSize + 2 * margin; }
    int pitch() const { return cellSize + margin; }
    std::uint8_t& groupByte(int p, std::size_t q)
    {
        return groupBytes[static_cast<std::size_t>(p) * static_cast<std::size_t>(pieceCount()) + q];
    }
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
}

// Mends what the game can tell from the rest of the file: the count of
// pieces taken out is the count on the board, and a piece in the tray
// belongs to no group but its own.
void mendCountAndGroups(PlayData& d)
{
    const int n = d.pieceCount();
    d.piecesOut = static_cast<int>(std::count(d.onBoard.begin(), d.onBoard.begin() + n, 1));
    for (int p = 0; p < n; ++p)
        for (int q = 0; q < n; ++q)
            if (p != q && (d.onBoard[p] == 0 || d.onBoard[q] == 0))
                d.groupByte(p, static_cast<std::size_t>(q)) = 0;
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

// What two stored digits may stand for, the likelier first: the number as
// written, and the negative number whose C remainder and quotient, each cut
// to a byte, left these digits. Releases before this one wrote such digits
// for a group carried past the board's left or top edge.
struct Readings {
    std::array<int, 2> values{};
    int count = 0;
};

using Digits = std::array<std::uint8_t, 2>;

int writtenValue(Digits digits) { return digits[1] * 255 + digits[0]; }

Readings readingsOf(Digits digits)
{
    const int low = digits[0];
    const int high = digits[1];
    const int written = writtenValue(digits);
    const int remainder = low == 0 ? 0 : low - 256;
    const int negative = (high == 0 ? 0 : high - 256) * 255 + remainder;
    Readings r;
    if (written <= kMaxBoardCoordinate)
        r.values[r.count++] = written;
    if (negative < 0 && remainder > -255)
        r.values[r.count++] = negative;
    // A carried group lies near the board; a table reaching half the range
    // away is far less likely.
    if (r.count == 2 && written > kMaxBoardCoordinate / 2)
        std::swap(r.values[0], r.values[1]);
    return r;
}

// The places of a piece's near edge (left or top) that agree with its far
// edge one piece size further on, the likelier first; when none does, every
// place either edge may stand for.
std::vector<int> edgePlaces(Digits nearDigits, Digits farDigits, int s)
{
    const Readings nearEdge = readingsOf(nearDigits);
    const Readings farEdge = readingsOf(farDigits);
    std::vector<int> agreeing;
    std::vector<int> any;
    for (int i = 0; i < nearEdge.count; ++i) {
        any.push_back(nearEdge.values[i]);
        for (int j = 0; j < farEdge.count; ++j)
            if (farEdge.values[j] - nearEdge.values[i] == s)
                agreeing.push_back(nearEdge.values[i]);
    }
    for (int j = 0; j < farEdge.count; ++j)
        any.push_back(farEdge.values[j] - s);
    return agreeing.empty() ? any : agreeing;
}

// Whether every board rectangle is stored as written, S × S.
bool boardStoredWhole(const PlayData& d)
{
    for (int r = 0; r < d.rows; ++r) {
        for (int c = 0; c < d.cols; ++c) {
            const auto& digits = d.rectDigits[c][r];
            const auto size = [&](std::size_t near) {
                return writtenValue(digits[near + 2]) - writtenValue(digits[near]);
            };
            if (d.onBoard[cellIndex(c, r, d.cols)] == 1 &&
                (writtenValue(digits[2]) > kMaxBoardCoordinate || writtenValue(digits[3]) > kMaxBoardCoordinate ||
                 size(0) != d.pieceSize() || size(1) != d.pieceSize()))
                return false;
        }
    }
    return true;
}

// Lays out the group of board piece p about it, each axis at the place of p
// that most of the members' stored edges agree with (the likelier reading
// first on a tie), and marks the members placed.
void placeGroup(PlayData& d, int p, std::vector<bool>& placed)
{
    const int s = d.pieceSize();
    const int n = d.pieceCount();
    // Calls visit(q, c, r, offset) for each member q of the group, at cell
    // (c, r), lying `offset` from p.
    const auto forEachMember = [&](auto&& visit) {
        for (int q = 0; q < n; ++q) {
            if (!d.inGroup(p, static_cast<std::size_t>(q)))
                continue;
            const int c = q % d.cols;
            const int r = q / d.cols;
            visit(q, c, r, MemberOffset(d.cols, d.pitch(), p, c, r, d.boardTurn[q]));
        }
    };
    std::array<std::map<int, std::pair<int, int>>, 2> votes;  // place of p → (votes, first seen)
    int seen = 0;
    forEachMember([&](int, int c, int r, POINT offset) {
        const auto& digits = d.rectDigits[c][r];
        for (int axis = 0; axis < 2; ++axis) {
            const int shift = axis == 0 ? offset.x : offset.y;
            for (const int place : edgePlaces(digits[axis], digits[axis + 2], s)) {
                auto [it, added] = votes[axis].try_emplace(place - shift, 0, seen++);
                ++it->second.first;
            }
        }
    });
    std::array<int, 2> chosen{};
    for (int axis = 0; axis < 2; ++axis) {
        std::pair<int, int> best{0, 0};
        for (const auto& [place, tally] : votes[axis]) {
            if (tally.first > best.first || (tally.first == best.first && tally.second < best.second)) {
                best = tally;
                chosen[static_cast<std::size_t>(axis)] = place;
            }
        }
    }
    forEachMember([&](int q, int c, int r, POINT offset) {
        const int x = chosen[0] + offset.x;
        const int y = chosen[1] + offset.y;
        d.pieceRect[c][r] = RECT{x, y, x + s, y + s};
        placed[static_cast<std::size_t>(q)] = true;
    });
}

// Sets the board rectangles: as stored when every one is stored whole;
// otherwise every group is laid out again from what its members' edges
// agree on, and the table is brought within the storable range. Pieces in
// the tray lie nowhere on the board.
void placeBoardPieces(PlayData& d)
{
    const int n = d.pieceCount();
    const bool whole = boardStoredWhole(d);
    std::vector<bool> placed(static_cast<std::size_t>(n), false);
    for (int q = 0; q < n; ++q) {
        const int c = q % d.cols;
        const int r = q / d.cols;
        const auto& digits = d.rectDigits[c][r];
        if (d.onBoard[q] == 0) {
            d.pieceRect[c][r] = RECT{};
        } else if (whole) {
            d.pieceRect[c][r] = RECT{writtenValue(digits[0]), writtenValue(digits[1]), writtenValue(digits[2]),
                                     writtenValue(digits[3])};
        } else if (!placed[static_cast<std::size_t>(q)]) {
            placeGroup(d, q, placed);
        }
    }
    RECT bounds{};
    for (int q = 0; q < n; ++q)
        if (d.onBoard[q] == 1)
            bounds = UnionRect(bounds, d.pieceRect[q % d.cols][q / d.cols]);
    const long long width = static_cast<long long>(bounds.right) - bounds.left;
    const long long height = static_cast<long long>(bounds.bottom) - bounds.top;
    if (width > kMaxBoardCoordinate || height > kMaxBoardCoordinate)
        throw FormatError(ErrorCode::PlayFileBoardTooLarge, {width, height, kMaxBoardCoordinate});
    const POINT shift = StorableShift(bounds);
    for (int q = 0; q < n; ++q) {
        RECT& rect = d.pieceRect[q % d.cols][q / d.cols];
        if (d.onBoard[q] == 1)
            rect = RECT{rect.left + shift.x, rect.top + shift.y, rect.right + shift.x, rect.bottom + shift.y};
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

void checkGame(const CVorpelDoc& doc)
{
    if (doc.Picture().empty() || doc.Mask().empty())
        throw FormatError(ErrorCode::NoGameToSave);
}

// The game's state can be written only when the file can hold it whole: no
// piece is carried out of the tray (it would lie nowhere), and every
// position on the board fits a pair.
void checkWholeGame(const CVorpelDoc& doc)
{
    checkGame(doc);
    if (doc.GetTrayDrag())
        throw FormatError(ErrorCode::PieceWithoutPlace);
    const auto fits = [](int v) { return v >= 0 && v <= kMaxPairValue; };
    for (int c = 0; c < doc.GetCols(); ++c) {
        for (int r = 0; r < doc.GetRows(); ++r) {
            const RECT& rect = doc.PieceRect()[c][r];
            const int piece = r * doc.GetCols() + c;
            if (doc.GetBoardTurn(piece) != 0 &&
                !(fits(rect.left) && fits(rect.top) && fits(rect.right) && fits(rect.bottom)))
                throw FormatError(ErrorCode::PiecePlaceUnstorable, {piece, rect.left, rect.top, kMaxPairValue});
        }
    }
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
