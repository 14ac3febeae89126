// Measures two programs from outside, in the same way, on an X server of
// their own: how long each takes from launch to its window being mapped and
// to its first painted frame, and how much memory it takes; then what the
// first one costs in CPU while a run goes.
//
//   startup_harness [--runs N] [--cpu-seconds S] [--server-pid PID] [--name NAME] PROGRAM BASELINE
//
// With --name the rows are named after another program than the board
// program, and are judged against that program's own limits: its first frame
// within 400 ms of launch, its memory within 150 MiB (--cpu-seconds 0 then,
// as the CPU run presses the board program's buttons).
//
// Needs DISPLAY on an X server that no other client draws on (every window
// created on it is taken for the program's) with the DAMAGE extension; the
// programs inherit the environment (PULSE_SERVER among it) and run on xcb.
// The starts alternate between the two programs; the medians go to the
// table (benchtable.h). The CPU run presses the buttons with xdotool.

#include "benchtable.h"
#include "outside.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using namespace outside;

// A thread's name and the CPU time it has run so far, in nanoseconds (from
// the scheduler's own count, finer than the clock ticks of /proc/PID/stat).
struct ThreadTime
{
    std::string name;
    double ns = 0;
};

// Each thread's time so far, by thread id.
std::map<std::string, ThreadTime> threadTimes(pid_t pid)
{
    std::map<std::string, ThreadTime> threads;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto &task : std::filesystem::directory_iterator(tasks)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        std::ifstream schedstat(task.path() / "schedstat");
        double ns = 0;
        schedstat >> ns;
        threads[task.path().filename()] = {name, ns};
    }
    return threads;
}

// The peak resident memory so far, in KiB.
long peakRssKb(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

struct Start
{
    double mappedMs = 0;
    double paintedMs = 0;
    long firstFrameKb = 0; // peak RSS at the first frame
    long settledKb = 0; // peak RSS once the start-up work is done
};

constexpr double StartTimeoutMs = 30000;

// Waits for the child's first top-level window to be mapped and drawn into;
// returns that window and fills in the times, or returns XCB_NONE.
xcb_window_t waitForFirstFrame(WindowWatcher &x, Child &child, SteadyClock::time_point launched, Start &start)
{
    std::set<xcb_window_t> created;
    xcb_window_t window = XCB_NONE;
    while (msSince(launched) < StartTimeoutMs && !child.exited()) {
        const std::optional<WindowEvent> event = x.next(100);
        if (!event)
            continue;
        if (event->kind == WindowEvent::Created) {
            created.insert(event->window);
        } else if (event->kind == WindowEvent::Mapped && window == XCB_NONE && created.count(event->window)) {
            window = event->window;
            start.mappedMs = msSince(launched);
        } else if (event->kind == WindowEvent::Drawn && event->window == window && window != XCB_NONE) {
            start.paintedMs = msSince(launched);
            return window;
        }
    }
    return XCB_NONE;
}

std::optional<Start> startOnce(WindowWatcher &x, const std::string &program)
{
    x.drain();
    Start start;
    const auto launched = SteadyClock::now();
    Child child({program});
    if (waitForFirstFrame(x, child, launched, start) == XCB_NONE)
        return std::nullopt;
    start.firstFrameKb = peakRssKb(child.pid());
    // What the program does right after its first frame (the meetling
    // program reaches the audio server then) still counts to its memory.
    waitUntilIdle(child.pid(), 250, 3000);
    start.settledKb = child.killAndReap();
    return start;
}

template<typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? T{} : values[values.size() / 2];
}

template<typename T> std::string spread(std::vector<T> values, const char *pattern)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return "no runs";
    const std::size_t n = values.size();
    return benchtable::format(pattern, double(values[0]), double(values[n / 4]), double(values[n / 2]),
                              double(values[(3 * n) / 4]), double(values[n - 1]));
}

struct Series
{
    std::vector<double> mapped, painted;
    std::vector<long> firstFrameKb, settledKb;

    void add(const Start &start)
    {
        mapped.push_back(start.mappedMs);
        painted.push_back(start.paintedMs);
        firstFrameKb.push_back(start.firstFrameKb);
        settledKb.push_back(start.settledKb);
    }
};

void printSeries(const char *name, const Series &series)
{
    std::printf("  %-9s mapped  %s\n", name, spread(series.mapped, "%.0f / %.0f / %.0f / %.0f / %.0f ms").c_str());
    std::printf("  %-9s painted %s\n", "", spread(series.painted, "%.0f / %.0f / %.0f / %.0f / %.0f ms").c_str());
    std::printf("  %-9s RSS at first frame %s\n", "",
                spread(series.firstFrameKb, "%.0f / %.0f / %.0f / %.0f / %.0f KiB").c_str());
    std::printf("  %-9s RSS settled        %s\n", "",
                spread(series.settledKb, "%.0f / %.0f / %.0f / %.0f / %.0f KiB").c_str());
}

