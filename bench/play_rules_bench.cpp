#include <benchmark/benchmark.h>

#include <memory>

#include "game_clock.h"
#include "geometry.h"
#include "play_rules.h"
#include "puzzle_loader.h"
#include "random_source.h"

namespace {

class FixedClock final : public GameClock {
public:
    std::uint64_t TickMs() override { return 1'000'000; }
    std::int64_t TimeSeconds() override { return 1'700'000'000; }
};

constexpr int kOrigin = 40;

// The 1000-piece puzzle (40 × 25) with every piece on the board in its home
// place, upright, in two groups of 500: the left and the right half. The join
// reads no pictures, so the deal alone sets the game up.
std::unique_ptr<CVorpelDoc> twoHalves()
{
    const jigsaw::PuzzleGeometry g = jigsaw::puzzleSize(15).geometry;
    auto doc = std::make_unique<CVorpelDoc>();
    doc->SetCols(g.cols);
    doc->SetRows(g.rows);
    doc->SetCellSize(g.cellSize);
    doc->SetMargin(g.margin);
    doc->SetPieceSize(g.pieceSize());
    FixedClock clock;
    MtRandom random;
    DealNewGame(*doc, clock, random);

    GroupMatrix left{}, right{};
    for (int c = 0; c < g.cols; ++c)
        for (int r = 0; r < g.rows; ++r)
            (c < g.cols / 2 ? left : right)[c][r] = 1;
    const int s = g.pieceSize();
    for (int id = 0; id < g.pieceCount(); ++id) {
        const int c = id % g.cols, r = id / g.cols;
        doc->SetOnBoard(id, 1);
        doc->SetBoardTurn(id, 1);
        doc->SetTrayPiece(id, -1);
        doc->SetTrayTurn(id, 0);
        const int x = kOrigin + c * g.pitch(), y = kOrigin + r * g.pitch();
        doc->PieceRect()[c][r] = RECT{x, y, x + s, y + s};
        doc->Group(id) = c < g.cols / 2 ? left : right;
    }
    return doc;
}

// The left half put down 7 pixels right of and 5 above its place: one join
// merges the halves and completes the puzzle.
void BM_TryJoin_HalfSnapsAndCompletes(benchmark::State& state)
{
    const auto start = twoHalves();
    PlaceGroup(*start, kOrigin + 7, kOrigin - 5, 0);
    auto doc = std::make_unique<CVorpelDoc>(*start);
    if (!TryJoin(*doc, 0).completed)
        state.SkipWithError("the halves did not join");
    for (auto _ : state) {
        state.PauseTiming();
        *doc = *start;
        state.ResumeTiming();
        const JoinResult result = TryJoin(*doc, 0);
        benchmark::DoNotOptimize(result.completed);
    }
}
BENCHMARK(BM_TryJoin_HalfSnapsAndCompletes)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The left half put down far from the right one: every neighbour is tested,
// none joins.
void BM_TryJoin_HalfFindsNothing(benchmark::State& state)
{
    const auto doc = twoHalves();
    PlaceGroup(*doc, kOrigin + 400, kOrigin + 300, 0);
    for (auto _ : state) {
        const JoinResult result = TryJoin(*doc, 0);
        benchmark::DoNotOptimize(result.count);
    }
}
BENCHMARK(BM_TryJoin_HalfFindsNothing)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The 1000-piece board with every piece alone, far right of and below a view
// of 800 × 600 at the origin: the most groups to count and to gather.
std::unique_ptr<CVorpelDoc> looseFarAway()
{
    auto doc = twoHalves();
    const int s = doc->PieceSize();
    for (int id = 0; id < doc->PieceCount(); ++id) {
        const int c = id % doc->GetCols(), r = id / doc->GetCols();
        const int x = 2000 + c * (s + 10), y = 1500 + r * (s + 10);
        doc->PieceRect()[c][r] = RECT{x, y, x + s, y + s};
        doc->Group(id) = GroupMatrix{};
        doc->Group(id)[c][r] = 1;
    }
    return doc;
}

void BM_CountJoins_1000Loose(benchmark::State& state)
{
    const auto doc = looseFarAway();
    for (auto _ : state)
        benchmark::DoNotOptimize(CountJoins(*doc).done);
}
BENCHMARK(BM_CountJoins_1000Loose)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// Gathering or spreading 1000 loose pieces lying out of an 800 × 600 view.
void BM_ArrangeLoose(benchmark::State& state, int (*rule)(CVorpelDoc&, const RECT&))
{
    const auto start = looseFarAway();
    auto doc = std::make_unique<CVorpelDoc>(*start);
    for (auto _ : state) {
        state.PauseTiming();
        *doc = *start;
        state.ResumeTiming();
        benchmark::DoNotOptimize(rule(*doc, RECT{0, 0, 800, 600}));
    }
}
BENCHMARK_CAPTURE(BM_ArrangeLoose, GatherGroups_1000, GatherGroups)
    ->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ArrangeLoose, SpreadLoosePieces_1000, SpreadLoosePieces)
    ->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
