#include "row_layout.h"

#include <algorithm>
#include <utility>

bool RectsOverlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

RowLayout::RowLayout(const RECT& area, int lineStep, std::vector<RECT> occupied)
    : m_area(area), m_lineStep(lineStep), m_occupied(std::move(occupied)), m_x(area.left), m_y(area.top)
{
}

bool RowLayout::place(int width, int height, POINT& spot)
{
    for (; m_y + height <= m_area.bottom; m_y += m_lineStep, m_x = m_area.left) {
        while (m_x + width <= m_area.right) {
            const RECT candidate{m_x, m_y, m_x + width, m_y + height};
            const auto hit = std::find_if(m_occupied.begin(), m_occupied.end(),
                                          [&](const RECT& o) { return RectsOverlap(o, candidate); });
            if (hit == m_occupied.end()) {
                m_occupied.push_back(candidate);
                spot = POINT{m_x, m_y};
                return true;
            }
            m_x = hit->right;
        }
    }
    return false;
}
