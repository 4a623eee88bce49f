#include "picture_writers.h"

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <limits>
#include <new>
#include <span>
#include <string>
#include <utility>

#include <jpeglib.h>
#include <jerror.h>

#include "atomic_file.h"
#include "bmp_headers.h"
#include "byte_io.h"
#include "format_error.h"
#include "geometry.h"

namespace {

using jigsaw::ErrorCode;
using jigsaw::FormatError;

void checkPicture(const FinishedBuffer& picture)
{
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.bgr.size() != picture.rowBytes() * static_cast<std::size_t>(picture.height))
        throw FormatError(ErrorCode::NoFinishedPicture);
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

// The compressor's destination: the compressed bytes go into a vector that
// the job owns, so that no buffer of the library's has to be freed by hand,
// whichever way the compressor ends. Growing it past the memory there is
// ends the compressor through its own fatal-error path.
struct VectorDestination {
    jpeg_destination_mgr mgr;
    std::vector<std::uint8_t> bytes;
    std::size_t used = 0;
};

VectorDestination& destinationOf(j_compress_ptr cinfo)
{
    return *reinterpret_cast<VectorDestination*>(cinfo->dest);
}

// Makes room behind the bytes written so far; false when there is none.
bool grow(VectorDestination& dest)
{
    try {
        dest.bytes.resize(std::max<std::size_t>(4096, dest.bytes.size() * 2));
    } catch (const std::bad_alloc&) {
        return false;
    }
    dest.mgr.next_output_byte = dest.bytes.data() + dest.used;
    dest.mgr.free_in_buffer = dest.bytes.size() - dest.used;
    return true;
}

void initDestination(j_compress_ptr cinfo)
{
    VectorDestination& dest = destinationOf(cinfo);
    dest.used = 0;
    if (!grow(dest))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

boolean emptyOutputBuffer(j_compress_ptr cinfo)
{
    // The library calls this only when the whole buffer is full.
    VectorDestination& dest = destinationOf(cinfo);
    dest.used = dest.bytes.size();
    if (!grow(dest))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    VectorDestination& dest = destinationOf(cinfo);
    dest.bytes.resize(dest.bytes.size() - dest.mgr.free_in_buffer);
}

// Everything the compressor touches lives here, outside the function that
// calls setjmp, so its values are defined after a long jump back.
struct JpegJob {
    jpeg_compress_struct cinfo;
    JpegError err;
    VectorDestination dest;
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
    job.dest.mgr.init_destination = initDestination;
    job.dest.mgr.empty_output_buffer = emptyOutputBuffer;
    job.dest.mgr.term_destination = termDestination;
    job.cinfo.dest = &job.dest.mgr;
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
        throw FormatError(ErrorCode::FinishedPictureNotSaved, {}, e);
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const FinishedBuffer& picture)
{
    checkPicture(picture);
    const std::size_t stride = jigsaw::dibStride(picture.width, 24);
    const std::size_t imageSize = stride * static_cast<std::size_t>(picture.height);
    if (imageSize > std::numeric_limits<std::uint32_t>::max() - 54)
        throw FormatError(ErrorCode::FinishedPictureTooLargeForBmp);

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
    if (!compress(job, picture))
        throw FormatError(ErrorCode::JpegCompressionFailed, {job.err.message});
    return std::move(job.dest.bytes);
}

void WriteBmp(const std::filesystem::path& path, const FinishedBuffer& picture)
{
    writeBytes(path, EncodeBmp(picture));
}

void WriteJpeg(const std::filesystem::path& path, const FinishedBuffer& picture)
{
    writeBytes(path, EncodeJpeg(picture));
}
