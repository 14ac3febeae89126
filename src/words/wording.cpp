#include "words/wording.h"

#include "core/captions.h"
#include "law/classatspeed.h"
#include "law/rightway.h"
#include "words/phrases.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include <cmath>

namespace stats {

namespace {

struct Wording
{
    Q_DECLARE_TR_FUNCTIONS(stats::Wording)
};

QString twoDecimals(double value)
{
    return fixed(value, 2);
}

// A sentence begun with a way's name ("both wandering met more ..."), its
// first letter made a capital where the language has them.
QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace

QString joinSentences(const QStringList &sentences)
{
    QString text;
    for (const QString &sentence : sentences) {
        if (sentence.isEmpty())
            continue;
        // A sentence that ends in a full-width stop ("。") needs no space
        // after it; one in a Latin script does.
        if (!text.isEmpty() &&
            columnsOf(QStringView(text).last(text.back().isLowSurrogate() && text.size() > 1 ? 2 : 1)) < 2)
            text += u' ';
        text += sentence;
    }
    return text;
}

QString plainName(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? Wording::tr("Both wander") : Wording::tr("Momotaro waits");
}

QString doing(Scenario scenario)
{
    //: The way as the subject of a sentence: "both wandering meets more often".
    return scenario == Scenario::BothWalk ? Wording::tr("both wandering")
                                          //: The way as the subject of a sentence: "Momotaro waiting meets more often".
                                          : Wording::tr("Momotaro waiting");
}

QString runsOfEach(int runs)
{
    //: Runs of each way, both wandering and Momotaro waiting.
    return Wording::tr("%Ln run(s) of each", nullptr, runs);
}

QString quotedName(Scenario scenario)
{
    //: A way's name quoted in a sentence.
    return Wording::tr("\"%1\"").arg(plainName(scenario));
}

QString figureHeading(Figure figure)
{
    switch (figure) {
    case Figure::Meetings: return Wording::tr("Meetings in a run, on average");
    case Figure::AtLeastOne: return Wording::tr("At least one meeting in the run");
    case Figure::MeanWait: return Wording::tr("First meeting, on average, if the run had no time limit");
    case Figure::RunsFor90: return Wording::tr("Runs of each for the right answer 9 times in 10");
    }
    return {};
}

QString figureValue(Figure figure, const Answer &answer, Scenario scenario)
{
    const ExactResult &exact = answer.exact[scenario];
    switch (figure) {
    case Figure::Meetings: return twoDecimals(exact.expectedMeetings);
    case Figure::AtLeastOne: return percent(exact.atLeastOne);
    case Figure::MeanWait: return secondsText(exact.meanFirstSeconds, 1);
    case Figure::RunsFor90: {
        // Only the way with more meetings in the run, the faster one, can
        // come out ahead 9 times in 10; the other never does.
        const std::optional<Scenario> more = answer.verdict.meetsMore;
        if (!more)
            return exact.expectedMeetings == 0 ? Wording::tr("never: no meeting is possible")
                                               : Wording::tr("never: neither way is faster");
        if (*more != scenario)
            return Wording::tr("never: %1 is the slower way").arg(doing(scenario));
        const int runs = answer.runsEach.runsFor90;
        return runs == 0 ? Wording::tr("more than %1", "runs of each: %1 is their number")
                               .arg(QLocale().toString(qlonglong(answer.runsEach.byRuns.size())))
                         : QLocale().toString(runs);
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
        return Wording::tr("less than 1 class in a million");
    if (chance >= 0.95)
        return Wording::tr("nearly every class");
    if (chance >= 0.5)
        return Wording::tr("about %1 classes in 10").arg(QLocale().toString(int(std::lround(10 * chance))));
    // Two significant digits: "1 class in 25,000", not 25,412.
    const double classes = 1 / chance;
    const double step = classes < 100 ? 1 : std::pow(10.0, std::floor(std::log10(classes)) - 1);
    return Wording::tr("about 1 class in %1").arg(wholeNumber(std::llround(std::round(classes / step) * step)));
}

} // namespace

QString classSumText(const ClassCounts &counts, Scenario scenario)
{
    const ClassSum sum = counts.sum(scenario);
    if (sum.runs == 0)
        return Wording::tr("%1: no group ran it").arg(plainName(scenario));
    //: %1 is a way's name, %2 its meetings counted ("283 meetings"), %3 their average.
    return Wording::tr("%1: %2 in %Ln run(s), %3 a run on average", nullptr, sum.runs)
        .arg(plainName(scenario), Wording::tr("%Ln meeting(s)", nullptr, int(sum.meetings)), twoDecimals(sum.mean()));
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
        const QString classes = classesIn(figures[s]->chance);
        if (twoDecimals(std::fabs(off)) == twoDecimals(0.0)) {
            //: %1 is a way's name, %2 the exact average, %3 how many classes ("about 1 class in 9").
            sentences << Wording::tr(
                             "%1: the class's average matches the exact %2; %3 would see a difference this large.")
                             .arg(plainName(s), twoDecimals(exact), classes);
        } else if (off > 0) {
            //: %1 is a way's name, %2 how far the class's average is off, %3 the exact average, %4 how many classes ("about 1 class in 9").
            sentences << Wording::tr(
                             "%1: the class's average is %2 above the exact %3; %4 would see a difference this large.")
                             .arg(plainName(s), twoDecimals(off), twoDecimals(exact), classes);
        } else {
            //: %1 is a way's name, %2 how far the class's average is off, %3 the exact average, %4 how many classes ("about 1 class in 9").
            sentences << Wording::tr(
                             "%1: the class's average is %2 below the exact %3; %4 would see a difference this large.")
                             .arg(plainName(s), twoDecimals(-off), twoDecimals(exact), classes);
        }
        if (figures[s]->chance < 0.05)
            unusual << quotedName(s);
    }
    if (unusual.isEmpty()) {
        sentences << Wording::tr("The class's results agree with the answer.");
    } else if (unusual.size() == 1) {
        sentences << Wording::tr(
                         "That is unusual for %1: check the start points, the length of the runs and the counts.")
                         .arg(unusual[0]);
    } else {
        sentences
            << Wording::tr(
                   "That is unusual for %1 and %2: check the start points, the length of the runs and the counts.")
                   .arg(unusual[0], unusual[1]);
    }
    const std::optional<ClassFigures> &both = figures[Scenario::BothWalk];
    const std::optional<ClassFigures> &one = figures[Scenario::DogWalks];
    if (both && one) {
        const std::optional<Scenario> more = larger(both->mean, one->mean);
        if (!more) {
            sentences << Wording::tr("Their two averages are equal, so they point neither way.");
        } else {
            const std::optional<Scenario> &faster = answer.verdict.faster;
            if (!faster)
                sentences << Wording::tr("On average %1 met more.").arg(doing(*more));
            else if (*faster == *more)
                sentences << Wording::tr("Their averages point the right way: %1 met more.").arg(doing(*more));
            else
                sentences << Wording::tr("Their averages point the wrong way: %1 met more.").arg(doing(*more));
        }
    }
    return joinSentences(sentences);
}

namespace {

// What the class's totals say, held against the exact answer when one is
// given: "the class's totals say both wandering, as the exact answer does".
QString totalsSay(const Answer *answer, std::optional<Scenario> says)
{
    if (!answer) {
        return says ? Wording::tr("the class's totals say %1").arg(doing(*says))
                    : Wording::tr("the class's totals are a tie");
    }
    const std::optional<Scenario> exact = answer->verdict.meetsMore;
    if (!says) {
        return exact ? Wording::tr("the class's totals are a tie, while exactly %1 meets more").arg(doing(*exact))
                     : Wording::tr("the class's totals are a tie, as the exact averages are");
    }
    if (!exact)
        return Wording::tr("the class's totals say %1, though exactly both ways meet alike").arg(doing(*says));
    if (*says == *exact)
        return Wording::tr("the class's totals say %1, as the exact answer does").arg(doing(*says));
    //: %1 is the way the class's totals put ahead, %2 the way that exactly meets more.
    return Wording::tr("the class's totals say %1, against the exact answer, %2").arg(doing(*says), doing(*exact));
}

} // namespace

QString classConclusion(const Answer *answer, const ClassCounts &counts, bool soFar)
{
    const int groups = int(counts.groups.size());
    if (groups == 0)
        return Wording::tr("No group has finished its runs yet.");
    PerScenario<int> more{};
    for (const ClassGroup &group : counts.groups) {
        if (const std::optional<Scenario> ahead =
                larger(group.counts[Scenario::BothWalk].value_or(0), group.counts[Scenario::DogWalks].value_or(0)))
            ++more[*ahead];
    }
    // The way more groups met more with; both wandering when as many.
    const Scenario leads =
        more[Scenario::DogWalks] > more[Scenario::BothWalk] ? Scenario::DogWalks : Scenario::BothWalk;
    const QString totals = totalsSay(answer, larger(double(counts.sum(Scenario::BothWalk).meetings),
                                                    double(counts.sum(Scenario::DogWalks).meetings)));
    if (soFar) {
        //: %1 is the way more groups met more with, %2 how many groups did, %3 what the class's totals say.
        return Wording::tr("So far: %1 met more in %2 of %Ln group(s); %3.", nullptr, groups)
            .arg(doing(leads), QLocale().toString(more[leads]), totals);
    }
    //: %1 is the way more groups met more with, %2 how many groups did, %3 what the class's totals say.
    return capitalised(Wording::tr("%1 met more in %2 of %Ln group(s); %3.", nullptr, groups)
                           .arg(doing(leads), QLocale().toString(more[leads]), totals));
}

QString manyClassesText(const ManyClasses &many)
{
    const QStringList args{wholeNumber(many.classes),  doing(many.way),           wholeNumber(many.right),
                           percent(many.share()),      percent(many.exactChance), wholeNumber(many.fewestRight),
                           wholeNumber(many.mostRight)};
    const QString text =
        many.agrees()
            //: %1 classes, %2 the way, %3 how many classes put it ahead, %4 their share, %5 the exact chance, %6 to %7 the range expected.
            ? Wording::tr(
                  "In %1 classes of %Ln group(s), the totals put %2 ahead in %3 (%4); the exact chance is %5, within the "
                  "simulation's error (%6 to %7 classes, 99 times in 100).",
                  nullptr, many.groups)
            //: %1 classes, %2 the way, %3 how many classes put it ahead, %4 their share, %5 the exact chance, %6 to %7 the range expected.
            : Wording::tr(
                  "In %1 classes of %Ln group(s), the totals put %2 ahead in %3 (%4); the exact chance is %5, further off than "
                  "the simulation's error (%6 to %7 classes, 99 times in 100).",
                  nullptr, many.groups);
    return text.arg(args[0], args[1], args[2], args[3], args[4], args[5], args[6]);
}

} // namespace stats
