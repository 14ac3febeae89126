#pragma once

#include "core/walkstate.h"

#include <QString>

// The texts of the read-outs, e.g. "Dog: x= 6  y= 4",
// "Number of meetlings = 0" and " 12 / 180 sec" (the time limit of rules.h).
namespace readouts {

QString position(Walker walker, int x, int y);
QString position(const WalkState &state, Walker walker);
QString meetings(int count);
QString elapsed(double wholeSeconds);

} // namespace readouts
