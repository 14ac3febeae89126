#pragma once

#include "boardops.h"
#include "clock.h"
#include "dialogs.h"
#include "randomsource.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// A clock that stands still until a test moves it.
class FakeClock final : public Clock
{
public:
    float now = 0;
    float secondsSinceMidnight() override { return now; }
};

// Draws from a script, then falls back to a real generator. Records seeds.
class ScriptedRandom final : public RandomSource
{
public:
    QList<double> draws;
    QList<float> seeds;

    void reseed(float seed) override
    {
        seeds.append(seed);
        m_real.reseed(seed);
    }
    double next() override { return draws.isEmpty() ? m_real.next() : draws.takeFirst(); }

    // The draw that yields direction d (1..8).
    static double forDirection(int d) { return (d - 1 + 0.5) / 8.0; }
    void queueDirections(std::initializer_list<int> directions)
    {
        for (int d : directions)
            draws.append(forDirection(d));
    }

private:
    SplitMixRandom m_real{12345};
};

// Answers input boxes from a script (Cancel once it runs out) and records
// every box shown.
class ScriptedDialogs final : public Dialogs
{
public:
    QStringList answers;
    QStringList prompts; // "title|prompt|default" per input box
    QStringList messages; // "title|prompt" per message box
    std::function<void()> whileBoxOpen;

    QString inputBox(const QString &prompt, const QString &title, int defaultValue) override
    {
        prompts.append(title + u'|' + prompt + u'|' + QString::number(defaultValue));
        if (whileBoxOpen)
            whileBoxOpen();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    int messageBox(const QString &prompt, const QString &title) override
    {
        messages.append(title + u'|' + prompt);
        if (whileBoxOpen)
            whileBoxOpen();
        return 1;
    }
};

class RecordedEnd final : public Ender
{
public:
    QList<int> ends;
    void end(int exitStatus) override { ends.append(exitStatus); }
};

// A board window without widgets: remembers what the rules did to it, and the
// order they did it in ("place Dog 6,4", "readout 3 ...", "button 5 1", ...).
class RecordingBoard final : public BoardOps
{
public:
    QStringList log;
    QString readouts[4];
    bool timers[2] = {false, false};
    int places = 0;

    static QString name(Walker w) { return w == Walker::Dog ? QStringLiteral("Dog") : QStringLiteral("Momotaro"); }
    void placeWalker(Walker w, int x, int y) override
    {
        ++places;
        log.append(QStringLiteral("place %1 %2,%3").arg(name(w)).arg(x).arg(y));
    }
    void setWalkerVisible(Walker w, bool v) override { log.append(QStringLiteral("visible %1 %2").arg(name(w)).arg(v)); }
    void setReadout(Readout r, const QString &text) override
    {
        readouts[int(r)] = text;
        log.append(QStringLiteral("readout %1 %2").arg(int(r) + 1).arg(text));
    }
    void setButtonEnabled(Button b, bool e) override { log.append(QStringLiteral("button %1 %2").arg(int(b)).arg(e)); }
    void setTimerEnabled(Walker w, bool e) override
    {
        timers[int(w)] = e;
        log.append(QStringLiteral("timer %1 %2").arg(name(w)).arg(e));
    }
    void playCue(const QString &file) override { log.append(QStringLiteral("cue ") + file); }
};
