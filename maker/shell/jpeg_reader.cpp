#include "jpeg_reader.h"

#include <QCoreApplication>

#include <csetjmp>
#include <memory>
#include <optional>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

#include "picture_checks.h"
#include "picture_reduction.h"

namespace kestra {

namespace {

// Memory the decoder may use for its own tables and buffers; a progressive
// picture (whose coefficients are all kept) of some 300 million pixels fits.
constexpr long kDecoderMemoryLimit = 600L * 1024 * 1024;

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

// Warnings mean corrupt data that the decoder would paper over with grey; the
// maker refuses such a picture rather than cut a puzzle from it.
void emitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        errorExit(cinfo);
}

std::uint32_t rgb32(unsigned r, unsigned g, unsigned b)
{
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// The decoded rows, collected outside the jump's reach.
struct Decoded {
    std::optional<RowReducer> reducer;
    std::vector<JSAMPLE> row;  // CMYK samples
    int width = 0;   // the picture's own size
    int height = 0;
    bool noMemory = false;
};

// Runs the decompressor; returns false with the library's message in
// err.message when it jumped back. Only trivially destructible locals live
// in this frame, so the jump skips no destructor.
bool decompress(std::FILE* stream, ErrorManager& err, Decoded& out)
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
    cinfo.mem->max_memory_to_use = kDecoderMemoryLimit;
    jpeg_stdio_src(&cinfo, stream);
    jpeg_read_header(&cinfo, TRUE);

    // Colour and grey come out as Format_RGB32 pixels (blue, green, red and
    // 0xFF in memory); CMYK is converted here.
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    // A large picture is decoded straight to a reduced size.
    out.width = static_cast<int>(cinfo.image_width);
    out.height = static_cast<int>(cinfo.image_height);
    const DecodeScale scale = jpegDecodeScale(out.width, out.height);
    cinfo.scale_num = static_cast<unsigned>(scale.num);
    cinfo.scale_denom = 8;
    jpeg_start_decompress(&cinfo);

    const int width = static_cast<int>(cinfo.output_width);
    const int components = cinfo.output_components;
    out.reducer.emplace(width, static_cast<int>(cinfo.output_height), scale.factor);
    if (out.reducer->isNull()) {
        out.noMemory = true;
        jpeg_destroy_decompress(&cinfo);
        return true;
    }
    if (cmyk)
        out.row.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(components));
    const bool adobeInverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        QRgb* dst = out.reducer->nextRow();
        JSAMPROW rows[1] = {cmyk ? out.row.data() : reinterpret_cast<JSAMPROW>(dst)};
        jpeg_read_scanlines(&cinfo, rows, 1);
        if (cmyk) {
            const JSAMPLE* src = out.row.data();
            for (int x = 0; x < width; ++x, src += components) {
                if (adobeInverted) {
                    // Adobe writes CMYK inverted: the stored values are 255 − ink.
                    dst[x] = rgb32(src[0] * src[3] / 255u, src[1] * src[3] / 255u, src[2] * src[3] / 255u);
                } else {
                    const unsigned k = 255u - src[3];
                    dst[x] = rgb32((255u - src[0]) * k / 255u, (255u - src[1]) * k / 255u,
                                   (255u - src[2]) * k / 255u);
                }
            }
        }
        out.reducer->addRow(dst);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

LoadedPicture decodeJpegStream(std::FILE* stream, const QString& name)
{
    const QString file = displayName(name);
    auto err = std::make_unique<ErrorManager>();
    Decoded decoded;
    const bool read = decompress(stream, *err, decoded);
    if (!read && err->pub.msg_code == JERR_BAD_PRECISION)
        refuseUnsupported();  // 12-bit samples
    if (!read)
        refuse(LoadFailure::Unreadable,
               QCoreApplication::translate("kestra", "「%1」は JPEG ファイルとして読めません（%2）。")
                   .arg(file, QString::fromLocal8Bit(err->message)));
    if (decoded.noMemory)
        refuse(LoadFailure::OutOfMemory,
               QCoreApplication::translate("kestra", "「%1」を読み込むメモリが足りません。").arg(file));

    LoadedPicture picture;
    picture.image = decoded.reducer->take();
    setTrueColorHeaders(picture, decoded.width, decoded.height);
    return picture;
}

}  // namespace kestra
