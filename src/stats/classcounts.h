#pragma once

#include "exactlaw.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <variant>
#include <vector>

namespace stats {

// The meetings a class counted in its own runs, read from a CSV file: a
// header row, then one row a run, the count of "When two srart" in the first
// column and of "When one starts" in the second. Either cell may be blank: a
// group may have run only one of them.
struct ClassCounts
{
    QString file;
    PerScenario<std::vector<int>> counts;
};

inline constexpr int MaxClassCount = 999;
inline constexpr int MaxClassRuns = 1000;
// A class's file is a few kilobytes; a larger one is not such a file.
inline constexpr qint64 MaxClassFileBytes = 1024 * 1024;

// The counts in text, or one line saying which row is wrong and why. The
// header may be left out: a first row of numbers is read as a run. Cells may
// be parted by commas, semicolons or tabs; digits may be full-width; blank
// lines and blank trailing cells are passed over.
std::variant<ClassCounts, QString> readClassCounts(const QByteArray &text);

} // namespace stats
