#pragma once

#include "core/cueplayer.h"
#include "core/walkstate.h"

class QString;

// The read-outs along the bottom of the board window.
enum class Readout { Dog, Momotaro, Meetings, Time };

// The command buttons of the board window, numbered as their object names.
enum class Button { Exit = 1, BothStart = 2, OneStart = 3, Stop = 4, Start = 5, Problem = 6 };

// What the rules may do to the board window. The window implements it with
// widgets; tests and other programs can implement it without any.
class BoardOps : public CuePlayer
{
public:
    // Moves the walker's picture so that its top-left corner is on (x, y).
    virtual void placeWalker(Walker walker, int x, int y) = 0;
    virtual void setWalkerVisible(Walker walker, bool visible) = 0;
    virtual void setReadout(Readout readout, const QString &text) = 0;
    virtual void setButtonEnabled(Button button, bool enabled) = 0;
    // Timer1 walks Dog, Timer2 walks Momotaro.
    virtual void setTimerEnabled(Walker walker, bool enabled) = 0;
};
