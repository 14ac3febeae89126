#include "pictures/charts.h"

#include "pictures/picturefile.h"
#include "words/wording.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QDate>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <memory>

namespace stats {

namespace {

struct Charts
{
    Q_DECLARE_TR_FUNCTIONS(stats::Charts)
};

// No mark under 12 px, as no text under PictureTextPx.
constexpr int MarkPx = 18;
const PerScenario<Look> Looks{
    {{{QColor(0xd5, 0x5e, 0x00), Qt::SolidPattern, QScatterSeries::MarkerShapeCircle, Qt::SolidLine, -0.2},
      {QColor(0x00, 0x72, 0xb2), Qt::BDiagPattern, QScatterSeries::MarkerShapeRectangle, Qt::DashLine, 0.2}}}};

} // namespace

const Look &lookOf(Scenario scenario)
{
    return Looks[scenario];
}

namespace {

// A title and, under it in plain weight, what the marks mean.
void styleChart(QChart &chart, const QString &title, const QString &key)
{
    chart.setTitle(QStringLiteral("%1<br><span style=\"font-size:%2px; font-weight:normal\">%3</span>")
                       .arg(title, QString::number(PictureTextPx), key));
    chart.setTitleFont(pictureFont(PictureTitlePx, true));
    chart.legend()->setFont(pictureFont(PictureTextPx));
    chart.legend()->setAlignment(Qt::AlignBottom);
    chart.setBackgroundRoundness(0);
    chart.setAnimationOptions(QChart::NoAnimation);
}

QValueAxis *axis(const QString &title, double min, double max)
{
    auto *a = new QValueAxis;
    a->setTitleText(title);
    a->setTitleFont(pictureFont(PictureTextPx, true));
    a->setLabelsFont(pictureFont(PictureTextPx));
    a->setRange(min, max);
    return a;
}

// A chance axis in percent, up to top (never past 100), in round steps.
QValueAxis *chanceAxis(double top)
{
    top = std::min(100.0, top);
    const double step = top > 50 ? 20 : top > 20 ? 10 : top > 10 ? 5 : top > 4 ? 2 : top > 2 ? 1 : 0.5;
    QValueAxis *a = axis(Charts::tr("Chance (%)"), 0, std::min(100.0, std::ceil(top / step) * step));
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(0);
    a->setTickInterval(step);
    a->setLabelFormat(step < 1 ? QStringLiteral("%.1f") : QStringLiteral("%d"));
    return a;
}

void attach(QChart &chart, QAbstractSeries *series, QValueAxis *x, QValueAxis *y, bool inLegend)
{
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    for (QLegendMarker *marker : chart.legend()->markers(series))
        marker->setVisible(inLegend);
}

} // namespace

QChart *lawChart(const Answer &answer, const PerScenario<Simulation> *simulated)
{
    auto *chart = new QChart;
    const bool withClass = answer.classCounts.has_value();
    const std::int64_t simulatedRuns = simulated ? (*simulated)[Scenario::BothWalk].runs : 0;
    // What the marks are: simulated runs (an answer worked out exactly alone
    // has none) and the class's own.
    const QString simulatedKey = Charts::tr("● ■ %Ln simulated run(s)", nullptr, int(simulatedRuns));
    const QString classKey = Charts::tr("▲ the class's runs");
    //: Two keys to the marks side by side.
    const QString keys = simulatedRuns > 0 && withClass ? Charts::tr("%1; %2").arg(simulatedKey, classKey)
                         : simulatedRuns > 0            ? simulatedKey
                         : withClass                    ? classKey
                                                        : QString();
    //: A chart's title: %1 is a number of seconds.
    styleChart(*chart, Charts::tr("Meetings in one run of %1 s").arg(QLocale().toString(answer.seconds)),
               //: %1 and %2 are the exact averages of the two ways.
               Charts::tr("bars: exact chances; lines: exact averages, %1 and %2")
                       .arg(fixed(answer.exact[Scenario::BothWalk].expectedMeetings, 2),
                            fixed(answer.exact[Scenario::DogWalks].expectedMeetings, 2)) +
                   (keys.isEmpty() ? QString() : QStringLiteral("<br>") + keys));

    // Every count up to where both laws have shown 99.9% of their chance.
    std::size_t shown = 1;
    double top = 0;
    for (Scenario i : Scenarios) {
        const auto &law = answer.exact[i].law;
        double sum = 0;
        std::size_t k = 0;
        while (k < law.size() && sum < 0.999)
            sum += law[k++];
        shown = std::max(shown, k);
        for (double p : law)
            top = std::max(top, 100 * p);
    }
    // And every count the class saw, however unlikely.
    if (withClass) {
        for (Scenario i : Scenarios) {
            for (int count : answer.classCounts->runs(i))
                shown = std::max(shown, std::size_t(count) + 1);
        }
    }

    auto *bars = new QBarSeries;
    bars->setBarWidth(0.8);
    for (Scenario i : Scenarios) {
        auto *set = new QBarSet(plainName(i));
        set->setBrush(QBrush(Looks[i].color, Looks[i].fill));
        set->setBorderColor(Looks[i].color.darker(130));
        for (std::size_t k = 0; k < shown; ++k)
            *set << 100 * (k < answer.exact[i].law.size() ? answer.exact[i].law[k] : 0.0);
        bars->append(set);
    }

    // Marks of runs, each beside its scenario's bar.
    std::vector<QXYSeries *> marks;
    auto runMarks = [&](Scenario i, const std::vector<std::int64_t> &histogram, std::int64_t runs,
                        QScatterSeries::MarkerShape shape, int size) {
        auto *series = new QScatterSeries;
        series->setMarkerShape(shape);
        series->setMarkerSize(size);
        series->setColor(Looks[i].color.darker(150));
        series->setBorderColor(Qt::white);
        for (std::size_t k = 0; k < shown && k < histogram.size(); ++k) {
            if (histogram[k] == 0)
                continue;
            const double share = 100.0 * double(histogram[k]) / double(runs);
            series->append(double(k) + Looks[i].offset, share);
            top = std::max(top, share);
        }
        marks.push_back(series);
    };
    for (Scenario i : Scenarios)
        runMarks(i, simulated ? (*simulated)[i].histogram : std::vector<std::int64_t>{}, simulatedRuns, Looks[i].mark,
                 MarkPx);
    if (withClass) {
        for (Scenario i : Scenarios) {
            const std::vector<int> counts = answer.classCounts->runs(i);
            std::vector<std::int64_t> histogram(shown, 0);
            for (int count : counts)
                ++histogram[std::size_t(count)];
            if (!counts.empty())
                runMarks(i, histogram, std::int64_t(counts.size()), QScatterSeries::MarkerShapeTriangle, MarkPx + 8);
        }
    }

    QValueAxis *x = axis(Charts::tr("Meetings in the run"), -0.5, double(shown) - 0.5);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(shown > 200 ? 50 : shown > 50 ? 10 : shown > 20 ? 5 : shown > 10 ? 2 : 1);
    x->setLabelFormat(QStringLiteral("%d"));
    QValueAxis *y = chanceAxis(top * 1.08);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    attach(*chart, bars, x, y, true);
    for (QXYSeries *series : marks)
        attach(*chart, series, x, y, false);
    for (Scenario i : Scenarios) {
        auto *mean = new QLineSeries;
        const double m = answer.exact[i].expectedMeetings;
        mean->setPen(QPen(Looks[i].color.darker(130), 5, Looks[i].line));
        mean->append(m, 0);
        mean->append(m, y->max());
        attach(*chart, mean, x, y, false);
    }
    return chart;
}

QChart *waitingChart(const Answer &answer)
{
    auto *chart = new QChart;
    styleChart(*chart, Charts::tr("No meeting yet"), Charts::tr("exact; ◆ half the runs have met"));
    const double period = std::chrono::duration<double>(rules::TickInterval).count();
    const double end = answer.ticksPerTimer * period;
    //: "Start" is the board's button, as the board shows it.
    QValueAxis *x = axis(Charts::tr("Seconds after Start"), 0, end);
    // Ticks on whole, round seconds: about six of them, whatever the run.
    constexpr std::array<double, 10> Steps{1, 2, 5, 10, 15, 20, 30, 60, 120, 300};
    const auto step = std::find_if(Steps.begin(), Steps.end(), [end](double s) { return end / s <= 6; });
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(step == Steps.end() ? Steps.back() : *step);
    x->setLabelFormat(QStringLiteral("%d"));
    QValueAxis *y = chanceAxis(100);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (Scenario i : Scenarios) {
        auto *line = new QLineSeries;
        line->setName(plainName(i));
        line->setPen(QPen(Looks[i].color, 6, Looks[i].line));
        const auto &waiting = answer.exact[i].noMeetingYet;
        for (std::size_t k = 0; k < waiting.size(); ++k)
            line->append(double(k) * period, 100 * waiting[k]);
        attach(*chart, line, x, y, true);
        // The median on its curve, where it falls within the run.
        const std::optional<double> &median = answer.exact[i].medianFirstSeconds;
        if (median && *median <= end) {
            auto *mark = new QScatterSeries;
            mark->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
            mark->setMarkerSize(MarkPx + 10);
            mark->setColor(Looks[i].color);
            mark->setBorderColor(Qt::black);
            mark->append(*median, 50);
            attach(*chart, mark, x, y, false);
        }
    }
    return chart;
}

QChart *runsChart(const Answer &answer)
{
    auto *chart = new QChart;
    styleChart(*chart, Charts::tr("Several runs of each"), Charts::tr("meetings added up: who is ahead"));
    const auto &byRuns = answer.runsEach.byRuns;
    const int shown = std::min<int>(int(byRuns.size()), MinRunsCompared);
    QValueAxis *x = axis(Charts::tr("Runs of each"), 1, shown);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(5);
    x->setLabelFormat(QStringLiteral("%d"));
    QValueAxis *y = chanceAxis(100);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const QPen both(Looks[Scenario::BothWalk].color, 6, Looks[Scenario::BothWalk].line);
    const QPen one(Looks[Scenario::DogWalks].color, 6, Looks[Scenario::DogWalks].line);
    const std::array<std::tuple<QString, double OneRunEach::*, QPen>, 3> lines{
        std::tuple{plainName(Scenario::BothWalk), &OneRunEach::bothMore, both},
        std::tuple{Charts::tr("a tie"), &OneRunEach::tie, QPen(Qt::black, 5, Qt::DotLine)},
        std::tuple{plainName(Scenario::DogWalks), &OneRunEach::oneMore, one}};
    for (const auto &[name, chance, pen] : lines) {
        auto *line = new QLineSeries;
        line->setName(name);
        line->setPen(pen);
        for (int n = 1; n <= shown; ++n)
            line->append(n, 100 * (byRuns[std::size_t(n - 1)].*chance));
        attach(*chart, line, x, y, true);
    }
    return chart;
}

void paintChart(QPainter &painter, QChart &chart, const QRectF &area, double scale)
{
    QGraphicsScene scene;
    scene.addItem(&chart);
    const QSizeF layout = area.size() / scale;
    chart.setGeometry(QRectF(QPointF(), layout));
    scene.setSceneRect(QRectF(QPointF(), layout));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, area, scene.sceneRect());
    painter.restore();
    scene.removeItem(&chart);
}

