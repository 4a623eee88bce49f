#include "byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "format_error.h"

namespace jigsaw {

void MemorySource::readAt(std::size_t offset, std::span<std::uint8_t> dest)
{
    if (!dest.empty())
        std::memcpy(dest.data(), data_.data() + offset, dest.size());
}

FileSource::FileSource(const std::filesystem::path& path) : path_(path)
{
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw FormatError(ErrorCode::FileOpenFailed, {path.string(), std::strerror(errno)});
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        const int err = errno;
        ::close(fd_);
        throw FormatError(ErrorCode::FileStatFailed, {path.string(), std::strerror(err)});
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd_);
        throw FormatError(ErrorCode::NotARegularFile, {path.string()});
    }
    size_ = static_cast<std::size_t>(st.st_size);
}

FileSource::~FileSource()
{
    ::close(fd_);
}

void FileSource::readAt(std::size_t offset, std::span<std::uint8_t> dest)
{
    std::size_t done = 0;
    while (done < dest.size()) {
        const ssize_t n = ::pread(fd_, dest.data() + done, dest.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FormatError(ErrorCode::FileReadFailed, {path_.string(), std::strerror(errno)});
        if (n == 0)
            throw FormatError(ErrorCode::FileShrankWhileReading, {path_.string()});
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace jigsaw
