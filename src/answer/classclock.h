#pragma once

#include "core/rules.h"

#include <QObject>
#include <QTimer>

#include <chrono>

class Clock;
namespace stats {
class ClassAtSpeed;
}

// Plays a class at speed against a clock: from the class's tick when play
// began, the class's tick follows the clock at speed times real time, a
// frame at a time.
class ClassClock final : public QObject
{
    Q_OBJECT

public:
    // One tick period of the board, in seconds.
    static constexpr double TickSeconds = std::chrono::duration<double>(rules::TickInterval).count();

    // motion and clock: the caller's, outliving this.
    ClassClock(stats::ClassAtSpeed &motion, Clock &clock, QObject *parent = nullptr);

    // Plays the class on from where it is at speed times real time; played
    // already, it goes on from here at the new speed.
    void play(int speed);
    void stop();
    bool playing() const { return m_frame.isActive(); }
    // How long the whole class lasts at speed, in real seconds.
    double seconds(int speed) const;

signals:
    // A frame moved the class to the tick the clock has reached (it may have
    // finished: the clock plays on until stopped).
    void advanced();

private:
    void frame();

    stats::ClassAtSpeed &m_motion;
    Clock &m_clock;
    QTimer m_frame;
    int m_speed = 1;
    int m_fromTick = 0;
    double m_fromSeconds = 0;
};
