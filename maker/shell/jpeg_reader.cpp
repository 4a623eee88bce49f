#include "jpeg_reader.h"

#include <QCoreApplication>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

#include "picture_checks.h"
#include "picture_region.h"

#include <unistd.h>

namespace kestra {

namespace {

// The memory the decoder may use for its own tables and buffers: what the
// system can still give (free pages and the cache it would drop), so that a
// progressive picture (whose coefficients are all kept) is read whenever it
// fits, and refused as too large when it does not. 0 lets libjpeg take what
// it needs when the system does not say.
long decoderMemoryLimit()
{
    std::FILE* meminfo = std::fopen("/proc/meminfo", "r");
    if (meminfo != nullptr) {
        char line[128];
        long kib = -1;
        while (kib < 0 && std::fgets(line, sizeof line, meminfo) != nullptr)
            if (std::sscanf(line, "MemAvailable: %ld kB", &kib) != 1)
                kib = -1;
        std::fclose(meminfo);
        if (kib > 0)
            return kib > std::numeric_limits<long>::max() / 1024 ? std::numeric_limits<long>::max() : kib * 1024;
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return pages > std::numeric_limits<long>::max() / pageSize ? std::numeric_limits<long>::max() : pages * pageSize;
}

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf recovery;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->recovery, 1);
}

// Warnings mostly mean corrupt data that the decoder would paper over with
// grey; the maker refuses such a picture rather than cut a puzzle from it.
// Stray bytes after the last scan and a newer JFIF version, which cameras
// and editors write, harm nothing.
void emitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    const jpeg_error_mgr& err = *cinfo->err;
    constexpr int kEndOfImage = 0xD9;
    const bool harmless = (err.msg_code == JWRN_EXTRANEOUS_DATA && err.msg_parm.i[1] == kEndOfImage) ||
                          err.msg_code == JWRN_JFIF_MAJOR;
    if (!harmless)
        errorExit(cinfo);
}

