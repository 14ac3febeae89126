#include "stats/progress.h"

#include "words/phrases.h"
#include "stats/report.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace stats {

namespace {

constexpr auto Delay = std::chrono::seconds(1);
constexpr auto Refresh = std::chrono::milliseconds(100);
constexpr int BarWidth = 30;

} // namespace

Progress::Progress(const LocaleText &text) : m_text(text), m_terminal(isatty(STDERR_FILENO) == 1)
{
    if (!m_terminal)
        return;
    m_ticker = std::jthread([this](std::stop_token stop) {
        while (!stop.stop_requested()) {
            std::this_thread::sleep_for(Refresh);
            if (std::chrono::steady_clock::now() - m_started >= Delay)
                draw();
        }
    });
}

Progress::~Progress()
{
    done();
}

void Progress::show(const QString &what, const std::atomic<std::int64_t> *done, std::int64_t total)
{
    const std::lock_guard lock(m_mutex);
    m_what = what;
    m_done = done;
    m_total = total;
}

void Progress::draw()
{
    const std::lock_guard lock(m_mutex);
    QString line = QStringLiteral("meetling-stats: ") + m_what;
    if (m_done && m_total > 0) {
        const double fraction = double(m_done->load(std::memory_order_relaxed)) / double(m_total);
        const int filled = int(fraction * BarWidth);
        line += QStringLiteral(" [%1%2] %3%")
                    .arg(QString(filled, u'#'), QString(BarWidth - filled, u'.'))
                    .arg(int(fraction * 100), 3);
    }
    // Filled out to 70 columns, over whatever the last line showed.
    line += QString(std::max(0, 70 - columnsOf(line)), u' ');
    std::fprintf(stderr, "\r%s", m_text.encoded(withoutJoiners(line)).constData());
    std::fflush(stderr);
    m_drawn = true;
}

void Progress::done()
{
    if (m_ticker.joinable()) {
        m_ticker.request_stop();
        m_ticker.join();
    }
    if (m_drawn) {
        std::fprintf(stderr, "\r%-70s\r", "");
        std::fflush(stderr);
        m_drawn = false;
    }
}

} // namespace stats
