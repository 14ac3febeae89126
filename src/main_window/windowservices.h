#pragma once

#include <functional>
#include <memory>

class Clock;
class Dialogs;
class Ender;
class ErrorGuard;
class MultimediaControl;
class RandomSource;

// What the windows take from outside: the runtime services and a maker for
// each window's multimedia control. The program hands in the real ones,
// tests hand in fakes.
struct WindowServices
{
    Clock &clock;
    RandomSource &random;
    Dialogs &dialogs;
    Ender &ender;
    ErrorGuard &guard;
    std::function<std::unique_ptr<MultimediaControl>()> makeControl;
};
