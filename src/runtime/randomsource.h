#pragma once

#include <cstdint>

// The random numbers the walker ticks draw.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Folds seed into the current state, keeping part of that state, so that
    // equal reseeds in a row are followed by different draws.
    virtual void reseed(float seed) = 0;
    // The next number of the sequence, uniform in [0, 1).
    virtual double next() = 0;
};

// SplitMix64: a small, well-known 64-bit generator. Its draws have 32 bits
// of resolution, so r * 8 + 1 always floors to 1..8.
class SplitMixRandom final : public RandomSource
{
public:
    explicit SplitMixRandom(std::uint64_t state = 0) : m_state(state) {}

    void reseed(float seed) override;
    double next() override
    {
        m_state += Golden;
        return toUnit(mix(m_state));
    }

    static constexpr std::uint64_t Golden = 0x9E3779B97F4A7C15ULL;

    // SplitMix64's output function: a bijection that scatters nearby inputs
    // over all 64 bits.
    static constexpr std::uint64_t mix(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Maps a raw 64-bit output to [0, 1): the top 32 bits over 2^32.
    static constexpr double toUnit(std::uint64_t bits)
    {
        return static_cast<double>(bits >> 32) * (1.0 / 4294967296.0);
    }

private:
    std::uint64_t m_state = 0;
};
