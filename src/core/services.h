#pragma once

#include <functional>
#include <memory>

class Clock;
class Dialogs;
class Ender;
class ErrorGuard;
class MultimediaControl;
class RandomSource;

// What the program's handlers take from outside: the runtime services, the
// guard every handler runs under, and a maker for each window's multimedia
// control. The program hands in the real ones, tests hand in fakes.
struct Services
{
    Clock &clock;
    RandomSource &random;
    Dialogs &dialogs;
    Ender &ender;
    ErrorGuard &guard;
    std::function<std::unique_ptr<MultimediaControl>()> makeControl;
};
