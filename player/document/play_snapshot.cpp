#include "play_snapshot.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "play_file.h"

PlaySnapshot::Bytes PlaySnapshot::take(const CVorpelDoc& doc, std::uint64_t nowMs, bool clockCounts)
{
    auto fixed = std::make_shared<std::vector<std::uint8_t>>(WritePlayFixedData(doc, nowMs));
    if (m_last && m_last->size() == fixed->size()) {
        bool same = false;
        if (clockCounts) {
            same = *fixed == *m_last;
        } else {
            // Compared with the last take's seconds in place.
            const auto elapsed = fixed->begin() + kPlayElapsedOffset;
            std::array<std::uint8_t, kPlayElapsedSize> now{};
            std::copy_n(elapsed, kPlayElapsedSize, now.begin());
            std::copy_n(m_last->begin() + kPlayElapsedOffset, kPlayElapsedSize, elapsed);
            same = std::memcmp(fixed->data(), m_last->data(), fixed->size()) == 0;
            std::copy(now.begin(), now.end(), elapsed);
        }
        if (same)
            return nullptr;
    }
    m_last = std::move(fixed);
    return m_last;
}
