#include "sample_puzzle.h"

#include "cut_pieces.h"
#include "piece_template.h"

namespace jigsaw {

namespace {

constexpr std::uint8_t cubeLevel(std::uint8_t v) { return static_cast<std::uint8_t>((v + 25) / 51); }

std::uint8_t cubeIndex(ColorRef c)
{
    return static_cast<std::uint8_t>(cubeLevel(redOf(c)) * 36 + cubeLevel(greenOf(c)) * 6 + cubeLevel(blueOf(c)));
}

// Index of the grey ramp entry nearest to the grey level v.
std::uint8_t greyIndex(int v)
{
    return static_cast<std::uint8_t>(216 + (v * 39 + 127) / 255);
}

std::uint8_t templateCode(std::uint8_t paletteIndex)
{
    switch (paletteIndex) {
    case kTplBlack: return kCodeBlack;
    case kTplWhite: return kCodeWhite;
    case kTplBlue: return kCodeBlue;
    case kTplRed: return kCodeRed;
    case kTplGreen: return kCodeGreen;
    case kTplYellow: return kCodeYellow;
    case kTplCyan: return kCodeCyan;
    default: return kCodeMagenta;
    }
}

BITMAPFILEHEADER bmpFileHeader(const PackedDib& dib)
{
    BITMAPFILEHEADER h;
    h.bfType = kBmpSignature;
    h.bfOffBits = static_cast<std::uint32_t>(14 + dib.bitsOffset());
    h.bfSize = static_cast<std::uint32_t>(14 + dib.block().size());
    return h;
}

}  // namespace

// White sits at index 255, so sheets filled with 0xFF bytes are white at
// either depth.
std::array<RGBQUAD, 256> samplePalette()
{
    std::array<RGBQUAD, 256> table{};
    for (int i = 0; i < 216; ++i)
        table[static_cast<std::size_t>(i)] = RGBQUAD{static_cast<std::uint8_t>(i % 6 * 51),
                                                     static_cast<std::uint8_t>(i / 6 % 6 * 51),
                                                     static_cast<std::uint8_t>(i / 36 * 51), 0};
    for (int i = 216; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>((i - 216) * 255 / 39);
        table[static_cast<std::size_t>(i)] = RGBQUAD{v, v, v, 0};
    }
    return table;
}

JztPuzzle buildSamplePuzzle(int sizeIndex, DataFormat dataFormat, ColorFormat colorFormat,
                            const std::vector<ColorRef>& picture, const std::array<std::string, 3>& messageLines)
{
    const PuzzleGeometry g = puzzleSize(sizeIndex).geometry;
    const int w = g.width();
    const int h = g.height();
    const bool indexed = colorFormat == ColorFormat::Indexed;
    const int bits = indexed ? 8 : 24;
    const std::array<RGBQUAD, 256> palette = samplePalette();
    const std::span<const RGBQUAD> table = indexed ? std::span<const RGBQUAD>(palette) : std::span<const RGBQUAD>();

    JztPuzzle puzzle;
    puzzle.header.geometry = g;
    puzzle.header.colorFormat = colorFormat;
    puzzle.header.dataFormat = dataFormat;
    puzzle.header.sizeIndex = sizeIndex;
    puzzle.header.messageLines = messageLines;
    puzzle.header.showMessage = 1;
    puzzle.picture = PackedDib::create(PackedDib::makeInfo(w, h, bits), table, 0xFF);
    puzzle.picture.hdr = bmpFileHeader(puzzle.picture);

    std::vector<std::uint8_t> indices;
    if (indexed) {
        indices.resize(picture.size());
        for (std::size_t i = 0; i < picture.size(); ++i)
            indices[i] = cubeIndex(picture[i]);
    }

    const PieceTemplate tpl = makePieceTemplate(sizeIndex);
    if (dataFormat == DataFormat::Large) {
        for (PackedDib& sheet : puzzle.sheets) {
            sheet = makeSheetDib(g, bits, table);
            sheet.hdr = puzzle.picture.hdr;
        }
        puzzle.mask = makeMaskDib(g);
        puzzle.mask.hdr = puzzle.picture.hdr;
        CutTarget target;
        for (std::size_t k = 0; k < 4; ++k)
            target.sheets[k] = puzzle.sheets[k].pixels();
        target.mask = puzzle.mask.pixels();
        target.fullPicture = puzzle.picture.pixels();
        const std::vector<ColorRef> templ = templateSamples(tpl, g);
        if (indexed)
            CutPieces(g, templ, indices, greyIndex(200), greyIndex(80), CutVariant::Maker, target);
        else
            CutPieces(g, templ, picture, kBevelLight24, kBevelDark24, CutVariant::Maker, target);
        return puzzle;
    }

    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = puzzle.picture.rowFromTop(y);
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            if (indexed) {
                row[x] = indices[i];
            } else {
                row[3 * x] = blueOf(picture[i]);
                row[3 * x + 1] = greenOf(picture[i]);
                row[3 * x + 2] = redOf(picture[i]);
            }
        }
    }
    puzzle.templateMap = makeTemplateMapDib(g);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = puzzle.templateMap.rowFromTop(y);
        for (int x = 0; x < w; ++x) {
            const std::uint8_t code = templateCode(tpl.at(x, y));
            row[x / 2] = static_cast<std::uint8_t>((x & 1) ? ((row[x / 2] & 0xF0) | code) : ((row[x / 2] & 0x0F) | (code << 4)));
        }
    }
    return puzzle;
}

}  // namespace jigsaw
