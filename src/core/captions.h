#pragma once

#include "core/walkstate.h"

// The scenario buttons' captions: the names the board window shows and the
// class knows the scenarios by. "srart" is spelt as the board has always
// shown it.
constexpr const char *captionOf(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? "When two srart" : "When one starts";
}
