// The player's document on the largest puzzles: opening a small-format puzzle
// file up to the dealt tray (cutting included), saving and reopening a
// 1000-piece game as a play file, and what an automatic copy of it costs the
// thread that plays.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "jzt_file.h"
#include "play_file.h"
#include "play_snapshot.h"
#include "puzzle_loader.h"
#include "sample_picture.h"
#include "sample_puzzle.h"

namespace {

using namespace jigsaw;

constexpr int kSize480 = 12;   // 24 × 20 pieces, the largest picture area per piece
constexpr int kSize1000 = 15;  // 40 × 25 pieces

std::filesystem::path benchFile(const std::string& name)
{
    return std::filesystem::temp_directory_path() / ("vorpel_bench_" + name);
}

// Writes the small true-colour sample puzzle of a size once and returns its path.
std::filesystem::path smallPuzzleFile(int sizeIndex)
{
    const auto path = benchFile("small_" + std::to_string(sizeIndex) + ".jzt");
    const PuzzleGeometry g = puzzleSize(sizeIndex).geometry;
    writeJztFile(path, buildSamplePuzzle(sizeIndex, DataFormat::Small, ColorFormat::TrueColor,
                                         samplePicture(g.width(), g.height())));
    return path;
}

void BM_OpenSmallPuzzle(benchmark::State& state)
{
    const auto path = smallPuzzleFile(static_cast<int>(state.range(0)));
    const auto doc = std::make_unique<CVorpelDoc>();
    MtRandom random;
    for (auto _ : state)
        LoadPuzzleFile(*doc, path, systemClock(), random, noDocumentEvents());
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenSmallPuzzle)
    ->Arg(kSize480)
    ->Arg(kSize1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A dealt 1000-piece game with 24-bit sheets cut by the player.
std::unique_ptr<CVorpelDoc> thousandPieceGame()
{
    const auto path = smallPuzzleFile(kSize1000);
    auto doc = std::make_unique<CVorpelDoc>();
    MtRandom random;
    LoadPuzzleFile(*doc, path, systemClock(), random, noDocumentEvents());
    std::filesystem::remove(path);
    return doc;
}

void BM_SavePlayFile(benchmark::State& state)
{
    const auto doc = thousandPieceGame();
    const auto path = benchFile("save.jpd");
    for (auto _ : state)
        SavePlayFile(*doc, path, systemClock());
    std::filesystem::remove(path);
}
BENCHMARK(BM_SavePlayFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OpenPlayFile(benchmark::State& state)
{
    const auto doc = thousandPieceGame();
    const auto path = benchFile("open.jpd");
    SavePlayFile(*doc, path, systemClock());
    for (auto _ : state)
        OpenPlayFile(*doc, path, systemClock(), noDocumentEvents());
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenPlayFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// Taking an automatic copy of a changed 1000-piece game on the thread that
// plays: the fixed blocks built and compared with the last copy's (the
// pictures are written once per game from the document's own). The game changes between two
// takes, as one piece turned in the tray.
void BM_AutoSaveTake(benchmark::State& state)
{
    const auto doc = thousandPieceGame();
    PlaySnapshot snapshot;
    snapshot.take(*doc, 0, false);
    int turn = doc->GetTrayTurn(0);
    for (auto _ : state) {
        turn = turn % 4 + 1;
        doc->SetTrayTurn(0, turn);
        benchmark::DoNotOptimize(snapshot.take(*doc, 0, false));
    }
}
BENCHMARK(BM_AutoSaveTake)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// The same when nothing changed since the last copy: nothing to write.
void BM_AutoSaveLookUnchanged(benchmark::State& state)
{
    const auto doc = thousandPieceGame();
    PlaySnapshot snapshot;
    snapshot.take(*doc, 0, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(snapshot.take(*doc, 0, false));
}
BENCHMARK(BM_AutoSaveLookUnchanged)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
