#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace kestra {

// A puzzle is at most 1,220 × 930 pixels and the window at most the screen,
// so a large picture is kept as a reduced copy: the picture surface. Frames
// stay in the picture's own pixels; only the surface is smaller. At creation
// the framed region is read again as finely as the puzzle needs.

// The smallest scale at which the picture keeps, for every puzzle size, at
// least twice the pixels that size takes from its largest frame; 1 when the
// picture must stay whole.
double minimumScale(std::int64_t width, std::int64_t height);

// The smallest scale at which a frame of frameWidth × frameHeight picture
// pixels still gives every one of the puzzle's width × height pixels the
// area of several source pixels, so that averaging them matches averaging
// the whole picture's; 1 when the frame needs every pixel.
double regionScale(double frameWidth, double frameHeight, int width, int height);

// How a decoder reaches at least a scale: libjpeg scales by num/8 while it
// decodes (num 1 to 8), and a further whole factor reduces its rows.
// Decoders that cannot scale themselves keep num 8. Of libjpeg's scales, 1/8
// (each block's mean) and the halvings match an area average best: a region
// read for a puzzle takes only those.
struct DecodeScale {
    int num = 8;
    int factor = 1;
    double scale() const { return num / 8.0 / factor; }
};
DecodeScale jpegDecodeScale(double scale, bool halvingsOnly = false);
DecodeScale wholeFactorScale(double scale);

// A Format_RGB32 image on memory the system may back with large pages, so
// that a picture of hundreds of megabytes is not paged in 4 KiB at a time.
// Null when the memory cannot be had.
QImage makeSurface(int width, int height);

// Collects rows of a picture and keeps the part inside `keep`, averaging each
// block of factor × factor pixels (fewer at keep's right and bottom edges)
// into one pixel of a Format_RGB32 image of ceil(keep.width() / factor) ×
// ceil(keep.height() / factor). Blocks start at keep's top-left corner. Rows
// may come from the top or from the bottom, but each only once.
class RowReducer {
public:
    RowReducer(const QRect& keep, int factor);

    // Null when the image could not be allocated.
    bool isNull() const { return m_image.isNull(); }
    // Where to put row y's kept pixels before passing them to addRow; at
    // factor 1 it is the image's own row, so nothing is copied.
    QRgb* nextRow(int y);
    // Row y of the picture; row[0] is the pixel in column keep.left(). Rows
    // outside keep are ignored.
    void addRow(int y, const QRgb* row);
    QImage take();

private:
    void flush();

    QRect m_keep;
    int m_factor;
    QImage m_image;
    std::vector<QRgb> m_row;            // the next row when it is not the image's own
    std::vector<std::uint32_t> m_sums;  // red, green, blue per output column
    int m_rowsInBlock = 0;
    int m_block = -1;
};

}  // namespace kestra
