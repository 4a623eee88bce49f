#include "test_pictures.h"

#include <QFile>

#include "byte_io.h"

std::vector<std::uint8_t> makeBmp8(int width, int height, const std::array<jigsaw::RGBQUAD, 256>& palette,
                                   const std::vector<std::uint8_t>& indices, std::uint32_t clrUsed)
{
    const std::uint32_t entries = clrUsed == 0 ? 256 : clrUsed;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) + 3) / 4 * 4;
    jigsaw::BITMAPFILEHEADER fh;
    fh.bfType = jigsaw::kBmpSignature;
    fh.bfOffBits = 14 + 40 + 4 * entries;
    fh.bfSize = fh.bfOffBits + stride * static_cast<std::uint32_t>(height);
    jigsaw::BITMAPINFOHEADER info;
    info.biSize = 40;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 8;
    info.biClrUsed = clrUsed;

    std::vector<std::uint8_t> out;
    jigsaw::ByteWriter w(out);
    jigsaw::writeFileHeader(w, fh);
    jigsaw::writeInfoHeader(w, info);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const jigsaw::RGBQUAD& q = palette[i];
        out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto row = indices.begin() + static_cast<std::ptrdiff_t>(y) * width;
        out.insert(out.end(), row, row + width);
        out.insert(out.end(), stride - static_cast<std::uint32_t>(width), 0);
    }
    return out;
}

std::array<jigsaw::RGBQUAD, 256> cubePalette()
{
    std::array<jigsaw::RGBQUAD, 256> p{};
    for (int i = 0; i < 216; ++i)
        p[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i / 36 * 51), static_cast<std::uint8_t>(i / 6 % 6 * 51),
                                          static_cast<std::uint8_t>(i % 6 * 51), 0};
    return p;
}

bool writeBytes(const QString& path, const std::vector<std::uint8_t>& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) &&
           f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

std::vector<std::uint8_t> readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    return {b.begin(), b.end()};
}
