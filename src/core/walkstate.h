#pragma once

#include "runtime/int16.h"

#include <QString>

#include <cstdint>

// The scenario and its phase, in one signed number: the sign tells the
// scenario (both walk / only Dog walks), the magnitude the phase.
// A meeting doubles a walking mode and the restart halves it again
// (tickRules).
enum class RunMode : std::int16_t {
    Idle = 0,
    BothWalk = 1,
    DogWalks = -1,
    BothMet = 2,
    DogMet = -2,
};

enum class Walker { Dog, Momotaro };

enum class Scenario { BothWalk, DogWalks };

// Which start coordinate a set-up answer writes.
enum class StartField { MomoX, MomoY, DogX, DogY };

// What a walker tick reads and changes: the start and current points, the
// mode and the count. A simulated run copies just this much, which the
// compiler can then keep in registers.
struct WalkPoints
{
    Int16 dogStartX;
    Int16 dogStartY;
    Int16 momoStartX;
    Int16 momoStartY;
    Int16 dogX;
    Int16 dogY;
    Int16 momoX;
    Int16 momoY;
    RunMode runMode = RunMode::Idle;
    Int16 meetCount;

    // A meeting counted and not yet followed by the restart.
    bool metPending() const { return runMode == RunMode::BothMet || runMode == RunMode::DogMet; }
};

// Everything the experiment knows. Plain fields: the handlers read and write
// them directly; the operations below set a run up (a tick's transitions
// are tickRules').
struct WalkState : WalkPoints
{
    QString answerText;
    // Times of day (Clock::secondsSinceMidnight) of the start and of each
    // walker's latest tick.
    float startTime = 0;
    float dogTickTime = 0;
    float momoTickTime = 0;
    // The steady clock at the start (Clock::steadySeconds): the run's elapsed
    // time is measured from it, so setting the wall clock does not move it.
    double steadyStart = 0;

    // Idle, no meetings; the other fields keep their zero values.
    void resetOnLoad();
    void setStart(StartField field, Int16 value);
    // Current points := start points, then the scenario's walking mode and a
    // zero count.
    void place(Scenario scenario);
    void markStart(float timeOfDay, double steady)
    {
        startTime = timeOfDay;
        steadyStart = steady;
    }
};
