#include "report.h"

#include "wording.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace stats {

namespace {

// A share of runs in the histogram, where small ones matter: two decimals.
QString share(double p)
{
    if (p <= 0)
        return QStringLiteral("0");
    if (p < 0.00005)
        return QStringLiteral("<0.01%");
    return QString::number(100 * p, 'f', 2) + u'%';
}

QString fixed(double value, int decimals = 2)
{
    return QString::number(value, 'f', decimals);
}

// Two averages in one row, to one precision: two decimals, more when the
// smaller needs them to show two digits.
std::pair<QString, QString> averages(double a, double b)
{
    int decimals = 2;
    const double smaller = std::min(a, b);
    while (decimals < 6 && smaller > 0 && smaller < std::pow(10.0, 1 - decimals))
        ++decimals;
    return {fixed(a, decimals), fixed(b, decimals)};
}

// Breaks text into lines of at most width characters (longer words stand
// alone), each starting with indent.
QString wrapped(const QString &text, int width, const QString &indent = QString())
{
    QString out;
    QString line = indent;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (line.size() > indent.size() && line.size() + 1 + word.size() > width) {
            out += line + u'\n';
            line = indent;
        }
        if (line.size() > indent.size())
            line += u' ';
        line += word;
    }
    return out + line + u'\n';
}

QString pointText(Point p)
{
    return QStringLiteral("(%1, %2)").arg(int(p.x)).arg(int(p.y));
}

QJsonArray toJson(const std::vector<double> &values)
{
    QJsonArray array;
    for (double v : values)
        array.append(v);
    return array;
}

QJsonArray toJson(const std::vector<std::int64_t> &values)
{
    QJsonArray array;
    for (std::int64_t v : values)
        array.append(qint64(v));
    return array;
}

QJsonArray toJson(Point p)
{
    return {int(p.x), int(p.y)};
}

// A scenario's key in the JSON and the CSV.
QString key(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? QStringLiteral("bothWalk") : QStringLiteral("dogWalks");
}

} // namespace

bool Report::exactInside(Scenario scenario) const
{
    const std::optional<double> &halfWidth = simulated[scenario].halfWidth99;
    return halfWidth && std::fabs(simulated[scenario].mean - answer.exact[scenario].expectedMeetings) <= *halfWidth;
}