bool saveChart(QChart &chart, const QString &file, const QString &footer, QString &error)
{
    return savePicture(
        file, PictureSize,
        [&](QPainter &painter) {
            painter.fillRect(QRect(QPoint(), PictureSize), Qt::white);
            paintChart(painter, chart, QRectF(0, 0, PictureSize.width(), footerArea(PictureSize).top()));
            paintFooter(painter, PictureSize, footer);
        },
        error);
}

bool saveLawChart(const Answer &answer, const PerScenario<Simulation> *simulated, const QString &file, QString &error)
{
    std::unique_ptr<QChart> law(lawChart(answer, simulated));
    std::unique_ptr<QChart> waiting(waitingChart(answer));
    std::unique_ptr<QChart> runs(runsChart(answer));
    // The law is the answer: it gets the wider part; the other two share the rest.
    const double split = PictureSize.width() * 0.56;
    const double bottom = footerArea(PictureSize).top();
    const double half = bottom / 2;
    return savePicture(
        file, PictureSize,
        [&](QPainter &painter) {
            painter.fillRect(QRect(QPoint(), PictureSize), Qt::white);
            paintChart(painter, *law, QRectF(0, 0, split, bottom));
            paintChart(painter, *waiting, QRectF(split, 0, PictureSize.width() - split, half));
            paintChart(painter, *runs, QRectF(split, half, PictureSize.width() - split, half));
            paintFooter(painter, PictureSize, contextLine(answer.starts, answer.seconds, QDate::currentDate()));
        },
        error);
}

} // namespace stats
