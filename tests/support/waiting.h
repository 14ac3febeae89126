#pragma once

#include <QtGlobal>

#include <chrono>

// How long a test waits for something real (a sound server, a sound, a
// process) before it gives up: MEETLING_WAIT_SECONDS, 20 s unless set. The
// sanitizer build sets more. A wait polls for what it waits for, so the
// deadline only matters when the thing never comes.
inline std::chrono::milliseconds waitDeadline()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("MEETLING_WAIT_SECONDS", &ok);
    return std::chrono::seconds(ok && seconds > 0 ? seconds : 20);
}
