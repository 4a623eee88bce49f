#include "panel_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

using jigsaw::PackedDib;
using jigsaw::RGBQUAD;

constexpr int kWidth = 320;
constexpr int kHeight = 256;

// The frame's bands: columns 0 to 10 and 308 to 319, rows 0 to 10 and 245
// to 255.
constexpr int kLeft = 11;
constexpr int kRight = 12;
constexpr int kTop = 11;
constexpr int kBottom = 11;

bool inFrame(int x, int y)
{
    return x < kLeft || x >= kWidth - kRight || y < kTop || y >= kHeight - kBottom;
}

// The art's colour table: 0 black, 1 to 254 a ramp from the frame's darkest
// to its lightest colour, 255 white.
constexpr int kRampFirst = 1;
constexpr int kRampLevels = 254;
constexpr std::uint8_t kWhiteIndex = 255;

struct Rgb {
    double r, g, b;
};
using Ramp = std::array<Rgb, 4>;

constexpr Ramp kWoodRamp{{{52, 28, 12}, {110, 62, 28}, {163, 104, 54}, {220, 178, 120}}};
constexpr Ramp kLacquerRamp{{{5, 5, 7}, {30, 30, 34}, {78, 78, 86}, {214, 214, 224}}};
constexpr Ramp kGoldRamp{{{66, 42, 8}, {152, 106, 24}, {224, 180, 64}, {255, 244, 178}}};

RGBQUAD rampColor(const Ramp& ramp, int level)
{
    const double t = static_cast<double>(level) / (kRampLevels - 1) * (ramp.size() - 1);
    const auto i = std::min<std::size_t>(static_cast<std::size_t>(t), ramp.size() - 2);
    const double f = t - static_cast<double>(i);
    auto mix = [f](double a, double b) { return static_cast<std::uint8_t>(std::lround(a + (b - a) * f)); };
    return RGBQUAD{mix(ramp[i].b, ramp[i + 1].b), mix(ramp[i].g, ramp[i + 1].g), mix(ramp[i].r, ramp[i + 1].r), 0};
}

// Where a frame pixel lies: on which side (0 top, 1 left, 2 bottom, 3
// right), how deep into the frame (0 on the outer edge), the band's width,
// the position along the side, and whether it lies on the 45° joint of two
// sides.
struct FramePoint {
    int side;
    int depth;
    int width;
    int along;
    bool joint;
};

FramePoint locate(int x, int y)
{
    const std::array<int, 4> depth{y, x, kHeight - 1 - y, kWidth - 1 - x};
    const std::array<int, 4> width{kTop, kLeft, kBottom, kRight};
    int side = -1;
    bool joint = false;
    for (int s = 0; s < 4; ++s) {
        if (depth[s] >= width[s])
            continue;
        if (side < 0 || depth[s] < depth[side]) {
            side = s;
            joint = false;
        } else if (depth[s] == depth[side]) {
            joint = true;
        }
    }
    return {side, depth[side], width[side], side % 2 == 0 ? x : y, joint};
}

// Light falls from the top left: the top and left sides catch it, the
// bottom and right lie in shade, which also marks the mitres.
constexpr std::array<double, 4> kSideLight{1.12, 1.04, 0.78, 0.86};

double bump(double t, double centre, double spread)
{
    const double d = (t - centre) / spread;
    return std::exp(-d * d);
}

// A small deterministic noise in [0, 1) for the wood's fibres.
double noise(int a, int b)
{
    std::uint32_t h = static_cast<std::uint32_t>(a) * 73856093u ^ static_cast<std::uint32_t>(b) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<double>(h & 0xFFFF) / 65536.0;
}

// The brightness of a frame pixel, 0 darkest to 1 lightest, for each panel.
// Wood: grain lines run along the side and wander slowly, a light bevel on
// the inner edge and shadow on the outer.
double woodBrightness(const FramePoint& p)
{
    if (p.depth == 0)
        return 0.08;
    if (p.depth == 1)
        return 0.2;
    if (p.depth == p.width - 1)
        return 0.92;
    if (p.depth == p.width - 2)
        return 0.74;
    const double phase = p.depth * 1.9 + 2.4 * std::sin(p.along * 0.029 + p.side * 1.7) +
                         0.7 * std::sin(p.along * 0.113 + p.side);
    return 0.46 + 0.13 * std::sin(phase) + 0.07 * (noise(p.along / 3, p.depth + 16 * p.side) - 0.5);
}

// Lacquer: deep glossy dark grey with a highlight stripe near the outer edge
// and a thin bright lip on the inner one.
double lacquerBrightness(const FramePoint& p)
{
    if (p.depth == 0)
        return 0.0;
    if (p.depth == p.width - 1)
        return 0.55;
    if (p.depth == p.width - 2)
        return 0.06;
    const double t = static_cast<double>(p.depth) / (p.width - 1);
    return 0.16 + 0.06 * t + 0.62 * bump(t, 0.3, 0.1) + 0.03 * std::sin(p.along * 0.021 + p.side);
}

// Gilded moulding: two gold ridges with a bead line between them.
double goldBrightness(const FramePoint& p)
{
    if (p.depth == 0)
        return 0.1;
    if (p.depth == p.width - 1)
        return 0.95;
    const double t = static_cast<double>(p.depth) / (p.width - 1);
    const double ridges = 0.28 + 0.62 * bump(t, 0.2, 0.11) + 0.5 * bump(t, 0.84, 0.08);
    const double beadBand = 1.0 - std::abs(t - 0.52) / 0.16;
    if (beadBand <= 0.0)
        return ridges;
    const double bead = std::max(0.0, std::cos(2.0 * 3.14159265358979 * p.along / 4.0));
    return 0.3 + 0.6 * bead * beadBand;
}

PackedDib paintPanel(const Ramp& ramp, double (*brightness)(const FramePoint&))
{
    std::array<RGBQUAD, 256> table{};
    for (int level = 0; level < kRampLevels; ++level)
        table[static_cast<std::size_t>(kRampFirst + level)] = rampColor(ramp, level);
    table[kWhiteIndex] = RGBQUAD{255, 255, 255, 0};
    PackedDib dib = PackedDib::create(PackedDib::makeInfo(kWidth, kHeight, 8), table, kWhiteIndex);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = dib.rowFromTop(y);
        for (int x = 0; x < kWidth; ++x) {
            if (!inFrame(x, y))
                continue;
            const FramePoint p = locate(x, y);
            double v = brightness(p) * kSideLight[static_cast<std::size_t>(p.side)];
            if (p.joint)
                v *= 0.7;
            const long level = std::lround(std::clamp(v, 0.0, 1.0) * (kRampLevels - 1));
            row[x] = static_cast<std::uint8_t>(kRampFirst + level);
        }
    }
    return dib;
}

}  // namespace

PackedDib PanelMask()
{
    const RGBQUAD table[] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    PackedDib dib = PackedDib::create(PackedDib::makeInfo(kWidth, kHeight, 8), table, 0);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = dib.rowFromTop(y);
        for (int x = 0; x < kWidth; ++x)
            row[x] = inFrame(x, y) ? 1 : 0;
    }
    return dib;
}

// Any other number has no art: the finished picture is then left unframed.
PackedDib PanelArt(int panel)
{
    switch (panel) {
    case 1:
        return paintPanel(kWoodRamp, woodBrightness);
    case 2:
        return paintPanel(kLacquerRamp, lacquerBrightness);
    case 3:
        return paintPanel(kGoldRamp, goldBrightness);
    default:
        return {};
    }
}
