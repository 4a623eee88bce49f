#include "puzzle_loader.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "cut_pieces.h"
#include "format_error.h"
#include "large_buffer.h"

namespace {

using jigsaw::BITMAPINFOHEADER;
using jigsaw::ErrorCode;
using jigsaw::FormatError;
using jigsaw::PackedDib;
using jigsaw::PuzzleGeometry;
using jigsaw::RGBQUAD;

// The pictures of a puzzle as the document keeps them, made before the game
// is touched.
struct PreparedPictures {
    PackedDib picture;
    std::array<PackedDib, 4> sheets;
    PackedDib mask;
    int sheetFormat = 0;
};

void expectPicture(const PackedDib& dib, const char* name, int width, int height, int bitCount)
{
    if (dib.empty() || dib.width() != width || dib.height() != height || dib.bitCount() != bitCount)
        throw FormatError(ErrorCode::PuzzleDataBlockMismatch, {name});
}

// A puzzle handed over in memory gets the checks the file reader makes of
// the shapes, so that the document never holds a picture that does not fit.
void checkPuzzle(const jigsaw::JztPuzzle& puzzle)
{
    const jigsaw::JztHeader& h = puzzle.header;
    const PuzzleGeometry& g = h.geometry;
    if (!jigsaw::findSizeIndex(g))
        throw FormatError(ErrorCode::PuzzleDataSizeUnknown);
    if (h.colorFormat != jigsaw::ColorFormat::Indexed && h.colorFormat != jigsaw::ColorFormat::TrueColor)
        throw FormatError(ErrorCode::PuzzleDataColorFormatInvalid);
    expectPicture(puzzle.picture, jigsaw::block::kPicture, g.width(), g.height(), h.bitCount());
    if (h.dataFormat == jigsaw::DataFormat::Large) {
        for (const PackedDib& sheet : puzzle.sheets)
            expectPicture(sheet, jigsaw::block::kSheet, g.sheetWidth(), g.sheetHeight(), h.bitCount());
        expectPicture(puzzle.mask, jigsaw::block::kMask, 4 * g.sheetWidth(), g.sheetHeight(), 1);
    } else if (h.dataFormat == jigsaw::DataFormat::Small) {
        expectPicture(puzzle.templateMap, jigsaw::block::kTemplateMap, g.width(), g.height(), 4);
    } else {
        throw FormatError(ErrorCode::PuzzleDataFormatInvalid);
    }
}

MessageBuffer messageOf(const jigsaw::JztHeader& h)
{
    MessageBuffer lines{};
    for (int i = 0; i < kMessageLines; ++i) {
        const std::string& text = h.messageLines[static_cast<std::size_t>(i)];
        std::copy_n(text.begin(), std::min<std::size_t>(text.size(), kMessageLineBytes - 1), lines[i].begin());
    }
    return lines;
}

// A new picture with every pixel byte set to `fill`, backed by huge pages
// where the system offers them.
PackedDib filledPicture(const BITMAPINFOHEADER& info, std::span<const RGBQUAD> colorTable, std::uint8_t fill)
{
    PackedDib dib = PackedDib::allocate(info, colorTable);
    adviseHugePages(dib.pixels());
    std::fill(dib.pixels().begin(), dib.pixels().end(), fill);
    return dib;
}

// The picture's pixels as top-down colours (x + W·y), the form the cutter
// samples. Like jigsaw::dibSamples, but the million-sample arrays of the
// largest puzzles are backed by huge pages where the system offers them.
std::unique_ptr<jigsaw::ColorRef[]> samplesOf(const PackedDib& dib)
{
    const int w = dib.width();
    const int h = dib.height();
    const int bits = dib.bitCount();
    std::array<jigsaw::ColorRef, 256> palette{};
    for (int i = 0; i < dib.colorCount() && i < 256; ++i) {
        const RGBQUAD c = dib.color(i);
        palette[static_cast<std::size_t>(i)] = jigsaw::rgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    auto out = std::make_unique_for_overwrite<jigsaw::ColorRef[]>(count);
    adviseHugePages({reinterpret_cast<std::uint8_t*>(out.get()), count * sizeof(jigsaw::ColorRef)});
    jigsaw::ColorRef* dst = out.get();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = dib.rowFromTop(y);
        if (bits == 24) {
            for (int x = 0; x < w; ++x)
                *dst++ = jigsaw::rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        } else if (bits == 8) {
            for (int x = 0; x < w; ++x)
                *dst++ = palette[row[x]];
        } else {
            for (int x = 0; x < w; ++x)
                *dst++ = palette[(x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4)];
        }
    }
    return out;
}

// Cuts a small-format puzzle: four 24-bit sheets filled with white and a
// 1-bit mask of the four turns filled with "outside", then the player's cut
// from the picture and the template map.

void cutSmallPuzzle(const jigsaw::JztPuzzle& puzzle, PreparedPictures& out, DocumentEvents& events)
{
    const PuzzleGeometry& g = puzzle.header.geometry;
    const int pw = g.sheetWidth();
    const int ph = g.sheetHeight();

    BITMAPINFOHEADER sheetInfo = PackedDib::makeInfo(pw, ph, 24);
    sheetInfo.biSizeImage = static_cast<std::uint32_t>(3 * pw * ph);
    for (PackedDib& sheet : out.sheets)
        sheet = filledPicture(sheetInfo, {}, 0xFF);

    BITMAPINFOHEADER maskInfo = PackedDib::makeInfo(4 * pw, ph, 1);
    maskInfo.biSizeImage = static_cast<std::uint32_t>(4 * pw * ph);
    const std::array<RGBQUAD, 2> maskColors{RGBQUAD{255, 255, 255, 0}, RGBQUAD{0, 0, 0, 0}};
    out.mask = filledPicture(maskInfo, maskColors, 0xFF);

    const std::size_t samples = static_cast<std::size_t>(g.width()) * static_cast<std::size_t>(g.height());
    const auto picture = samplesOf(puzzle.picture);
    const auto templ = samplesOf(puzzle.templateMap);
    jigsaw::CutTarget target;
    for (std::size_t turn = 0; turn < 4; ++turn)
        target.sheets[turn] = out.sheets[turn].pixels();
    target.mask = out.mask.pixels();
    const int total = g.pieceCount();
    jigsaw::CutPieces(g, std::span<const jigsaw::ColorRef>(templ.get(), samples),
                      std::span<const jigsaw::ColorRef>(picture.get(), samples), jigsaw::kBevelLight24, jigsaw::kBevelDark24, jigsaw::CutVariant::Player,
                      target, [&](int piece) { events.CutProgress(piece, total); });
    out.sheetFormat = 2;
}

void loadPrepared(CVorpelDoc& doc, jigsaw::JztPuzzle&& puzzle, GameClock& clock, RandomSource& random,
                  DocumentEvents& events)
{
    const jigsaw::JztHeader& h = puzzle.header;
    const PuzzleGeometry& g = h.geometry;
    const MessageBuffer message = messageOf(h);
    const bool small = h.dataFormat == jigsaw::DataFormat::Small;

    if (h.showMessage == 1)
        events.ShowMessage(JoinMessageLines(message));

    PreparedPictures pictures;
    if (small) {
        cutSmallPuzzle(puzzle, pictures, events);
    } else {
        pictures.sheets = std::move(puzzle.sheets);
        pictures.mask = std::move(puzzle.mask);
        pictures.sheetFormat = static_cast<int>(h.colorFormat);
    }
    pictures.picture = std::move(puzzle.picture);

    // From here on nothing can fail: the game is replaced.
    doc.SetModified(0);
    doc.SetCols(g.cols);
    doc.SetRows(g.rows);
    doc.SetCellSize(g.cellSize);
    doc.SetMargin(g.margin);
    doc.SetPieceSize(g.pieceSize());
    doc.SetPictureFormat(static_cast<int>(h.colorFormat));
    doc.SetSheetFormat(pictures.sheetFormat);
    doc.SetShowMessage(h.showMessage);
    doc.SetDataFormat(static_cast<int>(h.dataFormat));
    doc.SetSizeIndex(h.sizeIndex);
    doc.Message() = message;
    doc.JoinMessage();
    if (small)
        doc.SetMaskPad(jigsaw::maskPadUnits(g));
    doc.Picture() = std::move(pictures.picture);
    for (int turn = 0; turn < 4; ++turn)
        doc.Sheet(turn) = std::move(pictures.sheets[static_cast<std::size_t>(turn)]);
    doc.Mask() = std::move(pictures.mask);

    DealNewGame(doc, clock, random);

    if (doc.GetPreviewShown() == 1) {
        events.PreviewToggled(false);
        events.PreviewToggled(true);
    }
    events.RedrawAll();
}

std::uint32_t timeSeed(GameClock& clock)
{
    return static_cast<std::uint32_t>(clock.TimeSeconds());
}

}  // namespace

