#pragma once

#include <QStringList>

// The fixed texts of the problem window, line by line, with every leading and
// trailing blank and ideographic space (U+3000) as they must be printed.
namespace problemtexts {

QString problemTitle();
// " 【Problem】" followed by the fifteen lines of the story.
QStringList problemLines();
QString conditionsTitle();
// The seven lines of the simulation conditions.
QStringList conditionLines();

} // namespace problemtexts
