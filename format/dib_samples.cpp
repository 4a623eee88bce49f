#include "dib_samples.h"

#include <array>

#include "format_error.h"

namespace jigsaw {

std::vector<ColorRef> dibSamples(const PackedDib& dib)
{
    const int w = dib.width();
    const int h = dib.height();
    const int bits = dib.bitCount();
    if (bits != 4 && bits != 8 && bits != 24)
        throw FormatError(ErrorCode::UnsupportedBitCount, {bits});

    std::array<ColorRef, 256> palette{};
    for (int i = 0; i < dib.colorCount() && i < 256; ++i) {
        const RGBQUAD c = dib.color(i);
        palette[static_cast<std::size_t>(i)] = rgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }

    std::vector<ColorRef> out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    ColorRef* dst = out.data();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = dib.rowFromTop(y);
        for (int x = 0; x < w; ++x) {
            switch (bits) {
            case 4:
                *dst++ = palette[(x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4)];
                break;
            case 8:
                *dst++ = palette[row[x]];
                break;
            default:
                *dst++ = rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            }
        }
    }
    return out;
}

}  // namespace jigsaw
