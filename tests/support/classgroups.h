#pragma once

#include "law/classcounts.h"

#include <QStringList>

// A class's groups in one short line, to compare and to read in a failure:
// "12 -|- 5|9 4", each group's count of both wandering, then of Momotaro
// waiting, "-" for a blank cell.
inline QString groupsText(const stats::ClassCounts &counts)
{
    QStringList groups;
    for (const stats::ClassGroup &group : counts.groups) {
        QStringList cells;
        for (Scenario scenario : stats::Scenarios) {
            const std::optional<int> &count = group.counts[scenario];
            cells << (count ? QString::number(*count) : QStringLiteral("-"));
        }
        groups << cells.join(u' ');
    }
    // Counts a simulation played say so after the groups.
    return groups.join(u'|') + (counts.simulated.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(counts.simulated));
}
