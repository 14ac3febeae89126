#include "pictures.h"

#include "report.h"
#include "savefile.h"

#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>
#include <functional>

namespace stats {

namespace {

// Sized and lettered for a classroom projector.
constexpr QSize ChartSize{1920, 960};
constexpr QSize MapSize{1600, 900};
constexpr int TitlePoints = 22;
constexpr int LabelPoints = 15;
const std::array<QColor, 2> ScenarioColors{QColor(0xd9, 0x48, 0x1c), QColor(0x1f, 0x5f, 0xb4)};

bool savePicture(const QString &file, QSize size, const std::function<void(QPainter &)> &paint, QString &error)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (QFileInfo(file).suffix().toLower() == u"svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(), size));
        svg.setTitle(QStringLiteral("Meetling experiment"));
        QPainter painter(&svg);
        paint(painter);
    } else {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            paint(painter);
        }
        image.save(&bytes, "PNG");
    }

    return saveFile(file, bytes.data(), error);
}

QFont font(int points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

void styleChart(QChart &chart, const QString &title)
{
    chart.setTitle(title);
    chart.setTitleFont(font(TitlePoints, true));
    chart.legend()->setFont(font(LabelPoints));
    chart.legend()->setAlignment(Qt::AlignBottom);
    chart.setBackgroundRoundness(0);
    chart.setAnimationOptions(QChart::NoAnimation);
}

QValueAxis *axis(const QString &title, double min, double max)
{
    auto *a = new QValueAxis;
    a->setTitleText(title);
    a->setTitleFont(font(LabelPoints, true));
    a->setLabelsFont(font(LabelPoints));
    a->setRange(min, max);
    return a;
}

QChart *lawChart(const Report &report)
{
    auto *chart = new QChart;
    styleChart(*chart, QStringLiteral("Meetings in one run of %1 s<br><span style=\"font-size:15pt; font-weight:normal\">"
                                      "bars: exact chance; squares: %2 simulated runs; dashed: the means</span>")
                           .arg(report.options.seconds).arg(report.options.runs));

    std::size_t shown = 0;
    double top = 0;
    for (int i : {0, 1}) {
        const auto &law = report.exact[i].law;
        for (std::size_t k = 0; k < law.size(); ++k) {
            if (law[k] >= 1e-3)
                shown = std::max(shown, k + 1);
            top = std::max(top, 100 * law[k]);
        }
    }

    auto *bars = new QBarSeries;
    bars->setBarWidth(0.8);
    for (int i : {0, 1}) {
        auto *set = new QBarSet(QStringLiteral("%1 (mean %2)").arg(scenarioCaption(i), QString::number(report.exact[i].expectedMeetings, 'f', 2)));
        set->setColor(ScenarioColors[i].lighter(150));
        set->setBorderColor(ScenarioColors[i]);
        for (std::size_t k = 0; k < shown; ++k)
            *set << 100 * (k < report.exact[i].law.size() ? report.exact[i].law[k] : 0.0);
        bars->append(set);
    }
    chart->addSeries(bars);

    std::vector<QXYSeries *> overlays;
    for (int i : {0, 1}) {
        const Simulation &sim = report.simulated[i];
        auto *marks = new QScatterSeries;
        marks->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        marks->setMarkerSize(11);
        marks->setColor(ScenarioColors[i].darker(160));
        marks->setBorderColor(Qt::black);
        // The two bars of a count stand at k - 0.2 and k + 0.2.
        const double offset = i == 0 ? -0.2 : 0.2;
        for (std::size_t k = 0; k < shown && k < sim.histogram.size(); ++k) {
            const double frequency = 100.0 * double(sim.histogram[k]) / double(report.options.runs);
            marks->append(double(k) + offset, frequency);
            top = std::max(top, frequency);
        }
        overlays.push_back(marks);
    }
    for (int i : {0, 1}) {
        auto *mean = new QLineSeries;
        const double m = report.exact[i].expectedMeetings;
        mean->setPen(QPen(ScenarioColors[i].darker(130), 4, Qt::DashLine));
        mean->append(m, 0);
        mean->append(m, top * 1.1);
        overlays.push_back(mean);
    }

    QValueAxis *x = axis(QStringLiteral("Meetings in the run"), -0.5, double(shown) - 0.5);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(shown > 20 ? 5 : 1);
    x->setLabelFormat(QStringLiteral("%d"));
    QValueAxis *y = axis(QStringLiteral("Chance (%)"), 0, top * 1.1);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
    // The legend names the two scenarios once, on their bars.
    for (QXYSeries *series : overlays) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        for (QLegendMarker *marker : chart->legend()->markers(series))
            marker->setVisible(false);
    }
    return chart;
}

