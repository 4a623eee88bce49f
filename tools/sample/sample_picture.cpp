#include "sample_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace jigsaw {

namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Smooth value noise from a fixed hash, for ridges, ripples and grass.
double hashNoise(int x, int y)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double smoothNoise(double x, double y)
{
    const int xi = static_cast<int>(std::floor(x));
    const int yi = static_cast<int>(std::floor(y));
    const double fx = x - xi;
    const double fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top = hashNoise(xi, yi) + (hashNoise(xi + 1, yi) - hashNoise(xi, yi)) * sx;
    const double bottom = hashNoise(xi, yi + 1) + (hashNoise(xi + 1, yi + 1) - hashNoise(xi, yi + 1)) * sx;
    return top + (bottom - top) * sy;
}

double fractal(double x, double y)
{
    return 0.55 * smoothNoise(x, y) + 0.3 * smoothNoise(2 * x, 2 * y) + 0.15 * smoothNoise(4 * x, 4 * y);
}

ColorRef toColor(Rgb c)
{
    auto byte = [](double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0)); };
    return rgb(byte(c.r), byte(c.g), byte(c.b));
}

}  // namespace

std::vector<ColorRef> samplePicture(int width, int height)
{
    std::vector<ColorRef> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const double horizon = 0.55;
    const double sunX = 0.72, sunY = 0.22, sunR = 0.07;

    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            const double x = static_cast<double>(px) / width;
            const double y = static_cast<double>(py) / height;
            const double aspect = static_cast<double>(width) / height;

            // Sky: deep blue above, warm near the horizon, with soft clouds.
            Rgb c = mix({40, 90, 170}, {250, 190, 140}, y / horizon);
            const double cloud = fractal(x * 6, y * 14);
            c = mix(c, {255, 250, 245}, (cloud - 0.58) * 3.0 * (1 - y / horizon));
            const double sunD = std::hypot((x - sunX) * aspect, y - sunY);
            c = mix(c, {255, 240, 170}, 0.35 / (1 + std::pow(sunD / sunR, 2) * 3));
            if (sunD < sunR)
                c = mix({255, 230, 120}, {255, 250, 210}, 1 - sunD / sunR);

            // Three ranges of hills, paler with distance.
            const Rgb hillColors[3] = {{120, 130, 170}, {70, 120, 110}, {50, 110, 60}};
            for (int layer = 0; layer < 3; ++layer) {
                const double ridge = horizon - 0.16 + 0.07 * layer +
                                     0.09 * std::sin(x * (5 + 3 * layer) + layer * 1.7) * (0.6 + 0.4 * fractal(x * 4, layer)) +
                                     0.05 * fractal(x * 10, layer + 5.0);
                if (y > ridge && y <= horizon + 0.02 * layer) {
                    const double shade = fractal(x * 25, y * 25) * 0.25;
                    c = mix(hillColors[layer], {20, 40, 30}, shade + (y - ridge) * 1.5);
                }
            }

            if (y > horizon) {
                // Lake on the left with ripples reflecting the sky, meadow on the right.
                const double shore = 0.45 + 0.12 * std::sin(y * 9) + 0.05 * fractal(y * 12, 3);
                if (x < shore && y < 0.85 + 0.03 * std::sin(x * 11 + 1)) {
                    const double ripple = std::sin(y * 220 + fractal(x * 30, y * 30) * 6) * 0.5 + 0.5;
                    c = mix({30, 80, 140}, {150, 190, 225}, 0.3 + 0.4 * ripple * (1 - (y - horizon) * 2));
                } else {
                    const double grass = fractal(x * 60, y * 90);
                    c = mix({70, 150, 50}, {30, 90, 30}, grass + (y - horizon) * 0.4);
                    const double flower = hashNoise(px / 3, py / 3);
                    if (flower > 0.985)
                        c = flower > 0.993 ? Rgb{250, 240, 90} : Rgb{240, 90, 120};
                }
            }
            out[static_cast<std::size_t>(py) * width + px] = toColor(c);
        }
    }
    return out;
}

}  // namespace jigsaw
