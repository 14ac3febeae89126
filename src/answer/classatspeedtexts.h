#pragma once

#include "law/classatspeed.h"

#include <QString>

// What the page of a class at speed says, worded for the window's language.
namespace classatspeed {

// What the chart of the class shows: the exact law, the marks, the lines.
QString chartKey();
// How the groups start and how long the class takes: seconds, in real time.
QString timing(stats::ClassAtSpeed::Start start, double seconds);
// What the class set out to do, before a group is done; then what it
// concludes so far, hidden with no word of the exact answer.
QString headline(const stats::Answer &answer, const stats::ClassAtSpeed &motion, bool hidden);
// How many groups are done and their averages, beside the exact ones unless
// hidden.
QString state(const stats::Answer &answer, const stats::ClassAtSpeed &motion, bool hidden);
// The many classes of groups each, while they play.
QString manyPlaying(int classes, int groups);
// The many classes played for answer: how often they were right, or, hidden,
// that it shows with the answer.
QString manyPlayed(const stats::ManyClasses &many, bool hidden);

} // namespace classatspeed
