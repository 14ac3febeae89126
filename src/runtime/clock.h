#pragma once

// The clocks that the handlers read. Replaceable so that tests can advance
// time by hand.
class Clock
{
public:
    virtual ~Clock() = default;
    // The local time of day: seconds since local midnight, with a fractional
    // part. Steps when the wall clock is set or daylight saving changes.
    virtual float secondsSinceMidnight() = 0;
    // Seconds from an arbitrary fixed origin, never set back or forward: only
    // the difference of two readings means anything.
    virtual double steadySeconds() = 0;
};

// The local wall clock and the system's monotonic clock.
class SystemClock final : public Clock
{
public:
    float secondsSinceMidnight() override;
    double steadySeconds() override;
};
