#include "sample_scene.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "sample_picture.h"

namespace jigsaw {

namespace {

// Painting in picture-relative coordinates (0..1 across and down).
class Canvas {
public:
    Canvas(std::vector<ColorRef>& pixels, int width, int height) : p_(pixels), w_(width), h_(height) {}

    template <class Inside>
    void paint(double x0, double y0, double x1, double y1, ColorRef c, Inside inside)
    {
        for (int py = row(y0); py <= row(y1); ++py)
            for (int px = col(x0); px <= col(x1); ++px) {
                const double x = (px + 0.5) / w_;
                const double y = (py + 0.5) / h_;
                if (inside(x, y))
                    p_[static_cast<std::size_t>(py) * w_ + px] = c;
            }
    }
    void rect(double x0, double y0, double x1, double y1, ColorRef c)
    {
        paint(x0, y0, x1, y1, c, [](double, double) { return true; });
    }
    // An ellipse given in relative units of the picture's height, so it is round.
    void disc(double cx, double cy, double r, ColorRef c)
    {
        const double rx = r * h_ / w_;
        paint(cx - rx, cy - r, cx + rx, cy + r, c,
              [&](double x, double y) { return std::pow((x - cx) / rx, 2) + std::pow((y - cy) / r, 2) <= 1; });
    }
    // Triangle with a horizontal base from (x0, base) to (x1, base) and its apex at (ax, ay).
    void triangle(double x0, double x1, double base, double ax, double ay, ColorRef c)
    {
        paint(std::min(x0, ax), std::min(base, ay), std::max(x1, ax), std::max(base, ay), c, [&](double x, double y) {
            const double t = (y - ay) / (base - ay);
            if (t < 0 || t > 1)
                return false;
            return x >= ax + (x0 - ax) * t && x <= ax + (x1 - ax) * t;
        });
    }

private:
    int col(double x) const { return std::clamp(static_cast<int>(x * w_), 0, w_ - 1); }
    int row(double y) const { return std::clamp(static_cast<int>(y * h_), 0, h_ - 1); }

    std::vector<ColorRef>& p_;
    int w_;
    int h_;
};

void tree(Canvas& c, double x, double y, double size)
{
    c.rect(x - size * 0.08, y, x + size * 0.08, y + size * 0.9, rgb(110, 70, 40));
    c.disc(x, y - size * 0.2, size * 0.55, rgb(30, 100, 40));
    c.disc(x - size * 0.12, y - size * 0.35, size * 0.35, rgb(60, 140, 55));
}

}  // namespace

std::vector<ColorRef> sampleScene(int width, int height)
{
    std::vector<ColorRef> pixels = samplePicture(width, height);
    Canvas c(pixels, width, height);

    // A sandy path winding from the cottage door to the bottom edge.
    c.paint(0.55, 0.70, 1.0, 1.0, rgb(215, 185, 130), [](double x, double y) {
        const double centre = 0.735 + 0.06 * std::sin((y - 0.70) * 9);
        return std::abs(x - centre) < 0.012 + (y - 0.70) * 0.06;
    });

    // The cottage: cream walls, a red roof, a door, two windows and a chimney.
    c.rect(0.78, 0.55, 0.795, 0.61, rgb(150, 60, 50));
    c.rect(0.66, 0.62, 0.81, 0.72, rgb(245, 230, 190));
    c.triangle(0.645, 0.825, 0.625, 0.735, 0.53, rgb(200, 40, 40));
    c.rect(0.725, 0.66, 0.745, 0.72, rgb(120, 70, 40));
    c.rect(0.675, 0.645, 0.705, 0.68, rgb(90, 160, 220));
    c.rect(0.765, 0.645, 0.795, 0.68, rgb(90, 160, 220));

    // Trees around the meadow.
    tree(c, 0.58, 0.63, 0.06);
    tree(c, 0.88, 0.66, 0.07);
    tree(c, 0.95, 0.78, 0.09);
    tree(c, 0.62, 0.86, 0.08);

    // A sailboat on the lake: brown hull, white and orange sails, a red flag.
    c.paint(0.13, 0.70, 0.27, 0.73, rgb(130, 80, 45), [](double x, double y) {
        const double inset = (y - 0.70) * 1.2;
        return x >= 0.13 + inset && x <= 0.27 - inset;
    });
    c.rect(0.199, 0.56, 0.203, 0.70, rgb(90, 60, 40));
    c.paint(0.205, 0.57, 0.26, 0.69, rgb(250, 250, 245), [](double x, double y) {
        return x <= 0.205 + (y - 0.57) / 0.12 * 0.05;
    });
    c.paint(0.15, 0.59, 0.197, 0.69, rgb(250, 150, 50), [](double x, double y) {
        return x >= 0.197 - (y - 0.59) / 0.10 * 0.045;
    });
    c.paint(0.203, 0.555, 0.225, 0.575, rgb(220, 30, 40), [](double x, double y) {
        return x <= 0.225 - std::abs(y - 0.565) * 1.1;
    });

    // A kite in the sky with its tail.
    c.paint(0.30, 0.12, 0.36, 0.26, rgb(230, 50, 130), [](double x, double y) {
        return std::abs(x - 0.33) / 0.03 + std::abs(y - 0.19) / 0.07 <= 1;
    });
    c.paint(0.30, 0.12, 0.36, 0.26, rgb(250, 220, 60), [](double x, double y) {
        return std::abs(x - 0.33) / 0.03 + std::abs(y - 0.19) / 0.07 <= 1 && x > 0.33 && y < 0.19;
    });
    for (int k = 0; k < 5; ++k)
        c.disc(0.335 + 0.012 * k, 0.27 + 0.025 * k, 0.006, k % 2 ? rgb(60, 120, 230) : rgb(250, 220, 60));
    return pixels;
}

}  // namespace jigsaw
