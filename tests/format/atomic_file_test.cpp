#include "atomic_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "format_error.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// How the fake calls misbehave; reset by each test.
struct Faults {
    std::size_t chunk = 0;  // when not 0, write at most this many bytes per call
    bool interruptEveryOther = false;
    int failWriteAfter = -1;  // calls that succeed before writes fail with ENOSPC
    bool writeNothing = false;
    int fsyncError = 0;
    int calls = 0;
};
Faults faults;

ssize_t fakeWritev(int fd, const iovec* vec, int count)
{
    const int call = faults.calls++;
    if (call > 100'000) {  // a writer that never gets further
        errno = EIO;
        return -1;
    }
    if (faults.interruptEveryOther && call % 2 == 0) {
        errno = EINTR;
        return -1;
    }
    if (faults.failWriteAfter >= 0 && call >= faults.failWriteAfter) {
        errno = ENOSPC;
        return -1;
    }
    if (faults.writeNothing)
        return 0;
    if (faults.chunk == 0)
        return ::writev(fd, vec, count);
    return ::write(fd, vec[0].iov_base, std::min(vec[0].iov_len, faults.chunk));
}

int fakeFsync(int fd)
{
    if (faults.fsyncError != 0) {
        errno = faults.fsyncError;
        return -1;
    }
    return ::fsync(fd);
}

class AtomicFile : public testing::Test {
protected:
    // A folder of its own: ctest runs the cases of this fixture side by side.
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("format_atomic_file_test-" + std::to_string(::getpid()));
    std::filesystem::path path = dir / "out.bin";
    Bytes a = bytes(1000, 3), b = bytes(5, 200), c = bytes(4097, 11);

    void SetUp() override
    {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        faults = {};
        jigsaw::atomicFileCalls() = {fakeWritev, fakeFsync};
    }
    void TearDown() override
    {
        jigsaw::atomicFileCalls() = {::writev, ::fsync};
        std::filesystem::remove_all(dir);
    }

    static Bytes bytes(std::size_t n, int seed)
    {
        Bytes v(n);
        for (std::size_t i = 0; i < n; ++i)
            v[i] = static_cast<std::uint8_t>(i * 7 + seed);
        return v;
    }
    void write()
    {
        const std::span<const std::uint8_t> parts[] = {a, {}, b, c};
        jigsaw::writeFileAtomically(path, parts);
    }
    Bytes onDisk() const
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    Bytes all() const
    {
        Bytes v = a;
        v.insert(v.end(), b.begin(), b.end());
        v.insert(v.end(), c.begin(), c.end());
        return v;
    }
    // After a failure: the old file as it was, no temporary file beside it,
    // and a message that gives the system's reason.
    void expectFailureKeeps(const Bytes& old, const std::string& reason)
    {
        try {
            write();
            ADD_FAILURE() << "the write succeeded";
        } catch (const jigsaw::FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
        EXPECT_EQ(onDisk(), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
    }
};

TEST_F(AtomicFile, ShortWritesAndInterruptedCallsStillWriteEveryByte)
{
    faults.chunk = 13;
    faults.interruptEveryOther = true;
    write();
    EXPECT_EQ(onDisk(), all());
    EXPECT_GT(faults.calls, 2 * 5102 / 13) << "every write was short";
}

TEST_F(AtomicFile, AFailedWriteOrFlushKeepsTheOldFile)
{
    write();
    const Bytes old = onDisk();
    a[0] ^= 0xFF;

    // A full disk part way through, a write that makes no progress, a failed flush.
    const std::pair<Faults, int> failures[] = {
        {{.chunk = 100, .failWriteAfter = 3}, ENOSPC}, {{.writeNothing = true}, EIO}, {{.fsyncError = EIO}, EIO}};
    for (const auto& [fault, error] : failures) {
        faults = fault;
        expectFailureKeeps(old, std::strerror(error));
    }

    faults = {};
    write();
    EXPECT_EQ(onDisk(), all());
}

}  // namespace
