#include "packed_dib.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "format_error.h"
#include "geometry.h"

namespace jigsaw {

namespace {

// No picture of this kit comes near this; it keeps a lying header from
// asking for gigabytes.
constexpr std::uint64_t kMaxPixelBytes = 256u * 1024u * 1024u;

}  // namespace

std::uint64_t dibPixelOffset(const BITMAPINFOHEADER& info)
{
    std::uint64_t entries = info.biClrUsed;
    if (info.biBitCount <= 8 && entries == 0)
        entries = std::uint64_t{1} << info.biBitCount;
    std::uint64_t offset = 40 + 4 * entries;
    if (info.biBitCount > 8 && info.biCompression == kBiBitfields)
        offset += 12;
    return offset;
}

std::size_t PackedDib::dibStrideOf(const BITMAPINFOHEADER& info)
{
    return dibStride(info.biWidth, info.biBitCount);
}

BITMAPINFOHEADER PackedDib::makeInfo(int width, int height, int bitCount)
{
    BITMAPINFOHEADER info;
    info.biSize = 40;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<std::uint16_t>(bitCount);
    info.biCompression = kBiRgb;
    return info;
}

PackedDib PackedDib::allocate(const BITMAPINFOHEADER& info, std::span<const RGBQUAD> colorTable)
{
    const int bits = info.biBitCount;
    if (info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == INT32_MIN ||
        !(bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32))
        throw FormatError(ErrorCode::PictureShapeInvalid, {info.biWidth, info.biHeight, bits});
    const std::uint64_t offset = dibPixelOffset(info);
    const std::uint64_t rows = static_cast<std::uint64_t>(info.biHeight < 0 ? -std::int64_t{info.biHeight}
                                                                             : std::int64_t{info.biHeight});
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(dibStrideOf(info)) * rows;
    if (pixelBytes > kMaxPixelBytes || offset > kMaxPixelBytes)
        throw FormatError(ErrorCode::PictureTooLarge, {info.biWidth, rows});

    PackedDib dib;
    dib.info_ = info;
    dib.bitsOffset_ = static_cast<std::size_t>(offset);
    dib.colorCount_ = static_cast<int>((offset - 40) / 4);
    dib.block_.resize(static_cast<std::size_t>(offset + pixelBytes));

    std::vector<std::uint8_t> head;
    ByteWriter out(head);
    writeInfoHeader(out, info);
    std::copy(head.begin(), head.end(), dib.block_.begin());
    std::fill(dib.block_.begin() + 40, dib.block_.begin() + static_cast<std::ptrdiff_t>(offset), std::uint8_t{0});
    const int n = std::min<int>(dib.colorCount_, static_cast<int>(colorTable.size()));
    for (int i = 0; i < n; ++i)
        dib.setColor(i, colorTable[static_cast<std::size_t>(i)]);
    return dib;
}

PackedDib PackedDib::create(const BITMAPINFOHEADER& info, std::span<const RGBQUAD> colorTable, std::uint8_t fill)
{
    PackedDib dib = allocate(info, colorTable);
    std::fill(dib.block_.begin() + static_cast<std::ptrdiff_t>(dib.bitsOffset_), dib.block_.end(), fill);
    return dib;
}

RGBQUAD PackedDib::color(int i) const
{
    checkColorIndex(i);
    const std::uint8_t* p = block_.data() + 40 + 4 * static_cast<std::size_t>(i);
    return RGBQUAD{p[0], p[1], p[2], p[3]};
}

void PackedDib::setColor(int i, RGBQUAD c)
{
    checkColorIndex(i);
    std::uint8_t* p = block_.data() + 40 + 4 * static_cast<std::size_t>(i);
    p[0] = c.rgbBlue;
    p[1] = c.rgbGreen;
    p[2] = c.rgbRed;
    p[3] = c.rgbReserved;
}

void PackedDib::checkColorIndex(int i) const
{
    if (i < 0 || i >= colorCount_)
        throw std::out_of_range("colour table index out of range");
}

std::vector<RGBQUAD> PackedDib::colorTable() const
{
    std::vector<RGBQUAD> table;
    table.reserve(static_cast<std::size_t>(colorCount_));
    for (int i = 0; i < colorCount_; ++i)
        table.push_back(color(i));
    return table;
}

}  // namespace jigsaw
