#include "wording.h"

#include "captions.h"
#include "classinmotion.h"
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

QString figureHeading(Figure figure)
{
    switch (figure) {
    case Figure::Meetings: return QStringLiteral("Meetings in a run, on average");
    case Figure::AtLeastOne: return QStringLiteral("At least one meeting in the run");
    case Figure::MeanWait: return QStringLiteral("First meeting, on average, if the run had no time limit");
    case Figure::RunsFor90: return QStringLiteral("Runs of each for the right answer 9 times in 10");
    }
    return {};
}

QString figureValue(Figure figure, const Answer &answer, Scenario scenario)
{
    const ExactResult &exact = answer.exact[scenario];
    switch (figure) {
    case Figure::Meetings: return QString::number(exact.expectedMeetings, 'f', 2);
    case Figure::AtLeastOne: return percent(exact.atLeastOne);
    case Figure::MeanWait: return QString::number(exact.meanFirstSeconds, 'f', 1) + QStringLiteral(" s");
    case Figure::RunsFor90: {
        // Only the way with more meetings in the run, the faster one, can
        // come out ahead 9 times in 10; the other never does.
        const double other = answer.exact[otherScenario(scenario)].expectedMeetings;
        if (exact.expectedMeetings == other)
            return other == 0 ? QStringLiteral("never: no meeting is possible") : QStringLiteral("never: neither way is faster");
        if (exact.expectedMeetings < other)
            return QStringLiteral("never: %1 is the slower way").arg(doing(scenario));
        const int runs = answer.runsEach.runsFor90;
        return runs == 0 ? QStringLiteral("more than %1").arg(answer.runsEach.byRuns.size()) : QString::number(runs);
    }
    }
    return {};
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

QString classSumText(const ClassCounts &counts, Scenario scenario)
{
    const ClassSum sum = counts.sum(scenario);
    if (sum.runs == 0)
        return QStringLiteral("%1: no group ran it").arg(plainName(scenario));
    return QStringLiteral("%1: %2 meetings in %3, %4 a run on average")
        .arg(plainName(scenario))
        .arg(sum.meetings)
        .arg(sum.runs == 1 ? QStringLiteral("1 run") : QStringLiteral("%1 runs").arg(sum.runs))
        .arg(sum.mean(), 0, 'f', 2);
}

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

namespace {

// The way that meets more on average, none when both meet alike.
std::optional<Scenario> meetsMore(const Answer &answer)
{
    const double both = answer.exact[Scenario::BothWalk].expectedMeetings;
    const double one = answer.exact[Scenario::DogWalks].expectedMeetings;
    if (both == one)
        return std::nullopt;
    return both > one ? Scenario::BothWalk : Scenario::DogWalks;
}

} // namespace

QString classConclusion(const Answer *answer, const ClassCounts &counts, bool soFar)
{
    const int groups = int(counts.groups.size());
    if (groups == 0)
        return QStringLiteral("No group has finished its runs yet.");
    PerScenario<int> more{};
    for (const ClassGroup &group : counts.groups) {
        const int both = group.counts[Scenario::BothWalk].value_or(0);
        const int one = group.counts[Scenario::DogWalks].value_or(0);
        if (both != one)
            ++more[both > one ? Scenario::BothWalk : Scenario::DogWalks];
    }
    // The way more groups met more with; both wandering when as many.
    const Scenario leads = more[Scenario::DogWalks] > more[Scenario::BothWalk] ? Scenario::DogWalks : Scenario::BothWalk;
    QString groupsText = QStringLiteral("%1 met more in %2 of %3 %4")
                             .arg(doing(leads))
                             .arg(more[leads])
                             .arg(groups)
                             .arg(groups == 1 ? QStringLiteral("group") : QStringLiteral("groups"));
    if (!soFar)
        groupsText[0] = groupsText[0].toUpper();
    const long long both = counts.sum(Scenario::BothWalk).meetings;
    const long long one = counts.sum(Scenario::DogWalks).meetings;
    const std::optional<Scenario> says = both == one ? std::nullopt : std::optional(both > one ? Scenario::BothWalk : Scenario::DogWalks);
    QString totals = says ? QStringLiteral("the class's totals say %1").arg(doing(*says)) : QStringLiteral("the class's totals are a tie");
    if (answer) {
        const std::optional<Scenario> exact = meetsMore(*answer);
        if (!says)
            totals += exact ? QStringLiteral(", while exactly %1 meets more").arg(doing(*exact)) : QStringLiteral(", as the exact averages are");
        else if (!exact)
            totals += QStringLiteral(", though exactly both ways meet alike");
        else
            totals += *says == *exact ? QStringLiteral(", as the exact answer does") : QStringLiteral(", against the exact answer, %1").arg(doing(*exact));
    }
    return (soFar ? QStringLiteral("So far: %1; %2.") : QStringLiteral("%1; %2.")).arg(groupsText, totals);
}

QString manyClassesText(const Answer &answer, const ManyClasses &many)
{
    const std::optional<Scenario> exact = meetsMore(answer);
    const QString classes = QStringLiteral("%1 classes of %2 %3").arg(withSeparators(many.classes)).arg(many.groups)
                                .arg(many.groups == 1 ? QStringLiteral("group") : QStringLiteral("groups"));
    // When both ways meet alike, a class is right if both wandering comes out ahead, as compareRunsEach() counts it.
    const QString rightWay = QStringLiteral("the totals put %1 ahead").arg(doing(exact.value_or(Scenario::BothWalk)));
    const QString agreement = many.agrees() ? QStringLiteral("within the simulation's error (%1 to %2 classes, 99 times in 100)")
                                            : QStringLiteral("further off than the simulation's error (%1 to %2 classes, 99 times in 100)");
    return QStringLiteral("In %1, %2 in %3 (%4); the exact chance is %5, %6.")
        .arg(classes, rightWay, withSeparators(many.right), percent(many.share()), percent(many.exactChance),
             agreement.arg(withSeparators(many.fewestRight), withSeparators(many.mostRight)));
}

} // namespace stats
