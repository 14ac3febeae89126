#pragma once

#include "stats/localetext.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>

namespace stats {

// A progress line on standard error for work that takes more than a second,
// and only when standard error is a terminal: nothing goes down a pipe.
// Written as text writes it, which must outlive the progress.
class Progress
{
public:
    explicit Progress(const LocaleText &text);
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // From now on the line names what, with a bar when done counts towards
    // total.
    void show(const QString &what, const std::atomic<std::int64_t> *done = nullptr, std::int64_t total = 0);
    // Clears the line.
    void done();

private:
    void draw();

    const LocaleText &m_text;
    const bool m_terminal;
    const std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
    std::mutex m_mutex;
    QString m_what;
    const std::atomic<std::int64_t> *m_done = nullptr;
    std::int64_t m_total = 0;
    bool m_drawn = false;
    std::jthread m_ticker;
};

} // namespace stats
