#pragma once

#include "core/services.h"
#include "core/walkertick.h"
#include "core/walkstate.h"

class BoardOps;
class CuePlayer;

// The board window's handlers without the widgets: load, the two set-ups,
// Start, Stop, the walker ticks and Exit. Each handler is a fixed sequence of
// steps on the state and on the window; the order is part of the behaviour.
class Experiment
{
public:
    Experiment(BoardOps &board, const Services &services);

    const WalkState &state() const { return m_state; }

    void load();
    // Asks the four start coordinates; a refused answer ends the set-up at
    // once, leaving the coordinates already answered written.
    void setUp(Scenario scenario);
    void start();
    void stop();
    TickOutcome tick(Walker walker);
    // The exit chime on the window that was asked, the confirmation box, then
    // the end of the program.
    void confirmExit(CuePlayer &window);
    // Ends the program at once: no sound, no box, no further tick.
    void endProgram();

    // Whether a set-up answer is accepted: not empty, and 0..10 once read as
    // a number.
    static bool acceptable(const QString &answer, double value);

private:
    BoardOps &m_board;
    Services m_services;
    WalkState m_state;
};
