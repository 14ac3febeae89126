#pragma once

#include <exception>
#include <utility>

class Dialogs;
class Ender;

// Runs event handlers so that no error escapes into the event loop: an error
// that leaves a handler is shown in a message box with the runtime's text,
// and the program then ends with a non-zero status.
class ErrorGuard
{
public:
    ErrorGuard(Dialogs &dialogs, Ender &ender) : m_dialogs(dialogs), m_ender(ender) {}

    template<typename Handler> void run(Handler &&handler) noexcept
    {
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            fail(std::current_exception());
        }
    }

    // Runs a click's handler as run() does, unless a click's handler is
    // still running: a click can reach a window from inside the event loop
    // of a box that is closing, and a second set-up inside the first would
    // open the same box again. Such a click is dropped.
    template<typename Handler> void runClick(Handler &&handler) noexcept
    {
        if (m_handlingClick)
            return;
        m_handlingClick = true;
        run(std::forward<Handler>(handler));
        m_handlingClick = false;
    }

    // Reports the error and ends the program. Errors raised while the first
    // one's box is open (ticks keep arriving) are dropped: the program is
    // ending anyway, and one box is enough.
    void fail(std::exception_ptr error) noexcept;

    static constexpr int ExitStatus = 1;

private:
    Dialogs &m_dialogs;
    Ender &m_ender;
    bool m_failing = false;
    bool m_handlingClick = false;
};
