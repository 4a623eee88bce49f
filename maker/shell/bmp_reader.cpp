#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "byte_io.h"
#include "format_error.h"
#include "picture_checks.h"
#include "picture_loader.h"
#include "picture_region.h"

namespace kestra {

namespace {

constexpr std::uint32_t kBiRle8 = 1;

bool knownInfoSize(std::uint32_t size)
{
    // BITMAPINFOHEADER and its V2, V3, V4 and V5 extensions.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

std::uint32_t readU32(std::span<const std::uint8_t> data, std::size_t at)
{
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24;
}

// A header-less DIB (as the clipboard carries it) with the file header it
// lacks put in front, so that it reads like a BMP file.
std::vector<std::uint8_t> withFileHeader(std::span<const std::uint8_t> dib)
{
    jigsaw::ByteReader in(dib);
    const jigsaw::BITMAPINFOHEADER info = jigsaw::readInfoHeader(in);
    jigsaw::BITMAPFILEHEADER fh;
    fh.bfType = jigsaw::kBmpSignature;
    fh.bfSize = static_cast<std::uint32_t>(std::min<std::size_t>(dib.size() + 14, 0xFFFFFFFFu));
    std::uint64_t offset = 14 + static_cast<std::uint64_t>(info.biSize);
    if (info.biBitCount <= 8)
        offset += 4 * static_cast<std::uint64_t>(info.biClrUsed != 0 ? info.biClrUsed : 1u << info.biBitCount);
    else
        offset += 4 * static_cast<std::uint64_t>(info.biClrUsed);
    if (info.biCompression == jigsaw::kBiBitfields && info.biSize == 40)
        offset += 12;
    fh.bfOffBits = static_cast<std::uint32_t>(std::min<std::uint64_t>(offset, 0xFFFFFFFFu));
    std::vector<std::uint8_t> file;
    file.reserve(dib.size() + 14);
    jigsaw::ByteWriter out(file);
    jigsaw::writeFileHeader(out, fh);
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

// Where a BMP's bytes come from: memory, or a file read piece by piece.
class BmpBytes {
public:
    virtual ~BmpBytes() = default;
    virtual std::uint64_t size() const = 0;
    // `length` bytes from `offset`, both inside size(); valid until the next call.
    virtual const std::uint8_t* at(std::uint64_t offset, std::size_t length) = 0;
};

class MemoryBytes : public BmpBytes {
public:
    explicit MemoryBytes(std::span<const std::uint8_t> data) : m_data(data) {}
    std::uint64_t size() const override { return m_data.size(); }
    const std::uint8_t* at(std::uint64_t offset, std::size_t) override { return m_data.data() + offset; }

private:
    std::span<const std::uint8_t> m_data;
};

// A file read front to back with pread: the kernel is told so, and the pages
// behind are dropped, so that a picture larger than memory passes through
// without filling it.
class FileBytes : public BmpBytes {
public:
    FileBytes(int fd, std::uint64_t size, const QString& name) : m_fd(fd), m_size(size), m_name(name)
    {
        posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    std::uint64_t size() const override { return m_size; }
    const std::uint8_t* at(std::uint64_t offset, std::size_t length) override
    {
        m_buffer.resize(std::max(m_buffer.size(), length));
        std::size_t done = 0;
        while (done < length) {
            const ssize_t n = pread(m_fd, m_buffer.data() + done, length - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                refuseUnreadable(unreadableFile(m_name), QString::fromLocal8Bit(std::strerror(n < 0 ? errno : EIO)));
            done += static_cast<std::size_t>(n);
        }
        constexpr std::uint64_t kDropStep = 16u << 20;
        if (offset >= m_dropped + kDropStep) {
            posix_fadvise(m_fd, static_cast<off_t>(m_dropped), static_cast<off_t>(offset - m_dropped),
                          POSIX_FADV_DONTNEED);
            m_dropped = offset;
        }
        return m_buffer.data();
    }

private:
    int m_fd;
    std::uint64_t m_size;
    QString m_name;
    std::uint64_t m_dropped = 0;
    std::vector<std::uint8_t> m_buffer;
};

// The RLE8 stream, a byte at a time, read in pieces.
class RleStream {
public:
    RleStream(BmpBytes& bytes, std::uint64_t begin, std::uint64_t end) : m_bytes(bytes), m_pos(begin), m_end(end) {}
    // The next byte, or -1 past the end.
    int next()
    {
        if (m_at == m_count) {
            if (m_pos >= m_end)
                return -1;
            m_count = static_cast<std::size_t>(std::min<std::uint64_t>(m_end - m_pos, 1u << 16));
            m_data = m_bytes.at(m_pos, m_count);
            m_pos += m_count;
            m_at = 0;
        }
        return m_data[m_at++];
    }

private:
    BmpBytes& m_bytes;
    std::uint64_t m_pos;
    std::uint64_t m_end;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_count = 0;
    std::size_t m_at = 0;
};

// Decodes RLE8 rows (from the bottom) into palette indices, handing each
// finished row to `row(r, indices)`. Pixels the codes skip are entry 0;
// codes past a row's end are dropped. Returns false when the data ends before
// the end-of-picture code and before the last row.
template <typename RowSink>
bool decodeRle8(RleStream& in, int width, int height, RowSink&& row)
{
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width), 0);
    int r = 0;
    int x = 0;
    const auto put = [&](int v) {
        if (x < width)
            indices[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(v);
        ++x;
    };
    const auto endRow = [&] {
        if (r < height)
            row(r, indices.data());
        ++r;
        std::fill(indices.begin(), indices.end(), std::uint8_t{0});
        x = 0;
    };
    while (r < height) {
        const int count = in.next();
        const int code = in.next();
        if (code < 0)
            return false;
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i)
                put(code);
            continue;
        }
        if (code == 0) {
            endRow();
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            const int dx = in.next();
            const int dy = in.next();
            if (dy < 0)
                return false;
            const int column = x + dx;
            for (int i = 0; i < dy && r < height; ++i)
                endRow();
            x = column;
        } else {
            for (int i = 0; i < code; ++i) {
                const int v = in.next();
                if (v < 0)
                    return false;
                put(v);
            }
            if ((code & 1) != 0 && in.next() < 0)
                return false;
        }
    }
    while (r < height)
        endRow();
    return true;
}

LoadedPicture decodeBmpBytes(BmpBytes& bytes, const QString& name, const PictureRegion* region)
{
    const auto damaged = [&](const QString& why) { refuseUnreadable(damagedBmp(name), why); };
    const std::uint64_t total = bytes.size();
    // The headers and the colour table lie in the first bytes.
    const std::size_t headLength = static_cast<std::size_t>(std::min<std::uint64_t>(total, 14 + 124 + 12 + 1024));
    const std::uint8_t* headBytes = bytes.at(0, headLength);
    const std::vector<std::uint8_t> head(headBytes, headBytes + headLength);
    const std::span<const std::uint8_t> data(head);

    if (total < 18)
        damaged(QCoreApplication::translate("kestra", "ファイルの先頭が途中で切れています"));
    if (data[0] == 'B' && data[1] == 'A')
        refuseUnsupported();  // an OS/2 array of bitmaps
    if (data[0] != 'B' || data[1] != 'M')
        damaged(QCoreApplication::translate("kestra", "BMP の印 \"BM\" がありません"));

    jigsaw::ByteReader in(data);
    const jigsaw::BITMAPFILEHEADER fh = jigsaw::readFileHeader(in);
    const std::uint32_t infoSize = readU32(data, 14);
    if (infoSize == 12 || infoSize == 16 || infoSize == 64)
        refuseUnsupported();  // the OS/2 headers
    if (!knownInfoSize(infoSize))
        damaged(QCoreApplication::translate("kestra", "情報ヘッダーの長さ %1 バイトは BMP にありません").arg(infoSize));
    if (data.size() < 14 + static_cast<std::size_t>(infoSize))
        damaged(QCoreApplication::translate("kestra", "情報ヘッダーが途中で切れています"));
    jigsaw::BITMAPINFOHEADER info = jigsaw::readInfoHeader(in);

    if (info.biBitCount != 8 && info.biBitCount != 24)
        refuseUnsupported();

    const std::int64_t width = info.biWidth;
    const std::int64_t height = info.biHeight < 0 ? -static_cast<std::int64_t>(info.biHeight) : info.biHeight;
    if (width <= 0 || height <= 0)
        damaged(QCoreApplication::translate("kestra", "画像の幅 %1、高さ %2 は正しくありません")
                    .arg(info.biWidth)
                    .arg(info.biHeight));
    checkDimensions(width, height, name);

    const bool rle = info.biBitCount == 8 && info.biCompression == kBiRle8;
    if (info.biCompression != jigsaw::kBiRgb && !rle)
        damaged(QCoreApplication::translate("kestra", "圧縮形式 %1 には対応していません").arg(info.biCompression));
    if (rle && info.biHeight < 0)
        damaged(QCoreApplication::translate("kestra", "上から下へ並んだ RLE 圧縮は BMP にありません"));

    if (fh.bfSize <= fh.bfOffBits)
        damaged(QCoreApplication::translate("kestra", "ファイルヘッダーのファイル長 %1 が画素の位置 %2 以下です")
                    .arg(fh.bfSize)
                    .arg(fh.bfOffBits));

    // Colour table: only the entries in use; the rest stay zero.
    const std::uint64_t tableStart = 14 + static_cast<std::uint64_t>(infoSize);
    std::uint64_t entries = 0;
    if (info.biBitCount == 8) {
        if (info.biClrUsed > 256)
            damaged(
                QCoreApplication::translate("kestra", "パレットの色数 %1 が 256 を超えています").arg(info.biClrUsed));
        entries = info.biClrUsed != 0 ? info.biClrUsed : 256;
        if (tableStart + 4 * entries > total)
            damaged(QCoreApplication::translate("kestra", "パレットの途中でファイルが終わっています"));
    }
    if (fh.bfOffBits < tableStart + 4 * entries)
        damaged(QCoreApplication::translate("kestra", "画素の位置 %1 がヘッダーかパレットの中を指しています")
                    .arg(fh.bfOffBits));

    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * info.biBitCount + 31) / 32 * 4;
    const std::uint64_t pixelBytes = rle ? std::max<std::uint64_t>(info.biSizeImage, 1) : stride * height;
    if (static_cast<std::uint64_t>(fh.bfOffBits) + pixelBytes > total)
        damaged(QCoreApplication::translate("kestra", "画素データの途中でファイルが終わっています"));

    LoadedPicture picture;
    for (std::uint64_t i = 0; i < entries; ++i) {
        const std::size_t at = static_cast<std::size_t>(tableStart + 4 * i);
        picture.palette[static_cast<std::size_t>(i)] = jigsaw::RGBQUAD{data[at], data[at + 1], data[at + 2], 0};
    }
    // The headers describe the decoded picture: bottom-up, uncompressed.
    const auto withHeaders = [&](LoadedPicture& loaded) {
        loaded.fileHeader = fh;
        info.biSize = 40;
        info.biHeight = static_cast<std::int32_t>(height);
        info.biCompression = jigsaw::kBiRgb;
        loaded.infoHeader = info;
    };
    if (headersOnly(region)) {
        withHeaders(picture);
        return picture;
    }
    std::array<QRgb, 256> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = qRgb(picture.palette[i].rgbRed, picture.palette[i].rgbGreen, picture.palette[i].rgbBlue);

    // Rows are reduced as they are read when the picture is large; only the
    // rows and columns a region needs are kept.
    const DecodePlan plan = planDecode(static_cast<int>(width), static_cast<int>(height), 1, region, false);
    const QRect keep = plan.keep;
    RowReducer reducer(keep, plan.scale.factor);
    if (reducer.isNull())
        refuseOutOfMemory(name);
    const auto convert = [&](int y, const std::uint8_t* src) {
        QRgb* row = reducer.nextRow(y);
        const auto first = static_cast<std::size_t>(keep.left());
        const auto columns = static_cast<std::size_t>(keep.width());
        if (info.biBitCount == 8)
            for (std::size_t x = 0; x < columns; ++x)
                row[x] = colours[src[first + x]];
        else
            for (std::size_t x = 0; x < columns; ++x)
                row[x] = qRgb(src[3 * (first + x) + 2], src[3 * (first + x) + 1], src[3 * (first + x)]);
        reducer.addRow(y, row);
    };
    const bool bottomUp = info.biHeight > 0;
    if (rle) {
        RleStream stream(bytes, fh.bfOffBits, total);
        const bool complete = decodeRle8(stream, static_cast<int>(width), static_cast<int>(height),
                                         [&](int r, const std::uint8_t* indices) {
                                             const int y = static_cast<int>(height) - 1 - r;
                                             if (y >= keep.top() && y <= keep.bottom())
                                                 convert(y, indices);
                                         });
        if (!complete)
            damaged(QCoreApplication::translate("kestra", "画素データが壊れています"));
    } else {
        // Stored rows in file order, a few megabytes at a time.
        const std::int64_t firstY = keep.top();
        const std::int64_t lastY = keep.bottom();
        const std::int64_t firstStored = bottomUp ? height - 1 - lastY : firstY;
        const std::int64_t lastStored = bottomUp ? height - 1 - firstY : lastY;
        const std::int64_t rowsPerRead = std::max<std::int64_t>(1, (4 << 20) / static_cast<std::int64_t>(stride));
        for (std::int64_t r = firstStored; r <= lastStored; r += rowsPerRead) {
            const std::int64_t rows = std::min(rowsPerRead, lastStored - r + 1);
            const std::uint8_t* block = bytes.at(fh.bfOffBits + static_cast<std::uint64_t>(r) * stride,
                                                 static_cast<std::size_t>(rows * static_cast<std::int64_t>(stride)));
            for (std::int64_t i = 0; i < rows; ++i)
                convert(static_cast<int>(bottomUp ? height - 1 - (r + i) : r + i),
                        block + static_cast<std::size_t>(i) * stride);
        }
    }
    placePart(picture, reducer.take(), plan, static_cast<int>(width), static_cast<int>(height), 1);
    withHeaders(picture);
    return picture;
}

}  // namespace

LoadedPicture decodeBmp(std::span<const std::uint8_t> data, const QString& name, const PictureRegion* region)
{
    if (data.size() >= 40 && (data[0] != 'B' || data[1] != 'M') && knownInfoSize(readU32(data, 0))) {
        const std::vector<std::uint8_t> complete = withFileHeader(data);
        return decodeBmp(complete, name, region);
    }
    MemoryBytes bytes(data);
    return decodeBmpBytes(bytes, name, region);
}

LoadedPicture decodeBmpFile(int fd, std::uint64_t size, const QString& name, const PictureRegion* region)
{
    FileBytes bytes(fd, size, name);
    return decodeBmpBytes(bytes, name, region);
}

}  // namespace kestra