QChart *waitingChart(const Report &report)
{
    auto *chart = new QChart;
    styleChart(*chart, QStringLiteral("Chance of no meeting yet<br><span style=\"font-size:15pt; font-weight:normal\">"
                                      "exact, from Start</span>"));
    const double period = std::chrono::duration<double>(rules::TickInterval).count();
    QValueAxis *x = axis(QStringLiteral("Seconds after Start"), 0, report.options.ticksPerTimer * period);
    x->setTickCount(7);
    x->setLabelFormat(QStringLiteral("%.0f"));
    QValueAxis *y = axis(QStringLiteral("Chance (%)"), 0, 100);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (int i : {0, 1}) {
        auto *line = new QLineSeries;
        line->setName(QStringLiteral("%1 (median %2 s)").arg(scenarioCaption(i), QString::number(report.exact[i].medianFirstSeconds, 'f', 1)));
        line->setPen(QPen(ScenarioColors[i], 5));
        const auto &waiting = report.exact[i].noMeetingYet;
        for (std::size_t k = 0; k < waiting.size(); ++k)
            line->append(double(k) * period, 100 * waiting[k]);
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    return chart;
}

// From dark blue through green to yellow, for 0 <= t <= 1.
QColor scaleColor(double t)
{
    static const std::array<QColor, 5> stops{QColor(0x2c, 0x1e, 0x6e), QColor(0x2a, 0x6f, 0x97), QColor(0x2e, 0xa3, 0x84),
                                             QColor(0x9b, 0xcf, 0x4c), QColor(0xfb, 0xe7, 0x2d)};
    t = std::clamp(t, 0.0, 1.0) * (stops.size() - 1);
    const int i = std::min(int(t), int(stops.size()) - 2);
    const double f = t - i;
    auto mix = [f](int a, int b) { return int(a + (b - a) * f + 0.5); };
    return QColor(mix(stops[i].red(), stops[i + 1].red()), mix(stops[i].green(), stops[i + 1].green()),
                  mix(stops[i].blue(), stops[i + 1].blue()));
}

void paintBoardMap(QPainter &painter, QRect area, const std::array<double, BoardPoints> &values, double low,
                   double high, Point dog, const QString &title)
{
    painter.setPen(Qt::black);
    painter.setFont(font(20, true));
    painter.drawText(QRect(area.left(), area.top(), area.width(), 50), Qt::AlignCenter, title);
    const int cell = std::min(area.width(), area.height() - 60) / BoardSide;
    const QPoint origin(area.left() + (area.width() - cell * BoardSide) / 2, area.top() + 60);

    const int best = int(std::max_element(values.begin(), values.end()) - values.begin());
    painter.setFont(font(11));
    for (int index = 0; index < BoardPoints; ++index) {
        const QRect box(origin + QPoint(index % BoardSide * cell, index / BoardSide * cell), QSize(cell, cell));
        const double t = high > low ? (values[index] - low) / (high - low) : 0.5;
        painter.fillRect(box, scaleColor(t));
        painter.setPen(t > 0.6 ? Qt::black : Qt::white);
        painter.drawText(box, Qt::AlignCenter, QString::number(values[index], 'f', 1));
    }
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(origin, QSize(cell * BoardSide, cell * BoardSide)));

    const QRect bestBox(origin + QPoint(best % BoardSide * cell, best / BoardSide * cell), QSize(cell, cell));
    painter.setPen(QPen(Qt::red, 5));
    painter.drawRect(bestBox.adjusted(2, 2, -2, -2));
    const QRect dogBox(origin + QPoint(int(dog.x) * cell, int(dog.y) * cell), QSize(cell, cell));
    painter.setPen(QPen(Qt::white, 3, Qt::DashLine));
    painter.drawEllipse(dogBox.adjusted(5, 5, -5, -5));

    painter.setPen(Qt::black);
    painter.setFont(font(13));
    for (int i = 0; i < BoardSide; ++i) {
        painter.drawText(QRect(origin.x() + i * cell, origin.y() - 22, cell, 20), Qt::AlignCenter, QString::number(i));
        painter.drawText(QRect(origin.x() - 30, origin.y() + i * cell, 26, cell), Qt::AlignRight | Qt::AlignVCenter, QString::number(i));
    }
    painter.setFont(font(14));
    const Point at = pointAt(best);
    painter.drawText(QRect(area.left(), origin.y() + cell * BoardSide + 8, area.width(), 30), Qt::AlignCenter,
                     QStringLiteral("best: (%1, %2), %3 meetings").arg(int(at.x)).arg(int(at.y)).arg(QString::number(values[best], 'f', 2)));
}

} // namespace

