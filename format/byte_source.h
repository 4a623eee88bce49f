#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace jigsaw {

// Where a reader takes its bytes from: memory or an open file, so that large
// blocks can be read straight into their final buffers. Callers check the
// bounds against size() before every read.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t size() const = 0;
    // Reads dest.size() bytes at `offset`; offset + dest.size() <= size().
    virtual void readAt(std::size_t offset, std::span<std::uint8_t> dest) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> data) : data_(data) {}
    std::size_t size() const override { return data_.size(); }
    void readAt(std::size_t offset, std::span<std::uint8_t> dest) override;

private:
    std::span<const std::uint8_t> data_;
};

// A regular file, read with pread. Opening, a failed read and a file that
// shrinks while being read throw FormatError naming the file and the reason.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t size() const override { return size_; }
    void readAt(std::size_t offset, std::span<std::uint8_t> dest) override;

private:
    std::filesystem::path path_;
    int fd_ = -1;
    std::size_t size_ = 0;
};

}  // namespace jigsaw
