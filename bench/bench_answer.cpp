// The answer window's speed, offscreen: from Momotaro reaching a new point to
// the new figures painted beside the board, over all 121 points with Dog
// still, once every start has been worked out; and to the page's chart
// painted after them. Run with `make bench`.

#include "answerpages.h"
#include "answerpane.h"
#include "answerwindow.h"
#include "benchtable.h"
#include "boardview.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstdio>
#include <optional>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

using Clock = std::chrono::steady_clock;

// Notes when a widget is first painted once ready() holds.
class PaintWatch final : public QObject
{
public:
    std::optional<Clock::time_point> painted;
    std::function<bool()> ready = [] { return true; };

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted && ready())
            painted = Clock::now();
        return false;
    }
};

// Runs the event loop until watch has seen a paint, or five seconds.
bool waitForPaint(PaintWatch &watch)
{
    QElapsedTimer deadline;
    deadline.start();
    while (!watch.painted && deadline.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return watch.painted.has_value();
}

// Whether the pane shows an answer, not that it is being worked out (a
// move asks at once, so an answer shown after it is the move's).
bool answered(const AnswerPane &pane)
{
    return !pane.verdictText().startsWith(QStringLiteral("Working"));
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[std::size_t(p * double(values.size() - 1) + 0.5)];
}

// Every point in a snake across the board, each a step from the last, as a
// drag passes them.
std::vector<Point> snake()
{
    std::vector<Point> points;
    for (int y = 0; y <= rules::BoardMax; ++y) {
        for (int i = 0; i <= rules::BoardMax; ++i)
            points.push_back({y % 2 == 0 ? i : rules::BoardMax - i, y});
    }
    return points;
}

void dragFollowed(benchmark::State &state)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    AnswerWindow window(settings);
    window.resize(1280, 800);
    window.show();
    BoardView &board = *window.findChild<BoardView *>();
    AnswerPane &pane = *window.findChild<AnswerPane *>();
    // The first computation: every start of this Dog worked out once.
    for (Point p : snake()) {
        board.setPosition(Walker::Momotaro, p);
        QElapsedTimer deadline;
        deadline.start();
        while (!answered(pane) && deadline.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // The figures beside the board: the verdict and every figure's label.
    std::vector<QLabel *> labels{pane.findChild<QLabel *>(QStringLiteral("verdict"))};
    for (AnswerPane::Figure f : AnswerPane::Figures) {
        for (Scenario scenario : stats::Scenarios)
            labels.push_back(pane.figureLabel(f, scenario));
    }
    auto texts = [&] {
        QStringList all;
        for (QLabel *label : labels)
            all << label->text();
        return all;
    };
    auto *chartView = qobject_cast<QChartView *>(window.findChild<AnswerPages *>()->currentWidget());
    QWidget *chart = chartView->viewport();
    std::vector<double> figures, charts;
    for (auto _ : state) {
        for (Point p : snake()) {
            PaintWatch figureWatch, chartWatch;
            for (QLabel *label : labels)
                label->installEventFilter(&figureWatch);
            chart->installEventFilter(&chartWatch);
            // The chart counts as painted once the new answer's chart is drawn.
            chartWatch.ready = [chartView, old = chartView->chart()] { return chartView->chart() != old; };
            const QStringList before = texts();
            const Clock::time_point moved = Clock::now();
            board.setPosition(Walker::Momotaro, p);
            QElapsedTimer deadline;
            deadline.start();
            while (!answered(pane) && deadline.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            // Figures that read as before need no paint: they are on screen.
            if (texts() == before)
                figureWatch.painted = Clock::now();
            const bool painted = waitForPaint(figureWatch) && waitForPaint(chartWatch);
            for (QLabel *label : labels)
                label->removeEventFilter(&figureWatch);
            chart->removeEventFilter(&chartWatch);
            if (!painted || !answered(pane)) {
                state.SkipWithError(figureWatch.painted ? "a chart was not painted" : "figures were not painted");
                return;
            }
            figures.push_back(std::chrono::duration<double, std::milli>(*figureWatch.painted - moved).count());
            charts.push_back(std::chrono::duration<double, std::milli>(*chartWatch.painted - moved).count());
        }
    }
    const double figure95 = percentile(figures, 0.95);
    const double chart95 = percentile(charts, 0.95);
    state.counters["figures_p95_ms"] = figure95;
    state.counters["chart_p95_ms"] = chart95;
    benchtable::append({benchtable::format("answer: move to figures painted, p95 of %zu", figures.size()),
                        benchtable::format("%.1f ms", figure95), "-", "-", "<= 16 ms", benchtable::met(figure95 <= 16)});
    benchtable::append({benchtable::format("answer: move to chart painted, p95 of %zu", charts.size()),
                        benchtable::format("%.1f ms", chart95), "-", "-", "<= 100 ms", benchtable::met(chart95 <= 100)});
}
BENCHMARK(dragFollowed)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
