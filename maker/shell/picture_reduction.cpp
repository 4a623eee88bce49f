#include "picture_reduction.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <sys/mman.h>

#include "geometry.h"

namespace kestra {

namespace {

constexpr double kPixelsPerPuzzlePixel = 2.0;

// Source pixels per puzzle pixel along each side when a region is read
// again: enough that what the decoder's own reduction smooths away is what
// the area average removes anyway (a detailed photo's frames stay within
// 40 dB of the exact average of the whole picture).
constexpr double kRegionOversampling = 3.0;

}  // namespace

double minimumScale(std::int64_t width, std::int64_t height)
{
    double scale = 0.0;
    for (const jigsaw::PuzzleSize& size : jigsaw::puzzleSizes()) {
        const double W = size.geometry.width();
        const double H = size.geometry.height();
        // The largest frame of the puzzle's proportions, as the frame is set up.
        double h = static_cast<double>(height - 8);
        double w = h * W / H;
        if (w > static_cast<double>(width)) {
            w = static_cast<double>(width);
            h = w * H / W;
        }
        if (w <= 0.0 || h <= 0.0)
            return 1.0;
        scale = std::max(scale, std::sqrt(kPixelsPerPuzzlePixel * W * H / (w * h)));
    }
    return std::min(scale, 1.0);
}

double regionScale(double frameWidth, double frameHeight, int width, int height)
{
    if (frameWidth <= 0.0 || frameHeight <= 0.0)
        return 1.0;
    return std::min(1.0, kRegionOversampling * std::max(width / frameWidth, height / frameHeight));
}

DecodeScale jpegDecodeScale(double scale, bool halvingsOnly)
{
    DecodeScale d;
    for (int num = 1; num <= 8; ++num) {
        if (halvingsOnly && (num & (num - 1)) != 0)
            continue;
        d.num = num;
        if (num / 8.0 >= scale - 1e-9)
            break;
    }
    d.factor = std::max(1, static_cast<int>(d.num / 8.0 / scale + 1e-9));
    return d;
}

DecodeScale wholeFactorScale(double scale)
{
    DecodeScale d;
    d.factor = std::max(1, static_cast<int>(1.0 / scale + 1e-9));
    return d;
}

QImage makeSurface(int width, int height)
{
    constexpr std::size_t kLargePage = 2u << 20;
    const std::size_t bytesPerLine = static_cast<std::size_t>(width) * 4;
    const std::size_t bytes = bytesPerLine * static_cast<std::size_t>(height);
    if (width <= 0 || height <= 0 || bytes < kLargePage)
        return QImage(width, height, QImage::Format_RGB32);
    void* memory = std::aligned_alloc(kLargePage, (bytes + kLargePage - 1) / kLargePage * kLargePage);
    if (memory == nullptr)
        return {};
    madvise(memory, bytes, MADV_HUGEPAGE);
    return QImage(static_cast<uchar*>(memory), width, height, static_cast<qsizetype>(bytesPerLine),
                  QImage::Format_RGB32, [](void* m) { std::free(m); }, memory);
}

RowReducer::RowReducer(const QRect& keep, int factor)
    : m_keep(keep),
      m_factor(std::max(factor, 1)),
      m_image(makeSurface((keep.width() + m_factor - 1) / m_factor, (keep.height() + m_factor - 1) / m_factor)),
      m_row(static_cast<std::size_t>(std::max(keep.width(), 0)))
{
    if (m_factor > 1 && !m_image.isNull())
        m_sums.assign(static_cast<std::size_t>(m_image.width()) * 3, 0);
}

QRgb* RowReducer::nextRow(int y)
{
    if (m_factor == 1 && y >= m_keep.top() && y <= m_keep.bottom())
        return reinterpret_cast<QRgb*>(m_image.scanLine(y - m_keep.top()));
    return m_row.data();
}

void RowReducer::addRow(int y, const QRgb* row)
{
    if (m_image.isNull() || y < m_keep.top() || y > m_keep.bottom())
        return;
    const int width = m_keep.width();
    if (m_factor == 1) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y - m_keep.top()));
        if (line != row)
            std::memcpy(line, row, static_cast<std::size_t>(width) * sizeof(QRgb));
        return;
    }
    const int block = (y - m_keep.top()) / m_factor;
    if (block != m_block && m_rowsInBlock > 0)
        flush();
    m_block = block;
    for (int x = 0; x < width; ++x) {
        std::uint32_t* s = &m_sums[static_cast<std::size_t>(x / m_factor) * 3];
        s[0] += qRed(row[x]);
        s[1] += qGreen(row[x]);
        s[2] += qBlue(row[x]);
    }
    ++m_rowsInBlock;
}

QImage RowReducer::take()
{
    if (m_rowsInBlock > 0)
        flush();
    return std::move(m_image);
}

void RowReducer::flush()
{
    auto* out = reinterpret_cast<QRgb*>(m_image.scanLine(m_block));
    const int width = m_keep.width();
    for (int X = 0; X < m_image.width(); ++X) {
        const int columns = std::min(m_factor, width - X * m_factor);
        const std::uint32_t count = static_cast<std::uint32_t>(columns * m_rowsInBlock);
        std::uint32_t* s = &m_sums[static_cast<std::size_t>(X) * 3];
        out[X] = qRgb(static_cast<int>((s[0] + count / 2) / count), static_cast<int>((s[1] + count / 2) / count),
                      static_cast<int>((s[2] + count / 2) / count));
    }
    std::fill(m_sums.begin(), m_sums.end(), 0u);
    m_rowsInBlock = 0;
}

}  // namespace kestra
