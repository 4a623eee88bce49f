#include "board_zoom.h"

#include <algorithm>

namespace {

int floorDiv(long long a, long long b)
{
    const long long q = a / b;
    return static_cast<int>((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
}

int ceilDiv(long long a, long long b) { return -floorDiv(-a, b); }

}  // namespace

bool isZoom(int percent)
{
    return (percent >= 1 && percent < kZoomLevels.front()) ||
           std::find(kZoomLevels.begin(), kZoomLevels.end(), percent) != kZoomLevels.end();
}

int nextZoomLevel(int percent, int step)
{
    if (step > 0) {
        const auto up = std::upper_bound(kZoomLevels.begin(), kZoomLevels.end(), percent);
        return up == kZoomLevels.end() ? percent : *up;
    }
    const auto down = std::lower_bound(kZoomLevels.begin(), kZoomLevels.end(), percent);
    return down == kZoomLevels.begin() ? percent : *(down - 1);
}

int zoomedLength(int board, int percent) { return floorDiv(static_cast<long long>(board) * percent, 100); }

QPoint zoomedPoint(QPoint board, int percent)
{
    return QPoint(zoomedLength(board.x(), percent), zoomedLength(board.y(), percent));
}

QPoint boardPointOf(QPoint zoomed, int percent)
{
    return QPoint(floorDiv(static_cast<long long>(zoomed.x()) * 100, percent),
                  floorDiv(static_cast<long long>(zoomed.y()) * 100, percent));
}

QRect zoomedArea(const QRect& board, int percent)
{
    if (board.isEmpty() || percent == kActualSize)
        return board;
    const QPoint topLeft = zoomedPoint(board.topLeft(), percent) - QPoint(1, 1);
    const QPoint end(ceilDiv(static_cast<long long>(board.x() + board.width()) * percent, 100) + 1,
                     ceilDiv(static_cast<long long>(board.y() + board.height()) * percent, 100) + 1);
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}
