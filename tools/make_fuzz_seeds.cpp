// Writes the seed corpus of the puzzle file reader's fuzz target: whole small
// puzzles of the smallest size at both depths, and the beginnings of large
// ones, whose headers and first block headers lead the fuzzer into the
// large format without megabytes per input.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "jzt_file.h"
#include "sample_picture.h"
#include "sample_puzzle.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    try {
        using namespace jigsaw;
        constexpr int kSmallest = 6;  // 3 × 4 pieces
        constexpr std::size_t kLargePrefix = 12 * 1024;
        const PuzzleGeometry g = puzzleSize(kSmallest).geometry;
        const std::vector<ColorRef> picture = samplePicture(g.width(), g.height());
        const std::filesystem::path dir(argv[1]);
        std::filesystem::create_directories(dir);

        for (const ColorFormat color : {ColorFormat::Indexed, ColorFormat::TrueColor}) {
            const char* depth = color == ColorFormat::Indexed ? "8bit" : "24bit";
            const std::vector<std::uint8_t> small =
                writeJzt(buildSamplePuzzle(kSmallest, DataFormat::Small, color, picture, {"seed", "", "3x4"}));
            std::ofstream(dir / (std::string("small_") + depth + ".jzt"), std::ios::binary)
                .write(reinterpret_cast<const char*>(small.data()), static_cast<std::streamsize>(small.size()));
            const std::vector<std::uint8_t> large =
                writeJzt(buildSamplePuzzle(kSmallest, DataFormat::Large, color, picture));
            std::ofstream(dir / (std::string("large_") + depth + "_start.jzt"), std::ios::binary)
                .write(reinterpret_cast<const char*>(large.data()), static_cast<std::streamsize>(kLargePrefix));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
