#include "damage_region.h"

#include <cstdint>

namespace {

constexpr std::size_t kFewAreas = 16;
constexpr int kTile = 32;

}  // namespace

QRegion damageRegion(const std::vector<QRect>& areas, const QRect& page)
{
    if (areas.size() <= kFewAreas) {
        QRegion region;
        for (const QRect& area : areas)
            region += area & page;
        return region;
    }
    const int cols = (page.width() + kTile - 1) / kTile;
    const int rows = (page.height() + kTile - 1) / kTile;
    std::vector<std::uint8_t> touched(static_cast<std::size_t>(cols) * rows);
    for (const QRect& area : areas) {
        const QRect shown = area & page;
        if (shown.isEmpty())
            continue;
        for (int ty = shown.top() / kTile; ty <= shown.bottom() / kTile; ++ty)
            for (int tx = shown.left() / kTile; tx <= shown.right() / kTile; ++tx)
                touched[static_cast<std::size_t>(ty) * cols + tx] = 1;
    }
    // Runs of touched squares, row by row: rows of equal height, each run
    // apart from the next, as QRegion keeps its rectangles.
    std::vector<QRect> rects;
    for (int ty = 0; ty < rows; ++ty) {
        const std::uint8_t* row = touched.data() + static_cast<std::size_t>(ty) * cols;
        for (int tx = 0; tx < cols;) {
            if (!row[tx]) {
                ++tx;
                continue;
            }
            const int start = tx;
            while (tx < cols && row[tx])
                ++tx;
            rects.push_back(QRect(start * kTile, ty * kTile, (tx - start) * kTile, kTile) & page);
        }
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}
