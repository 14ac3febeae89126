#pragma once

#include "core/boardops.h"
#include "runtime/clock.h"
#include "runtime/dialogs.h"
#include "sound/multimediacontrol.h"
#include "runtime/randomsource.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cmath>
#include <functional>

// What the fakes saw, in order, one named line each: "clock 36000", "cue
// pinpon.wav", "prompt <title>", "box <title>|<text>", "end 0", "place Dog
// 6,4", "visible Dog 1", "readout 1 Dog: x= 6  y= 4", "button 5 1",
// "timer Dog 1", and a multimedia control's "main:Stop", "main:FileName=...".
struct EventLog
{
    QStringList lines;

    void add(const QString &line) { lines.append(line); }
    // The lines that start with any of the prefixes, in order.
    QStringList only(const QStringList &prefixes) const
    {
        QStringList kept;
        for (const QString &line : lines) {
            if (std::any_of(prefixes.begin(), prefixes.end(), [&](const QString &p) { return line.startsWith(p); }))
                kept.append(line);
        }
        return kept;
    }
};

// A clock that moves on by step after every read, as a real one does, so
// that two reads in a row are told apart. now is the steady reading; the
// time of day is now + wallShift, wrapped into a day, so a test sets the
// wall clock back or forward by changing wallShift. Logs "clock <time of
// day>" and "steady <now>".
class FakeClock final : public Clock
{
public:
    explicit FakeClock(EventLog &log) : m_log(log) {}
    double now = 0;
    double wallShift = 0;
    double step = 1.0 / 64;
    float secondsSinceMidnight() override
    {
        constexpr double SecondsPerDay = 86400;
        const double wall = std::fmod(now + wallShift, SecondsPerDay);
        const float read = float(wall < 0 ? wall + SecondsPerDay : wall);
        now += step;
        m_log.add(QStringLiteral("clock %1").arg(double(read), 0, 'f', 6));
        return read;
    }
    double steadySeconds() override
    {
        const double read = now;
        now += step;
        m_log.add(QStringLiteral("steady %1").arg(read, 0, 'f', 6));
        return read;
    }

private:
    EventLog &m_log;
};

// Draws from a script, then falls back to a real generator. Given a log, it
// logs "seed <seed>" and "draw" so that their order can be checked. A draw
// throws failure where one is set.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(EventLog *log = nullptr) : m_log(log) {}
    QList<double> draws;
    std::function<void()> failure;

    void reseed(float seed) override
    {
        if (m_log)
            m_log->add(QStringLiteral("seed %1").arg(double(seed), 0, 'f', 6));
        m_real.reseed(seed);
    }
    double next() override
    {
        if (m_log)
            m_log->add(QStringLiteral("draw"));
        if (failure)
            failure();
        return draws.isEmpty() ? m_real.next() : draws.takeFirst();
    }

    // The draw that yields direction d (1..8).
    static double forDirection(int d) { return (d - 1 + 0.5) / 8.0; }
    void queueDirections(std::initializer_list<int> directions)
    {
        for (int d : directions)
            draws.append(forDirection(d));
    }

private:
    EventLog *m_log;
    SplitMixRandom m_real{12345};
};

// Answers input boxes from a script (Cancel once it runs out). whileBoxOpen
// runs while a box is open, as ticks and errors can.
class ScriptedDialogs final : public Dialogs
{
public:
    explicit ScriptedDialogs(EventLog &log) : m_log(log) {}
    QStringList answers;
    std::function<void()> whileBoxOpen;

    QString inputBox(const QString &prompt, const QString &title, int defaultValue) override
    {
        m_log.add(QStringLiteral("prompt %1|%2|%3").arg(title, prompt).arg(defaultValue));
        if (whileBoxOpen)
            whileBoxOpen();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    int messageBox(const QString &prompt, const QString &title) override
    {
        m_log.add(QStringLiteral("box %1|%2").arg(title, prompt));
        if (whileBoxOpen)
            whileBoxOpen();
        return 1;
    }

private:
    EventLog &m_log;
};

class RecordedEnd final : public Ender
{
public:
    explicit RecordedEnd(EventLog &log) : m_log(log) {}
    void end(int exitStatus) override { m_log.add(QStringLiteral("end %1").arg(exitStatus)); }

private:
    EventLog &m_log;
};

// A board window without widgets: logs what the rules do to it.
class RecordingBoard final : public BoardOps
{
public:
    explicit RecordingBoard(EventLog &log) : m_log(log) {}
    QString readouts[4];
    bool timers[2] = {false, false};

    static QString name(Walker w) { return w == Walker::Dog ? QStringLiteral("Dog") : QStringLiteral("Momotaro"); }
    void placeWalker(Walker w, int x, int y) override
    {
        m_log.add(QStringLiteral("place %1 %2,%3").arg(name(w)).arg(x).arg(y));
    }
    void setWalkerVisible(Walker w, bool v) override { m_log.add(QStringLiteral("visible %1 %2").arg(name(w)).arg(v)); }
    void setReadout(Readout r, const QString &text) override
    {
        readouts[int(r)] = text;
        m_log.add(QStringLiteral("readout %1 %2").arg(int(r) + 1).arg(text));
    }
    void setButtonEnabled(Button b, bool e) override { m_log.add(QStringLiteral("button %1 %2").arg(int(b)).arg(e)); }
    void setTimerEnabled(Walker w, bool e) override
    {
        timers[int(w)] = e;
        m_log.add(QStringLiteral("timer %1 %2").arg(name(w)).arg(e));
    }
    void playCue(const QString &file) override { m_log.add(QStringLiteral("cue ") + file); }

private:
    EventLog &m_log;
};

// A window's multimedia control that logs its commands and file names
// under the window's name ("main:Stop", "problem:FileName=pinpon.wav").
class RecordingControl final : public MultimediaControl
{
public:
    RecordingControl(QString name, EventLog &log) : m_name(std::move(name)), m_log(log) {}
    void setCommand(Command command) override
    {
        static constexpr const char *Words[] = {"Stop", "Close", "Open", "Sound"};
        m_log.add(m_name + u':' + QLatin1String(Words[int(command)]));
    }
    void setFileName(const QString &fileName) override { m_log.add(m_name + QStringLiteral(":FileName=") + fileName); }

private:
    QString m_name;
    EventLog &m_log;
};