// Median of the ratios of the runs taken side by side: robust against the
// machine's load changing during the series.
template<typename T> double pairedRatio(const std::vector<T> &program, const std::vector<T> &baseline)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < std::min(program.size(), baseline.size()); ++i)
        ratios.push_back(double(program[i]) / double(baseline[i]));
    return median(ratios);
}

// The program measured, when it is not the board program (--name).
std::string otherName;

// A row judged by its ratio to the bare window (goal), or, for another
// program, by its own value (limit, in unit; 0: none).
template<typename T>
void addRatioRow(std::string measure, const std::vector<T> &program, const std::vector<T> &baseline, double scale,
                 const char *unit, double goal, double limit = 0)
{
    const double a = double(median(program)) * scale, b = double(median(baseline)) * scale;
    if (!otherName.empty())
        measure = otherName + ": " + measure;
    benchtable::Row row{measure, benchtable::format("%.1f %s", a, unit), benchtable::format("%.1f %s", b, unit),
                        benchtable::format("%.2fx", a / b)};
    if (!otherName.empty()) {
        if (limit > 0) {
            row.goal = benchtable::format("<= %.0f %s", limit, unit);
            row.met = benchtable::met(a <= limit);
        }
    } else if (goal > 0) {
        row.goal = benchtable::format("<= %.2fx", goal);
        row.met = benchtable::met(a / b <= goal);
    }
    benchtable::append(row);
}

void measureStarts(WindowWatcher &x, const std::string &program, const std::string &baseline, int runs)
{
    // One start each first, not counted: the files reach the page cache.
    startOnce(x, program);
    startOnce(x, baseline);
    Series programSeries, baselineSeries;
    int failures = 0;
    for (int i = 0; i < runs && failures < 5; ++i) {
        std::optional<Start> pair[2];
        // Alternating which starts first, in case the first of a pair is favoured.
        const bool programFirst = i % 2 == 0;
        pair[programFirst ? 0 : 1] = startOnce(x, program);
        pair[programFirst ? 1 : 0] = startOnce(x, baseline);
        const std::optional<Start> &p = pair[programFirst ? 0 : 1], &b = pair[programFirst ? 1 : 0];
        if (!p || !b) {
            ++failures;
            --i;
            std::fprintf(stderr, "startup_harness: a start showed no frame; again\n");
            continue;
        }
        programSeries.add(*p);
        baselineSeries.add(*b);
    }
    std::printf("Start-up, %zu alternating starts each (min / p25 / median / p75 / max)\n",
                programSeries.mapped.size());
    printSeries(otherName.empty() ? "meetling" : otherName.c_str(), programSeries);
    printSeries("bare", baselineSeries);
    std::printf("  paired ratios (median): mapped %.2fx, painted %.2fx, RSS at first frame %.2fx, settled %.2fx\n",
                pairedRatio(programSeries.mapped, baselineSeries.mapped),
                pairedRatio(programSeries.painted, baselineSeries.painted),
                pairedRatio(programSeries.firstFrameKb, baselineSeries.firstFrameKb),
                pairedRatio(programSeries.settledKb, baselineSeries.settledKb));
    const std::string n = std::to_string(programSeries.mapped.size());
    addRatioRow("launch to window mapped, median of " + n, programSeries.mapped, baselineSeries.mapped, 1, "ms", 0);
    addRatioRow("launch to first painted frame, median of " + n, programSeries.painted, baselineSeries.painted, 1, "ms",
                1.15, 400);
    addRatioRow("peak RSS at first frame (VmHWM)", programSeries.firstFrameKb, baselineSeries.firstFrameKb, 1.0 / 1024,
                "MiB", 1.2, 150);
    addRatioRow("peak RSS, killed once idle (ru_maxrss)", programSeries.settledKb, baselineSeries.settledKb, 1.0 / 1024,
                "MiB", 1.2, 150);
}

// Waits for an event of the given kind on a window (any window but `other`
// when window is XCB_NONE); returns the window or XCB_NONE after timeoutMs.
xcb_window_t waitFor(WindowWatcher &x, WindowEvent::Kind kind, xcb_window_t window, xcb_window_t other,
                     double timeoutMs)
{
    const auto start = SteadyClock::now();
    while (msSince(start) < timeoutMs) {
        const std::optional<WindowEvent> event = x.next(timeoutMs - msSince(start));
        if (event && event->kind == kind && (window != XCB_NONE ? event->window == window : event->window != other))
            return event->window;
    }
    return XCB_NONE;
}