void DealNewGame(CVorpelDoc& doc, GameClock& clock, RandomSource& random)
{
    const int cols = doc.GetCols();
    const int rows = doc.GetRows();
    const int n = cols * rows;

    random.Seed(timeSeed(clock));
    for (int slot = 0; slot < kMaxPieces; ++slot) {
        doc.SetOnBoard(slot, 0);
        doc.SetTrayPiece(slot, 0);
        doc.SetTrayTurn(slot, 0);
    }
    for (int g = 0; g < n; ++g) {
        doc.SetTrayPiece(g, g);
        doc.SetTrayTurn(g, static_cast<int>(random.Next() % 4) + 1);
        doc.SetBoardTurn(g, 0);
    }
    for (int k = 0; k < n; ++k) {
        const int i = static_cast<int>(random.Next() % static_cast<std::uint32_t>(n));
        const int j = static_cast<int>(random.Next() % static_cast<std::uint32_t>(n));
        const int piece = doc.GetTrayPiece(i);
        doc.SetTrayPiece(i, doc.GetTrayPiece(j));
        doc.SetTrayPiece(j, piece);
    }

    doc.ComputeHomeMarks();

    // Every piece starts as a group of its own. The matrices of pieces 0 to n
    // are cleared over one column and row beyond the puzzle as well, so that
    // nothing of a larger previous puzzle is left at the border.
    for (int p = 0; p <= n; ++p) {
        GroupMatrix& group = doc.Group(p);
        for (int c = 0; c <= cols; ++c)
            for (int r = 0; r <= rows; ++r)
                group[c][r] = 0;
        if (p < n)
            group[p % cols][p / cols] = 1;
    }

    random.Seed(timeSeed(clock));
    doc.SetHolding(0);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int id = r * cols + c;
            doc.CellA()[c][r] = id;
            doc.CellB()[c][r] = 1;
            doc.ZIndex()[c][r] = id;
            doc.ZCol()[id] = c;
            doc.ZRow()[id] = r;
            doc.PieceRect()[c][r] = RECT{};
        }
    }
    for (int k = 0; k < 201; ++k) {
        const int c1 = static_cast<int>(random.Next() % 13);
        const int r1 = static_cast<int>(random.Next() % 4);
        const int c2 = static_cast<int>(random.Next() % 13);
        const int r2 = static_cast<int>(random.Next() % 4);
        std::swap(doc.CellA()[c1][r1], doc.CellA()[c2][r2]);
    }

    doc.SetTrayDrag(0);
    doc.SetPiecesOut(0);
    doc.SetElapsedBase(0);
    doc.SetElapsedSeconds(0);
    doc.SetGlue(0);
    doc.SetPanel(0);
    doc.SetCompleted(0);
    doc.SetPlayable(1);
    doc.SetStartTick(clock.TickMs());
}

void LoadPuzzle(CVorpelDoc& doc, const jigsaw::JztPuzzle& puzzle, GameClock& clock, RandomSource& random,
                DocumentEvents& events)
{
    checkPuzzle(puzzle);
    jigsaw::JztPuzzle copy = puzzle;
    loadPrepared(doc, std::move(copy), clock, random, events);
}

void LoadPuzzleData(CVorpelDoc& doc, std::span<const std::uint8_t> data, GameClock& clock, RandomSource& random,
                    DocumentEvents& events)
{
    loadPrepared(doc, jigsaw::readJzt(data), clock, random, events);
}

void LoadPuzzleFile(CVorpelDoc& doc, const std::filesystem::path& path, GameClock& clock, RandomSource& random,
                    DocumentEvents& events)
{
    loadPrepared(doc, jigsaw::readJztFile(path), clock, random, events);
    doc.SetPuzzleDir(path.string());
}
