#pragma once

#include "runtime/runtimeerror.h"

#include <cstdint>

// A signed 16-bit integer whose arithmetic never wraps: a result outside
// -32768..32767 raises the overflow run-time error instead.
class Int16
{
public:
    static constexpr int Min = INT16_MIN;
    static constexpr int Max = INT16_MAX;

    constexpr Int16() = default;
    // Throws the overflow error when value is out of range.
    constexpr Int16(int value) : m_value(checked(value)) {}

    constexpr int value() const noexcept { return m_value; }
    constexpr operator int() const noexcept { return m_value; }

    constexpr Int16 &operator+=(int rhs)
    {
        m_value = checked(m_value + rhs);
        return *this;
    }
    constexpr Int16 &operator-=(int rhs)
    {
        m_value = checked(m_value - rhs);
        return *this;
    }
    constexpr Int16 &operator++() { return *this += 1; }

    friend constexpr Int16 operator+(Int16 a, int b) { return a += b; }
    friend constexpr Int16 operator-(Int16 a, int b) { return a -= b; }

private:
    static constexpr std::int16_t checked(long long v)
    {
        if (v < Min || v > Max)
            throw RuntimeError::overflow();
        return static_cast<std::int16_t>(v);
    }

    std::int16_t m_value = 0;
};
