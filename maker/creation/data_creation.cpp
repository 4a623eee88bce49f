#include "data_creation.h"

#include <algorithm>
#include <span>

#include "area_scaler.h"
#include "cut_pieces.h"
#include "format_error.h"
#include "message_text.h"
#include "piece_template.h"

namespace kestra {

namespace {

// The template-map code of a template colour, or -1 for a colour that is not
// one of the eight pure ones.
int templateCode(jigsaw::ColorRef c)
{
    const auto level = [](std::uint8_t v) { return v == 0 ? 0 : v == 255 ? 1 : -1; };
    const int r = level(jigsaw::redOf(c));
    const int g = level(jigsaw::greenOf(c));
    const int b = level(jigsaw::blueOf(c));
    if (r < 0 || g < 0 || b < 0)
        return -1;
    // Indexed by r·4 + g·2 + b.
    static constexpr int kCodes[8] = {jigsaw::kCodeBlack,  jigsaw::kCodeBlue,   jigsaw::kCodeGreen,
                                      jigsaw::kCodeCyan,   jigsaw::kCodeRed,    jigsaw::kCodeMagenta,
                                      jigsaw::kCodeYellow, jigsaw::kCodeWhite};
    return kCodes[r * 4 + g * 2 + b];
}

void buildLarge(jigsaw::JztPuzzle& puzzle, const WorkingSamples& samples, const IndexedSamples* indexed,
                std::span<const jigsaw::RGBQUAD> table, const StageProgress& progress)
{
    const jigsaw::PuzzleGeometry& g = samples.geometry;
    const int bits = indexed ? 8 : 24;
    for (jigsaw::PackedDib& sheet : puzzle.sheets) {
        sheet = jigsaw::makeSheetDib(g, bits, table);
        if (indexed)
            std::ranges::fill(sheet.pixels(), indexed->whiteIndex);
        sheet.hdr = puzzle.picture.hdr;
    }
    puzzle.mask = jigsaw::makeMaskDib(g);
    puzzle.mask.hdr = puzzle.picture.hdr;

    jigsaw::CutTarget target;
    for (std::size_t k = 0; k < 4; ++k)
        target.sheets[k] = puzzle.sheets[k].pixels();
    target.mask = puzzle.mask.pixels();
    target.fullPicture = puzzle.picture.pixels();
    const int pieces = g.pieceCount();
    const jigsaw::CutProgress perPiece = [&](int piece) {
        if (progress)
            progress(piece, pieces);
    };
    if (indexed)
        jigsaw::CutPieces(g, samples.templ, indexed->indices, indexed->lightIndex, indexed->darkIndex,
                          jigsaw::CutVariant::Maker, target, perPiece);
    else
        jigsaw::CutPieces(g, samples.templ, samples.picture, jigsaw::kBevelLight24, jigsaw::kBevelDark24,
                          jigsaw::CutVariant::Maker, target, perPiece);
    if (progress)
        progress(pieces, pieces);
}

void buildSmall(jigsaw::JztPuzzle& puzzle, const WorkingSamples& samples, const IndexedSamples* indexed,
                const StageProgress& progress)
{
    const jigsaw::PuzzleGeometry& g = samples.geometry;
    const int w = g.width();
    const int h = g.height();
    puzzle.templateMap = jigsaw::makeTemplateMapDib(g);
    puzzle.templateMap.hdr = puzzle.picture.hdr;
    int code = jigsaw::kCodeBlack;
    for (int y = 0; y < h; ++y) {
        if (progress)
            progress(y, h);
        std::uint8_t* pictureRow = puzzle.picture.rowFromTop(y);
        std::uint8_t* mapRow = puzzle.templateMap.rowFromTop(y);
        const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x) {
            const std::size_t i = rowStart + static_cast<std::size_t>(x);
            // A colour outside the eight keeps the code of the previous position.
            if (const int c = templateCode(samples.templ[i]); c >= 0)
                code = c;
            std::uint8_t& pair = mapRow[x / 2];
            pair = static_cast<std::uint8_t>((x & 1) ? ((pair & 0xF0) | code) : ((pair & 0x0F) | (code << 4)));
            if (indexed) {
                pictureRow[x] = indexed->indices[i];
            } else {
                const jigsaw::ColorRef c = samples.picture[i];
                pictureRow[3 * x] = jigsaw::blueOf(c);
                pictureRow[3 * x + 1] = jigsaw::greenOf(c);
                pictureRow[3 * x + 2] = jigsaw::redOf(c);
            }
        }
    }
    if (progress)
        progress(h, h);
}

}  // namespace

