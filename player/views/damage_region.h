#pragma once

#include <QRect>
#include <QRegion>

#include <vector>

// The region to repaint for changed rectangles in a viewport `page` (origin
// at 0, 0): the rectangles themselves when they are few; when many groups
// moved, the squares of a grid that they touch, joined into runs, so that
// the region, and each paint of it, holds few rectangles however scattered
// the changes are.
QRegion damageRegion(const std::vector<QRect>& areas, const QRect& page);
