#include "atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "format_error.h"

namespace jigsaw {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, int err)
{
    throw FormatError(ErrorCode::FileWriteFailed, {path.string(), std::strerror(err)});
}

// Writes every byte of the parts, resuming after short writes and signals.
bool writeAll(int fd, std::span<const std::span<const std::uint8_t>> parts)
{
    std::vector<iovec> vec;
    vec.reserve(parts.size());
    for (const auto& p : parts)
        if (!p.empty())
            vec.push_back({const_cast<std::uint8_t*>(p.data()), p.size()});

    std::size_t first = 0;
    while (first < vec.size()) {
        const int count = static_cast<int>(std::min<std::size_t>(vec.size() - first, IOV_MAX));
        const ssize_t n = atomicFileCalls().writev(fd, vec.data() + first, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        auto left = static_cast<std::size_t>(n);
        while (first < vec.size() && left >= vec[first].iov_len)
            left -= vec[first++].iov_len;
        if (left > 0) {
            vec[first].iov_base = static_cast<std::uint8_t*>(vec[first].iov_base) + left;
            vec[first].iov_len -= left;
        }
    }
    return true;
}

}  // namespace

AtomicFileCalls& atomicFileCalls()
{
    static AtomicFileCalls calls{::writev, ::fsync};
    return calls;
}

void writeFileAtomically(const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> parts)
{
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string name = ".";
    name += path.filename().string();
    name += ".tmp-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    const std::filesystem::path temp = dir / name;

    // Created with the ordinary mode, so the finished file gets the
    // permissions the user's umask gives any new file.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        fail(path, errno);
    int err = 0;
    if (!writeAll(fd, parts) || atomicFileCalls().fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        fail(path, err);
    }
}

}  // namespace jigsaw
