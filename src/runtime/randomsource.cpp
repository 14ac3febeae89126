#include "runtime/randomsource.h"

#include <bit>

void SplitMixRandom::reseed(float seed)
{
    // The old state survives inside the new one, so two equal seeds in a row
    // lead to different states.
    m_state = mix(m_state ^ (std::uint64_t{std::bit_cast<std::uint32_t>(seed)} * Golden)) + m_state;
}
