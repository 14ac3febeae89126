// Benchmarks: the sound cue's five steps, and one walker tick, against the
// 200 ms tick period; how evenly the ticks of a run come with the other core
// busy. Run with `make bench` (under a private PulseAudio).

#include "sound/audiothread.h"
#include "benchtable.h"
#include "core/boardops.h"
#include "runtime/clock.h"
#include "runtime/dialogs.h"
#include "runtime/errorguard.h"
#include "main_window/form1.h"
#include "sound/pulseoutput.h"
#include "runtime/randomsource.h"
#include "core/rules.h"
#include "sound/soundcontrol.h"
#include "sound/soundcue.h"
#include "core/walkertick.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

// The audio thread the benchmarks play on, its output linked in (no module).
AudioThread *audio = nullptr;

class TickingClock final : public Clock
{
public:
    float now = 36000.0f;
    float secondsSinceMidnight() override { return now += 0.0001f; }
    double steadySeconds() override { return now += 0.0001f; }
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
    QString inputBox(const QString &, const QString &, int defaultValue) override
    {
        return QString::number(defaultValue);
    }
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
    void setCommand(Command) override {}
    void setFileName(const QString &) override {}
};

// SoundCue's five steps on a control that has played before: what a cue
// costs the handler. The audio thread does the rest.
void soundCueAfterTheFirst(benchmark::State &state)
{
    SoundControl control(*audio);
    audio->worker().preload({"pinpon.wav"});
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
    walk.markStart(clock.now, clock.now);
    for (auto _ : state) {
        walkerTick(Walker::Dog, walk, clock, random, board);
        walkerTick(Walker::Momotaro, walk, clock, random, board);
        if (walk.startTime + 170 < clock.now)
            walk.markStart(clock.now, clock.now);
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
    Form1 form(Services{clock, random, dialogs, end, guard, [] { return std::make_unique<SilentControl>(); }});
    form.Command2_Click();
    form.Command5_Click();
    double started = clock.now;
    for (auto _ : state) {
        form.Timer1_Timer();
        // Started again before the time limit ends the run.
        if (started + 170 < clock.now) {
            form.Command5_Click();
            started = clock.now;
        }
    }
}
BENCHMARK(walkerTickOnTheWindow)->Unit(benchmark::kMicrosecond);

// A run in the board window on the system clock with its real timers (the
// window shown offscreen, the sounds played), while another thread keeps a
// core busy: how far the intervals of both walkers' timers stray from 200 ms.
void tickIntervalsWithACoreBusy(benchmark::State &state)
{
    using namespace std::chrono_literals;
    constexpr auto RunLength = 10s;
    SystemClock clock;
    SplitMixRandom random(1);
    NoDialogs dialogs;
    NoEnd end;
    ErrorGuard guard(dialogs, end);
    Form1 form(Services{clock, random, dialogs, end, guard, [] { return std::make_unique<SoundControl>(*audio); }});
    form.show();
    std::vector<double> deviationsMs;
    QElapsedTimer elapsed;
    for (Walker walker : {Walker::Dog, Walker::Momotaro}) {
        QObject::connect(form.findChild<QTimer *>(walker == Walker::Dog ? "Timer1" : "Timer2"), &QTimer::timeout, &form,
                         [&, lastTickNs = qint64(-1)]() mutable {
                             const qint64 now = elapsed.nsecsElapsed();
                             if (lastTickNs >= 0)
                                 deviationsMs.push_back(
                                     std::abs(double(now - lastTickNs) / 1e6 - double(rules::TickInterval.count())));
                             lastTickNs = now;
                         });
    }
    for (auto _ : state) {
        std::atomic<bool> spinning{true};
        std::thread spinner([&spinning] {
            while (spinning.load(std::memory_order_relaxed)) {}
        });
        elapsed.start();
        form.Command2_Click();
        form.Command5_Click();
        QEventLoop loop;
        QTimer::singleShot(RunLength, &loop, &QEventLoop::quit);
        loop.exec();
        form.Command4_Click();
        spinning = false;
        spinner.join();
    }
    std::sort(deviationsMs.begin(), deviationsMs.end());
    const auto quantile = [&](double q) {
        return deviationsMs.empty()
                   ? 0.0
                   : deviationsMs[std::min(deviationsMs.size() - 1, std::size_t(q * double(deviationsMs.size())))];
    };
    state.counters["intervals"] = double(deviationsMs.size());
    state.counters["p50_ms"] = quantile(0.50);
    state.counters["p99_ms"] = quantile(0.99);
    state.counters["max_ms"] = deviationsMs.empty() ? 0.0 : deviationsMs.back();
    const bool ran = deviationsMs.size() >= 10;
    benchtable::append({"tick interval |dt - 200 ms| p50 / p99, other core busy",
                        ran ? benchtable::format("%.2f / %.2f ms", quantile(0.50), quantile(0.99)) : "no ticks", "-",
                        "-", "p99 <= 10 ms", benchtable::met(ran && quantile(0.99) <= 10)});
}
BENCHMARK(tickIntervalsWithACoreBusy)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AudioThread thread(makePulseOutput);
    audio = &thread;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Ends as the program does, its streams left to the end of the process.
    thread.shutdown(500);
    std::fflush(nullptr);
    std::_Exit(0);
}
