#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "format_error.h"

namespace jigsaw {

// Reads little-endian values from a byte span. Every read checks the bounds
// first and throws FormatError instead of reading past the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }

    std::uint8_t u8()
    {
        need(1);
        return data_[pos_++];
    }
    std::uint16_t u16()
    {
        need(2);
        const std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint32_t u32()
    {
        need(4);
        const std::uint32_t v = static_cast<std::uint32_t>(data_[pos_]) |
                                (static_cast<std::uint32_t>(data_[pos_ + 1]) << 8) |
                                (static_cast<std::uint32_t>(data_[pos_ + 2]) << 16) |
                                (static_cast<std::uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    std::span<const std::uint8_t> bytes(std::size_t n)
    {
        need(n);
        const auto out = data_.subspan(pos_, n);
        pos_ += n;
        return out;
    }
    void skip(std::size_t n)
    {
        need(n);
        pos_ += n;
    }

private:
    void need(std::size_t n) const
    {
        if (n > remaining())
            fail(n);
    }

    [[noreturn, gnu::cold, gnu::noinline]] void fail(std::size_t n) const
    {
        throw FormatError(ErrorCode::DataEndsEarly, {pos_, n, remaining()});
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

// Appends little-endian values to a byte vector.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v)
    {
        out_.push_back(static_cast<std::uint8_t>(v));
        out_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        for (int shift = 0; shift < 32; shift += 8)
            out_.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }

private:
    std::vector<std::uint8_t>& out_;
};

}  // namespace jigsaw
