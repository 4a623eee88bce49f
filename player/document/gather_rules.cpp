#include <algorithm>
#include <vector>

#include "play_rules.h"
#include "row_layout.h"
#include "rules_detail.h"

namespace {

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Whether the player can see and take hold of p's group in `area`: the core
// square of one of its pieces lies wholly inside.
bool ShowsAPiece(const CVorpelDoc& doc, int p, const RECT& area)
{
    const int margin = doc.GetMargin();
    bool shows = false;
    ForEachMember(doc, p, [&](int c, int r) {
        const RECT& rect = doc.PieceRect()[c][r];
        shows = shows || Contains(area, RECT{rect.left + margin, rect.top + margin, rect.right - margin,
                                            rect.bottom - margin});
    });
    return shows;
}

void MoveGroupBy(CVorpelDoc& doc, int p, int dx, int dy)
{
    ForEachMember(doc, p, [&](int c, int r) {
        RECT& rect = doc.PieceRect()[c][r];
        rect = RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
    });
}

}  // namespace

int GatherGroups(CVorpelDoc& doc, const RECT& area)
{
    const RECT target{std::max(0, area.left), std::max(0, area.top), area.right, area.bottom};
    if (IsEmptyRect(target))
        return 0;
    const int cols = doc.GetCols();
    const int n = doc.PieceCount();
    // One piece of each group on the board, bottom of the stacking first,
    // split into the groups that stay and those that move.
    CellGrid<std::uint8_t> seen{};
    std::vector<int> outlying;
    std::vector<RECT> inView;
    for (int z = 0; z < n; ++z) {
        const int c = doc.ZCol()[z];
        const int r = doc.ZRow()[z];
        const int id = r * cols + c;
        if (!IsCellInPuzzle(doc, c, r) || seen[c][r] || doc.GetBoardTurn(id) == 0)
            continue;
        ForEachMember(doc, id, [&](int mc, int mr) { seen[mc][mr] = 1; });
        seen[c][r] = 1;
        if (!ShowsAPiece(doc, id, target)) {
            outlying.push_back(id);
            continue;
        }
        ForEachMember(doc, id, [&](int mc, int mr) { inView.push_back(doc.PieceRect()[mc][mr]); });
    }

    const int step = std::max(1, doc.GetMargin() / 2);
    RowLayout rows(target, step, std::move(inView));
    int spread = 0;
    for (const int id : outlying) {
        const RECT bounds = GroupBounds(doc, id);
        const int width = bounds.right - bounds.left;
        const int height = bounds.bottom - bounds.top;
        POINT spot{target.left, target.top};
        const int roomX = target.right - target.left - width;
        const int roomY = target.bottom - target.top - height;
        if (roomX >= 0 && roomY >= 0 && !rows.place(width, height, spot)) {
            spot = POINT{target.left + spread * step % (roomX + 1), target.top + spread * step % (roomY + 1)};
            ++spread;
        }
        MoveGroupBy(doc, id, spot.x - bounds.left, spot.y - bounds.top);
    }
    return static_cast<int>(outlying.size());
}
