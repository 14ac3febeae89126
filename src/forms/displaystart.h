#pragma once

#include <memory>

// Opening the display, for a program with windows. Made before the
// application object:
// - while that object is being made, Qt's messages are held back; when no
//   platform plugin can open the display, Qt's fatal message becomes one
//   line, "PROGRAM: cannot open a window on the display (reason)", and exit
//   status 2: made without a display, the program has nothing else to say;
// - a display that takes the connection and then never answers (a hung or
//   stopped X server) ends the program the same way, after 8 seconds,
//   unless the first window has been shown by then.
class DisplayStart
{
public:
    explicit DisplayStart(const char *program);
    ~DisplayStart();
    DisplayStart(const DisplayStart &) = delete;
    DisplayStart &operator=(const DisplayStart &) = delete;

    // Right after the application object is made: the held messages go out.
    void applicationMade();
    // Once the first window is shown: the display has answered.
    void windowShown();

private:
    class Watchdog;
    std::unique_ptr<Watchdog> m_watchdog;
};
