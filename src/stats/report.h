#pragma once

#include "exactlaw.h"
#include "options.h"
#include "simulation.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace stats {

// Everything the tool works out for one command line. Index 0 is the
// both-walk scenario ("When two srart"), index 1 the one where only Dog
// walks ("When one starts").
struct Report
{
    Options options;
    std::array<ExactResult, 2> exact;
    OneRunEach oneRunEach;
    RunsEach runsEach;
    std::array<Simulation, 2> simulated;
    std::optional<MeetingMap> map;

    // Whether the exact mean lies inside the simulation's 99% interval.
    bool exactInside(int scenario) const;
};

inline constexpr std::array<Scenario, 2> Scenarios{Scenario::BothWalk, Scenario::DogWalks};

// The window's button captions, the names the class knows the scenarios by.
QString scenarioCaption(int scenario);

// The plain-words answer, e.g. "Both wandering is faster: ...".
QString verdict(const Report &report);
QString table(const Report &report);
QByteArray json(const Report &report);
QByteArray csv(const Report &report);

} // namespace stats
