#include "picture_region.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

namespace kestra {

namespace {

// The decoder's output size at num/8, as libjpeg rounds it.
int outputSide(int side, int num)
{
    return static_cast<int>((static_cast<std::int64_t>(side) * num + 7) / 8);
}

// Whether the upright picture's x (or y) axis runs against the stored one's.
bool mirrorsX(int orientation)
{
    return orientation == 2 || orientation == 3 || orientation == 6 || orientation == 7;
}

bool mirrorsY(int orientation)
{
    return orientation == 3 || orientation == 4 || orientation == 7 || orientation == 8;
}

std::uint32_t readExif(const std::uint8_t* p, int bytes, bool bigEndian)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<std::uint32_t>(p[bigEndian ? i : bytes - 1 - i]) << (8 * (bytes - 1 - i));
    return v;
}

}  // namespace

bool swapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

int exifOrientation(const std::uint8_t* data, std::size_t size)
{
    // "Exif\0\0", then a TIFF header and its first directory.
    if (size < 14 || std::memcmp(data, "Exif\0\0", 6) != 0)
        return 1;
    const std::uint8_t* tiff = data + 6;
    const std::size_t length = size - 6;
    const bool big = tiff[0] == 'M' && tiff[1] == 'M';
    if (!big && !(tiff[0] == 'I' && tiff[1] == 'I'))
        return 1;
    const std::uint32_t dir = readExif(tiff + 4, 4, big);
    if (dir > length - 2)
        return 1;
    const std::uint32_t entries = readExif(tiff + dir, 2, big);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t at = dir + 2 + 12 * static_cast<std::size_t>(i);
        if (at + 12 > length)
            return 1;
        if (readExif(tiff + at, 2, big) == 0x0112 && readExif(tiff + at + 2, 2, big) == 3) {
            const std::uint32_t value = readExif(tiff + at + 8, 2, big);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

DecodePlan planDecode(int storedWidth, int storedHeight, int orientation, const PictureRegion* region,
                      bool scalesWhileDecoding)
{
    const bool swap = swapsSides(orientation);
    const int uprightWidth = swap ? storedHeight : storedWidth;
    const int uprightHeight = swap ? storedWidth : storedHeight;
    const double scale = region != nullptr ? regionScale(region->right - region->left, region->bottom - region->top,
                                                         region->width, region->height)
                                           : minimumScale(uprightWidth, uprightHeight);
    DecodePlan plan;
    plan.scale = scalesWhileDecoding ? jpegDecodeScale(scale, region != nullptr) : wholeFactorScale(scale);
    const int num = plan.scale.num;
    const int f = plan.scale.factor;
    const int outWidth = outputSide(storedWidth, num);
    const int outHeight = outputSide(storedHeight, num);
    if (region == nullptr) {
        plan.keep = QRect(0, 0, outWidth, outHeight);
        return plan;
    }
    // The frame on the stored picture, in its picture pixels.
    double x0 = region->left, x1 = region->right, y0 = region->top, y1 = region->bottom;
    if (mirrorsX(orientation))
        std::tie(x0, x1) = std::pair(uprightWidth - x1, uprightWidth - x0);
    if (mirrorsY(orientation))
        std::tie(y0, y1) = std::pair(uprightHeight - y1, uprightHeight - y0);
    if (swap) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    // In output pixels, widened to whole blocks of the factor and kept inside.
    const auto span = [&](double lo, double hi, int out) {
        int a = static_cast<int>(std::floor(std::clamp(lo, 0.0, 8.0 * out / num) * num / 8.0));
        int b = static_cast<int>(std::ceil(std::clamp(hi, 0.0, 8.0 * out / num) * num / 8.0));
        a = std::min(a / f * f, out - 1);
        b = std::clamp((b + f - 1) / f * f, a + 1, out);
        return std::pair(a, b);
    };
    const auto [left, right] = span(x0, x1, outWidth);
    const auto [top, bottom] = span(y0, y1, outHeight);
    plan.keep = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    return plan;
}

void placePart(LoadedPicture& picture, const QImage& part, const DecodePlan& plan, int storedWidth, int storedHeight,
               int orientation)
{
    const double s = plan.scale.scale();
    const int f = plan.scale.factor;
    // Where the part starts on the stored picture's reduced grid, and how far
    // that grid reaches.
    const double gridLeft = plan.keep.left() / f;
    const double gridTop = plan.keep.top() / f;
    const double gridWidth = storedWidth * s;
    const double gridHeight = storedHeight * s;
    picture.scale = s;
    const bool swap = swapsSides(orientation);
    const bool mx = mirrorsX(orientation);
    const bool my = mirrorsY(orientation);
    // The upright x axis is the stored x axis, or the stored y axis when
    // the sides swap; a mirrored axis counts from the grid's far end.
    const double alongX = swap ? gridTop : gridLeft;
    const double alongY = swap ? gridLeft : gridTop;
    const int partX = swap ? part.height() : part.width();
    const int partY = swap ? part.width() : part.height();
    picture.offsetX = mx ? (swap ? gridHeight : gridWidth) - alongX - partX : alongX;
    picture.offsetY = my ? (swap ? gridWidth : gridHeight) - alongY - partY : alongY;
    if (orientation <= 1 || orientation > 8) {
        picture.image = part;
        return;
    }
    QImage upright = makeSurface(partX, partY);
    if (upright.isNull())
        return;
    for (int y = 0; y < partY; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(upright.scanLine(y));
        const int sy = my ? partY - 1 - y : y;
        for (int x = 0; x < partX; ++x) {
            const int sx = mx ? partX - 1 - x : x;
            dst[x] = swap ? reinterpret_cast<const QRgb*>(part.constScanLine(sx))[sy]
                          : reinterpret_cast<const QRgb*>(part.constScanLine(sy))[sx];
        }
    }
    picture.image = std::move(upright);
}

}  // namespace kestra
