// Feeds arbitrary bytes to the maker's JPEG loader: it must either return a
// true-colour surface of the decoded size or refuse with a message naming
// the file, and never touch memory outside its buffers.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "picture_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const kestra::LoadedPicture p = kestra::decodeJpeg({data, size}, QStringLiteral("fuzz.jpg"));
        if (p.image.format() != QImage::Format_RGB32 || p.bitCount() != 24 ||
            p.image.width() != p.infoHeader.biWidth || p.image.height() != p.infoHeader.biHeight)
            std::abort();
    } catch (const kestra::PictureLoadError& e) {
        if (!e.message().contains(QStringLiteral("fuzz.jpg")))
            std::abort();
    }
    return 0;
}
