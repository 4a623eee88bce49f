#include "game_clock.h"

#include <chrono>

std::uint64_t SystemClock::TickMs()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::int64_t SystemClock::TimeSeconds()
{
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(since).count();
}

GameClock& systemClock()
{
    static SystemClock clock;
    return clock;
}
