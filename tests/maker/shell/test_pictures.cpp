#include "test_pictures.h"

#include <QFile>

#include <algorithm>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "byte_io.h"

std::vector<std::uint8_t> bmpHeaders(int width, int height, int bitCount, std::uint32_t offset,
                                     std::uint32_t clrUsed)
{
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    jigsaw::BITMAPFILEHEADER fh;
    fh.bfType = jigsaw::kBmpSignature;
    fh.bfOffBits = offset;
    fh.bfSize = static_cast<std::uint32_t>(std::min<std::uint64_t>(offset + stride * height, 0xFFFFFFFFu));
    jigsaw::BITMAPINFOHEADER info;
    info.biSize = 40;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<std::uint16_t>(bitCount);
    info.biClrUsed = clrUsed;
    std::vector<std::uint8_t> out;
    jigsaw::ByteWriter w(out);
    jigsaw::writeFileHeader(w, fh);
    jigsaw::writeInfoHeader(w, info);
    return out;
}

std::vector<std::uint8_t> makeBmp8(int width, int height, const std::array<jigsaw::RGBQUAD, 256>& palette,
                                   const std::vector<std::uint8_t>& indices, std::uint32_t clrUsed)
{
    const std::uint32_t entries = clrUsed == 0 ? 256 : clrUsed;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) + 3) / 4 * 4;
    std::vector<std::uint8_t> out = bmpHeaders(width, height, 8, 14 + 40 + 4 * entries, clrUsed);
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

bool writeJpegRows(const QString& path, int width, int height,
                   const std::function<void(int y, std::uint8_t* rgb)>& row, const JpegOptions& options)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (file == nullptr)
        return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 85, TRUE);
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    if (options.fullColour)
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    if (options.orientation > 0) {
        // "Exif", a little-endian TIFF header and one directory entry:
        // tag 0x0112 (orientation), type SHORT, count 1.
        const std::uint8_t exif[] = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0,
                                     1, 0, 0, 0, static_cast<std::uint8_t>(options.orientation), 0, 0, 0, 0, 0, 0, 0};
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif, sizeof exif);
    }
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        row(static_cast<int>(cinfo.next_scanline), rgb.data());
        JSAMPROW rows[1] = {rgb.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

void photoRow(int width, int height, int y, std::uint8_t* rgb)
{
    for (int x = 0; x < width; ++x) {
        const std::uint32_t hash = (static_cast<std::uint32_t>(x) * 2654435761u) ^ (static_cast<std::uint32_t>(y) * 40503u);
        const int noise = static_cast<int>((hash >> 13) % 13) - 6;
        const int line = (x % 250 < 3 || y % 250 < 3) ? 90 : 0;
        const auto channel = [&](long long v) { return static_cast<std::uint8_t>(std::clamp<long long>(v + noise - line, 0, 255)); };
        rgb[3 * x] = channel(40 + 200LL * x / width);
        rgb[3 * x + 1] = channel(60 + 160LL * y / height);
        rgb[3 * x + 2] = channel(230 - 150LL * (x + y) / (width + height));
    }
}
