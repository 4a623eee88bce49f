#pragma once

#include <vector>

#include "vorpel_doc.h"

// Whether two board rectangles share a pixel; touching edges do not.
bool RectsOverlap(const RECT& a, const RECT& b);

// Finds spots for rectangles in reading order: along a line until one fits
// between what is there, then a line further down. The search goes on from
// the last spot found, so that the rectangles follow one another.
class RowLayout {
public:
    RowLayout(const RECT& area, int lineStep, std::vector<RECT> occupied);

    // The top-left of a free spot for a width × height rectangle, now taken;
    // false when the rest of the area holds none.
    bool place(int width, int height, POINT& spot);

private:
    RECT m_area;
    int m_lineStep;
    std::vector<RECT> m_occupied;
    int m_x;
    int m_y;
};
