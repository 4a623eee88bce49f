#include "area_scaler.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kestra {

namespace {

// For one axis: which source pixels each output pixel covers and by how much.
// Weights of one output pixel sum to 1 (less where the area leaves the
// picture, since those pixels are black).
struct AxisWeights {
    std::vector<int> first;     // per output pixel: index into taps
    std::vector<int> count;
    std::vector<int> source;    // per tap: source pixel
    std::vector<float> weight;  // per tap: share of the output pixel
};

// `begin` and `end` are in picture pixels, of which `pictureSize` span the
// `sourceSize` source pixels, or which map to source coordinates at `toSource`
// less `offset`. A whole-number offset moves the taps without changing a
// weight, so a region of the picture gives the bytes the whole picture gives.
AxisWeights axisWeights(int begin, int end, int outCount, int sourceSize, int pictureSize, double toSource,
                        double offset)
{
    AxisWeights a;
    a.first.resize(static_cast<std::size_t>(outCount));
    a.count.resize(static_cast<std::size_t>(outCount));
    if (toSource <= 0.0)
        toSource = pictureSize > 0 ? static_cast<double>(sourceSize) / pictureSize : 1.0;
    const double scale = static_cast<double>(end - begin) * toSource / outCount;
    const double start = begin * toSource;
    for (int i = 0; i < outCount; ++i) {
        const double lo = (start + i * scale) - offset;
        const double hi = (start + (i + 1) * scale) - offset;
        a.first[static_cast<std::size_t>(i)] = static_cast<int>(a.source.size());
        for (int s = static_cast<int>(std::floor(lo)); s < hi; ++s) {
            const double cover = std::min<double>(s + 1, hi) - std::max<double>(s, lo);
            if (s < 0 || s >= sourceSize || cover <= 0.0)
                continue;
            a.source.push_back(s);
            a.weight.push_back(static_cast<float>(cover / scale));
        }
        a.count[static_cast<std::size_t>(i)] = static_cast<int>(a.source.size()) - a.first[static_cast<std::size_t>(i)];
    }
    return a;
}

}  // namespace

std::vector<jigsaw::ColorRef> scaleArea(const SourcePicture& source, const FrameRect& frame, int width, int height,
                                        const StageProgress& progress)
{
    const AxisWeights ax =
        axisWeights(frame.left, frame.right, width, source.width, source.pictureWidth, source.scale, source.offsetX);
    const AxisWeights ay =
        axisWeights(frame.top, frame.bottom, height, source.height, source.pictureHeight, source.scale, source.offsetY);

    // The output row being summed, three channels per pixel.
    std::vector<float> sum(static_cast<std::size_t>(width) * 3);
    std::vector<jigsaw::ColorRef> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));

    for (int y = 0; y < height; ++y) {
        if (progress)
            progress(y, height - 1);
        std::fill(sum.begin(), sum.end(), 0.0f);
        const int firstTap = ay.first[static_cast<std::size_t>(y)];
        for (int t = firstTap; t < firstTap + ay.count[static_cast<std::size_t>(y)]; ++t) {
            const std::uint32_t* row = source.pixels + static_cast<std::size_t>(ay.source[static_cast<std::size_t>(t)]) * source.stride;
            const float wy = ay.weight[static_cast<std::size_t>(t)];
            for (int x = 0; x < width; ++x) {
                float r = 0, g = 0, b = 0;
                const int f = ax.first[static_cast<std::size_t>(x)];
                for (int k = f; k < f + ax.count[static_cast<std::size_t>(x)]; ++k) {
                    const std::uint32_t p = row[ax.source[static_cast<std::size_t>(k)]];
                    const float wx = ax.weight[static_cast<std::size_t>(k)];
                    r += wx * static_cast<float>((p >> 16) & 0xFF);
                    g += wx * static_cast<float>((p >> 8) & 0xFF);
                    b += wx * static_cast<float>(p & 0xFF);
                }
                float* s = &sum[static_cast<std::size_t>(x) * 3];
                s[0] += wy * r;
                s[1] += wy * g;
                s[2] += wy * b;
            }
        }
        jigsaw::ColorRef* dst = &out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)];
        for (int x = 0; x < width; ++x) {
            const float* s = &sum[static_cast<std::size_t>(x) * 3];
            const auto channel = [](float v) { return static_cast<std::uint8_t>(std::clamp(v + 0.5f, 0.0f, 255.0f)); };
            dst[x] = jigsaw::rgb(channel(s[0]), channel(s[1]), channel(s[2]));
        }
    }
    return out;
}

}  // namespace kestra
