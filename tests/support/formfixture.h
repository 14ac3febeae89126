#pragma once

#include "app/app.h"
#include "runtime/errorguard.h"
#include "fakes.h"
#include "main_window/form1.h"
#include "problem_window/form2.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

// How many of control's pixels inside the window the window shows otherwise
// than the control draws them: covered by another control.
inline int pixelsCovered(QWidget *window, QWidget *control)
{
    const QRect area = QRect(control->mapTo(window, QPoint(0, 0)), control->size()) & window->rect();
    const QImage own = control->grab()
                           .toImage()
                           .copy(area.translated(-control->mapTo(window, QPoint(0, 0))))
                           .convertToFormat(QImage::Format_RGB32);
    const QImage seen = window->grab().toImage().copy(area).convertToFormat(QImage::Format_RGB32);
    int differ = 0;
    for (int y = 0; y < own.height(); ++y) {
        for (int x = 0; x < own.width(); ++x)
            differ += own.pixel(x, y) != seen.pixel(x, y);
    }
    return differ;
}

// The object names of the controls the keyboard focus visits in window,
// from the one that has it, pressing Tab n - 1 times.
inline QStringList tabOrder(QWidget *window, int n)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {};
    QStringList chain;
    for (int i = 0; i < n; ++i) {
        chain.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return chain;
}

// The program's real windows on fake services, all logging into one event log:
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
    std::unique_ptr<App> app;
    Form1 *form = nullptr;

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
        app = std::make_unique<App>(
            Services{clock, random, dialogs, end, guard, [this] {
                         const QString name = controlsMade++ == 0 ? QStringLiteral("main") : QStringLiteral("problem");
                         return std::unique_ptr<MultimediaControl>(std::make_unique<RecordingControl>(name, events));
                     }});
        form = &app->board();
    }

    template<typename T = QWidget> T *find(const char *name, QWidget *in = nullptr) const
    {
        return (in ? in : form)->findChild<T *>(QString::fromLatin1(name));
    }
    QPushButton *command(int n) const { return find<QPushButton>(qPrintable(QStringLiteral("Command%1").arg(n))); }
    // Timer1 walks Dog, Timer2 Momotaro.
    QTimer *timer(Walker walker) const
    {
        return form->findChild<QTimer *>(walker == Walker::Dog ? "Timer1" : "Timer2");
    }
    QString readout(int n) const { return find<QLabel>(qPrintable(QStringLiteral("Label%1").arg(n)))->text(); }
    // The problem window, once Problem has first shown it (the one window of its kind).
    Form2 *problem() const
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (auto *problem = qobject_cast<Form2 *>(window))
                return problem;
        }
        return nullptr;
    }

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
        // Through the timers' own signal, so that each timer's wiring to its
        // walker is part of every run.
        for (Walker walker : {Walker::Dog, Walker::Momotaro}) {
            if (timer(walker)->isActive())
                QMetaObject::invokeMethod(timer(walker), "timeout");
        }
    }
    // Ticks until both timers have stopped or maxTicks have passed.
    int runUntilStopped(int maxTicks = 100000)
    {
        int ticks = 0;
        while ((timer(Walker::Dog)->isActive() || timer(Walker::Momotaro)->isActive()) && ticks < maxTicks) {
            tick();
            ++ticks;
        }
        return ticks;
    }
};
