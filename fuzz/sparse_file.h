#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// A file assembled from parts of a fuzz input placed at chosen offsets, with
// zero bytes everywhere else. The buffer lives as long as the program and a
// new file only clears what the last one wrote, so a run costs what its input
// costs, not what the file's length does.
class SparseFile {
public:
    void clear()
    {
        for (const auto& [at, count] : written_)
            std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at), count, std::uint8_t{0});
        written_.clear();
        length_ = 0;
    }

    // Copies `part` to `at` and makes the file end behind it.
    void put(std::size_t at, std::span<const std::uint8_t> part)
    {
        setLength(at + part.size());
        std::ranges::copy(part, bytes_.begin() + static_cast<std::ptrdiff_t>(at));
        written_.emplace_back(at, part.size());
    }

    void setLength(std::size_t length)
    {
        if (bytes_.size() < length)
            bytes_.resize(length);
        length_ = length;
    }

    std::span<const std::uint8_t> bytes() const { return {bytes_.data(), length_}; }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::pair<std::size_t, std::size_t>> written_;
    std::size_t length_ = 0;
};
