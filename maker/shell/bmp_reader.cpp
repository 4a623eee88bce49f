#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <vector>

#include "byte_io.h"
#include "format_error.h"
#include "picture_checks.h"
#include "picture_loader.h"
#include "picture_reduction.h"

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

}  // namespace

LoadedPicture decodeBmp(std::span<const std::uint8_t> data, const QString& name)
{
    const QString file = displayName(name);
    const auto damaged = [&](const QString& why) {
        refuse(LoadFailure::Unreadable,
               QCoreApplication::translate("kestra", "「%1」は BMP ファイルとして読めません（%2）。").arg(file, why));
    };

    if (data.size() >= 4 && (data[0] != 'B' || data[1] != 'M') && knownInfoSize(readU32(data, 0)) &&
        data.size() >= 40) {
        const std::vector<std::uint8_t> complete = withFileHeader(data);
        return decodeBmp(complete, name);
    }
    if (data.size() < 18)
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
        if (tableStart + 4 * entries > data.size())
            damaged(QCoreApplication::translate("kestra", "パレットの途中でファイルが終わっています"));
    }
    if (fh.bfOffBits < tableStart + 4 * entries)
        damaged(QCoreApplication::translate("kestra", "画素の位置 %1 がヘッダーかパレットの中を指しています")
                    .arg(fh.bfOffBits));

    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * info.biBitCount + 31) / 32 * 4;
    const std::uint64_t pixelBytes = rle ? std::max<std::uint64_t>(info.biSizeImage, 1) : stride * height;
    if (static_cast<std::uint64_t>(fh.bfOffBits) + pixelBytes > data.size())
        damaged(QCoreApplication::translate("kestra", "画素データの途中でファイルが終わっています"));

    LoadedPicture picture;
    for (std::uint64_t i = 0; i < entries; ++i) {
        const std::size_t at = static_cast<std::size_t>(tableStart + 4 * i);
        picture.palette[static_cast<std::size_t>(i)] = jigsaw::RGBQUAD{data[at], data[at + 1], data[at + 2], 0};
    }

    // Rows are reduced as they are read when the picture is large.
    RowReducer reducer(static_cast<int>(width), static_cast<int>(height),
                       reductionFactor(width, height));
    if (reducer.isNull())
        refuse(LoadFailure::OutOfMemory,
               QCoreApplication::translate("kestra", "「%1」を読み込むメモリが足りません。").arg(file));
    if (rle) {
        // RLE is Qt's decoder's work, with its memory limit raised for the picture.
        QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                                   static_cast<qsizetype>(data.size()));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "bmp");
        QImage image;
        {
            const AllocationLimit limit(QSize(static_cast<int>(width), static_cast<int>(height)));
            if (!reader.read(&image) || image.width() != width || image.height() != height)
                damaged(QCoreApplication::translate("kestra", "画素データが壊れています"));
        }
        image = image.convertToFormat(QImage::Format_RGB32);
        if (image.isNull())
            refuse(LoadFailure::OutOfMemory,
                   QCoreApplication::translate("kestra", "「%1」を読み込むメモリが足りません。").arg(file));
        for (int y = 0; y < image.height(); ++y)
            reducer.addRow(reinterpret_cast<const QRgb*>(image.constScanLine(y)));
    } else {
        std::array<QRgb, 256> colours{};
        for (std::size_t i = 0; i < colours.size(); ++i)
            colours[i] = qRgb(picture.palette[i].rgbRed, picture.palette[i].rgbGreen, picture.palette[i].rgbBlue);
        const auto columns = static_cast<std::size_t>(width);
        for (std::int64_t y = 0; y < height; ++y) {
            const std::uint64_t stored = info.biHeight < 0 ? y : height - 1 - y;
            const std::uint8_t* src = data.data() + fh.bfOffBits + stored * stride;
            QRgb* row = reducer.nextRow();
            if (info.biBitCount == 8)
                for (std::size_t x = 0; x < columns; ++x)
                    row[x] = colours[src[x]];
            else
                for (std::size_t x = 0; x < columns; ++x)
                    row[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            reducer.addRow(row);
        }
    }
    picture.image = reducer.take();

    picture.fileHeader = fh;
    info.biSize = 40;
    info.biHeight = static_cast<std::int32_t>(height);
    info.biCompression = jigsaw::kBiRgb;
    picture.infoHeader = info;
    return picture;
}

}  // namespace kestra
