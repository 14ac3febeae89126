#pragma once

#include "answer/answerpane.h"
#include "answer/answerwindow.h"
#include "answer/veil.h"
#include "law/exactlaw.h"
#include "law/answer.h"
#include "words/verdictwords.h"

#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

// An answer window with settings of its own, in a folder that lasts as long
// as it does: a second window made from the same settings reads back what
// the first kept.
struct AnswerWindowFixture
{
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    AnswerWindow window{settings};
};

// A part of a window, found as any widget is found (by its type, and its
// name when the type is not enough).
template<class Part> Part &partOf(const QWidget &window, const QString &name = {})
{
    Part *part = window.findChild<Part *>(name);
    if (!part)
        qFatal("no %s named '%s'", Part::staticMetaObject.className(), qPrintable(name));
    return *part;
}

// The answer to a question, from the statistics library itself.
inline stats::Answer libraryAnswer(Point momotaro, Point dog, int seconds)
{
    const stats::Starts starts{momotaro, dog};
    return stats::answerOf(starts, seconds, stats::sweepBoth(starts, rules::ticksPerTimer(seconds), false));
}

// Whether the window's answer is that one: its verdict and the meetings of both scenarios.
inline bool shows(const QWidget &window, const stats::Answer &answer)
{
    const AnswerPane &pane = partOf<AnswerPane>(window);
    for (Scenario scenario : stats::Scenarios) {
        if (pane.figureLabel(AnswerPane::Figure::Meetings, scenario)->text() !=
            QString::number(answer.exact[scenario].expectedMeetings, 'f', 2))
            return false;
    }
    return pane.verdictText() == stats::verdictText(answer);
}

// Whether the window shows an answer at all, not that it is being worked out.
inline bool answered(const QWidget &window)
{
    return !partOf<AnswerPane>(window).verdictText().startsWith(Veil::working());
}
