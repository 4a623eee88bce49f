#include "jzt_file.h"

namespace jigsaw {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;

}  // namespace

JztLayout jztLayout(const JztHeader& header)
{
    const PuzzleGeometry& g = header.geometry;
    const std::size_t w = static_cast<std::size_t>(g.width());
    const std::size_t h = static_cast<std::size_t>(g.height());
    const std::size_t sheetPixels = static_cast<std::size_t>(g.sheetWidth()) * static_cast<std::size_t>(g.sheetHeight());
    const bool indexed = header.colorFormat == ColorFormat::Indexed;
    const bool large = header.dataFormat == DataFormat::Large;

    const std::size_t head = kFileHeader + kInfoHeader + (indexed ? 1024 : 0);

    JztLayout l;
    l.pictureData = indexed ? w * h : w * h * (large ? 4 : 3);
    if (large) {
        l.sheetData = indexed ? sheetPixels : sheetPixels * 3;
        l.maskData = sheetPixels;
        l.fileSize = kJztHeaderSize + head + l.pictureData + 4 * (head + l.sheetData) +
                     (kFileHeader + kInfoHeader + 8 + l.maskData);
    } else {
        l.templateMapData = 3 * w * h / 5;
        l.fileSize = kJztHeaderSize + head + l.pictureData + (kFileHeader + kInfoHeader + 64 + l.templateMapData);
    }
    return l;
}

PackedDib makeSheetDib(const PuzzleGeometry& g, int bitCount, std::span<const RGBQUAD> colorTable)
{
    return PackedDib::create(PackedDib::makeInfo(g.sheetWidth(), g.sheetHeight(), bitCount), colorTable, 0xFF);
}

PackedDib makeMaskDib(const PuzzleGeometry& g)
{
    BITMAPINFOHEADER info = PackedDib::makeInfo(4 * g.sheetWidth(), g.sheetHeight(), 1);
    info.biSizeImage = static_cast<std::uint32_t>(g.sheetWidth() * g.sheetHeight());
    const RGBQUAD table[2] = {{255, 255, 255, 0}, {0, 0, 0, 0}};
    return PackedDib::create(info, table, 0xFF);
}

PackedDib makeTemplateMapDib(const PuzzleGeometry& g)
{
    BITMAPINFOHEADER info = PackedDib::makeInfo(g.width(), g.height(), 4);
    info.biSizeImage = static_cast<std::uint32_t>(3 * g.width() * g.height() / 5);
    // Codes 0 to 7: black, white, blue, red, green, yellow, cyan, magenta.
    const RGBQUAD table[16] = {
        {0, 0, 0, 0},     {255, 255, 255, 0}, {255, 0, 0, 0},   {0, 0, 255, 0},
        {0, 255, 0, 0},   {0, 255, 255, 0},   {255, 255, 0, 0}, {255, 0, 255, 0},
    };
    return PackedDib::create(info, table, 0);
}

}  // namespace jigsaw
