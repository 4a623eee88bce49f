#include "piece_images.h"

#include <QPainter>

#include <cstdint>

#include "large_buffer.h"

namespace {

bool sheetFits(const jigsaw::PackedDib& sheet, int width, int height)
{
    return !sheet.empty() && (sheet.bitCount() == 24 || sheet.bitCount() == 8) && sheet.width() >= width &&
           sheet.height() >= height;
}

// One row of a piece image: the sheet's colours where the mask bit is 0 (the
// white colour table entry marks a pixel of the piece), transparent where it
// is 1. `maskBit` is the row's first bit in the mask band. The colour lookup
// is chosen once per row, so the inner loop is a bit test and a store.
template <class Colour>
void composeRow(QRgb* out, const std::uint8_t* maskRow, int maskBit, int width, Colour colour)
{
    for (int x = 0; x < width; ++x) {
        const int bit = maskBit + x;
        const bool inside = ((maskRow[bit >> 3] >> (7 - (bit & 7))) & 1) == 0;
        out[x] = inside ? colour(x) : 0;
    }
}

}  // namespace

void PieceImages::clear()
{
    m_cols = 0;
    m_count = 0;
    m_pieceSize = 0;
    m_sheets = {};
    m_tabSides.clear();
}

void PieceImages::rebuild(const CVorpelDoc& doc)
{
    clear();
    const int s = doc.PieceSize();
    const int cols = doc.GetCols();
    const int rows = doc.GetRows();
    const int width = cols * s;
    const int height = rows * s;
    const jigsaw::PackedDib& mask = doc.Mask();
    if (s <= 0 || cols <= 0 || rows <= 0 || mask.empty() || mask.bitCount() != 1 || mask.width() < 4 * width ||
        mask.height() < height)
        return;
    for (int t = 0; t < 4; ++t)
        if (!sheetFits(doc.Sheet(t), width, height))
            return;

    for (int t = 0; t < 4; ++t) {
        const jigsaw::PackedDib& sheet = doc.Sheet(t);
        std::array<QRgb, 256> palette{};
        for (int i = 0; i < sheet.colorCount() && i < 256; ++i) {
            const jigsaw::RGBQUAD c = sheet.color(i);
            palette[static_cast<std::size_t>(i)] = qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        adviseHugePages({image.bits(), static_cast<std::size_t>(image.sizeInBytes())});
        const int bandX = t * width;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = sheet.rowFromTop(y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            if (sheet.bitCount() == 8)
                composeRow(out, mask.rowFromTop(y), bandX, width, [&](int x) { return palette[row[x]]; });
            else
                composeRow(out, mask.rowFromTop(y), bandX, width,
                           [row](int x) { return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); });
        }
        m_sheets[static_cast<std::size_t>(t)] = std::move(image);
    }
    m_cols = cols;
    m_count = cols * rows;
    m_pieceSize = s;
    m_tabSides = FindTabSides(doc);
}

QRect PieceImages::sourceRect(int piece) const
{
    if (m_cols == 0)
        return {};
    return QRect((piece % m_cols) * m_pieceSize, (piece / m_cols) * m_pieceSize, m_pieceSize, m_pieceSize);
}

TabSides PieceImages::tabSides(int piece) const
{
    return piece >= 0 && piece < static_cast<int>(m_tabSides.size()) ? m_tabSides[static_cast<std::size_t>(piece)]
                                                                       : 0;
}

bool PieceImages::canDraw(int piece, int turn) const
{
    return m_pieceSize > 0 && piece >= 0 && piece < m_count && turn >= 1 && turn <= 4;
}

void PieceImages::draw(QPainter& painter, QPoint topLeft, int piece, int turn) const
{
    if (canDraw(piece, turn))
        painter.drawImage(topLeft, sheet(turn), sourceRect(piece));
}

void PieceImages::drawSilhouette(QPainter& painter, QPoint topLeft, int piece, int turn, QColor color) const
{
    if (!canDraw(piece, turn))
        return;
    // The piece's own alpha is its outline: keep it, take the colour.
    QImage tinted(m_pieceSize, m_pieceSize, QImage::Format_ARGB32_Premultiplied);
    tinted.fill(color);
    QPainter tint(&tinted);
    tint.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    tint.drawImage(QPoint(0, 0), sheet(turn), sourceRect(piece));
    tint.end();
    painter.drawImage(topLeft, tinted);
}
