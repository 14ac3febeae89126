#pragma once

#include "law/exactlaw.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace stats {

// One group of the class: the meetings it counted in its run of each
// scenario, none for a scenario it did not run.
struct ClassGroup
{
    PerScenario<std::optional<int>> counts;

    bool blank() const { return !counts[Scenario::BothWalk] && !counts[Scenario::DogWalks]; }
};

// One scenario's runs added up.
struct ClassSum
{
    int runs = 0;
    long long meetings = 0;

    // Meetings in a run on average; 0 with no runs.
    double mean() const { return runs == 0 ? 0.0 : double(meetings) / runs; }
};

// Counts no class counted but simulate() played (law/simulation.h), by the
// program named, as a file of them says in a comment line: the seed, and the
// statistics tool's command line that plays the same runs.
struct SimulatedBy
{
    QString program;
    std::uint64_t seed = 0;
    Starts starts;
    int seconds = 0;
    int runs = 0;

    // The tool's arguments, its name first, that play the same runs and
    // write their meetings into FILE.
    QStringList command() const;
    // "simulated by meetling-answer, seed 7: meetling-stats --momo 4,4 ...
    // plays the same runs", what readClassCounts() reads as ClassCounts'
    // mark of simulated counts.
    QString mark() const;
};

// The meetings a class counted in its own runs, group by group, as a CSV
// file holds them: a header row, then one row a group, the count of "When
// two srart" in the first column and of "When one starts" in the second.
// Either cell may be blank: a group may have run only one of them.
struct ClassCounts
{
    QString file;
    // For counts no class counted, what played them ("simulated by
    // meetling-answer, seed 4821 …"), kept in the file as a comment line
    // "# simulated …"; empty for a class's own.
    QString simulated;
    // Never ends with a blank group.
    std::vector<ClassGroup> groups;

    // One scenario's counts in group order, the groups that did not run it
    // passed over: the runs its statistics are worked out from.
    std::vector<int> runs(Scenario scenario) const;
    ClassSum sum(Scenario scenario) const;
    bool hasRuns() const;
};

inline constexpr int MaxClassCount = 999;
// Groups in a class, blank ones between them included.
inline constexpr int MaxClassRuns = 1000;
// A class's file is a few kilobytes; a larger one is not such a file.
inline constexpr qint64 MaxClassFileBytes = 1024 * 1024;

// A cell's count, read as a class file's cell is: a whole number 0..999,
// digits possibly full-width, spaces around it passed over. None for
// anything else, a blank cell included.
std::optional<int> readClassCount(const QString &cell);

// The groups in text, or one line saying which line of the file is wrong,
// which group it is (numbered as the class's table numbers it) and why. The
// header may be left out: a first row of numbers is read as a group. A line
// that starts with '#' is a comment, passed over. Cells
// may be parted by commas, semicolons or tabs; blank trailing cells past the
// second are passed over. A blank line is passed over; a row of blank cells
// is a group that counted nothing, kept where it stands unless no group
// follows it.
std::variant<ClassCounts, QString> readClassCounts(const QByteArray &text);

// readClassCounts() of a file: a regular file of at most MaxClassFileBytes,
// read without waiting on a pipe; the counts name the file. On failure, one
// line saying why.
std::variant<ClassCounts, QString> readClassFile(const QString &file);

// The file readClassCounts reads back to the same groups (and mark of
// simulated counts, as a comment line first): the scenarios'
// captions as the header, one row a group with a blank cell for a scenario
// it did not run, trailing blank groups left out.
QByteArray classCountsCsv(const ClassCounts &counts);

} // namespace stats
