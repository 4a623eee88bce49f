#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>

class PieceImages;
class QPainter;

// Paints pieces at a zoom level. Below actual size it paints from copies of
// the piece sheets reduced smoothly, made the first time a turn is painted
// at a level; only one level's copies are kept, so that they never take more
// memory than the sheets themselves. Above actual size it scales smoothly as
// it paints, as only a few pieces are then in view.
class ZoomedPieces {
public:
    explicit ZoomedPieces(const PieceImages& images) : m_images(images) {}

    // Paints the piece with its image's top-left at `topLeft`, at `percent`
    // of actual size.
    void draw(QPainter& painter, QPoint topLeft, int piece, int turn, int percent);

private:
    const QImage& reducedSheet(int turn, int percent);
    QRect reducedRect(int piece, int percent) const;

    const PieceImages& m_images;
    int m_reducedPercent = 0;
    std::array<QImage, 4> m_reduced;
    // Which sheets the reduced copies were made from: new piece images make
    // them again.
    std::array<qint64, 4> m_reducedFrom{};
};
