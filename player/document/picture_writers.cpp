#include "picture_writers.h"

#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <span>
#include <string>

#include <jpeglib.h>

#include "atomic_file.h"
#include "bmp_headers.h"
#include "byte_io.h"
#include "format_error.h"
#include "geometry.h"

namespace {

using jigsaw::FormatError;

void checkPicture(const FinishedBuffer& picture)
{
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.bgr.size() != picture.rowBytes() * static_cast<std::size_t>(picture.height))
        throw FormatError("保存する完成画像がありません。");
}

// The compressor's error manager: a fatal error jumps back to the one
// function that runs the compressor, with the library's message kept.
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jpegFatal(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->back, 1);
}

void jpegSilent(j_common_ptr) {}

// Everything the compressor touches lives here, outside the function that
// calls setjmp, so its values are defined after a long jump back.
struct JpegJob {
    jpeg_compress_struct cinfo;
    JpegError err;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    std::vector<JSAMPLE> row;
};

// Runs the compressor over the picture; false with job.err.message set when
// the library reported a fatal error. Holds no object with a destructor, as
// the error path leaves it by a long jump.
bool compress(JpegJob& job, const FinishedBuffer& picture)
{
    job.cinfo.err = jpeg_std_error(&job.err.mgr);
    job.err.mgr.error_exit = jpegFatal;
    job.err.mgr.output_message = jpegSilent;
    job.err.message[0] = '\0';
    if (setjmp(job.err.back)) {
        jpeg_destroy_compress(&job.cinfo);
        return false;
    }
    jpeg_create_compress(&job.cinfo);
    jpeg_mem_dest(&job.cinfo, &job.out, &job.outSize);
    job.cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    job.cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    job.cinfo.input_components = 3;
    job.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job.cinfo);
    jpeg_set_quality(&job.cinfo, 100, TRUE);
    jpeg_start_compress(&job.cinfo, TRUE);
    while (job.cinfo.next_scanline < job.cinfo.image_height) {
        // Blue-green-red rows become red-green-blue in a copy, so the
        // picture stays as it was for a later BMP.
        const std::uint8_t* src = picture.rowFromTop(static_cast<int>(job.cinfo.next_scanline));
        for (std::size_t i = 0; i < job.row.size(); i += 3) {
            job.row[i] = src[i + 2];
            job.row[i + 1] = src[i + 1];
            job.row[i + 2] = src[i];
        }
        JSAMPROW rows[1] = {job.row.data()};
        jpeg_write_scanlines(&job.cinfo, rows, 1);
    }
    jpeg_finish_compress(&job.cinfo);
    jpeg_destroy_compress(&job.cinfo);
    return true;
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    const std::span<const std::uint8_t> parts[] = {bytes};
    try {
        jigsaw::writeFileAtomically(path, parts);
    } catch (const FormatError& e) {
        throw FormatError(std::string("完成画像を保存できませんでした。") + e.what());
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const FinishedBuffer& picture)
{
    checkPicture(picture);
    const std::size_t stride = jigsaw::dibStride(picture.width, 24);
    const std::size_t imageSize = stride * static_cast<std::size_t>(picture.height);
    if (imageSize > std::numeric_limits<std::uint32_t>::max() - 54)
        throw FormatError("完成画像が大きすぎて BMP ファイルにできません。");

    jigsaw::BITMAPFILEHEADER file;
    file.bfType = jigsaw::kBmpSignature;
    file.bfSize = static_cast<std::uint32_t>(imageSize + 54);
    file.bfOffBits = 54;
    jigsaw::BITMAPINFOHEADER info;
    info.biSize = 40;
    info.biWidth = picture.width;
    info.biHeight = picture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = jigsaw::kBiRgb;
    info.biSizeImage = static_cast<std::uint32_t>(imageSize);

    std::vector<std::uint8_t> out;
    out.reserve(imageSize + 54);
    jigsaw::ByteWriter writer(out);
    jigsaw::writeFileHeader(writer, file);
    jigsaw::writeInfoHeader(writer, info);
    const std::size_t pad = stride - picture.rowBytes();
    for (int stored = 0; stored < picture.height; ++stored) {
        const std::uint8_t* row = picture.bgr.data() + picture.rowBytes() * static_cast<std::size_t>(stored);
        out.insert(out.end(), row, row + picture.rowBytes());
        out.insert(out.end(), pad, 0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeJpeg(const FinishedBuffer& picture)
{
    checkPicture(picture);
    JpegJob job;
    job.row.resize(picture.rowBytes());
    const bool ok = compress(job, picture);
    std::vector<std::uint8_t> bytes;
    if (ok)
        bytes.assign(job.out, job.out + job.outSize);
    std::free(job.out);
    if (!ok)
        throw FormatError(std::string("JPEG の圧縮に失敗しました（") + job.err.message + "）。");
    return bytes;
}

void WriteBmp(const std::filesystem::path& path, const FinishedBuffer& picture)
{
    writeBytes(path, EncodeBmp(picture));
}

void WriteJpeg(const std::filesystem::path& path, const FinishedBuffer& picture)
{
    writeBytes(path, EncodeJpeg(picture));
}
