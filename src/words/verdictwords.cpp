#include "words/verdictwords.h"

#include "words/numbers.h"
#include "words/wording.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

namespace stats {

namespace {

struct Verdicts
{
    Q_DECLARE_TR_FUNCTIONS(stats::Verdicts)
};

// A scenario after "when": "when both wander", "when Momotaro waits".
QString when(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? Verdicts::tr("when both wander") : Verdicts::tr("when Momotaro waits");
}

// A number of seconds in a sentence, "10 s", kept on one line where the
// sentence is wrapped.
QString inSeconds(const QString &number)
{
    //: A number of seconds in a sentence; the no-break space keeps it on one line.
    return Verdicts::tr("%1 s").arg(number);
}

// A run's length as it was asked for, in its shortest form ("0.6 s",
// "180 s"), unlike the figures worked out, which keep their decimals.
QString inSeconds(double seconds)
{
    return inSeconds(QLocale().toString(seconds));
}

// Which way meets more in the run, by how many meetings.
QString moreMeetings(const Answer &answer, const QString &run)
{
    const PerScenario<ExactResult> &exact = answer.exact;
    const std::optional<Scenario> more = answer.verdict.meetsMore;
    if (!more) {
        //: %1 is a run's length ("4 s"), %2 meetings.
        return Verdicts::tr("In %1 runs both ways meet equally often: %2 meetings a run on average.")
            .arg(run,
                 amounts(exact[Scenario::BothWalk].expectedMeetings, exact[Scenario::DogWalks].expectedMeetings).first);
    }
    const Scenario less = otherScenario(*more);
    const auto [moreText, lessText] = amounts(exact[*more].expectedMeetings, exact[less].expectedMeetings);
    //: %1 is a run's length ("4 s"), %2 the way that meets more, %3 and %4 the meetings, %5 the other way ("when Momotaro waits").
    return Verdicts::tr("In %1 runs %2 meets more often: %3 meetings a run on average, against %4 %5.")
        .arg(run, doing(*more), moreText, lessText, when(less));
}

// "Add up the meetings of 4 runs of each, and both wandering comes out ahead
// 9 times in 10."
QString addUp(int runs, Scenario way)
{
    return Verdicts::tr("Add up the meetings of %1, and %2 comes out ahead 9 times in 10.")
        .arg(runsOfEach(runs), doing(way));
}

// How many runs of each a class needs to see the way that meets more ahead.
QString runsToSeeIt(const Answer &answer)
{
    const std::optional<Scenario> more = answer.verdict.meetsMore;
    if (!more)
        return {};
    const int runs = answer.runsEach.runsFor90;
    if (runs == 0) {
        return Verdicts::tr("A class could not see it: even with %1, %2 comes out ahead less than 9 times in 10.")
            .arg(runsOfEach(int(answer.runsEach.byRuns.size())), doing(*more));
    }
    if (runs > MostRunsForAClass)
        return Verdicts::tr("A class could not see it: it takes %1 for %2 to come out ahead 9 times in 10.")
            .arg(runsOfEach(runs), doing(*more));
    return addUp(runs, *more);
}

// How many runs of each make a clear answer reliable: 9 times in 10, and
// 99 times in 100.
QString reliable(const RunsEach &runs, Scenario faster)
{
    if (runs.runsFor90 == 1) {
        if (runs.runsFor99 == runs.runsFor90)
            return Verdicts::tr("One run of each already gets it right 9 times in 10, and 99 times in 100.");
        if (runs.runsFor99 != 0)
            return Verdicts::tr("One run of each already gets it right 9 times in 10; with %1, 99 times in 100.")
                .arg(runsOfEach(runs.runsFor99));
        return Verdicts::tr("One run of each already gets it right 9 times in 10.");
    }
    if (runs.runsFor99 == runs.runsFor90) {
        return Verdicts::tr("Add up the meetings of %1, and %2 comes out ahead 9 times in 10, and 99 times in 100.")
            .arg(runsOfEach(runs.runsFor90), doing(faster));
    }
    if (runs.runsFor99 != 0) {
        //: %1 and %3 are runs of each ("4 runs of each"), %2 the faster way.
        return Verdicts::tr(
                   "Add up the meetings of %1, and %2 comes out ahead 9 times in 10; with %3, 99 times in 100.")
            .arg(runsOfEach(runs.runsFor90), doing(faster), runsOfEach(runs.runsFor99));
    }
    return addUp(runs.runsFor90, faster);
}

// What a clear answer adds: how one run of each can mislead, and how many
// runs of each make it reliable.
QStringList clearDetail(const Answer &answer, Scenario faster, const QString &run)
{
    QStringList sentences;
    const Scenario slower = otherScenario(faster);
    const PerScenario<ExactResult> &exact = answer.exact;
    const double neither = exact[faster].law.front() * exact[slower].law.front();
    if (neither > 0.5) {
        //: %1 is a run's length ("10 s"), %2 a chance.
        sentences << Verdicts::tr("Most %1 runs count no meeting: with one run of each, neither meets %2 of the time.")
                         .arg(run, percent(neither));
    }
    const OneRunEach &one = answer.runsEach.byRuns.front();
    const double wrong = faster == Scenario::BothWalk ? one.oneMore : one.bothMore;
    if (wrong == 0 && one.tie == 0) {
        sentences << Verdicts::tr("One run of each always puts %1 ahead.").arg(doing(faster));
        return sentences;
    }
    if (wrong > 0) {
        //: %1 is the slower way, %2 and %3 chances.
        sentences
            << Verdicts::tr(
                   "One run of each can still mislead: %1 comes out ahead %2 of the time, and %3 of the time it is a tie.")
                   .arg(doing(slower), percent(wrong), percent(one.tie));
    } else {
        sentences << Verdicts::tr("One run of each never puts %1 ahead, but %2 of the time it is a tie.")
                         .arg(doing(slower), percent(one.tie));
    }
    return sentences << reliable(answer.runsEach, faster);
}

// The headline's end for an answer that is not clear: the run that settles it.
QString settleClause(const Answer &answer)
{
    if (answer.clearRun)
        return Verdicts::tr("runs of %1 would settle it").arg(inSeconds(answer.clearRun->seconds));
    return Verdicts::tr("no run up to %1 settles it").arg(inSeconds(MaxSeconds));
}

// The same in the detail, with the way that is faster there.
QString settleSentence(const Answer &answer)
{
    if (answer.clearRun)
        return Verdicts::tr("In runs of %1, %2 is clearly faster.")
            .arg(inSeconds(answer.clearRun->seconds), doing(answer.clearRun->faster));
    return Verdicts::tr("Even in runs of %1 neither way is clearly faster.").arg(inSeconds(MaxSeconds));
}

} // namespace

QString fasterMeans()
{
    return Verdicts::tr("Faster means they find each other more often in the run: more meetings in a run, on average.");
}

QString headline(const Answer &answer)
{
    const QString run = inSeconds(answer.seconds);
    switch (answer.verdict.outcome) {
    case Outcome::Clear: {
        const Scenario faster = *answer.verdict.faster;
        const auto [fasterText, slowerText] =
            amounts(answer.exact[faster].expectedMeetings, answer.exact[otherScenario(faster)].expectedMeetings);
        return (faster == Scenario::BothWalk ? Verdicts::tr("Both wandering is faster: %1 meetings a run against %2")
                                             : Verdicts::tr("Momotaro waiting is faster: %1 meetings a run against %2"))
            .arg(fasterText, slowerText);
    }
    case Outcome::NoMeeting:
        //: %1 is the run's length ("4 s"), %2 the run that settles the question.
        return Verdicts::tr("No meeting is possible in %1 runs: %2").arg(run, settleClause(answer));
    case Outcome::TooShort:
        //: %1 is the run's length ("4 s"), %2 the run that settles the question.
        return Verdicts::tr("%1 runs are too short to tell: %2").arg(run, settleClause(answer));
    case Outcome::Disagree:
        //: %1 is the run's length ("4 s"), %2 the run that settles the question.
        return Verdicts::tr("Meetings and waiting times disagree in %1 runs: %2").arg(run, settleClause(answer));
    case Outcome::Tie:
        //: %1 is the run's length ("4 s"), %2 the run that settles the question.
        return Verdicts::tr("Practically a tie in %1 runs: %2").arg(run, settleClause(answer));
    }
    return {};
}

QString detail(const Answer &answer)
{
    const Verdict &verdict = answer.verdict;
    const PerScenario<ExactResult> &exact = answer.exact;
    const QString run = inSeconds(answer.seconds);
    QStringList detail;
    if (answer.starts.momotaro == answer.starts.dog)
        detail << Verdicts::tr(
            "Starting together on one point does not count as a meeting: a meeting is landing on the same point after a step.");
    switch (verdict.outcome) {
    case Outcome::Clear: detail << clearDetail(answer, *verdict.faster, run); break;
    case Outcome::NoMeeting:
        detail << Verdicts::tr(
                      "From these start points the walkers cannot reach each other within %1, whichever way they walk.")
                      .arg(run);
        break;
    case Outcome::TooShort:
        //: %1 is the run's length ("4 s"), %2 and %3 chances.
        detail << Verdicts::tr("Most %1 runs count no meeting: %2 of them when both wander, %3 when Momotaro waits.")
                      .arg(run, percent(1 - exact[Scenario::BothWalk].atLeastOne),
                           percent(1 - exact[Scenario::DogWalks].atLeastOne))
               << moreMeetings(answer, run) << runsToSeeIt(answer);
        break;
    case Outcome::Disagree: {
        const Scenario sooner = *verdict.meetsSooner;
        detail << moreMeetings(answer, run)
               //: %1 is a way ("when both wander"), %2 and %3 numbers of seconds.
               << Verdicts::tr(
                      "But with no time limit the first meeting comes sooner %1: after %2 on average, against %3; "
                      "in longer runs that way meets more often.")
                      .arg(when(sooner), inSeconds(fixed(exact[sooner].meanFirstSeconds, 1)),
                           inSeconds(fixed(exact[otherScenario(sooner)].meanFirstSeconds, 1)))
               << runsToSeeIt(answer);
        break;
    }
    case Outcome::Tie: detail << moreMeetings(answer, run) << runsToSeeIt(answer); break;
    }
    if (verdict.outcome != Outcome::Clear)
        detail << settleSentence(answer);
    detail << fasterMeans();
    return joinSentences(detail);
}

QString verdictText(const Answer &answer)
{
    return headline(answer) + u'\n' + detail(answer);
}

} // namespace stats
