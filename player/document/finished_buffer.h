#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The finished picture as it is saved: width × height pixels of three bytes
// in the order blue, green, red; rows of width × 3 bytes without padding,
// the bottom row first.
struct FinishedBuffer {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;

    FinishedBuffer() = default;
    FinishedBuffer(int w, int h)
        : width(w), height(h), bgr(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3)
    {
    }

    std::size_t rowBytes() const { return static_cast<std::size_t>(width) * 3; }
    // The stored row holding picture row y, counted from the top.
    std::uint8_t* rowFromTop(int y) { return bgr.data() + rowBytes() * static_cast<std::size_t>(height - 1 - y); }
    const std::uint8_t* rowFromTop(int y) const
    {
        return bgr.data() + rowBytes() * static_cast<std::size_t>(height - 1 - y);
    }
};
