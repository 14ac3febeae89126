#include "answer/classclock.h"

#include "law/classatspeed.h"
#include "runtime/clock.h"

#include <algorithm>
#include <cmath>

namespace {

// The shortest time between two frames: as often as a screen shows one.
constexpr int FrameMs = 16;

} // namespace

ClassClock::ClassClock(stats::ClassAtSpeed &motion, Clock &clock, QObject *parent)
    : QObject(parent), m_motion(motion), m_clock(clock)
{
    m_frame.setTimerType(Qt::PreciseTimer);
    connect(&m_frame, &QTimer::timeout, this, &ClassClock::frame);
}

void ClassClock::play(int speed)
{
    m_speed = speed;
    m_fromTick = m_motion.now();
    m_fromSeconds = m_clock.steadySeconds();
    // One frame a tick at low speeds, as on the board; otherwise a frame as
    // often as a screen shows one.
    m_frame.start(std::max(FrameMs, int(1000 * TickSeconds / speed)));
}

void ClassClock::stop()
{
    m_frame.stop();
}

double ClassClock::seconds(int speed) const
{
    return m_motion.end() * TickSeconds / speed;
}

void ClassClock::frame()
{
    const double elapsed = m_clock.steadySeconds() - m_fromSeconds;
    m_motion.advanceTo(m_fromTick + int(std::floor(elapsed * m_speed / TickSeconds)));
    emit advanced();
}