std::uint32_t rgb32(unsigned r, unsigned g, unsigned b)
{
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// The decoded rows, collected outside the jump's reach.
struct Decoded {
    std::optional<RowReducer> reducer;
    std::vector<JSAMPLE> row;  // CMYK samples, or a row wider than the kept part
    DecodePlan plan;
    int width = 0;  // the picture as stored
    int height = 0;
    int orientation = 1;
    bool noMemory = false;
};

// Runs the decompressor; returns false with the library's message in
// err.message when it jumped back. Only trivially destructible locals live
// in this frame, so the jump skips no destructor.
bool decompress(std::FILE* stream, ErrorManager& err, Decoded& out, const PictureRegion* region)
{
    jpeg_decompress_struct cinfo;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.emit_message = emitMessage;
    err.message[0] = '\0';
    if (setjmp(err.recovery)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = decoderMemoryLimit();
    jpeg_stdio_src(&cinfo, stream);
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    out.width = static_cast<int>(cinfo.image_width);
    out.height = static_cast<int>(cinfo.image_height);
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr && out.orientation == 1; m = m->next)
        out.orientation = exifOrientation(m->data, m->data_length);

    if (headersOnly(region)) {
        jpeg_destroy_decompress(&cinfo);
        return true;
    }

    // Colour and grey come out as Format_RGB32 pixels (blue, green, red and
    // 0xFF in memory); CMYK is converted here.
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    // A large picture is decoded straight to a reduced size, a region of it
    // without the columns and rows around it.
    out.plan = planDecode(out.width, out.height, out.orientation, region, true);
    cinfo.scale_num = static_cast<unsigned>(out.plan.scale.num);
    cinfo.scale_denom = 8;
    jpeg_start_decompress(&cinfo);

    const QRect keep = out.plan.keep;
    // Cropped with a margin: colour upsampling at a crop's edge lacks the
    // neighbours it has in the whole picture.
    constexpr int kMargin = 16;
    const int outputWidth = static_cast<int>(cinfo.output_width);
    JDIMENSION first = static_cast<JDIMENSION>(std::max(0, keep.left() - kMargin));
    JDIMENSION columns = static_cast<JDIMENSION>(std::min(outputWidth, keep.right() + 1 + kMargin)) - first;
    if (keep.width() != outputWidth)
        jpeg_crop_scanline(&cinfo, &first, &columns);
    const int width = static_cast<int>(cinfo.output_width);
    const int components = cinfo.output_components;
    const int skip = keep.left() - static_cast<int>(first);
    out.reducer.emplace(keep, out.plan.scale.factor);
    if (out.reducer->isNull()) {
        out.noMemory = true;
        jpeg_destroy_decompress(&cinfo);
        return true;
    }
    const bool direct = !cmyk && skip == 0 && width == keep.width();
    if (!direct)
        out.row.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(cmyk ? components : 4));
    if (keep.top() > 0)
        jpeg_skip_scanlines(&cinfo, static_cast<JDIMENSION>(keep.top()));
    const bool adobeInverted = cinfo.saw_Adobe_marker;
    const JDIMENSION end = static_cast<JDIMENSION>(keep.bottom() + 1);
    while (cinfo.output_scanline < end) {
        const int y = static_cast<int>(cinfo.output_scanline);
        auto* dst = direct ? out.reducer->nextRow(y) : reinterpret_cast<QRgb*>(out.row.data());
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(dst)};
        jpeg_read_scanlines(&cinfo, rows, 1);
        if (cmyk) {
            dst = out.reducer->nextRow(y);
            const JSAMPLE* src = out.row.data() + static_cast<std::ptrdiff_t>(skip) * components;
            for (int x = 0; x < keep.width(); ++x, src += components) {
                if (adobeInverted) {
                    // Adobe writes CMYK inverted: the stored values are 255 − ink.
                    dst[x] = rgb32(src[0] * src[3] / 255u, src[1] * src[3] / 255u, src[2] * src[3] / 255u);
                } else {
                    const unsigned k = 255u - src[3];
                    dst[x] = rgb32((255u - src[0]) * k / 255u, (255u - src[1]) * k / 255u,
                                   (255u - src[2]) * k / 255u);
                }
            }
        } else {
            dst += skip;
        }
        out.reducer->addRow(y, dst);
    }
    // A region needs nothing past its last row.
    if (cinfo.output_scanline < cinfo.output_height)
        jpeg_abort_decompress(&cinfo);
    else
        jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

LoadedPicture decodeJpegStream(std::FILE* stream, const QString& name, const PictureRegion* region)
{
    auto err = std::make_unique<ErrorManager>();
    Decoded decoded;
    const bool read = decompress(stream, *err, decoded, region);
    if (!read && err->pub.msg_code == JERR_BAD_PRECISION)
        refuseUnsupported();  // 12-bit samples
    if (!read && (err->pub.msg_code == JERR_NO_BACKING_STORE || err->pub.msg_code == JERR_OUT_OF_MEMORY))
        refuse(LoadFailure::TooLarge,
               QCoreApplication::translate("kestra", "「%1」は大きすぎて、このコンピューターの空きメモリでは読み込めません。\nほかのプログラムを閉じるか、小さくした画像を使ってください。")
                   .arg(displayName(name)),
               pictureSize(decoded.width, decoded.height));
    if (!read)
        refuseUnreadable(damagedJpeg(name), QString::fromLocal8Bit(err->message));
    LoadedPicture picture;
    if (decoded.reducer && !decoded.noMemory)
        placePart(picture, decoded.reducer->take(), decoded.plan, decoded.width, decoded.height, decoded.orientation);
    if (picture.image.isNull() && !headersOnly(region))
        refuseOutOfMemory(name);
    const bool swap = swapsSides(decoded.orientation);
    setTrueColorHeaders(picture, swap ? decoded.height : decoded.width, swap ? decoded.width : decoded.height);
    return picture;
}

}  // namespace kestra
