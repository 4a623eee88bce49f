#pragma once

#include <cstdint>
#include <random>

// The random numbers of the deal: seeded, then drawn one at a time. Draws are
// non-negative and used modulo small counts.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(std::uint32_t seed) = 0;
    virtual std::uint32_t Next() = 0;
};

// The standard Mersenne Twister; the same seed gives the same sequence on
// every machine.
class MtRandom final : public RandomSource {
public:
    void Seed(std::uint32_t seed) override { engine_.seed(seed); }
    std::uint32_t Next() override { return static_cast<std::uint32_t>(engine_()); }

private:
    std::mt19937 engine_;
};
