#pragma once

#include "answerwindow.h"

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
