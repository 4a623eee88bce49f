// Writes the generated scene as a 24-bit BMP file: the picture the bundled
// sample puzzle is made from.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "atomic_file.h"
#include "byte_io.h"
#include "packed_dib.h"
#include "sample_scene.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUTPUT.bmp WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    if (width < 1 || height < 1 || width > 10000 || height > 10000) {
        std::fprintf(stderr, "%s: width and height must be 1 to 10000\n", argv[0]);
        return 2;
    }
    try {
        const std::vector<jigsaw::ColorRef> samples = jigsaw::sampleScene(width, height);
        jigsaw::PackedDib dib = jigsaw::PackedDib::allocate(jigsaw::PackedDib::makeInfo(width, height, 24), {});
        std::ranges::fill(dib.pixels(), std::uint8_t{0});
        for (int y = 0; y < height; ++y) {
            std::uint8_t* row = dib.rowFromTop(y);
            for (int x = 0; x < width; ++x) {
                const jigsaw::ColorRef c = samples[static_cast<std::size_t>(y) * width + x];
                row[3 * x] = jigsaw::blueOf(c);
                row[3 * x + 1] = jigsaw::greenOf(c);
                row[3 * x + 2] = jigsaw::redOf(c);
            }
        }
        jigsaw::BITMAPFILEHEADER fh;
        fh.bfType = jigsaw::kBmpSignature;
        fh.bfOffBits = static_cast<std::uint32_t>(14 + dib.bitsOffset());
        fh.bfSize = static_cast<std::uint32_t>(14 + dib.block().size());
        std::vector<std::uint8_t> head;
        jigsaw::ByteWriter w(head);
        jigsaw::writeFileHeader(w, fh);
        const std::span<const std::uint8_t> parts[2] = {head, dib.block()};
        jigsaw::writeFileAtomically(argv[1], parts);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