QString table(const Report &report, int width)
{
    const Options &o = report.options;
    QString out;
    QTextStream s(&out);
    auto row = [&s](const QString &label, const QString &both, const QString &one) {
        s << label.leftJustified(40) << both.rightJustified(20) << one.rightJustified(20) << '\n';
    };
    // A row of one text for each scenario.
    auto rowOf = [&row](const QString &label, const auto &text) { row(label, text(Scenario::BothWalk), text(Scenario::DogWalks)); };

    s << wrapped(QStringLiteral("Momotaro starts at %1 and Dog at %2. A run lasts %3 s: %4 ticks of each walker's timer, as on the board.")
                     .arg(pointText(o.starts.momotaro), pointText(o.starts.dog), QString::number(o.seconds))
                     .arg(withSeparators(o.ticksPerTimer)),
                 width);
    const Verdict &answer = report.answer.verdict;
    s << "\nThe answer\n" << wrapped(answer.headline, width, QStringLiteral("  ")) << '\n'
      << wrapped(answer.detail, width, QStringLiteral("  "));

    if (report.answer.classCounts) {
        const ClassCounts &counts = *report.answer.classCounts;
        s << (counts.simulated.isEmpty() ? "\nThe class's own runs (" : "\nThe class's runs, simulated (") << counts.file << ")\n";
        if (!counts.simulated.isEmpty())
            s << wrapped(counts.simulated, width, QStringLiteral("  ")) << '\n';
        s << wrapped(classVerdict(report.answer), width, QStringLiteral("  "));
        PerScenario<std::optional<ClassFigures>> figures;
        for (Scenario scenario : Scenarios)
            figures[scenario] = classFigures(report.answer, scenario);
        // The class's figure of each scenario, or "-" for one it did not run.
        auto classRow = [&](const QString &label, const auto &text) {
            rowOf(label, [&](Scenario scenario) { return figures[scenario] ? text(*figures[scenario]) : QStringLiteral("-"); });
        };
        rowOf(QString(), plainName);
        classRow(QStringLiteral("  Runs counted"), [](const ClassFigures &f) { return QString::number(f.runs); });
        classRow(QStringLiteral("  Their average, meetings in a run"), [](const ClassFigures &f) { return fixed(f.mean); });
        rowOf(QStringLiteral("  The exact average"), [&](Scenario sc) { return fixed(report.answer.exact[sc].expectedMeetings); });
        classRow(QStringLiteral("  An average this far off, or further"), [](const ClassFigures &f) { return percent(f.chance); });
    }

    s << '\n';
    const PerScenario<ExactResult> &exact = report.answer.exact;
    rowOf(QStringLiteral("In detail, exactly"), plainName);
    rowOf(QString(), [](Scenario sc) { return u'"' + scenarioCaption(sc) + u'"'; });
    const auto [bothAverage, oneAverage] = averages(exact[Scenario::BothWalk].expectedMeetings, exact[Scenario::DogWalks].expectedMeetings);
    row(QStringLiteral("Meetings in a run, on average"), bothAverage, oneAverage);
    rowOf(QStringLiteral("At least one meeting in the run"), [&](Scenario sc) { return percent(exact[sc].atLeastOne); });
    s << "If the run had no time limit:\n";
    rowOf(QStringLiteral("  the first meeting, on average, after"),
          [&](Scenario sc) { return fixed(exact[sc].meanFirstSeconds, 1) + QStringLiteral(" s"); });
    rowOf(QStringLiteral("  half of the runs meet within"), [&](Scenario sc) {
        const std::optional<double> &median = exact[sc].medianFirstSeconds;
        return median ? fixed(*median, 1) + QStringLiteral(" s") : QStringLiteral("never");
    });

    auto runsRow = [&s](const QString &label, const QString &both, const QString &tie, const QString &one) {
        s << label.leftJustified(18) << both.rightJustified(20) << tie.rightJustified(21) << one.rightJustified(21) << '\n';
    };
    s << '\n';
    s << "Several runs of each, their meetings added up:\n";
    runsRow(QString(), plainName(Scenario::BothWalk) + QStringLiteral(" ahead"), QStringLiteral("a tie"),
            plainName(Scenario::DogWalks) + QStringLiteral(" ahead"));
    for (int n : {1, 2, 3, 5, 10, 20, 30}) {
        const OneRunEach &c = report.answer.runsEach.byRuns[std::size_t(n - 1)];
        runsRow(QStringLiteral("  ") + runsOfEach(n), percent(c.bothMore), percent(c.tie), percent(c.oneMore));
    }

    s << "\nSimulated: " << withSeparators(o.runs) << (o.runs == 1 ? " run" : " runs") << " of each, seed " << o.seed << ", on "
      << o.threads << (o.threads == 1 ? " thread\n" : " threads\n");
    const PerScenario<Simulation> &simulated = report.simulated;
    rowOf(QStringLiteral("Meetings in a run, on average"), [&](Scenario sc) { return fixed(simulated[sc].mean, 4); });
    if (o.runs < MinRunsForInterval) {
        s << wrapped(QStringLiteral("Too few runs for a 99% interval around these averages: it takes at least %1.").arg(MinRunsForInterval),
                     width);
    } else {
        rowOf(QStringLiteral("99% interval of that average"), [&](Scenario sc) {
            const Simulation &sim = simulated[sc];
            return fixed(sim.mean - *sim.halfWidth99, 3) + QStringLiteral(" to ") + fixed(sim.mean + *sim.halfWidth99, 3);
        });
        rowOf(QStringLiteral("The exact average inside it"),
              [&](Scenario sc) { return report.exactInside(sc) ? QStringLiteral("yes") : QStringLiteral("no"); });
    }
    PerScenario<std::optional<FitToLaw>> fits;
    for (Scenario sc : Scenarios)
        fits[sc] = chiSquareFit(simulated[sc].histogram, exact[sc].law);
    rowOf(QStringLiteral("Counts fit the exact chances"), [&](Scenario sc) {
        if (!fits[sc])
            return QStringLiteral("too few runs");
        const double p = fits[sc]->p;
        return QStringLiteral("%1 (p = %2)").arg(p >= 0.01 ? QStringLiteral("yes") : QStringLiteral("no"), p >= 0.01 ? fixed(p, 2) : QString::number(p, 'g', 2));
    });
    for (Scenario i : Scenarios) {
        if (o.runs >= MinRunsForInterval && !report.exactInside(i)) {
            s << wrapped(QStringLiteral("Note: for \"%1\" the exact average lies outside the 99% interval; "
                                        "that happens by chance about once in a hundred seeds.")
                             .arg(plainName(i)),
                         width);
        }
        if (fits[i] && fits[i]->p < 0.01) {
            s << wrapped(QStringLiteral("Note: for \"%1\" the simulated counts differ from the exact chances more than "
                                        "chance explains in 99 seeds out of 100.")
                             .arg(plainName(i)),
                         width);
        }
    }

    auto lawRow = [&s](const QString &label, const QString &a, const QString &b, const QString &c, const QString &d) {
        s << label.leftJustified(24) << a.rightJustified(14) << b.rightJustified(14) << c.rightJustified(14) << d.rightJustified(14) << '\n';
    };
    s << '\n';
    lawRow(QStringLiteral("How many meetings"), QString(), plainName(Scenario::BothWalk), QString(), plainName(Scenario::DogWalks));
    lawRow(QStringLiteral("a run counts"), QStringLiteral("exact"), QStringLiteral("simulated"), QStringLiteral("exact"),
           QStringLiteral("simulated"));
    std::size_t rows = 0;
    for (Scenario sc : Scenarios) {
        const auto &law = exact[sc].law;
        for (std::size_t k = 0; k < law.size(); ++k) {
            if (law[k] >= 5e-5)
                rows = std::max(rows, k + 1);
        }
        rows = std::max(rows, simulated[sc].histogram.size());
    }
    for (std::size_t k = 0; k < rows; ++k) {
        QStringList cells;
        for (Scenario sc : Scenarios) {
            const auto &law = exact[sc].law;
            const auto &histogram = simulated[sc].histogram;
            cells << share(k < law.size() ? law[k] : 0.0) << share(k < histogram.size() ? double(histogram[k]) / double(o.runs) : 0.0);
        }
        lawRow(QString::number(k).rightJustified(4), cells[0], cells[1], cells[2], cells[3]);
    }
    return out;
}

