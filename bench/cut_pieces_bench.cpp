#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "cut_pieces.h"
#include "piece_template.h"

namespace jigsaw {
namespace {

// Template, picture and output buffers of one puzzle size, built before timing.
// The cut writes the same places every time, so the buffers are reused as they are.
struct CutSetup {
    CutSetup(int sizeIndex, int bits, CutVariant variant)
        : g(puzzleSize(sizeIndex).geometry), templ(templateSamples(makePieceTemplate(sizeIndex), g))
    {
        const std::size_t samples = static_cast<std::size_t>(g.width()) * static_cast<std::size_t>(g.height());
        for (std::size_t i = 0; i < samples; ++i) {
            picture24.push_back(rgb(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 40));
            picture8.push_back(static_cast<std::uint8_t>(i * 7));
        }
        for (auto& sheet : sheets)
            sheet.assign(dibStride(g.sheetWidth(), bits) * static_cast<std::size_t>(g.sheetHeight()), 0xFF);
        mask.assign(dibStride(4 * g.sheetWidth(), 1) * static_cast<std::size_t>(g.sheetHeight()), 0xFF);
        if (variant == CutVariant::Maker)
            sink.assign(dibStride(g.width(), bits) * static_cast<std::size_t>(g.height()), 0xFF);
        target = {{sheets[0], sheets[1], sheets[2], sheets[3]}, mask, sink};
    }

    PuzzleGeometry g;
    std::vector<ColorRef> templ;
    std::vector<ColorRef> picture24;
    std::vector<std::uint8_t> picture8;
    std::array<std::vector<std::uint8_t>, 4> sheets;
    std::vector<std::uint8_t> mask;
    std::vector<std::uint8_t> sink;
    CutTarget target;
};

void setSamplesProcessed(benchmark::State& state, const PuzzleGeometry& g)
{
    const std::int64_t perCut = static_cast<std::int64_t>(g.pieceSize()) * g.pieceSize() * g.pieceCount();
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * perCut);
}

void BM_Cut24(benchmark::State& state, CutVariant variant)
{
    CutSetup setup(static_cast<int>(state.range(0)), 24, variant);
    for (auto _ : state) {
        CutPieces(setup.g, setup.templ, setup.picture24, kBevelLight24, kBevelDark24, variant, setup.target);
        benchmark::DoNotOptimize(setup.mask.data());
        benchmark::ClobberMemory();
    }
    setSamplesProcessed(state, setup.g);
}

void BM_Cut8(benchmark::State& state)
{
    CutSetup setup(static_cast<int>(state.range(0)), 8, CutVariant::Maker);
    for (auto _ : state) {
        CutPieces(setup.g, setup.templ, setup.picture8, 7, 3, CutVariant::Maker, setup.target);
        benchmark::DoNotOptimize(setup.mask.data());
        benchmark::ClobberMemory();
    }
    setSamplesProcessed(state, setup.g);
}

// Size 12 is 24 × 20 pieces of S 75, size 15 is 40 × 25 pieces of S 50.
BENCHMARK_CAPTURE(BM_Cut24, maker, CutVariant::Maker)->Arg(12)->Arg(15)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Cut24, player, CutVariant::Player)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cut8)->Arg(12)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace jigsaw
