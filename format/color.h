#pragma once

#include <cstdint>

namespace jigsaw {

// A colour value as the sample arrays hold it: 0x00BBGGRR, red in the low byte.
using ColorRef = std::uint32_t;

constexpr ColorRef rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) | (static_cast<ColorRef>(b) << 16);
}
constexpr std::uint8_t redOf(ColorRef c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t greenOf(ColorRef c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t blueOf(ColorRef c) { return static_cast<std::uint8_t>(c >> 16); }

}  // namespace jigsaw
