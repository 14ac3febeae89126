#include "randomsource.h"

#include <bit>

namespace {

constexpr std::uint64_t Golden = 0x9E3779B97F4A7C15ULL;

constexpr std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

void SplitMixRandom::reseed(float seed)
{
    // The old state survives inside the new one, so two equal seeds in a row
    // lead to different states.
    m_state = mix(m_state ^ (std::uint64_t{std::bit_cast<std::uint32_t>(seed)} * Golden)) + m_state;
}

double SplitMixRandom::next()
{
    m_state += Golden;
    return toUnit(mix(m_state));
}