void measureRun(WindowWatcher &x, const std::string &program, int seconds, pid_t server)
{
    x.drain();
    Start start;
    Child child({program});
    const xcb_window_t board = waitForFirstFrame(x, child, SteadyClock::now(), start);
    benchtable::Row row{benchtable::format("CPU while a run goes, %d s", seconds), "run did not start"};
    row.goal = "<= 0.5 % of a core";
    row.met = benchtable::met(false);
    if (board == XCB_NONE) {
        benchtable::append(row);
        return;
    }
    waitUntilIdle(child.pid(), 250, 3000);
    const std::string id = std::to_string(board);
    // "When two srart", then the four prompts answered with their defaults.
    runTool({"xdotool", "mousemove", "--window", id, "360", "12", "click", "1"});
    bool prompted = true;
    for (int prompt = 0; prompt < 4 && prompted; ++prompt) {
        const xcb_window_t box = waitFor(x, WindowEvent::Mapped, XCB_NONE, board, 10000);
        prompted = box != XCB_NONE && waitFor(x, WindowEvent::Drawn, box, XCB_NONE, 10000) != XCB_NONE;
        if (prompted) {
            runTool({"xdotool", "windowfocus", "--sync", std::to_string(box), "key", "Return"});
            prompted = waitFor(x, WindowEvent::Unmapped, box, XCB_NONE, 10000) != XCB_NONE;
        }
    }
    if (!prompted) {
        benchtable::append(row);
        return;
    }
    // Start, and the pointer off the window.
    runTool({"xdotool", "mousemove", "--window", id, "268", "12", "click", "1", "mousemove", "0", "0"});
    sleepMs(1000);
    x.drain();

    const long ticks = cpuTicks(child.pid());
    const auto threadsBefore = threadTimes(child.pid());
    const long serverTicks = server > 0 ? cpuTicks(server) : 0;
    const auto measured = SteadyClock::now();
    int frames = 0;
    while (msSince(measured) < seconds * 1000.0) {
        const std::optional<WindowEvent> event = x.next(seconds * 1000.0 - msSince(measured));
        frames += event && event->kind == WindowEvent::Drawn && event->window == board;
    }
    const double wallSeconds = msSince(measured) / 1000;
    const double tickSeconds = 1.0 / double(sysconf(_SC_CLK_TCK));
    const double percent = double(cpuTicks(child.pid()) - ticks) * tickSeconds / wallSeconds * 100;
    std::string perThread;
    double threadsPercent = 0;
    for (const auto &[tid, thread] : threadTimes(child.pid())) {
        const auto before = threadsBefore.find(tid);
        const double used =
            (thread.ns - (before != threadsBefore.end() ? before->second.ns : 0)) / 1e9 / wallSeconds * 100;
        threadsPercent += used;
        perThread += benchtable::format(" %s %.3f %%,", thread.name.c_str(), used);
    }
    child.killAndReap();

    std::printf("A run in meetling: %.2f %% of one core over %.1f s (utime + stime), %.3f %% (the threads' run "
                "time); %d frames drawn (%.1f a second)",
                percent, wallSeconds, threadsPercent, frames, frames / wallSeconds);
    if (server > 0)
        std::printf("; the X server meanwhile %.2f %%",
                    double(cpuTicks(server) - serverTicks) * tickSeconds / wallSeconds * 100);
    std::printf("\n  by thread:%s\n", perThread.empty() ? " none" : perThread.c_str());
    // Each tick shows new read-outs: a run that goes draws several frames a second.
    if (frames >= seconds * 2) {
        row.meetling = benchtable::format("%.2f %% (%.3f %%)", percent, threadsPercent);
        row.met = benchtable::met(percent <= 0.5);
    }
    benchtable::append(row);
}

} // namespace

int main(int argc, char **argv)
{
    int runs = 21;
    int cpuSeconds = 10;
    pid_t server = 0;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (argument == "--cpu-seconds" && i + 1 < argc)
            cpuSeconds = std::atoi(argv[++i]);
        else if (argument == "--server-pid" && i + 1 < argc)
            server = std::atoi(argv[++i]);
        else if (argument == "--name" && i + 1 < argc)
            otherName = argv[++i];
        else
            programs.push_back(argument);
    }
    if (programs.size() != 2 || runs < 1) {
        std::fprintf(
            stderr,
            "usage: startup_harness [--runs N] [--cpu-seconds S] [--server-pid PID] [--name NAME] PROGRAM BASELINE\n");
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    WindowWatcher x;
    measureStarts(x, programs[0], programs[1], runs);
    if (cpuSeconds > 0)
        measureRun(x, programs[0], cpuSeconds, server);
    return 0;
}
