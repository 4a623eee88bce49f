#pragma once

#include <sys/types.h>
#include <sys/uio.h>

#include <cstdint>
#include <filesystem>
#include <span>

namespace jigsaw {

// Writes the parts one after another into `path` through a temporary file in
// the same folder, flushed to disk and then renamed over the target, so that
// the target is either the old file or the complete new one. Throws
// FormatError with the system's reason when anything fails; the temporary
// file is removed then.
void writeFileAtomically(const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> parts);

// The system calls that fill and flush the temporary file. Tests replace them
// to act out short writes, interrupted calls and a disk that fails to flush.
struct AtomicFileCalls {
    ssize_t (*writev)(int fd, const iovec* vec, int count);
    int (*fsync)(int fd);
};
AtomicFileCalls& atomicFileCalls();

}  // namespace jigsaw
