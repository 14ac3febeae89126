// meetling-stats: the answer to the story problem, exactly and by simulation.

#include "law/answer.h"
#include "pictures/boardmap.h"
#include "pictures/charts.h"
#include "law/exactlaw.h"
#include "words/language.h"
#include "stats/localetext.h"
#include "law/meetingmap.h"
#include "stats/options.h"
#include "pictures/picturefile.h"
#include "words/phrases.h"
#include "law/printable.h"
#include "stats/progress.h"
#include "stats/report.h"
#include "law/savefile.h"
#include "pictures/sheets.h"
#include "law/simulation.h"

#include <QApplication>
#include <QDate>
#include <QLocale>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

#include <sys/ioctl.h>
#include <unistd.h>

namespace stats {
namespace {
struct Tool
{
    Q_DECLARE_TR_FUNCTIONS(stats::Tool)
};
} // namespace
} // namespace stats

namespace {

using stats::Tool;

// The help on standard output; an error as one line on standard error, a
// file's name or a value typed in it shown with its control characters as
// codes (a NUL would cut the line short, a line break split it).
int fail(const stats::LocaleText &text, const QString &message, int status)
{
    std::fputs(
        text.encoded(stats::withoutJoiners(status == 0 ? message : stats::printable(message)) + u'\n').constData(),
        status == 0 ? stdout : stderr);
    return status;
}

// That a file (or standard output) could not be written, and why.
QString cannotWrite(const QString &file, const QString &error)
{
    return QStringLiteral("meetling-stats: ") + (file == stats::StandardOutput
                                                     ? Tool::tr("cannot write standard output: %1").arg(error)
                                                     //: %1 is a file, %2 the system's reason.
                                                     : Tool::tr("cannot write %1: %2").arg(file, error));
}

// The table's sentences wrap at the terminal's width, and never past 80
// columns, where its rows end.
int textWidth()
{
    winsize size{};
    if (::isatty(STDOUT_FILENO) && ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return std::clamp(int(size.ws_col), 40, 80);
    return 80;
}

// Qt's offscreen drawing asks for a runtime folder that a plain shell
// session may not have, and says so; the tool makes no use of it.
QtMessageHandler qtHandler = nullptr;
void quietAboutRuntimeFolder(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        qtHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    const stats::LocaleText text;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The options are read before the application is made, to know which
    // one the tool needs, and a refusal read again once the user's language
    // is in use, to be worded in it. Reading them changes nothing: a --class
    // file is read only if it is a regular file of at most 1 MiB, which can
    // be read twice.
    const auto parsed = stats::parseOptions(arguments, stats::coresToUse());
    const auto *options = std::get_if<stats::Options>(&parsed);

    // Pictures need the widgets' application, drawn offscreen: no display is
    // needed and none is opened. Tables alone need none of it.
    std::unique_ptr<QCoreApplication> app;
    if (!options || (options->plotFile.isEmpty() && options->mapFile.isEmpty() && options->pupilsSheetFile.isEmpty() &&
                     options->teacherSheetFile.isEmpty())) {
        app = std::make_unique<QCoreApplication>(argc, argv);
        stats::useLanguage();
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qtHandler = qInstallMessageHandler(quietAboutRuntimeFolder);
        app = std::make_unique<QApplication>(argc, argv);
        stats::useLanguage();
        // The pictures and sheets are lettered in the language's faces.
        stats::useLanguageFont();
    }
    // A language the locale's encoding cannot write (Japanese under a
    // Latin-1 locale) gives way to English, before anything is worded.
    if (!text.canWrite(stats::withoutJoiners(Tool::tr("working out the exact law") + Tool::tr("simulating"))))
        stats::useLanguage(stats::Language::English);
    if (!options) {
        const auto again = stats::parseOptions(arguments, stats::coresToUse());
        // Should a file have changed in between, the first refusal stands.
        const auto *refusal = std::get_if<stats::Refusal>(&again);
        if (!refusal)
            refusal = &std::get<stats::Refusal>(parsed);
        return fail(text, refusal->message.trimmed(), refusal->exitStatus);
    }

    stats::Report report;
    report.options = *options;
    const stats::Options &o = report.options;
    // A reader that goes away (head) makes a write fail with EPIPE, which
    // ends the tool as any write failure does, rather than a signal.
    std::signal(SIGPIPE, SIG_IGN);
    stats::Progress progress(text);

    // The two scenarios' sweeps side by side, for every Momotaro start when
    // the map is asked for, then the simulation on every thread asked for.
    progress.show(Tool::tr("working out the exact law"));
    const stats::PerScenario<stats::ExactForDog> sweeps =
        stats::sweepBoth(o.starts, o.ticksPerTimer, !o.mapFile.isEmpty());
    report.answer = stats::answerOf(o.starts, o.seconds, sweeps);
    report.answer.classCounts = o.classCounts;
    if (!o.mapFile.isEmpty())
        report.map = stats::meetingMap(sweeps);

    // The runs are written as they are played: into the CSV file, committed
    // only once the pictures are written too, or down standard output.
    QString error;
    const bool csvOut = o.csvFile == stats::StandardOutput;
    std::optional<stats::SaveFile> csvFile;
    if (!o.csvFile.isEmpty() && !csvOut)
        csvFile.emplace(o.csvFile);
    const auto writeCsv = [&](const QByteArray &bytes) {
        return csvOut ? stats::writeStandardOutput(bytes, error) : csvFile->write(bytes, error);
    };
    const auto csvFailure = [&] {
        progress.done();
        return fail(text, cannotWrite(o.csvFile, error), 1);
    };
    if ((csvFile && !csvFile->open(error)) || (!o.csvFile.isEmpty() && !writeCsv(stats::csvHeader())))
        return csvFailure();
    std::atomic<std::int64_t> runsDone{0};
    progress.show(Tool::tr("simulating"), &runsDone, 2 * o.runs);
    QByteArray lines;
    for (Scenario scenario : stats::Scenarios) {
        stats::RunCounts take;
        if (!o.csvFile.isEmpty()) {
            take = [&](std::int64_t firstRun, std::span<const std::uint16_t> counts) {
                lines.clear();
                stats::appendCsv(lines, scenario, firstRun, counts);
                return writeCsv(lines);
            };
        }
        std::optional<stats::Simulation> simulated =
            stats::simulate({scenario, o.starts, o.ticksPerTimer, o.runs, o.seed, o.threads, &runsDone}, take);
        if (!simulated)
            return csvFailure();
        report.simulated[scenario] = std::move(*simulated);
    }
    progress.done();

    if (!o.plotFile.isEmpty() && !stats::saveLawChart(report.answer, &report.simulated, o.plotFile, error))
        return fail(text, cannotWrite(o.plotFile, error), 1);
    if (!o.mapFile.isEmpty() && !stats::saveMeetingMap(*report.map, o.starts, o.seconds, o.mapFile, error))
        return fail(text, cannotWrite(o.mapFile, error), 1);
    const stats::SheetSetup sheet{o.sheetRows, QDate::currentDate()};
    for (const auto &[kind, file] :
         {std::pair{stats::Sheet::Pupils, o.pupilsSheetFile}, std::pair{stats::Sheet::Teacher, o.teacherSheetFile}}) {
        if (!file.isEmpty() && !stats::saveSheet(file, kind, report.answer, sheet, o.paper, error))
            return fail(text, cannotWrite(file, error), 1);
    }
    if (csvFile && !csvFile->commit(error))
        return csvFailure();
    // What went to standard output stands in place of the table.
    if (stats::StandardOutput == o.csvFile || stats::StandardOutput == o.plotFile ||
        stats::StandardOutput == o.mapFile || stats::StandardOutput == o.pupilsSheetFile ||
        stats::StandardOutput == o.teacherSheetFile)
        return 0;

    if (o.json) {
        // The JSON reads the same whatever the user's language: its
        // sentences in English, their numbers as in the United States.
        stats::useLanguage(stats::Language::English);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    const QByteArray out =
        o.json ? stats::json(report) : text.encoded(stats::withoutJoiners(stats::table(report, textWidth())));
    if (!stats::writeStandardOutput(out, error))
        return fail(text, cannotWrite(stats::StandardOutput, error), 1);
    return 0;
}