QByteArray json(const Report &report)
{
    const Options &o = report.options;
    QJsonObject exact;
    QJsonObject simulated;
    for (Scenario i : Scenarios) {
        const ExactResult &e = report.answer.exact[i];
        exact[key(i)] = QJsonObject{
            {QStringLiteral("caption"), scenarioCaption(i)},
            {QStringLiteral("expectedMeetings"), e.expectedMeetings},
            {QStringLiteral("meetingLaw"), toJson(e.law)},
            {QStringLiteral("atLeastOneMeeting"), e.atLeastOne},
            {QStringLiteral("meanFirstMeetingSeconds"), e.meanFirstSeconds},
            {QStringLiteral("medianFirstMeetingSeconds"), e.medianFirstSeconds ? QJsonValue(*e.medianFirstSeconds) : QJsonValue()},
            {QStringLiteral("noMeetingYetEachTick"), toJson(e.noMeetingYet)},
        };
        const Simulation &sim = report.simulated[i];
        QJsonObject simulatedOne{
            {QStringLiteral("mean"), sim.mean},
            {QStringLiteral("interval99"), sim.halfWidth99 ? QJsonValue(QJsonArray{sim.mean - *sim.halfWidth99, sim.mean + *sim.halfWidth99})
                                                           : QJsonValue()},
            {QStringLiteral("exactInsideInterval"), sim.halfWidth99 ? QJsonValue(report.exactInside(i)) : QJsonValue()},
            {QStringLiteral("histogram"), toJson(sim.histogram)},
        };
        if (const std::optional<FitToLaw> fit = chiSquareFit(sim.histogram, e.law)) {
            simulatedOne[QStringLiteral("fitToExactLaw")] = QJsonObject{
                {QStringLiteral("chiSquare"), fit->chiSquare},
                {QStringLiteral("degreesOfFreedom"), fit->degreesOfFreedom},
                {QStringLiteral("p"), fit->p},
            };
        }
        simulated[key(i)] = simulatedOne;
    }
    const OneRunEach &oneRunEach = report.answer.runsEach.byRuns.front();
    exact[QStringLiteral("oneRunEach")] = QJsonObject{
        {QStringLiteral("bothWalkMore"), oneRunEach.bothMore},
        {QStringLiteral("tie"), oneRunEach.tie},
        {QStringLiteral("dogWalksMore"), oneRunEach.oneMore},
    };
    QJsonArray runsEach;
    for (std::size_t n = 1; n <= std::min<std::size_t>(report.answer.runsEach.byRuns.size(), MinRunsCompared); ++n) {
        const OneRunEach &c = report.answer.runsEach.byRuns[n - 1];
        runsEach.append(QJsonObject{
            {QStringLiteral("runs"), qint64(n)},
            {QStringLiteral("bothWalkMore"), c.bothMore},
            {QStringLiteral("tie"), c.tie},
            {QStringLiteral("dogWalksMore"), c.oneMore},
        });
    }
    exact[QStringLiteral("runsEach")] = runsEach;
    auto runsOrNull = [](int runs) { return runs == 0 ? QJsonValue() : QJsonValue(runs); };
    exact[QStringLiteral("runsEachForRightTotal90")] = runsOrNull(report.answer.runsEach.runsFor90);
    exact[QStringLiteral("runsEachForRightTotal99")] = runsOrNull(report.answer.runsEach.runsFor99);
    simulated[QStringLiteral("runs")] = qint64(o.runs);
    simulated[QStringLiteral("seed")] = QString::number(o.seed);
    simulated[QStringLiteral("threads")] = o.threads;

    QJsonObject root{
        {QStringLiteral("momotaro"), toJson(o.starts.momotaro)},
        {QStringLiteral("dog"), toJson(o.starts.dog)},
        {QStringLiteral("seconds"), o.seconds},
        {QStringLiteral("ticksPerTimer"), o.ticksPerTimer},
        {QStringLiteral("exact"), exact},
        {QStringLiteral("simulated"), simulated},
        {QStringLiteral("verdict"), verdictText(report.answer)},
    };
    if (report.answer.classCounts) {
        QJsonObject classRuns{{QStringLiteral("file"), report.answer.classCounts->file}};
        if (!report.answer.classCounts->simulated.isEmpty())
            classRuns[QStringLiteral("simulated")] = report.answer.classCounts->simulated;
        for (Scenario i : Scenarios) {
            const std::optional<ClassFigures> f = classFigures(report.answer, i);
            classRuns[key(i)] = f ? QJsonValue(QJsonObject{
                                                        {QStringLiteral("runs"), f->runs},
                                                        {QStringLiteral("mean"), f->mean},
                                                        {QStringLiteral("chanceOfAnAverageThisFarOrFurther"), f->chance},
                                                    })
                                                  : QJsonValue();
        }
        classRuns[QStringLiteral("verdict")] = classVerdict(report.answer);
        root[QStringLiteral("class")] = classRuns;
    }
    if (report.map) {
        QJsonObject map;
        for (Scenario i : Scenarios) {
            const auto &values = (*report.map)[i];
            map[key(i)] = toJson(std::vector<double>(values.begin(), values.end()));
        }
        root[QStringLiteral("expectedMeetingsByMomotaroStart")] = map;
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray csvHeader()
{
    return "scenario,run,meetings\n";
}

void appendCsv(QByteArray &out, Scenario scenario, std::int64_t firstRun, std::span<const std::uint16_t> counts)
{
    // The longest line: "dogWalks," 9 digits of run, ',' 5 digits, '\n'.
    constexpr std::size_t LongestLine = 32;
    const QByteArray name = key(scenario).toLatin1() + ',';
    const qsizetype start = out.size();
    out.resize(start + qsizetype(counts.size() * LongestLine));
    char *at = out.data() + start;
    char *const end = out.data() + out.size();
    for (std::size_t i = 0; i < counts.size(); ++i) {
        at = std::copy(name.begin(), name.end(), at);
        at = std::to_chars(at, end, firstRun + std::int64_t(i) + 1).ptr;
        *at++ = ',';
        at = std::to_chars(at, end, counts[i]).ptr;
        *at++ = '\n';
    }
    out.resize(at - out.data());
}

} // namespace stats
