#include "stats/report.h"

#include "words/verdictwords.h"
#include "words/wording.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>

// The report for programs to read: the JSON of the whole report and the CSV
// of the simulated runs.
namespace stats {

namespace {

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
            {QStringLiteral("medianFirstMeetingSeconds"),
             e.medianFirstSeconds ? QJsonValue(*e.medianFirstSeconds) : QJsonValue()},
            {QStringLiteral("noMeetingYetEachTick"), toJson(e.noMeetingYet)},
        };
        const Simulation &sim = report.simulated[i];
        QJsonObject simulatedOne{
            {QStringLiteral("mean"), sim.mean},
            {QStringLiteral("interval99"),
             sim.halfWidth99 ? QJsonValue(QJsonArray{sim.mean - *sim.halfWidth99, sim.mean + *sim.halfWidth99})
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
