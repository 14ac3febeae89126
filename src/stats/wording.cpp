#include "wording.h"

#include "captions.h"
#include "options.h"

#include <QStringList>

#include <cmath>

namespace stats {

namespace {

QString twoDecimals(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

QString percent(double p)
{
    if (p <= 0)
        return QStringLiteral("0%");
    if (p >= 1)
        return QStringLiteral("100%");
    if (p > 0.999)
        return QStringLiteral("more than 99.9%");
    if (p < 0.001)
        return QStringLiteral("less than 0.1%");
    return QString::number(100 * p, 'f', 1) + u'%';
}

QString plainName(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? QStringLiteral("Both wander") : QStringLiteral("Momotaro waits");
}

QString doing(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? QStringLiteral("both wandering") : QStringLiteral("Momotaro waiting");
}

QString runsOfEach(int runs)
{
    return runs == 1 ? QStringLiteral("1 run of each") : QStringLiteral("%1 runs of each").arg(runs);
}

QString scenarioCaption(Scenario scenario)
{
    return QString::fromLatin1(captionOf(scenario));
}

std::optional<ClassFigures> classFigures(const Answer &answer, Scenario scenario)
{
    if (!answer.classCounts)
        return std::nullopt;
    const ClassSum sum = answer.classCounts->sum(scenario);
    if (sum.runs == 0)
        return std::nullopt;
    return ClassFigures{sum.runs, sum.mean(), chanceOfTotalThisFar(answer.exact[scenario].law, sum.runs, sum.meetings)};
}

namespace {

// How many classes of as many groups would see a difference at least as
// large, for a chance of one: "about 1 class in 9", "about 7 classes in 10".
QString classesIn(double chance)
{
    if (chance < 1e-6)
        return QStringLiteral("less than 1 class in a million");
    if (chance >= 0.95)
        return QStringLiteral("nearly every class");
    if (chance >= 0.5)
        return QStringLiteral("about %1 classes in 10").arg(std::lround(10 * chance));
    // Two significant digits: "1 class in 25,000", not 25,412.
    const double classes = 1 / chance;
    const double step = classes < 100 ? 1 : std::pow(10.0, std::floor(std::log10(classes)) - 1);
    return QStringLiteral("about 1 class in %1").arg(withSeparators(std::llround(std::round(classes / step) * step)));
}

} // namespace

QString classVerdict(const Answer &answer)
{
    PerScenario<std::optional<ClassFigures>> figures;
    for (Scenario s : Scenarios)
        figures[s] = classFigures(answer, s);
    QStringList sentences;
    QStringList unusual;
    for (Scenario s : Scenarios) {
        if (!figures[s])
            continue;
        const double exact = answer.exact[s].expectedMeetings;
        const double off = figures[s]->mean - exact;
        const QString where = twoDecimals(std::fabs(off)) == twoDecimals(0.0)
            ? QStringLiteral("matches the exact %1").arg(twoDecimals(exact))
            : QStringLiteral("is %1 %2 the exact %3").arg(twoDecimals(std::fabs(off)), off > 0 ? QStringLiteral("above") : QStringLiteral("below"), twoDecimals(exact));
        sentences << QStringLiteral("%1: the class's average %2; %3 would see a difference this large.")
                         .arg(plainName(s), where, classesIn(figures[s]->chance));
        if (figures[s]->chance < 0.05)
            unusual << u'"' + plainName(s) + u'"';
    }
    if (unusual.isEmpty()) {
        sentences << QStringLiteral("The class's results agree with the answer.");
    } else {
        sentences << QStringLiteral("That is unusual for %1: check the start points, the length of the runs and the counts.")
                         .arg(unusual.join(QStringLiteral(" and ")));
    }
    const std::optional<ClassFigures> &both = figures[Scenario::BothWalk];
    const std::optional<ClassFigures> &one = figures[Scenario::DogWalks];
    if (both && one) {
        if (both->mean == one->mean) {
            sentences << QStringLiteral("Their two averages are equal, so they point neither way.");
        } else {
            const Scenario more = both->mean > one->mean ? Scenario::BothWalk : Scenario::DogWalks;
            const std::optional<Scenario> &faster = answer.verdict.faster;
            sentences << (faster ? QStringLiteral("Their averages point the %1 way: %2 met more.")
                                       .arg(*faster == more ? QStringLiteral("right") : QStringLiteral("wrong"), doing(more))
                                 : QStringLiteral("On average %1 met more.").arg(doing(more)));
        }
    }
    return sentences.join(u' ');
}

} // namespace stats
