// Writes the seed corpus of the play-file reader's fuzz target: a 12-piece
// 256-colour game in the middle of play (pieces on the board, a group, a
// changed stacking) and the beginning of a fresh true-colour game, whose
// header leads the fuzzer into the checks without megabytes per input.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>

#include "document_commands.h"
#include "play_file.h"
#include "puzzle_loader.h"
#include "sample_picture.h"
#include "sample_puzzle.h"

namespace {

class FixedClock final : public GameClock {
public:
    std::uint64_t TickMs() override { return 86'400'000; }
    std::int64_t TimeSeconds() override { return 86'400; }
};

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes, std::size_t length)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(length));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    try {
        using namespace jigsaw;
        constexpr int kSmallest = 6;  // 3 × 4 pieces
        constexpr std::size_t kStartPrefix = 8 * 1024;
        const PuzzleGeometry g = puzzleSize(kSmallest).geometry;
        const std::vector<ColorRef> picture = samplePicture(g.width(), g.height());
        const std::filesystem::path dir(argv[1]);
        std::filesystem::create_directories(dir);
        FixedClock clock;
        MtRandom random;

        auto game = std::make_unique<CVorpelDoc>();
        LoadPuzzle(*game, buildSamplePuzzle(kSmallest, DataFormat::Large, ColorFormat::Indexed, picture, {"seed"}),
                   clock, random, noDocumentEvents());
        for (int slot = 0; slot < 12; ++slot) {
            const int piece = game->GetTrayPiece(slot);
            if (piece > 2)
                continue;
            game->SetOnBoard(piece, 1);
            game->SetBoardTurn(piece, piece + 1);
            game->SetTrayPiece(slot, -1);
            game->SetTrayTurn(slot, 0);
            game->PieceRect()[piece][0] = RECT{piece * 120, 0, piece * 120 + 200, 200};
        }
        game->SetPiecesOut(3);
        game->Group(0)[1][0] = 1;
        game->Group(1)[0][0] = 1;
        OnArrangeTray(*game, noDocumentEvents());
        OnReverseStacking(*game, noDocumentEvents());
        game->SetBlackMode(1);
        const std::vector<std::uint8_t> middle = WritePlayData(*game, clock.TickMs() + 61'000);
        writeFile(dir / "game_8bit.jpd", middle, middle.size());
        // The whole game must be one the reader accepts, or the fuzzer never
        // gets past the checks.
        OpenPlayData(*std::make_unique<CVorpelDoc>(), middle, clock, noDocumentEvents());

        LoadPuzzle(*game, buildSamplePuzzle(kSmallest, DataFormat::Small, ColorFormat::TrueColor, picture), clock,
                   random, noDocumentEvents());
        const std::vector<std::uint8_t> fresh = WritePlayData(*game, clock.TickMs());
        writeFile(dir / "fresh_24bit_start.jpd", fresh, kStartPrefix);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
