#pragma once

// What the harnesses that measure the programs from outside share: the time,
// an X connection that watches the windows drawn on its server, a program
// started as a child, and its CPU time from /proc.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <errno.h>
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
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace outside {

using SteadyClock = std::chrono::steady_clock;

inline double msSince(SteadyClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

inline void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// What happened to a top-level window.
struct WindowEvent
{
    enum Kind { Created, Mapped, Unmapped, Drawn } kind;
    xcb_window_t window;
    // Drawn: the part of the window drawn, in its own coordinates.
    xcb_rectangle_t area{};
};

// The X connection, watching every top-level window: its creation, mapping
// and unmapping (SubstructureNotify on the root) and every drawing into it
// (a DAMAGE object made as soon as the window is created, before it can be
// mapped).
class WindowWatcher
{
public:
    WindowWatcher()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection))
            fail("cannot open the display named by DISPLAY");
        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
        if (!damage || !damage->present)
            fail("the X server has no DAMAGE extension");
        m_damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~WindowWatcher() { xcb_disconnect(m_connection); }
    WindowWatcher(const WindowWatcher &) = delete;
    WindowWatcher &operator=(const WindowWatcher &) = delete;

    // The next event within timeoutMs, if any.
    std::optional<WindowEvent> next(double timeoutMs)
    {
        const auto start = SteadyClock::now();
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const std::optional<WindowEvent> seen = take(event);
                free(event);
                if (seen)
                    return seen;
            }
            if (xcb_connection_has_error(m_connection))
                fail("lost the connection to the X server");
            const double left = timeoutMs - msSince(start);
            if (left <= 0)
                return std::nullopt;
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, std::max(1, int(left)));
        }
    }

    // Drops the events that arrived so far.
    void drain()
    {
        while (next(0)) {}
    }

    [[noreturn]] static void fail(const char *why)
    {
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, why);
        std::exit(1);
    }

    xcb_connection_t *connection() const { return m_connection; }

private:
    std::optional<WindowEvent> take(xcb_generic_event_t *event)
    {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
            if (created->parent != m_root)
                return std::nullopt;
            const xcb_damage_damage_t damage = xcb_generate_id(m_connection);
            xcb_damage_create(m_connection, damage, created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(m_connection);
            return WindowEvent{WindowEvent::Created, created->window};
        }
        if (type == XCB_MAP_NOTIFY)
            return WindowEvent{WindowEvent::Mapped, reinterpret_cast<xcb_map_notify_event_t *>(event)->window};
        if (type == XCB_UNMAP_NOTIFY)
            return WindowEvent{WindowEvent::Unmapped, reinterpret_cast<xcb_unmap_notify_event_t *>(event)->window};
        if (type == m_damageNotify) {
            const auto *drawn = reinterpret_cast<xcb_damage_notify_event_t *>(event);
            // Empties the damage so that the next drawing is reported again.
            xcb_damage_subtract(m_connection, drawn->damage, XCB_NONE, XCB_NONE);
            xcb_flush(m_connection);
            return WindowEvent{WindowEvent::Drawn, drawn->drawable, drawn->area};
        }
        // Errors (a window gone before its damage object was made) and the
        // other notifications say nothing about drawing.
        return std::nullopt;
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    uint8_t m_damageNotify = 0;
};

// A program started with posix_spawn, its output discarded, on xcb.
class Child
{
public:
    explicit Child(const std::vector<std::string> &arguments)
    {
        std::vector<std::string> environment;
        for (char **variable = environ; *variable; ++variable) {
            if (std::strncmp(*variable, "QT_QPA_PLATFORM=", 16) != 0)
                environment.emplace_back(*variable);
        }
        environment.emplace_back("QT_QPA_PLATFORM=xcb");
        std::vector<char *> argv, envp;
        for (const std::string &argument : arguments)
            argv.push_back(const_cast<char *>(argument.c_str()));
        argv.push_back(nullptr);
        for (const std::string &variable : environment)
            envp.push_back(const_cast<char *>(variable.c_str()));
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int error = posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) {
            std::fprintf(stderr, "%s: cannot start %s: %s\n", program_invocation_short_name, argv[0],
                         std::strerror(error));
            std::exit(1);
        }
    }
    ~Child() { killAndReap(); }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    pid_t pid() const { return m_pid; }

    bool exited()
    {
        if (m_reaped)
            return true;
        int status = 0;
        m_reaped = wait4(m_pid, &status, WNOHANG, &m_usage) == m_pid;
        return m_reaped;
    }

    // Waits for it to end by itself.
    void wait()
    {
        int status = 0;
        if (!m_reaped)
            m_reaped = wait4(m_pid, &status, 0, &m_usage) == m_pid;
    }

    // Ends it at once and returns its peak resident memory in KiB.
    long killAndReap()
    {
        if (!m_reaped) {
            kill(m_pid, SIGKILL);
            wait();
        }
        return m_usage.ru_maxrss;
    }

private:
    pid_t m_pid = 0;
    bool m_reaped = false;
    rusage m_usage{};
};

inline void runTool(const std::vector<std::string> &arguments)
{
    Child tool(arguments);
    tool.wait();
}

// utime + stime of a process (or of one thread, given its /proc path), in
// clock ticks.
inline long cpuTicks(const std::string &procPath)
{
    std::ifstream file(procPath + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos)
        return 0;
    // After the name: state (field 3) ... utime (14), stime (15).
    std::istringstream fields(text.substr(nameEnd + 1));
    std::string field;
    long utime = 0, stime = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number == 14)
            utime = std::stol(field);
        if (number == 15)
            stime = std::stol(field);
    }
    return utime + stime;
}

inline long cpuTicks(pid_t pid)
{
    return cpuTicks("/proc/" + std::to_string(pid));
}

// Waits until the process has used no CPU for quietMs, at most maxMs.
inline void waitUntilIdle(pid_t pid, int quietMs, int maxMs)
{
    const auto start = SteadyClock::now();
    long last = cpuTicks(pid);
    auto lastChange = SteadyClock::now();
    while (msSince(start) < maxMs && msSince(lastChange) < quietMs) {
        sleepMs(25);
        if (const long now = cpuTicks(pid); now != last) {
            last = now;
            lastChange = SteadyClock::now();
        }
    }
}

} // namespace outside
