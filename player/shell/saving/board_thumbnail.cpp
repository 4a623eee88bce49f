#include "board_thumbnail.h"

#include "piece_images.h"
#include "vorpel_doc.h"

#include <QPainter>

#include <algorithm>

QImage boardThumbnail(const CVorpelDoc& doc, const PieceImages& images, QSize size)
{
    QImage out(size, QImage::Format_RGB32);
    out.fill(QColor(0, 128, 0));
    const int cols = doc.GetCols();
    QRect bounds;
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < doc.GetRows(); ++r)
            if (doc.GetBoardTurn(r * cols + c) != 0) {
                const RECT& p = doc.PieceRect()[c][r];
                bounds |= QRect(QPoint(p.left, p.top), QPoint(p.right - 1, p.bottom - 1));
            }
    if (bounds.isEmpty() || images.isEmpty())
        return out;
    const double scale = std::min({1.0, double(size.width()) / bounds.width(), double(size.height()) / bounds.height()});
    QPainter painter(&out);
    painter.scale(scale, scale);
    painter.translate(-bounds.topLeft());
    const int n = std::min(doc.PieceCount(), kMaxPieces);
    for (int z = 0; z < n; ++z) {
        const int c = doc.ZCol()[z];
        const int r = doc.ZRow()[z];
        if (c < 0 || r < 0 || c >= cols || r >= doc.GetRows())
            continue;
        const int id = r * cols + c;
        const int turn = doc.GetBoardTurn(id);
        if (turn != 0)
            images.draw(painter, QPoint(doc.PieceRect()[c][r].left, doc.PieceRect()[c][r].top), id, turn);
    }
    return out;
}
