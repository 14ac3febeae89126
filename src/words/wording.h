#pragma once

#include "law/answer.h"
#include "words/numbers.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The answer in a classroom's words, shared by the tool's report and the
// answer window.
namespace stats {

// captionOf() (captions.h) as a QString.
QString scenarioCaption(Scenario scenario);
// The scenarios in plain words: "Both wander", "Momotaro waits".
QString plainName(Scenario scenario);
// The same as the subject of a sentence: "both wandering", "Momotaro waiting".
QString doing(Scenario scenario);
// The plain name quoted in a sentence: "\"Both wander\"".
QString quotedName(Scenario scenario);
// Sentences one after another, a space between them where their script
// has one.
QString joinSentences(const QStringList &sentences);

// The figures a class asks about first, a row each, for both scenarios.
enum class Figure { Meetings, AtLeastOne, MeanWait, RunsFor90 };
inline constexpr std::array<Figure, 4> Figures{Figure::Meetings, Figure::AtLeastOne, Figure::MeanWait,
                                               Figure::RunsFor90};
// A figure's row heading: "Meetings in a run, on average".
QString figureHeading(Figure figure);
// A figure's value for one scenario: "9.43", "99.5%", "never: ...".
QString figureValue(Figure figure, const Answer &answer, Scenario scenario);

// "1 run of each", "4 runs of each".
QString runsOfEach(int runs);

// What the class's own runs of one scenario show, if it ran any.
struct ClassFigures
{
    int runs = 0;
    double mean = 0;
    // The chance of a class average at least this far from the exact one.
    double chance = 1;
};
// None when answer has no class counts or none of this scenario.
std::optional<ClassFigures> classFigures(const Answer &answer, Scenario scenario);
// One scenario's runs of a class added up: "Both wander: 283 meetings in 30
// runs, 9.43 a run on average".
QString classSumText(const ClassCounts &counts, Scenario scenario);
// Whether the class's own runs (answer.classCounts) agree with the answer,
// and which way their averages point; for an answer with class counts.
QString classVerdict(const Answer &answer);

// What a class of groups that each ran both ways once would conclude from
// its counts (counts.groups, every one with both counts), held against the
// exact answer when one is given: "Both wandering met more in 22 of 30
// groups; the class's totals say both wandering, as the exact answer does."
// So far, for a class not yet done.
QString classConclusion(const Answer *answer, const ClassCounts &counts, bool soFar);

struct ManyClasses;
// How often many such classes were right, beside the exact chance, and
// whether the two agree within the simulation's error.
QString manyClassesText(const ManyClasses &many);

} // namespace stats
