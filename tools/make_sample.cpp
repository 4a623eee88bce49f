// Writes the bundled sample puzzle: the generated landscape as an 80-piece
// true-colour puzzle in the large format, with a greeting.
#include <cstdio>
#include <exception>

#include "format_error.h"
#include "jzt_file.h"
#include "message_text.h"
#include "sample_picture.h"
#include "sample_puzzle.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.jzt\n", argv[0]);
        return 2;
    }
    try {
        constexpr int kSizeIndex = 1;  // 10 × 8 pieces
        const jigsaw::PuzzleGeometry g = jigsaw::puzzleSize(kSizeIndex).geometry;
        const std::array<std::string, 3> message = {
            jigsaw::encodeMessageLine("ようこそ！　サンプルのパズルです。"),
            jigsaw::encodeMessageLine("ピースをトレイから盤へ運んで、絵を完成させましょう。"),
            jigsaw::encodeMessageLine("右クリックでピースを回せます。"),
        };
        const jigsaw::JztPuzzle puzzle =
            jigsaw::buildSamplePuzzle(kSizeIndex, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor,
                                      jigsaw::samplePicture(g.width(), g.height()), message);
        jigsaw::writeJztFile(argv[1], puzzle);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
