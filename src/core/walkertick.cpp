#include "core/walkertick.h"

#include "core/boardops.h"
#include "runtime/clock.h"
#include "runtime/conversions.h"
#include "runtime/randomsource.h"
#include "core/readouts.h"
#include "core/rules.h"

TickOutcome walkerTick(Walker walker, WalkState &state, Clock &clock, RandomSource &random, BoardOps &board)
{
    float &tickTime = walker == Walker::Dog ? state.dogTickTime : state.momoTickTime;
    TickOutcome outcome;

    tickTime = clock.secondsSinceMidnight();
    // On the steady clock: a wall clock set back or forward, or midnight,
    // changes nothing here.
    const double elapsed = clock.steadySeconds() - state.steadyStart;
    board.setReadout(Readout::Time, readouts::elapsed(conv::floorValue(elapsed)));

    if (static_cast<float>(elapsed) > rules::TimeLimitSeconds) {
        outcome.limitPassed = true;
        board.setTimerEnabled(walker, false);
        board.setButtonEnabled(Button::Stop, false);
        board.setButtonEnabled(Button::BothStart, true);
        board.setButtonEnabled(Button::OneStart, true);
    }

    board.setWalkerVisible(walker, true);

    random.reseed(clock.secondsSinceMidnight());
    outcome.direction = directionFromDraw(random.next());

    outcome.action = applyTick(state, walker, outcome.direction);
    switch (outcome.action) {
    case TickAction::Moved:
    case TickAction::Met: {
        const bool isDog = walker == Walker::Dog;
        board.placeWalker(walker, isDog ? state.dogX : state.momoX, isDog ? state.dogY : state.momoY);
        board.setReadout(isDog ? Readout::Dog : Readout::Momotaro, readouts::position(state, walker));
        if (outcome.action == TickAction::Met)
            board.setReadout(Readout::Meetings, readouts::meetings(state.meetCount));
        break;
    }
    case TickAction::Restarted: board.playCue(QStringLiteral("logoff.wav")); break;
    case TickAction::None: break;
    }
    return outcome;
}
