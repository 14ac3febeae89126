#include "report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace stats {

namespace {

QString percent(double p)
{
    if (p == 0)
        return QStringLiteral("0");
    if (p < 5e-6)
        return QStringLiteral("<0.001%");
    return QString::number(100 * p, 'f', p < 0.001 || p > 0.999 ? 3 : 1) + u'%';
}

QString fixed(double value, int decimals = 2)
{
    return QString::number(value, 'f', decimals);
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

const char *const Keys[] = {"bothWalk", "dogWalks"};

} // namespace

bool Report::exactInside(int scenario) const
{
    const std::optional<double> &halfWidth = simulated[scenario].halfWidth99;
    return halfWidth && std::fabs(simulated[scenario].mean - exact[scenario].expectedMeetings) <= *halfWidth;
}

QString scenarioCaption(int scenario)
{
    return scenario == 0 ? QStringLiteral("When two srart") : QStringLiteral("When one starts");
}

QString verdict(const Report &report)
{
    const ExactResult &both = report.exact[0];
    const ExactResult &one = report.exact[1];
    const bool bothWins = both.expectedMeetings >= one.expectedMeetings;
    const ExactResult &winner = bothWins ? both : one;
    const ExactResult &loser = bothWins ? one : both;
    const double misleading = bothWins ? report.oneRunEach.oneMore + report.oneRunEach.tie
                                       : report.oneRunEach.bothMore + report.oneRunEach.tie;
    QString text = bothWins ? QStringLiteral("Both wandering is faster") : QStringLiteral("Standing still is faster");
    text += QStringLiteral(": %1 meetings per run against %2").arg(fixed(winner.expectedMeetings), fixed(loser.expectedMeetings));
    if (loser.expectedMeetings > 0)
        text += QStringLiteral(" (%1 times as many)").arg(fixed(winner.expectedMeetings / loser.expectedMeetings));
    text += QStringLiteral(", and the first meeting comes after %1 s on average against %2 s.")
                .arg(fixed(winner.meanFirstSeconds, 1), fixed(loser.meanFirstSeconds, 1));
    text += QStringLiteral(" Yet one run of each misleads a class %1 of the time: the %2 run counts more %3, a tie %4.")
                .arg(percent(misleading), bothWins ? QStringLiteral("stand-still") : QStringLiteral("both-walk"),
                     percent(bothWins ? report.oneRunEach.oneMore : report.oneRunEach.bothMore), percent(report.oneRunEach.tie));
    return text;
}

QString table(const Report &report)
{
    const Options &o = report.options;
    QString out;
    QTextStream s(&out);
    auto row = [&s](const QString &label, const QString &both, const QString &one) {
        s << label.leftJustified(40) << both.rightJustified(16) << one.rightJustified(18) << '\n';
    };

    s << "Momotaro starts at " << pointText(o.starts.momotaro) << ", Dog at " << pointText(o.starts.dog) << "; a run of "
      << o.seconds << " s, " << o.ticksPerTimer << " ticks of each walker's timer.\n\n";
    row(QStringLiteral("Exactly, from the law of the walk"), scenarioCaption(0), scenarioCaption(1));
    row(QString(), QStringLiteral("(both walk)"), QStringLiteral("(only Dog walks)"));
    row(QStringLiteral("Expected meetings per run"), fixed(report.exact[0].expectedMeetings, 4), fixed(report.exact[1].expectedMeetings, 4));
    row(QStringLiteral("At least one meeting in a run"), percent(report.exact[0].atLeastOne), percent(report.exact[1].atLeastOne));
    row(QStringLiteral("Mean time to the first meeting"), fixed(report.exact[0].meanFirstSeconds, 1) + QStringLiteral(" s"),
        fixed(report.exact[1].meanFirstSeconds, 1) + QStringLiteral(" s"));
    row(QStringLiteral("Median time to the first meeting"), fixed(report.exact[0].medianFirstSeconds, 1) + QStringLiteral(" s"),
        fixed(report.exact[1].medianFirstSeconds, 1) + QStringLiteral(" s"));

    s << "\nOne run of each, as a class would do it:\n";
    s << "  the both-walk run counts more meetings   " << percent(report.oneRunEach.bothMore).rightJustified(7) << '\n';
    s << "  a tie                                    " << percent(report.oneRunEach.tie).rightJustified(7) << '\n';
    s << "  the stand-still run counts more          " << percent(report.oneRunEach.oneMore).rightJustified(7) << '\n';

    s << "\nSeveral runs of each, totals compared:  both walk more     tie  Dog alone more\n";
    for (int n : {1, 2, 3, 5, 10, 20, 30}) {
        const OneRunEach &c = report.runsEach.byRuns[std::size_t(n - 1)];
        s << QStringLiteral("  %1 %2 each").arg(n, 2).arg(n == 1 ? QStringLiteral("run ") : QStringLiteral("runs")).leftJustified(38)
          << percent(c.bothMore).rightJustified(16) << percent(c.tie).rightJustified(8) << percent(c.oneMore).rightJustified(16) << '\n';
    }
    auto runsFor = [](int runs) {
        return runs == 0 ? QStringLiteral("more than %1 runs").arg(MaxRunsCompared)
                         : QStringLiteral("%1 %2").arg(runs).arg(runs == 1 ? QStringLiteral("run") : QStringLiteral("runs"));
    };
    s << "  The faster scenario's total is the larger (a tie not counting)\n"
      << "  9 times in 10 with " << runsFor(report.runsEach.runsFor90) << " of each, 99 times in 100 with "
      << runsFor(report.runsEach.runsFor99) << " of each.\n";

    s << "\nSimulated: " << o.runs << " runs of each scenario, seed " << o.seed << ", " << o.threads
      << (o.threads == 1 ? " thread\n" : " threads\n");
    row(QStringLiteral("Mean meetings per run"), fixed(report.simulated[0].mean, 4), fixed(report.simulated[1].mean, 4));
    if (o.runs < MinRunsForInterval) {
        s << "Too few runs for a 99% interval around these means: it needs at least " << MinRunsForInterval << ".\n";
    } else {
        auto interval = [&report](int i) {
            const Simulation &sim = report.simulated[i];
            return fixed(sim.mean - *sim.halfWidth99, 3) + QStringLiteral(" to ") + fixed(sim.mean + *sim.halfWidth99, 3);
        };
        row(QStringLiteral("99% interval of the mean"), interval(0), interval(1));
        auto inside = [&report](int i) { return report.exactInside(i) ? QStringLiteral("yes") : QStringLiteral("no"); };
        row(QStringLiteral("Exact value inside it"), inside(0), inside(1));
        for (int i : {0, 1}) {
            if (!report.exactInside(i))
                s << "Note: for \"" << scenarioCaption(i) << "\" the exact value lies outside the 99% interval;\n"
                  << "that happens by chance about once in a hundred seeds.\n";
        }
    }
    for (int i : {0, 1}) {
        const std::optional<FitToLaw> fit = chiSquareFit(report.simulated[i].histogram, report.exact[i].law);
        s << "\"" << scenarioCaption(i) << "\": ";
        if (!fit)
            s << "too few runs to compare their counts with the exact law.\n";
        else if (fit->p >= 0.01)
            s << "the simulated counts agree with the exact law (chi-square p = " << fixed(fit->p, 2) << ").\n";
        else
            s << "the simulated counts differ from the exact law more than chance\n  explains (chi-square p = "
              << QString::number(fit->p, 'g', 2) << ").\n";
    }

    s << "\nMeetings per run    " << scenarioCaption(0).rightJustified(22) << scenarioCaption(1).rightJustified(22) << '\n';
    s << "                    " << QStringLiteral("exact  simulated").rightJustified(22)
      << QStringLiteral("exact  simulated").rightJustified(22) << '\n';
    std::size_t rows = 0;
    for (int i : {0, 1}) {
        const auto &law = report.exact[i].law;
        for (std::size_t k = 0; k < law.size(); ++k) {
            if (law[k] >= 5e-5)
                rows = std::max(rows, k + 1);
        }
        rows = std::max(rows, report.simulated[i].histogram.size());
    }
    for (std::size_t k = 0; k < rows; ++k) {
        s << QString::number(k).rightJustified(4) << QString(16, u' ');
        for (int i : {0, 1}) {
            const auto &law = report.exact[i].law;
            const auto &histogram = report.simulated[i].histogram;
            const double exact = k < law.size() ? law[k] : 0.0;
            const double simulated = k < histogram.size() ? double(histogram[k]) / double(o.runs) : 0.0;
            s << percent(exact).rightJustified(11) << percent(simulated).rightJustified(11);
        }
        s << '\n';
    }

    s << '\n' << verdict(report) << '\n';
    return out;
}

QByteArray json(const Report &report)
{
    const Options &o = report.options;
    QJsonObject exact;
    QJsonObject simulated;
    for (int i : {0, 1}) {
        const ExactResult &e = report.exact[i];
        exact[QLatin1String(Keys[i])] = QJsonObject{
            {QStringLiteral("caption"), scenarioCaption(i)},
            {QStringLiteral("expectedMeetings"), e.expectedMeetings},
            {QStringLiteral("meetingLaw"), toJson(e.law)},
            {QStringLiteral("atLeastOneMeeting"), e.atLeastOne},
            {QStringLiteral("meanFirstMeetingSeconds"), e.meanFirstSeconds},
            {QStringLiteral("medianFirstMeetingSeconds"), e.medianFirstSeconds},
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
        simulated[QLatin1String(Keys[i])] = simulatedOne;
    }
    exact[QStringLiteral("oneRunEach")] = QJsonObject{
        {QStringLiteral("bothWalkMore"), report.oneRunEach.bothMore},
        {QStringLiteral("tie"), report.oneRunEach.tie},
        {QStringLiteral("dogWalksMore"), report.oneRunEach.oneMore},
    };
    QJsonArray runsEach;
    for (std::size_t n = 1; n <= report.runsEach.byRuns.size(); ++n) {
        const OneRunEach &c = report.runsEach.byRuns[n - 1];
        runsEach.append(QJsonObject{
            {QStringLiteral("runs"), qint64(n)},
            {QStringLiteral("bothWalkMore"), c.bothMore},
            {QStringLiteral("tie"), c.tie},
            {QStringLiteral("dogWalksMore"), c.oneMore},
        });
    }
    exact[QStringLiteral("runsEach")] = runsEach;
    auto runsOrNull = [](int runs) { return runs == 0 ? QJsonValue() : QJsonValue(runs); };
    exact[QStringLiteral("runsEachForRightTotal90")] = runsOrNull(report.runsEach.runsFor90);
    exact[QStringLiteral("runsEachForRightTotal99")] = runsOrNull(report.runsEach.runsFor99);
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
        {QStringLiteral("verdict"), verdict(report)},
    };
    if (report.map) {
        QJsonObject map;
        for (int i : {0, 1}) {
            const auto &values = i == 0 ? report.map->bothWalk : report.map->dogWalks;
            map[QLatin1String(Keys[i])] = toJson(std::vector<double>(values.begin(), values.end()));
        }
        root[QStringLiteral("expectedMeetingsByMomotaroStart")] = map;
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray csv(const Report &report)
{
    QByteArray out = "scenario,run,meetings\n";
    for (int i : {0, 1}) {
        const QByteArray key(Keys[i]);
        const auto &counts = report.simulated[i].counts;
        out.reserve(out.size() + qsizetype(counts.size()) * 18);
        for (std::size_t run = 0; run < counts.size(); ++run)
            out += key + ',' + QByteArray::number(qulonglong(run + 1)) + ',' + QByteArray::number(counts[run]) + '\n';
    }
    return out;
}

} // namespace stats