WorkingSamples sampleFramedPicture(const SourcePicture& source, const FrameRect& frame, int sizeIndex,
                                   const StageProgress& progress)
{
    if (sizeIndex < 0 || sizeIndex >= jigsaw::kSizeCount)
        throw jigsaw::FormatError(jigsaw::ErrorCode::SizeIndexUnknown, {sizeIndex});
    if (source.pixels == nullptr || source.width <= 0 || source.height <= 0)
        throw jigsaw::FormatError(jigsaw::ErrorCode::NoPictureToCut);
    if (frame.right <= frame.left || frame.bottom <= frame.top)
        throw jigsaw::FormatError(jigsaw::ErrorCode::FrameEmpty);
    WorkingSamples s;
    s.sizeIndex = sizeIndex;
    s.geometry = jigsaw::puzzleSize(sizeIndex).geometry;
    s.picture = scaleArea(source, frame, s.geometry.width(), s.geometry.height(), progress);
    s.templ = jigsaw::templateSamples(jigsaw::makePieceTemplate(sizeIndex), s.geometry);
    return s;
}

jigsaw::JztPuzzle buildPuzzle(const WorkingSamples& samples, const IndexedSamples* indexed, const Palette& palette,
                              jigsaw::DataFormat format, const jigsaw::BITMAPFILEHEADER& fileHeader,
                              const StageProgress& progress)
{
    const jigsaw::PuzzleGeometry& g = samples.geometry;
    const std::span<const jigsaw::RGBQUAD> table =
        indexed ? std::span<const jigsaw::RGBQUAD>(palette) : std::span<const jigsaw::RGBQUAD>();

    jigsaw::JztPuzzle puzzle;
    jigsaw::JztHeader& h = puzzle.header;
    h.geometry = g;
    h.colorFormat = indexed ? jigsaw::ColorFormat::Indexed : jigsaw::ColorFormat::TrueColor;
    h.dataFormat = format;
    h.sizeIndex = samples.sizeIndex;
    h.showMessage = 1;

    puzzle.picture =
        jigsaw::PackedDib::create(jigsaw::PackedDib::makeInfo(g.width(), g.height(), indexed ? 8 : 24), table, 0xFF);
    puzzle.picture.hdr = fileHeader;
    if (format == jigsaw::DataFormat::Large)
        buildLarge(puzzle, samples, indexed, table, progress);
    else
        buildSmall(puzzle, samples, indexed, progress);
    return puzzle;
}

void setMessage(jigsaw::JztHeader& header, const std::vector<std::string>& utf8Lines, bool showOnOpen)
{
    if (utf8Lines.size() > header.messageLines.size())
        throw jigsaw::FormatError(jigsaw::ErrorCode::MessageTooManyLines, {utf8Lines.size()});
    for (std::size_t i = 0; i < header.messageLines.size(); ++i) {
        try {
            header.messageLines[i] = i < utf8Lines.size() ? jigsaw::encodeMessageLine(utf8Lines[i]) : std::string();
        } catch (const jigsaw::FormatError& e) {
            throw jigsaw::FormatError(jigsaw::ErrorCode::InMessageLine, {i + 1}, e);
        }
    }
    header.showMessage = showOnOpen ? 1 : 0;
}

void savePuzzle(const std::filesystem::path& path, const jigsaw::JztPuzzle& puzzle)
{
    jigsaw::writeJztFile(path, puzzle);
}

jigsaw::JztPuzzle createPuzzle(const CreationRequest& request, const CreationProgress& progress)
{
    const auto stage = [&](Stage s) -> StageProgress {
        if (!progress)
            return {};
        return [&progress, s](int position, int maximum) { progress(s, position, maximum); };
    };
    const bool indexed = request.bitCount == 8;
    if (indexed && request.palette == nullptr)
        throw jigsaw::FormatError(jigsaw::ErrorCode::PaletteMissing);

    const WorkingSamples samples =
        sampleFramedPicture(request.source, request.frame, request.sizeIndex, stage(Stage::Sampling));
    const Palette noPalette{};
    jigsaw::JztPuzzle puzzle;
    if (indexed) {
        const IndexedSamples mapped = mapToPalette(samples.picture, samples.geometry.width(),
                                                   samples.geometry.height(), *request.palette, stage(Stage::Palette));
        puzzle = buildPuzzle(samples, &mapped, *request.palette, request.format, request.fileHeader,
                             stage(Stage::Creating));
    } else {
        puzzle = buildPuzzle(samples, nullptr, noPalette, request.format, request.fileHeader, stage(Stage::Creating));
    }
    setMessage(puzzle.header, request.messageLines, request.showMessageOnOpen);
    return puzzle;
}

}  // namespace kestra