bool saveLawChart(const Report &report, const QString &file, QString &error)
{
    QGraphicsScene scene;
    QChart *law = lawChart(report);
    QChart *waiting = waitingChart(report);
    scene.addItem(law);
    scene.addItem(waiting);
    // The law is the answer: it gets the wider half.
    const double split = ChartSize.width() * 0.58;
    law->setGeometry(QRectF(0, 0, split, ChartSize.height()));
    waiting->setGeometry(QRectF(split, 0, ChartSize.width() - split, ChartSize.height()));
    scene.setSceneRect(QRectF(QPointF(), QSizeF(ChartSize)));
    return savePicture(file, ChartSize, [&scene](QPainter &painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(QPointF(), QSizeF(ChartSize)), scene.sceneRect());
    }, error);
}

bool saveMeetingMap(const Report &report, const QString &file, QString &error)
{
    const MeetingMap &map = *report.map;
    const auto [lowOne, highOne] = std::minmax_element(map.dogWalks.begin(), map.dogWalks.end());
    const auto [lowBoth, highBoth] = std::minmax_element(map.bothWalk.begin(), map.bothWalk.end());
    const double low = std::min(*lowOne, *lowBoth);
    const double high = std::max(*highOne, *highBoth);
    const Point dog = report.options.starts.dog;

    return savePicture(file, MapSize, [&](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), MapSize), Qt::white);
        const int half = MapSize.width() / 2;
        paintBoardMap(painter, QRect(20, 10, half - 40, 760), map.dogWalks, low, high, dog,
                      QStringLiteral("%1: Momotaro waits here").arg(scenarioCaption(1)));
        paintBoardMap(painter, QRect(half + 20, 10, half - 40, 760), map.bothWalk, low, high, dog,
                      QStringLiteral("%1: Momotaro starts here").arg(scenarioCaption(0)));

        // The colour scale, shared by both boards.
        const QRect scale(300, 815, MapSize.width() - 600, 24);
        for (int x = 0; x < scale.width(); ++x)
            painter.fillRect(QRect(scale.left() + x, scale.top(), 1, scale.height()), scaleColor(double(x) / scale.width()));
        painter.setPen(Qt::black);
        painter.setFont(font(14));
        painter.drawText(QRect(scale.left() - 120, scale.top(), 110, scale.height()), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(low, 'f', 1));
        painter.drawText(QRect(scale.right() + 10, scale.top(), 110, scale.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(high, 'f', 1));
        painter.drawText(QRect(0, scale.bottom() + 6, MapSize.width(), 40), Qt::AlignCenter,
                         QStringLiteral("Expected meetings per %1 s run, Dog starting at (%2, %3) (dashed circle); the best point is framed in red.")
                             .arg(report.options.seconds).arg(int(dog.x)).arg(int(dog.y)));
    }, error);
}

} // namespace stats
