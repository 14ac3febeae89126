#include "answer/classatspeedtexts.h"

#include "answer/classatspeedpage.h"
#include "words/wording.h"

#include <QLocale>

#include <cmath>

namespace classatspeed {

QString chartKey()
{
    return ClassAtSpeedPage::tr(
        "Bars: exact chances of each count. Marks: the groups done. Thick lines: the exact averages; thin: the "
        "class's so far.");
}

QString timing(stats::ClassAtSpeed::Start start, double seconds)
{
    const QLocale locale;
    const int whole = int(std::lround(seconds));
    const bool tenths = seconds < 60 && std::abs(seconds - std::round(seconds)) >= 0.05;
    //: A time: %1 seconds, to a tenth.
    const QString lasts =
        seconds < 60
            ? ClassAtSpeedPage::tr("%1 s").arg(stats::fixed(seconds, tenths ? 1 : 0))
            //: A time: %1 minutes and %2 seconds.
            : ClassAtSpeedPage::tr("%1 min %2 s").arg(locale.toString(whole / 60), locale.toString(whole % 60));
    return start == stats::ClassAtSpeed::Start::Together
               //: %1 how long the class takes, as "27 s" or "4 min 30 s".
               ? ClassAtSpeedPage::tr("All the groups start together; at this speed the class takes %1.").arg(lasts)
               //: %1 how long the class takes, as "27 s" or "4 min 30 s".
               : ClassAtSpeedPage::tr(
                     "The groups start in turn over the first half of a run; at this speed the class takes %1.")
                     .arg(lasts);
}

QString headline(const stats::Answer &answer, const stats::ClassAtSpeed &motion, bool hidden)
{
    if (motion.groupsDone() == 0)
        return ClassAtSpeedPage::
            tr("%n group(s) run both ways, %L1 s each, from the board's start points; each group's counts join the chart as it finishes.",
               nullptr, motion.groups())
                .arg(answer.seconds);
    return stats::classConclusion(hidden ? nullptr : &answer, motion.counts(), !motion.finished());
}

QString state(const stats::Answer &answer, const stats::ClassAtSpeed &motion, bool hidden)
{
    // "3 of 30 groups done; averages 2.1 and 1.5; exact 9.4 and 6.1", the
    // exact averages left out while the answer is hidden.
    const stats::ClassCounts counts = motion.counts();
    const int done = motion.groupsDone();
    const int groups = motion.groups();
    const QString both = stats::fixed(counts.sum(Scenario::BothWalk).mean(), 1);
    const QString waits = stats::fixed(counts.sum(Scenario::DogWalks).mean(), 1);
    const QString exactBoth = stats::fixed(answer.exact[Scenario::BothWalk].expectedMeetings, 1);
    const QString exactWaits = stats::fixed(answer.exact[Scenario::DogWalks].expectedMeetings, 1);
    if (done == 0 && hidden)
        return ClassAtSpeedPage::tr("%L1 of %n group(s) done", nullptr, groups).arg(done);
    if (done == 0)
        //: %1 groups done; %2 and %3 the exact meetings in a run on average, both wandering and Momotaro waiting.
        return ClassAtSpeedPage::tr("%L1 of %n group(s) done; averages: exact %2 and %3", nullptr, groups)
            .arg(done)
            .arg(exactBoth, exactWaits);
    if (hidden)
        //: %1 groups done; %2 and %3 their meetings in a run on average, both wandering and Momotaro waiting.
        return ClassAtSpeedPage::tr("%L1 of %n group(s) done; averages %2 and %3", nullptr, groups)
            .arg(done)
            .arg(both, waits);
    //: %1 groups done; %2 and %3 their meetings in a run on average, both wandering and Momotaro waiting; %4 and %5 the exact ones.
    return ClassAtSpeedPage::tr("%L1 of %n group(s) done; averages %2 and %3; exact %4 and %5", nullptr, groups)
        .arg(done)
        .arg(both, waits, exactBoth, exactWaits);
}

QString manyPlaying(int classes, int groups)
{
    return ClassAtSpeedPage::tr("Playing %L1 classes of %n group(s)…", nullptr, groups).arg(classes);
}

QString manyPlayed(const stats::ManyClasses &many, bool hidden)
{
    // How often the classes were right, and the exact chance beside it,
    // both tell the answer.
    if (hidden)
        return ClassAtSpeedPage::tr(
                   "%L1 classes of %n group(s) played: how often they got the right answer shows with the answer (F5).",
                   nullptr, many.groups)
            .arg(many.classes);
    return stats::manyClassesText(many);
}

} // namespace classatspeed
