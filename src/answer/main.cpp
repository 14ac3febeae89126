// meetling-answer: the exact answer to the story problem, following the
// walkers as the teacher drags them.

#include "answerwindow.h"
#include "builtinpicture.h"
#include "displaystart.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void print(FILE *to, const QString &text)
{
    std::fputs(qPrintable(text), to);
    std::fflush(to);
}

} // namespace

int main(int argc, char *argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The exact answer to the meetling experiment, in a window."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
    const QCommandLineOption hiddenAnswer(QStringLiteral("hidden-answer"),
                                          QStringLiteral("Start with the answer hidden, whatever the last lesson left; F5 shows it."));
    parser.addOptions({help, version, hiddenAnswer});
    // Help and the version need no display: they are answered before it is opened.
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help") {
            print(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("meetling-answer")));
            return 0;
        }
        if (arg == "--version") {
            print(stdout, QStringLiteral("meetling-answer " MEETLING_VERSION "\n"));
            return 0;
        }
    }

    DisplayStart display("meetling-answer");
    QApplication app(argc, argv);
    display.applicationMade();
    QApplication::setOrganizationName(QStringLiteral("meetling"));
    QApplication::setApplicationName(QStringLiteral("meetling-answer"));
    QApplication::setApplicationVersion(QStringLiteral(MEETLING_VERSION));
    // Docks and window switchers find the menu entry, and its icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(MEETLING_ANSWER_APP_ID));
    // The board program's icon from the installed theme, every size of it;
    // the built-in 32 x 32 one when the program runs from its build.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(MEETLING_ICON_NAME), QIcon(builtInPicture(":/pictures/icon.png"))));
    // The rest of the options, once the application has taken Qt's own
    // (-display, -platform).
    if (!parser.parse(QApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString why = parser.positionalArguments().isEmpty() ? parser.errorText()
                                                                   : QStringLiteral("unexpected argument: ") + parser.positionalArguments().first();
        print(stderr, QStringLiteral("meetling-answer: %1\n").arg(why));
        return 2;
    }
    // The settings' file, where Qt keeps it for this program. One that is
    // not a regular file (a pipe, a link to a device) is not opened at all,
    // since reading a pipe waits for a writer: the window uses settings of
    // its own for this session, and says that nothing is kept.
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/%1/%2.conf")
                             .arg(QApplication::organizationName(), QApplication::applicationName());
    const bool usable = !QFileInfo::exists(file) || QFileInfo(file).isFile();
    QTemporaryDir scratch;
    QSettings settings(usable ? file : scratch.filePath(QStringLiteral("settings.conf")), QSettings::IniFormat);
    AnswerWindow window(settings);
    if (!usable)
        window.refuseSettingsFile(file);
    if (parser.isSet(hiddenAnswer))
        window.setAnswerHidden(true);
    window.show();
    // The window has been handed to the display, which has answered every
    // question on the way; the event loop starting is the sign.
    QTimer::singleShot(0, [&display] { display.windowShown(); });
    return app.exec();
}
