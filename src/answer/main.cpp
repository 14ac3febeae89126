// meetling-answer: the exact answer to the story problem, following the
// walkers as the teacher drags them.

#include "answerwindow.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("meetling"));
    QApplication::setApplicationName(QStringLiteral("meetling-answer"));
    QApplication::setApplicationVersion(QStringLiteral(MEETLING_VERSION));
    // Docks and window switchers find the menu entry, and its icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(MEETLING_ANSWER_APP_ID));
    QSettings settings;
    AnswerWindow window(settings);
    window.show();
    return app.exec();
}
