// Writing and reading the largest true-colour puzzle file against one plain
// write or read of the same number of bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "jzt_file.h"
#include "sample_picture.h"
#include "sample_puzzle.h"

namespace {

using namespace jigsaw;

constexpr int kLargestSize = 15;  // 40 × 25 pieces

const JztPuzzle& largestPuzzle()
{
    static const JztPuzzle puzzle = [] {
        const PuzzleGeometry g = puzzleSize(kLargestSize).geometry;
        return buildSamplePuzzle(kLargestSize, DataFormat::Large, ColorFormat::TrueColor,
                                 samplePicture(g.width(), g.height()));
    }();
    return puzzle;
}

const std::vector<std::uint8_t>& largestBytes()
{
    static const std::vector<std::uint8_t> bytes = writeJzt(largestPuzzle());
    return bytes;
}

std::filesystem::path benchFile(const char* name)
{
    return std::filesystem::temp_directory_path() / (std::string("jigsaw_bench_") + name);
}

void BM_WriteJztFile(benchmark::State& state)
{
    const JztPuzzle& puzzle = largestPuzzle();
    const auto path = benchFile("write.jzt");
    for (auto _ : state)
        writeJztFile(path, puzzle);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largestBytes().size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteJztFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes with one write() into a new file, flushed like the puzzle
// writer flushes before it renames.
void BM_PlainWrite(benchmark::State& state)
{
    const std::vector<std::uint8_t>& bytes = largestBytes();
    const auto path = benchFile("plain.bin");
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            (state.range(0) != 0 && ::fsync(fd) != 0))
            throw std::runtime_error("plain write failed");
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_PlainWrite)->Arg(0)->Arg(1)->ArgName("fsync")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadJztFile(benchmark::State& state)
{
    const auto path = benchFile("read.jzt");
    writeJztFile(path, largestPuzzle());
    for (auto _ : state)
        benchmark::DoNotOptimize(readJztFile(path));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largestBytes().size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadJztFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// One read() of the whole file into a fresh buffer of its size.
void BM_PlainRead(benchmark::State& state)
{
    const auto path = benchFile("read.bin");
    writeJztFile(path, largestPuzzle());
    const std::size_t size = largestBytes().size();
    for (auto _ : state) {
        std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size]);
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0 || ::read(fd, buffer.get(), size) != static_cast<ssize_t>(size))
            throw std::runtime_error("plain read failed");
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    std::filesystem::remove(path);
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
