// Feeds arbitrary bytes to the maker's BMP loader: it must either return a
// true-colour surface of the size its header names, at 8 or 24 bits, or
// refuse with a message, and never touch memory outside its buffers.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "picture_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const kestra::LoadedPicture p = kestra::decodeBmp({data, size}, QStringLiteral("fuzz.bmp"));
        if (p.image.format() != QImage::Format_RGB32 || p.image.width() != p.infoHeader.biWidth ||
            p.image.height() != p.infoHeader.biHeight || (p.bitCount() != 8 && p.bitCount() != 24))
            std::abort();
    } catch (const kestra::PictureLoadError& e) {
        if (e.message().isEmpty())
            std::abort();
    }
    return 0;
}
