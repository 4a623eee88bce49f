#pragma once

#include <QPoint>
#include <QRect>

#include <array>

// The board's zoom levels, in percent of actual size, and the arithmetic
// between board coordinates and zoomed coordinates (board coordinates times
// the level). Zoomed coordinates round down, also below zero, so that a
// board point maps to the zoomed pixel that holds it.
inline constexpr std::array<int, 8> kZoomLevels{10, 25, 33, 50, 67, 100, 150, 200};
inline constexpr int kActualSize = 100;

bool isZoomLevel(int percent);
// The next level up (step 1) or down (step -1), or `percent` at either end.
int nextZoomLevel(int percent, int step);

int zoomedLength(int board, int percent);
QPoint zoomedPoint(QPoint board, int percent);
// The board point in zoomed pixel `zoomed`.
QPoint boardPointOf(QPoint zoomed, int percent);
// The zoomed pixels a board rectangle touches; away from actual size one
// more pixel each way, for what rounding and smooth scaling add.
QRect zoomedArea(const QRect& board, int percent);
