#pragma once

#include <cstdint>

// Where the game takes its time from: a millisecond tick for the playing time
// and the calendar time in seconds for seeding the deal.
class GameClock {
public:
    virtual ~GameClock() = default;
    virtual std::uint64_t TickMs() = 0;
    virtual std::int64_t TimeSeconds() = 0;
};

// The machine's clocks: a steady millisecond tick that never wraps, and the
// system time.
class SystemClock final : public GameClock {
public:
    std::uint64_t TickMs() override;
    std::int64_t TimeSeconds() override;
};

// A process-wide system clock for callers that have no other.
GameClock& systemClock();
