#include "wave_file.h"

#include <limits>
#include <stdexcept>

#include "byte_io.h"

namespace jigsaw {

namespace {

constexpr std::uint32_t kHeaderBytes = 44;
constexpr std::uint16_t kPcmFormat = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;

void tag(ByteWriter& out, const char (&fourCc)[5])
{
    for (int i = 0; i < 4; ++i)
        out.u8(static_cast<std::uint8_t>(fourCc[i]));
}

}  // namespace

std::vector<std::uint8_t> encodeWave(std::span<const std::int16_t> samples)
{
    // The RIFF size counts everything after its own field: the header less
    // eight bytes, plus the data.
    constexpr std::size_t kMaxData = std::numeric_limits<std::uint32_t>::max() - (kHeaderBytes - 8);
    if (samples.size() > kMaxData / kBlockAlign)
        throw std::length_error("too many samples for a WAVE file");
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBlockAlign);

    std::vector<std::uint8_t> bytes;
    bytes.reserve(kHeaderBytes + dataBytes);
    ByteWriter out(bytes);
    tag(out, "RIFF");
    out.u32(kHeaderBytes - 8 + dataBytes);
    tag(out, "WAVE");
    tag(out, "fmt ");
    out.u32(16);
    out.u16(kPcmFormat);
    out.u16(kChannels);
    out.u32(kWaveSampleRate);
    out.u32(kWaveSampleRate * kBlockAlign);
    out.u16(kBlockAlign);
    out.u16(kBitsPerSample);
    tag(out, "data");
    out.u32(dataBytes);
    for (const std::int16_t s : samples)
        out.u16(static_cast<std::uint16_t>(s));
    return bytes;
}

}  // namespace jigsaw
