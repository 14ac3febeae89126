#pragma once

// The time of day that the handlers read. Replaceable so that tests can
// advance time by hand.
class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with a fractional part.
    virtual float secondsSinceMidnight() = 0;
};

// The local wall clock.
class SystemClock final : public Clock
{
public:
    float secondsSinceMidnight() override;
};
