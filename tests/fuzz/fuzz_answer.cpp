// Any answer text, typed into all four set-up prompts: the set-up either
// refuses it or places the walkers on the board, never elsewhere, and never
// fails.
#include "runtime/errorguard.h"
#include "core/experiment.h"
#include "fakes.h"
#include "core/rules.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString answer = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    EventLog events;
    FakeClock clock(events);
    ScriptedRandom random;
    ScriptedDialogs dialogs(events);
    dialogs.answers = {answer, answer, answer, answer};
    RecordedEnd ender(events);
    RecordingBoard board(events);
    ErrorGuard guard(dialogs, ender);
    Experiment experiment(board, {clock, random, dialogs, ender, guard, {}});
    experiment.load();
    experiment.setUp(Scenario::BothWalk);

    const WalkState &s = experiment.state();
    for (int coordinate : {int(s.momoStartX), int(s.momoStartY), int(s.dogStartX), int(s.dogStartY)}) {
        if (coordinate < 0 || coordinate > rules::BoardMax)
            __builtin_trap();
    }
    return 0;
}
