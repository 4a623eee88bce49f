#include <array>
#include <bit>
#include <cstdint>

#include "data_creation.h"

namespace kestra {

namespace {

int brightness(const jigsaw::RGBQUAD& q)
{
    return q.rgbRed + q.rgbGreen + q.rgbBlue;
}

// 256 bits, one per colour-table entry.
using EntrySet = std::array<std::uint64_t, 4>;

// For every value 0..255 of one channel, the entries whose channel differs
// from it by less than 30. A colour's candidates are the intersection of its
// three channels' sets, so the mapping costs four ANDs per pixel instead of a
// walk over the table.
std::array<EntrySet, 256> channelSets(const Palette& palette, std::uint8_t jigsaw::RGBQUAD::*channel)
{
    std::array<EntrySet, 256> sets{};
    for (int v = 0; v < 256; ++v)
        for (int i = 0; i < 256; ++i) {
            const int d = v - palette[static_cast<std::size_t>(i)].*channel;
            if (d > -30 && d < 30)
                sets[static_cast<std::size_t>(v)][static_cast<std::size_t>(i / 64)] |= std::uint64_t{1} << (i % 64);
        }
    return sets;
}

}  // namespace

IndexedSamples mapToPalette(const std::vector<jigsaw::ColorRef>& picture, int width, int height, Palette& palette,
                            const StageProgress& progress)
{
    IndexedSamples out;
    int light = -1, dark = 1000, white = -1, black = 1000;
    for (int i = 0; i < 256; ++i) {
        const int s = brightness(palette[static_cast<std::size_t>(i)]);
        const auto index = static_cast<std::uint8_t>(i);
        if (s < 600 && s > light) {
            light = s;
            out.lightIndex = index;
        }
        if (s > 165 && s < dark) {
            dark = s;
            out.darkIndex = index;
        }
        if (s > white) {
            white = s;
            out.whiteIndex = index;
        }
        if (s < black) {
            black = s;
            out.blackIndex = index;
        }
    }

    // The table as the surface shows it, taken before white and black are
    // forced: the mapping compares against these colours.
    const auto reds = channelSets(palette, &jigsaw::RGBQUAD::rgbRed);
    const auto greens = channelSets(palette, &jigsaw::RGBQUAD::rgbGreen);
    const auto blues = channelSets(palette, &jigsaw::RGBQUAD::rgbBlue);

    palette[out.whiteIndex] = jigsaw::RGBQUAD{255, 255, 255, 0};
    palette[out.blackIndex] = jigsaw::RGBQUAD{0, 0, 0, 0};

    out.indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        if (progress)
            progress(y, height - 1);
        const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const jigsaw::ColorRef c = picture[rowStart + static_cast<std::size_t>(x)];
            std::uint8_t index = out.whiteIndex;
            if (c == jigsaw::rgb(0, 0, 0)) {
                index = out.blackIndex;
            } else if (c != jigsaw::rgb(255, 255, 255)) {
                const EntrySet& r = reds[jigsaw::redOf(c)];
                const EntrySet& g = greens[jigsaw::greenOf(c)];
                const EntrySet& b = blues[jigsaw::blueOf(c)];
                for (int word = 3; word >= 0; --word) {
                    const auto w = static_cast<std::size_t>(word);
                    const std::uint64_t both = r[w] & g[w] & b[w];
                    if (both != 0) {
                        index = static_cast<std::uint8_t>(word * 64 + 63 - std::countl_zero(both));
                        break;
                    }
                }
            }
            out.indices[rowStart + static_cast<std::size_t>(x)] = index;
        }
    }
    return out;
}

}  // namespace kestra
