// meetling-answer: the exact answer to the story problem, following the
// walkers as the teacher drags them.

#include "answer/answerwindow.h"
#include "forms/builtinpicture.h"
#include "forms/displaystart.h"
#include "words/language.h"
#include "words/phrases.h"

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

struct CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

void print(FILE *to, const QString &text)
{
    std::fputs(qPrintable(stats::withoutJoiners(text)), to);
    std::fflush(to);
}

// The program's options, described in the language in use.
struct Options
{
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, CommandLine::tr("Show this help.")};
    QCommandLineOption version{QStringLiteral("version"), CommandLine::tr("Show the version.")};
    QCommandLineOption hiddenAnswer{
        QStringLiteral("hidden-answer"),
        CommandLine::tr("Start with the answer hidden, whatever the last lesson left; F5 shows it.")};

    Options()
    {
        parser.setApplicationDescription(CommandLine::tr("The exact answer to the meetling experiment, in a window."));
        parser.addOptions({help, version, hiddenAnswer});
    }
};

// The settings' file, where Qt keeps it for this program, once the
// application object has its names.
QString settingsFile()
{
    QCoreApplication::setOrganizationName(QStringLiteral("meetling"));
    QCoreApplication::setApplicationName(QStringLiteral("meetling-answer"));
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/%1/%2.conf").arg(QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

// One that is not a regular file (a pipe, a link to a device) is not opened
// at all, since reading a pipe waits for a writer.
bool usable(const QString &file)
{
    return !QFileInfo::exists(file) || QFileInfo(file).isFile();
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and the version need no display: they are answered before it is
    // opened, the help in the language the window would speak.
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help") {
            // An application object for the catalogues, named as the usage
            // line names the program, whatever path started it.
            char name[] = "meetling-answer";
            char *names[] = {name, nullptr};
            int count = 1;
            QCoreApplication core(count, names);
            const QString file = settingsFile();
            stats::useLanguage(usable(file) ? AnswerWindow::keptLanguage(QSettings(file, QSettings::IniFormat))
                                            : stats::Language::System);
            print(stdout, Options().parser.helpText());
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
    // The settings' file. One that is no regular file is not opened: the
    // window uses settings of its own for this session, and says that
    // nothing is kept.
    const QString file = settingsFile();
    QApplication::setApplicationVersion(QStringLiteral(MEETLING_VERSION));
    // Docks and window switchers find the menu entry, and its icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(MEETLING_ANSWER_APP_ID));
    // The board program's icon from the installed theme, every size of it;
    // the built-in 32 x 32 one when the program runs from its build.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral(MEETLING_ICON_NAME), QIcon(builtInPicture(":/pictures/icon.png"))));
    const bool settingsUsable = usable(file);
    QTemporaryDir scratch;
    QSettings settings(settingsUsable ? file : scratch.filePath(QStringLiteral("settings.conf")), QSettings::IniFormat);
    AnswerWindow::useLanguage(AnswerWindow::keptLanguage(settings));

    // The rest of the options, once the application has taken Qt's own
    // (-display, -platform).
    Options options;
    if (!options.parser.parse(QApplication::arguments()) || !options.parser.positionalArguments().isEmpty()) {
        const QString why =
            options.parser.positionalArguments().isEmpty()
                ? options.parser.errorText()
                : CommandLine::tr("unexpected argument: %1").arg(options.parser.positionalArguments().first());
        print(stderr, QStringLiteral("meetling-answer: %1\n").arg(why));
        return 2;
    }
    AnswerWindow window(settings);
    if (!settingsUsable)
        window.refuseSettingsFile(file);
    if (options.parser.isSet(options.hiddenAnswer))
        window.setAnswerHidden(true);
    window.show();
    // The window has been handed to the display, which has answered every
    // question on the way; the event loop starting is the sign.
    QTimer::singleShot(0, [&display] { display.windowShown(); });
    return app.exec();
}
