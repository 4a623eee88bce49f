#pragma once

#include <QImage>
#include <QSize>

class CVorpelDoc;
class PieceImages;

// The board as it is now, small: every piece on the board at its place and
// turn, scaled down so that all of them fit `size`, on the board's colour.
QImage boardThumbnail(const CVorpelDoc& doc, const PieceImages& images, QSize size = QSize(160, 120));
