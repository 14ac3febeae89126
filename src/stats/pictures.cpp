#include "pictures.h"

#include "report.h"
#include "savefile.h"

#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QDate>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace stats {

namespace {

// Lettered to be read from the back of a classroom on a projector at
// PictureSize: no text under 28 px, no mark under 12 px.
constexpr int TitlePx = PictureTitlePx;
constexpr int TextPx = PictureTextPx;
constexpr int MarkPx = 18;
// An SVG's declared size: 1920 px at this resolution is about 25 cm wide.
constexpr int SvgDotsPerInch = 196;
const PerScenario<Look> Looks{{{{QColor(0xd5, 0x5e, 0x00), Qt::SolidPattern, QScatterSeries::MarkerShapeCircle, Qt::SolidLine, -0.2},
                                {QColor(0x00, 0x72, 0xb2), Qt::BDiagPattern, QScatterSeries::MarkerShapeRectangle, Qt::DashLine, 0.2}}}};

} // namespace

const Look &lookOf(Scenario scenario)
{
    return Looks[scenario];
}

bool savePicture(const QString &file, QSize size, const std::function<void(QPainter &)> &paint, QString &error)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (QFileInfo(file).suffix().toLower() == u"svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(size);
        svg.setResolution(SvgDotsPerInch);
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

QString contextLine(const Starts &starts, double seconds, const QDate &date)
{
    return QStringLiteral("Momotaro starts at (%1, %2), Dog at (%3, %4); runs of %5 s. %6")
        .arg(int(starts.momotaro.x))
        .arg(int(starts.momotaro.y))
        .arg(int(starts.dog.x))
        .arg(int(starts.dog.y))
        .arg(seconds)
        .arg(QLocale(QLocale::English).toString(date, QStringLiteral("d MMMM yyyy")));
}

namespace {

QFont font(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

QRect footerArea(QSize size)
{
    return {20, size.height() - 2 * TextPx, size.width() - 40, 2 * TextPx};
}

void paintFooter(QPainter &painter, QSize size, const QString &text)
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(font(TextPx));
    painter.drawText(footerArea(size), Qt::AlignCenter, text);
    painter.restore();
}

namespace {

// A title and, under it in plain weight, what the marks mean.
void styleChart(QChart &chart, const QString &title, const QString &key)
{
    chart.setTitle(QStringLiteral("%1<br><span style=\"font-size:%2px; font-weight:normal\">%3</span>").arg(title).arg(TextPx).arg(key));
    chart.setTitleFont(font(TitlePx, true));
    chart.legend()->setFont(font(TextPx));
    chart.legend()->setAlignment(Qt::AlignBottom);
    chart.setBackgroundRoundness(0);
    chart.setAnimationOptions(QChart::NoAnimation);
}

QValueAxis *axis(const QString &title, double min, double max)
{
    auto *a = new QValueAxis;
    a->setTitleText(title);
    a->setTitleFont(font(TextPx, true));
    a->setLabelsFont(font(TextPx));
    a->setRange(min, max);
    return a;
}

// A chance axis in percent, up to top (never past 100), in round steps.
QValueAxis *chanceAxis(double top)
{
    top = std::min(100.0, top);
    const double step = top > 50 ? 20 : top > 20 ? 10 : top > 10 ? 5 : top > 4 ? 2 : top > 2 ? 1 : 0.5;
    QValueAxis *a = axis(QStringLiteral("Chance (%)"), 0, std::min(100.0, std::ceil(top / step) * step));
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

QChart *lawChart(const Report &report)
{
    auto *chart = new QChart;
    const bool withClass = report.options.classCounts.has_value();
    // What the marks are: simulated runs (a report worked out exactly alone
    // has none) and the class's own.
    QStringList keys;
    if (report.options.runs > 0)
        keys << QStringLiteral("● ■ %1 simulated %2").arg(withSeparators(report.options.runs),
                                                          report.options.runs == 1 ? QStringLiteral("run") : QStringLiteral("runs"));
    if (withClass)
        keys << QStringLiteral("▲ the class's runs");
    styleChart(*chart, QStringLiteral("Meetings in one run of %1 s").arg(report.options.seconds),
               QStringLiteral("bars: exact chances; lines: exact averages, %1 and %2%3")
                   .arg(QString::number(report.exact[Scenario::BothWalk].expectedMeetings, 'f', 2),
                        QString::number(report.exact[Scenario::DogWalks].expectedMeetings, 'f', 2),
                        keys.isEmpty() ? QString() : QStringLiteral("<br>") + keys.join(QStringLiteral("; "))));

    // Every count up to where both laws have shown 99.9% of their chance.
    std::size_t shown = 1;
    double top = 0;
    for (Scenario i : Scenarios) {
        const auto &law = report.exact[i].law;
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
            for (int count : report.options.classCounts->runs(i))
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
            *set << 100 * (k < report.exact[i].law.size() ? report.exact[i].law[k] : 0.0);
        bars->append(set);
    }

    // Marks of runs, each beside its scenario's bar.
    std::vector<QXYSeries *> marks;
    auto runMarks = [&](Scenario i, const std::vector<std::int64_t> &histogram, std::int64_t runs, QScatterSeries::MarkerShape shape,
                        int size) {
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
        runMarks(i, report.simulated[i].histogram, report.options.runs, Looks[i].mark, MarkPx);
    if (withClass) {
        for (Scenario i : Scenarios) {
            const std::vector<int> counts = report.options.classCounts->runs(i);
            std::vector<std::int64_t> histogram(shown, 0);
            for (int count : counts)
                ++histogram[std::size_t(count)];
            if (!counts.empty())
                runMarks(i, histogram, std::int64_t(counts.size()), QScatterSeries::MarkerShapeTriangle, MarkPx + 8);
        }
    }

    QValueAxis *x = axis(QStringLiteral("Meetings in the run"), -0.5, double(shown) - 0.5);
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
        const double m = report.exact[i].expectedMeetings;
        mean->setPen(QPen(Looks[i].color.darker(130), 5, Looks[i].line));
        mean->append(m, 0);
        mean->append(m, y->max());
        attach(*chart, mean, x, y, false);
    }
    return chart;
}

QChart *waitingChart(const Report &report)
{
    auto *chart = new QChart;
    styleChart(*chart, QStringLiteral("No meeting yet"), QStringLiteral("exact; ◆ half the runs have met"));
    const double period = std::chrono::duration<double>(rules::TickInterval).count();
    const double end = report.options.ticksPerTimer * period;
    QValueAxis *x = axis(QStringLiteral("Seconds after Start"), 0, end);
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
        const auto &waiting = report.exact[i].noMeetingYet;
        for (std::size_t k = 0; k < waiting.size(); ++k)
            line->append(double(k) * period, 100 * waiting[k]);
        attach(*chart, line, x, y, true);
        // The median on its curve, where it falls within the run.
        const std::optional<double> &median = report.exact[i].medianFirstSeconds;
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

QChart *runsChart(const Report &report)
{
    auto *chart = new QChart;
    styleChart(*chart, QStringLiteral("Several runs of each"), QStringLiteral("meetings added up: who is ahead"));
    const auto &byRuns = report.runsEach.byRuns;
    const int shown = std::min<int>(int(byRuns.size()), MinRunsCompared);
    QValueAxis *x = axis(QStringLiteral("Runs of each"), 1, shown);
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
        std::tuple{QStringLiteral("a tie"), &OneRunEach::tie, QPen(Qt::black, 5, Qt::DotLine)},
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

namespace {

// From dark blue through green to yellow (as viridis), for 0 <= t <= 1:
// it grows lighter all the way, so it reads in any colour vision and in grey.
const std::array<QColor, 5> ScaleStops{QColor(0x2c, 0x1e, 0x6e), QColor(0x2a, 0x6f, 0x97), QColor(0x2e, 0xa3, 0x84),
                                       QColor(0x9b, 0xcf, 0x4c), QColor(0xfb, 0xe7, 0x2d)};

} // namespace

QColor scaleColor(double t)
{
    t = std::clamp(t, 0.0, 1.0) * (ScaleStops.size() - 1);
    const int i = std::min(int(t), int(ScaleStops.size()) - 2);
    const double f = t - i;
    auto mix = [f](int a, int b) { return int(a + (b - a) * f + 0.5); };
    return QColor(mix(ScaleStops[i].red(), ScaleStops[i + 1].red()), mix(ScaleStops[i].green(), ScaleStops[i + 1].green()),
                  mix(ScaleStops[i].blue(), ScaleStops[i + 1].blue()));
}

double MapScale::position(double value) const
{
    return high > low ? std::clamp((value - low) / (high - low), 0.0, 1.0) : 0.5;
}

MapScale mapScale(const MeetingMap &map)
{
    constexpr double Quantile = 0.95;
    std::vector<double> all;
    for (Scenario scenario : Scenarios)
        all.insert(all.end(), map[scenario].begin(), map[scenario].end());
    std::sort(all.begin(), all.end());
    const double high = all[std::size_t(Quantile * double(all.size() - 1))];
    return {all.front(), high, high < all.back()};
}

void paintMapCells(QPainter &painter, const QRectF &board, const std::array<double, BoardPoints> &values, const MapScale &scale,
                   double textPx, Qt::Alignment numbers)
{
    const double cell = board.width() / BoardSide;
    auto box = [&](int index) {
        return QRectF(board.left() + index % BoardSide * cell, board.top() + index / BoardSide * cell, cell, cell);
    };
    painter.save();
    // The cells overlap by a pixel, so no seam shows between them at any scale.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int index = 0; index < BoardPoints; ++index)
        painter.fillRect(box(index).adjusted(0, 0, 1, 1), scaleColor(scale.position(values[std::size_t(index)])));
    painter.setRenderHint(QPainter::Antialiasing);

    // The best points: a thick black frame on the cell's edge with a thin
    // white one inside, seen on any colour and in any colour vision. The
    // numbers keep clear of both.
    const double frame = std::max(2.0, std::round(cell / 14));
    const double inner = std::max(1.0, std::round(frame / 2));
    const double inset = frame + inner + 1;
    QFont text = painter.font();
    text.setPixelSize(std::max(6, int(std::min(textPx, cell * 0.34))));
    painter.setFont(text);
    for (int index = 0; index < BoardPoints; ++index) {
        const double value = values[std::size_t(index)];
        const QRectF inside = box(index).adjusted(inset, inset, -inset, -inset);
        painter.setPen(scale.position(value) > 0.55 ? Qt::black : Qt::white);
        painter.drawText(inside, int(numbers) | Qt::TextDontClip, QString::number(value, 'f', 1));
        // Above the scale: a corner mark says the colour is clipped.
        if (value > scale.high) {
            const QRectF b = box(index);
            painter.setBrush(Qt::black);
            painter.setPen(Qt::NoPen);
            painter.drawPolygon(QPolygonF({b.topRight(), b.topRight() + QPointF(-cell / 4, 0), b.topRight() + QPointF(0, cell / 4)}));
            painter.setBrush(Qt::NoBrush);
        }
    }
    for (int index : bestPoints(values)) {
        const QRectF b = box(index);
        painter.setPen(QPen(Qt::black, frame, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(b.adjusted(frame / 2, frame / 2, -frame / 2, -frame / 2));
        painter.setPen(QPen(Qt::white, inner, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(b.adjusted(frame + inner / 2, frame + inner / 2, -frame - inner / 2, -frame - inner / 2));
    }
    painter.restore();
}

namespace {

// One scenario's map with its title, Dog's start circled, the axes numbered.
void paintBoardMap(QPainter &painter, QRect area, const std::array<double, BoardPoints> &values, const MapScale &scale, Point dog,
                   const QString &title, const QString &subtitle)
{
    painter.setPen(Qt::black);
    painter.setFont(font(TitlePx, true));
    painter.drawText(QRect(area.left(), area.top(), area.width(), 50), Qt::AlignCenter, title);
    painter.setFont(font(TextPx));
    painter.drawText(QRect(area.left(), area.top() + 50, area.width(), 40), Qt::AlignCenter, subtitle);
    const int cell = std::min(area.width() - 100, area.height() - 180) / BoardSide;
    const QPoint origin(area.left() + 50 + (area.width() - 50 - cell * BoardSide) / 2, area.top() + 172);

    painter.setFont(font(TextPx - 6));
    paintMapCells(painter, QRectF(origin, QSizeF(cell * BoardSide, cell * BoardSide)), values, scale, TextPx - 6, Qt::AlignCenter);
    const QRect dogBox(origin + QPoint(int(dog.x) * cell, int(dog.y) * cell), QSize(cell, cell));
    painter.setPen(QPen(Qt::white, 4, Qt::DashLine));
    painter.drawEllipse(dogBox.adjusted(6, 6, -6, -6));

    painter.setPen(Qt::black);
    painter.setFont(font(TextPx));
    for (int i = 0; i < BoardSide; ++i) {
        painter.drawText(QRect(origin.x() + i * cell, origin.y() - 36, cell, 34), Qt::AlignCenter, QString::number(i));
        painter.drawText(QRect(origin.x() - 44, origin.y() + i * cell, 38, cell), Qt::AlignRight | Qt::AlignVCenter, QString::number(i));
    }
    painter.setFont(font(TextPx, true));
    painter.drawText(QRect(origin.x(), origin.y() - 72, cell * BoardSide, 34), Qt::AlignCenter, QStringLiteral("x"));
    painter.drawText(QRect(origin.x() - 90, origin.y(), 40, cell * BoardSide), Qt::AlignCenter, QStringLiteral("y"));
}

} // namespace

void paintChart(QPainter &painter, QChart &chart, const QRectF &area)
{
    QGraphicsScene scene;
    scene.addItem(&chart);
    chart.setGeometry(QRectF(QPointF(), area.size()));
    scene.setSceneRect(QRectF(QPointF(), area.size()));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, area, scene.sceneRect());
    painter.restore();
    scene.removeItem(&chart);
}

bool saveChart(QChart &chart, const QString &file, const QString &footer, QString &error)
{
    return savePicture(file, PictureSize, [&](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), PictureSize), Qt::white);
        paintChart(painter, chart, QRectF(0, 0, PictureSize.width(), footerArea(PictureSize).top()));
        paintFooter(painter, PictureSize, footer);
    }, error);
}

bool saveLawChart(const Report &report, const QString &file, QString &error)
{
    std::unique_ptr<QChart> law(lawChart(report));
    std::unique_ptr<QChart> waiting(waitingChart(report));
    std::unique_ptr<QChart> runs(runsChart(report));
    // The law is the answer: it gets the wider part; the other two share the rest.
    const double split = PictureSize.width() * 0.56;
    const double bottom = footerArea(PictureSize).top();
    const double half = bottom / 2;
    return savePicture(file, PictureSize, [&](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), PictureSize), Qt::white);
        paintChart(painter, *law, QRectF(0, 0, split, bottom));
        paintChart(painter, *waiting, QRectF(split, 0, PictureSize.width() - split, half));
        paintChart(painter, *runs, QRectF(split, half, PictureSize.width() - split, half));
        paintFooter(painter, PictureSize, contextLine(report.options.starts, report.options.seconds, QDate::currentDate()));
    }, error);
}

bool saveMeetingMap(const Report &report, const QString &file, QString &error)
{
    const MeetingMap &map = *report.map;
    const MapScale scale = mapScale(map);
    const Point dog = report.options.starts.dog;

    return savePicture(file, PictureSize, [&](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), PictureSize), Qt::white);
        const int half = PictureSize.width() / 2;
        // In the table's order: both wandering on the left.
        for (Scenario scenario : Scenarios) {
            const bool both = scenario == Scenario::BothWalk;
            paintBoardMap(painter, QRect(both ? 10 : half + 10, 10, half - 20, 850), map[scenario], scale, dog,
                          plainName(scenario),
                          QStringLiteral("\"%1\": Momotaro %2 at the point")
                              .arg(scenarioCaption(scenario), both ? QStringLiteral("starts") : QStringLiteral("waits")));
        }

        // The colour scale, shared by both boards, as one gradient.
        const QRect bar(420, 880, PictureSize.width() - 840, 40);
        QLinearGradient gradient(bar.topLeft(), bar.topRight());
        for (std::size_t i = 0; i < ScaleStops.size(); ++i)
            gradient.setColorAt(double(i) / double(ScaleStops.size() - 1), ScaleStops[i]);
        painter.fillRect(bar, gradient);
        painter.setPen(Qt::black);
        painter.setFont(font(TextPx));
        painter.drawText(QRect(bar.left() - 200, bar.top() - 10, 190, bar.height() + 20), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(scale.low, 'f', 1));
        painter.drawText(QRect(bar.right() + 10, bar.top() - 10, 400, bar.height() + 20), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(scale.high, 'f', 1) + (scale.clipped ? QStringLiteral(" and more ◥") : QString()));
        painter.drawText(QRect(0, bar.bottom() + 10, PictureSize.width(), footerArea(PictureSize).top() - bar.bottom() - 10),
                         Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Meetings in a run, on average, for each start of Momotaro; Dog's start is circled. "
                                        "The best points are framed black and white."));
        paintFooter(painter, PictureSize, contextLine(report.options.starts, report.options.seconds, QDate::currentDate()));
    }, error);
}

} // namespace stats
