#include "piece_shapes.h"

#include <array>
#include <bit>

#include "play_rules.h"
#include "rules_detail.h"

PieceKind KindOfPiece(const CVorpelDoc& doc, int piece)
{
    const int col = piece % doc.GetCols();
    const int row = piece / doc.GetCols();
    const bool acrossEdge = col == 0 || col == doc.GetCols() - 1;
    const bool downEdge = row == 0 || row == doc.GetRows() - 1;
    if (acrossEdge && downEdge)
        return PieceKind::Corner;
    return acrossEdge || downEdge ? PieceKind::Edge : PieceKind::Inner;
}

int TabCount(TabSides sides)
{
    return std::popcount(sides);
}

namespace {

// Pixels of the piece's outline in each band beyond its cell: the strip
// between a grid line and the edge of the piece's image, as long as the
// cell's side. Sides in the document's neighbour order.
std::array<int, 4> PixelsBeyondCell(const CVorpelDoc& doc, int piece)
{
    const int s = doc.PieceSize();
    const int near = doc.GetMargin() / 2;
    const int far = near + doc.Pitch();
    const auto count = [&](int x0, int x1, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += HitTestPieceTurn(doc, x, y, piece, 1) ? 1 : 0;
        return n;
    };
    return {count(near, far, 0, near), count(far, s, near, far), count(near, far, far, s), count(0, near, near, far)};
}

}  // namespace

std::vector<TabSides> FindTabSides(const CVorpelDoc& doc)
{
    const int n = doc.PieceCount();
    if (doc.Mask().empty() || n <= 0 || n > kMaxPieces)
        return {};
    std::vector<std::array<int, 4>> beyond(static_cast<std::size_t>(n));
    for (int piece = 0; piece < n; ++piece)
        beyond[static_cast<std::size_t>(piece)] = PixelsBeyondCell(doc, piece);

    const int cols = doc.GetCols();
    std::vector<TabSides> sides(static_cast<std::size_t>(n), 0);
    for (int piece = 0; piece < n; ++piece) {
        for (int d = 0; d < 4; ++d) {
            const int c = piece % cols + doc.GetDirX(d);
            const int r = piece / cols + doc.GetDirY(d);
            // Beyond the border lies no neighbour to reach back.
            const int across =
                IsCellInPuzzle(doc, c, r) ? beyond[static_cast<std::size_t>(r * cols + c)][(d + 2) % 4] : 0;
            if (beyond[static_cast<std::size_t>(piece)][d] > across)
                sides[static_cast<std::size_t>(piece)] |= static_cast<TabSides>(1 << d);
        }
    }
    return sides;
}

bool FilterShows(TrayFilter filter, PieceKind kind, TabSides sides)
{
    switch (filter) {
    case TrayFilter::All:
        return true;
    case TrayFilter::Edges:
        return kind != PieceKind::Inner;
    case TrayFilter::Inner:
        return kind == PieceKind::Inner;
    default:
        return TabCount(sides) == static_cast<int>(filter) - static_cast<int>(TrayFilter::Tabs0);
    }
}
