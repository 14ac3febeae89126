// Benchmarks: the sound cue's five steps, and one walker tick, against the
// 200 ms tick period. Run with `make bench` (under a private PulseAudio).

#include "boardops.h"
#include "clock.h"
#include "dialogs.h"
#include "errorguard.h"
#include "form1.h"
#include "qtmultimediacontrol.h"
#include "randomsource.h"
#include "soundcue.h"
#include "walkertick.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

class TickingClock final : public Clock
{
public:
    float now = 36000.0f;
    float secondsSinceMidnight() override { return now += 0.0001f; }
};

class NoBoard final : public BoardOps
{
public:
    void placeWalker(Walker, int, int) override {}
    void setWalkerVisible(Walker, bool) override {}
    void setReadout(Readout, const QString &text) override { benchmark::DoNotOptimize(text.size()); }
    void setButtonEnabled(Button, bool) override {}
    void setTimerEnabled(Walker, bool) override {}
    void playCue(const QString &) override {}
};

class NoDialogs final : public Dialogs
{
public:
    QString inputBox(const QString &, const QString &, int defaultValue) override { return QString::number(defaultValue); }
    int messageBox(const QString &, const QString &) override { return 1; }
};

class NoEnd final : public Ender
{
public:
    void end(int) override {}
};

class SilentControl final : public MultimediaControl
{
public:
    void setCommand(const QString &) override {}
    void setFileName(const QString &) override {}
};

// SoundCue's five steps on a control that has played before: what a cue
// costs the handler. The audio thread does the rest.
void soundCueAfterTheFirst(benchmark::State &state)
{
    QtMultimediaControl control;
    QtMultimediaControl::preload({"pinpon.wav"});
    SoundCue(control, QStringLiteral("pinpon.wav"));
    for (auto _ : state)
        SoundCue(control, QStringLiteral("pinpon.wav"));
}
BENCHMARK(soundCueAfterTheFirst)->Unit(benchmark::kMicrosecond)->Iterations(200)->Repetitions(5);

// The rules of one tick with a window that does nothing.
void walkerTickRules(benchmark::State &state)
{
    TickingClock clock;
    SplitMixRandom random(1);
    NoBoard board;
    WalkState walk;
    walk.setStart(StartField::MomoX, 4);
    walk.setStart(StartField::MomoY, 4);
    walk.setStart(StartField::DogX, 6);
    walk.setStart(StartField::DogY, 4);
    walk.place(Scenario::BothWalk);
    walk.markStart(clock.now);
    for (auto _ : state) {
        walkerTick(Walker::Dog, walk, clock, random, board);
        walkerTick(Walker::Momotaro, walk, clock, random, board);
        if (walk.startTime + 170 < clock.now)
            walk.markStart(clock.now);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(walkerTickRules)->Unit(benchmark::kNanosecond);

// One tick of the real board window's timer handler, widgets included
// (offscreen), without the repaint that follows in the event loop.
void walkerTickOnTheWindow(benchmark::State &state)
{
    TickingClock clock;
    SplitMixRandom random(1);
    NoDialogs dialogs;
    NoEnd end;
    ErrorGuard guard(dialogs, end);
    Form1 form(WindowServices{clock, random, dialogs, end, guard, [] { return std::make_unique<SilentControl>(); }});
    form.Command2_Click();
    form.Command5_Click();
    for (auto _ : state) {
        form.Timer1_Timer();
        if (form.walkState().startTime + 170 < clock.now)
            form.experiment().state().markStart(clock.now);
    }
}
BENCHMARK(walkerTickOnTheWindow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
