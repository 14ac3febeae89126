#include "walkertick.h"

#include "boardops.h"
#include "clock.h"
#include "conversions.h"
#include "randomsource.h"
#include "readouts.h"
#include "rules.h"

#include <array>

namespace {

struct Delta
{
    int dx;
    int dy;
};

// Directions 1..8 at indexes 0..7.
constexpr std::array<Delta, 8> Directions{{
    {+1, 0}, {+1, +1}, {0, +1}, {-1, +1}, {-1, 0}, {-1, -1}, {0, -1}, {+1, -1},
}};

Int16 clampToBoard(Int16 v)
{
    if (v < 0)
        return 0;
    if (v > rules::BoardMax)
        return rules::BoardMax;
    return v;
}

} // namespace

Point stepOnBoard(Point from, int direction)
{
    if (direction < 1 || direction > int(Directions.size()))
        return from;
    const Delta d = Directions[direction - 1];
    return {clampToBoard(from.x + d.dx), clampToBoard(from.y + d.dy)};
}

int directionFromDraw(double r)
{
    return static_cast<int>(conv::floorValue(r * 8 + 1));
}

double elapsedSeconds(float startTime, float tickTime)
{
    const double difference = double(tickTime) - double(startTime);
    return difference < 0 ? difference + rules::SecondsPerDay : difference;
}

TickOutcome walkerTick(Walker walker, WalkState &state, Clock &clock, RandomSource &random, BoardOps &board)
{
    const bool isDog = walker == Walker::Dog;
    float &tickTime = isDog ? state.dogTickTime : state.momoTickTime;
    Int16 &x = isDog ? state.dogX : state.momoX;
    Int16 &y = isDog ? state.dogY : state.momoY;
    const Int16 &otherX = isDog ? state.momoX : state.dogX;
    const Int16 &otherY = isDog ? state.momoY : state.dogY;
    TickOutcome outcome;

    tickTime = clock.secondsSinceMidnight();
    const double elapsed = elapsedSeconds(state.startTime, tickTime);
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

    if (state.walking(walker)) {
        const Point to = stepOnBoard({x, y}, outcome.direction);
        x = to.x;
        y = to.y;
        board.placeWalker(walker, x, y);
        board.setReadout(isDog ? Readout::Dog : Readout::Momotaro, readouts::position(state, walker));
        outcome.action = TickOutcome::Action::Moved;
        if (x == otherX && y == otherY) {
            state.recordMeeting();
            board.setReadout(Readout::Meetings, readouts::meetings(state.meetCount));
            outcome.action = TickOutcome::Action::Met;
        }
    } else if (state.metPending()) {
        board.playCue(QStringLiteral("logoff.wav"));
        state.restartAfterMeeting();
        outcome.action = TickOutcome::Action::Restarted;
    }
    return outcome;
}
