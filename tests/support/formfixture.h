#pragma once

#include "errorguard.h"
#include "fakes.h"
#include "form1.h"

#include <QLabel>
#include <QPushButton>

#include <memory>

// The real board window on fake services, all logging into one event log:
// a clock the test moves, scripted boxes, a recorded end, and multimedia
// controls named "main" (the board window's) and "problem".
struct FormFixture
{
    EventLog events;
    FakeClock clock{events};
    ScriptedRandom random;
    ScriptedDialogs dialogs{events};
    RecordedEnd end{events};
    ErrorGuard guard{dialogs, end};
    int controlsMade = 0;
    std::unique_ptr<Form1> form;

    // The time of day of the current tick period; each read of the clock
    // within it comes a step later.
    double time = 36000.0;
    void setTime(double t)
    {
        time = t;
        clock.now = t;
    }

    FormFixture()
    {
        setTime(time);
        form = std::make_unique<Form1>(Services{clock, random, dialogs, end, guard, [this] {
            const QString name = controlsMade++ == 0 ? QStringLiteral("main") : QStringLiteral("problem");
            return std::unique_ptr<MultimediaControl>(std::make_unique<RecordingControl>(name, events));
        }});
    }

    template<typename T = QWidget>
    T *find(const char *name, QWidget *in = nullptr) const
    {
        return (in ? in : form.get())->findChild<T *>(QString::fromLatin1(name));
    }
    QPushButton *command(int n) const { return find<QPushButton>(qPrintable(QStringLiteral("Command%1").arg(n))); }
    QString readout(int n) const { return find<QLabel>(qPrintable(QStringLiteral("Label%1").arg(n)))->text(); }

    void setUp(Scenario scenario, const QStringList &answers = {"4", "4", "6", "4"})
    {
        dialogs.answers = answers;
        if (scenario == Scenario::BothWalk)
            form->Command2_Click();
        else
            form->Command3_Click();
    }

    // Moves the clock one tick period on and lets every running timer tick,
    // Dog's first.
    void tick()
    {
        setTime(time + 0.2);
        if (form->timer(Walker::Dog).isActive())
            form->Timer1_Timer();
        if (form->timer(Walker::Momotaro).isActive())
            form->Timer2_Timer();
    }
    // Ticks until both timers have stopped or maxTicks have passed.
    int runUntilStopped(int maxTicks = 100000)
    {
        int ticks = 0;
        while ((form->timer(Walker::Dog).isActive() || form->timer(Walker::Momotaro).isActive()) && ticks < maxTicks) {
            tick();
            ++ticks;
        }
        return ticks;
    }
};
