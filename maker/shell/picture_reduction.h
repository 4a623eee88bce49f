#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace kestra {

// A puzzle is at most 1,220 × 930 pixels and the window at most the screen,
// so a large picture is kept as a reduced copy: the picture surface. Frames
// stay in the picture's own pixels; only the surface is smaller.

// The smallest scale at which the picture keeps, for every puzzle size, at
// least twice the pixels that size takes from its largest frame; 1 when the
// picture must stay whole.
double minimumScale(std::int64_t width, std::int64_t height);

// How a JPEG decoder reaches that scale: libjpeg scales by num/8 while it
// decodes (num 1 to 8), and a further whole factor reduces its rows.
struct DecodeScale {
    int num = 8;
    int factor = 1;
};
DecodeScale jpegDecodeScale(std::int64_t width, std::int64_t height);

// The whole factor for decoders that cannot scale themselves.
int reductionFactor(std::int64_t width, std::int64_t height);

// A Format_RGB32 image on memory the system may back with large pages, so
// that a picture of hundreds of megabytes is not paged in 4 KiB at a time.
// Null when the memory cannot be had.
QImage makeSurface(int width, int height);

// Collects the rows of a picture, from the top, and averages each block of
// factor × factor pixels (fewer at the right and bottom edges) into one pixel
// of a Format_RGB32 image of ceil(width / factor) × ceil(height / factor).
class RowReducer {
public:
    RowReducer(int width, int height, int factor);

    // Null when the image could not be allocated.
    bool isNull() const { return m_image.isNull(); }
    // Where to put the next row's `width` pixels before passing them to
    // addRow; at factor 1 it is the image's own row, so nothing is copied.
    QRgb* nextRow();
    void addRow(const QRgb* row);
    QImage take() { return std::move(m_image); }

private:
    void flush();

    int m_width;
    int m_height;
    int m_factor;
    QImage m_image;
    std::vector<QRgb> m_row;            // the next row when it is not the image's own
    std::vector<std::uint32_t> m_sums;  // red, green, blue per output column
    int m_rowsInBlock = 0;
    int m_rowsSeen = 0;
    int m_outRow = 0;
};

}  // namespace kestra
