#include "stats/options.h"

#include "words/phrases.h"
#include "words/wording.h"
#include "core/rules.h"
#include "law/tooloptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

namespace stats {

namespace {

struct CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(stats::CommandLine)
};

// The refusals QCommandLineParser words itself, in its own context, for the
// catalogue to translate them for it.
[[maybe_unused]] const char *const ParserRefusals[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'."),
};

// The help's lines fill a terminal's 80 columns.
constexpr int HelpWidth = 80;

QString description()
{
    const int ticks = rules::ticksPerTimer(rules::TimeLimitSeconds);
    //: The help's description. Its lines break where they do here and
    //: wherever longer than 80 columns: a paragraph may be one line. %1 and %3
    //: are the scenarios' names, %2 and %4 the board's captions, %5 the ticks
    //: of each timer, %6 the steps, %7 the board's time limit in seconds.
    return CommandLine::tr("Works out how often Momotaro and Dog meet in one run of the board program,\n"
                           "for both scenarios: %1 (the board's \"%2\") and\n"
                           "%3 (\"%4\"). First exactly, from the probability law\n"
                           "of the walk; then by simulating many runs with the same rules.\n"
                           "\n"
                           "A run follows the board program: Start, then each walker's timer ticks every\n"
                           "0.2 s, Dog's first. Its ticks fall at 0.2 s, 0.4 s, ... after Start, each a\n"
                           "little late, and the first tick past the time limit still moves before it\n"
                           "stops its timer. So a run of S seconds has S / 0.2 ticks per timer, rounded\n"
                           "up (%5 ticks each, %6 steps in all, for the %7 s of the board program).")
        .arg(plainName(Scenario::BothWalk), scenarioCaption(Scenario::BothWalk), plainName(Scenario::DogWalks),
             scenarioCaption(Scenario::DogWalks), QString::number(ticks), QString::number(2 * ticks),
             QLocale().toString(rules::TimeLimitSeconds));
}

// The help: how the tool is called, what it does, then each option with
// what it does beside it, wrapped in a column of its own.
QString helpText(const QList<QCommandLineOption> &options)
{
    QStringList lines{CommandLine::tr("Usage: %1 [options]").arg(QStringLiteral("meetling-stats"))};
    for (const QString &line : description().split(u'\n'))
        lines += wrappedLines(line, HelpWidth);
    lines << QString() << CommandLine::tr("Options:");
    QStringList names;
    int nameColumns = 0;
    for (const QCommandLineOption &option : options) {
        QStringList spelt;
        for (const QString &name : option.names())
            spelt << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        names << spelt.join(QStringLiteral(", ")) +
                     (option.valueName().isEmpty() ? QString() : QStringLiteral(" <%1>").arg(option.valueName()));
        nameColumns = std::max(nameColumns, int(names.last().size()));
    }
    const QString indent(2 + nameColumns + 2, u' ');
    for (qsizetype i = 0; i < options.size(); ++i) {
        // Its first line a column shorter than the rest, as QCommandLineParser
        // has always laid the help out.
        const QString text = options[i].description().simplified();
        QStringList described = wrappedLines(text, HelpWidth - 1, indent);
        if (described.size() > 1)
            described = QStringList{described.first()} +
                        wrappedLines(text.mid(described.first().size() - indent.size()).trimmed(), HelpWidth, indent);
        described.first().replace(0, indent.size(), QStringLiteral("  ") + names[i].leftJustified(nameColumns + 2));
        lines += described;
    }
    return lines.join(u'\n');
}

// Reads a point as people write it: "4,4", "4 4", "(4, 4)" (the form the
// table prints), "04,4", "+4,4", and in the full-width forms a Japanese input
// method types, which compatibility normalisation turns into ASCII.
std::optional<Point> readPoint(const QString &text)
{
    // A closing parenthesis only if an opening one came first.
    static const QRegularExpression pair(
        QStringLiteral(R"(^\s*(\()?\s*\+?([0-9]+)\s*(?:,|\s)\s*\+?([0-9]+)\s*(?(1)\))\s*$)"));
    const QRegularExpressionMatch match = pair.match(text.normalized(QString::NormalizationForm_KC));
    if (!match.hasMatch())
        return std::nullopt;
    bool xOk = false;
    bool yOk = false;
    const int x = match.captured(2).toInt(&xOk);
    const int y = match.captured(3).toInt(&yOk);
    if (!xOk || !yOk || x > rules::BoardMax || y > rules::BoardMax)
        return std::nullopt;
    return Point{x, y};
}

Refusal usage(const QString &message)
{
    return {QStringLiteral("meetling-stats: ") + message, 2};
}

// Where an output file is to go must be a folder that exists and can be
// entered and written, and a file there one that can be written, so that no
// work is done for a file that cannot be saved. Why not is said in the
// system's words, as for the class's file.
std::optional<Refusal> checkOutput(const QString &option, const QString &file, const QStringList &extensions)
{
    const QFileInfo info(file);
    if (!extensions.isEmpty() && !extensions.contains(info.suffix().toLower())) {
        //: %1 is an option, %2 (and %3) a file name's ending, the last the file named.
        return usage(extensions.size() == 1
                         ? CommandLine::tr("--%1: the file name must end in .%2: %3").arg(option, extensions[0], file)
                         : CommandLine::tr("--%1: the file name must end in .%2 or .%3: %4")
                               .arg(option, extensions[0], extensions[1], file));
    }
    const QString folder = info.absolutePath();
    const auto cannotWrite = [&](int error) {
        //: %1 is an option, %2 a file, %3 the system's reason.
        return Refusal{usage(CommandLine::tr("--%1: cannot write %2: %3")
                                 .arg(option, QDir::toNativeSeparators(info.absoluteFilePath()),
                                      QString::fromLocal8Bit(std::strerror(error))))
                           .message,
                       1};
    };
    struct stat status = {};
    if (::stat(QFile::encodeName(folder).constData(), &status) != 0) {
        if (errno == ENOENT)
            return Refusal{
                usage(CommandLine::tr("--%1: no such folder: %2").arg(option, QDir::toNativeSeparators(folder)))
                    .message,
                1};
        return cannotWrite(errno);
    }
    if (!S_ISDIR(status.st_mode))
        return cannotWrite(ENOTDIR);
    if (info.isDir())
        return cannotWrite(EISDIR);
    // A new file, or a regular one, is written beside the old and renamed
    // over it; a device is written where it is.
    if ((!info.exists() || info.isFile()) && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return cannotWrite(errno);
    if (info.exists() && ::access(QFile::encodeName(file).constData(), W_OK) != 0)
        return cannotWrite(errno);
    return std::nullopt;
}

// The file that writing to the given name ends up in, links and relative
// paths resolved, so that two names of one file compare equal.
QString resolvedOutput(const QString &file)
{
    QFileInfo info(file);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info = QFileInfo(info.symLinkTarget());
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
}

} // namespace

std::variant<Options, Refusal> parseOptions(const QStringList &arguments, int idealThreads)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, CommandLine::tr("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"), CommandLine::tr("Show the version."));
    // A default start point as the option takes it: "4,4".
    const auto typed = [](Point p) { return QStringLiteral("%1,%2").arg(int(p.x)).arg(int(p.y)); };
    const QCommandLineOption momo(
        QString::fromLatin1(tool::Momotaro),
        CommandLine::tr("Momotaro's start point (default %1).").arg(typed(DefaultStarts.momotaro)),
        QStringLiteral("X,Y"));
    const QCommandLineOption dog(QString::fromLatin1(tool::Dog),
                                 CommandLine::tr("Dog's start point (default %1).").arg(typed(DefaultStarts.dog)),
                                 QStringLiteral("X,Y"));
    const QCommandLineOption seconds(
        QString::fromLatin1(tool::Seconds),
        CommandLine::tr("The run's time limit in seconds, above 0 and at most %1 (default %2).")
            .arg(QLocale().toString(MaxSeconds), QLocale().toString(Options().seconds)),
        QStringLiteral("S"));
    const QCommandLineOption runs(QString::fromLatin1(tool::Runs),
                                  CommandLine::tr("Simulated runs of each scenario, 1 to %1 (default %2).")
                                      .arg(wholeNumber(MaxRuns), wholeNumber(Options().runs)),
                                  QStringLiteral("N"));
    const QCommandLineOption seed(
        QString::fromLatin1(tool::Seed),
        CommandLine::tr("The simulation's seed (default 1): the same seed gives the same numbers."),
        QStringLiteral("N"));
    const QCommandLineOption threads(QStringLiteral("threads"),
                                     CommandLine::tr("Threads for the simulation, 1 to %1 (default: one per core).")
                                         .arg(QLocale().toString(MaxThreads)),
                                     QStringLiteral("N"));
    const QCommandLineOption plot(
        QStringLiteral("plot"),
        CommandLine::tr(
            "Draw the meetings per run, the chance of no meeting yet and several runs of each into FILE (.png or .svg; -: PNG to standard output, instead of the table)."),
        QStringLiteral("FILE"));
    const QCommandLineOption map(
        QStringLiteral("map"),
        CommandLine::tr(
            "Draw where Momotaro should start or wait into FILE (.png or .svg; -: PNG to standard output, instead of the table)."),
        QStringLiteral("FILE"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  CommandLine::tr("Print the whole result as JSON instead of the table."));
    const QCommandLineOption csv(
        QString::fromLatin1(tool::Csv),
        CommandLine::tr(
            "Write the meetings of every simulated run into FILE (-: to standard output, instead of the table)."),
        QStringLiteral("FILE"));
    const QCommandLineOption classFile(
        QStringLiteral("class"),
        CommandLine::tr("Compare the class's own counts with the answer: a CSV FILE with a header row, then one "
                        "row a run, the meetings of \"%1\" and of \"%2\" (either may "
                        "be blank), whole numbers 0 to %3. Not read from standard input: a file named - is ./-.")
            .arg(scenarioCaption(Scenario::BothWalk), scenarioCaption(Scenario::DogWalks),
                 QLocale().toString(MaxClassCount)),
        QStringLiteral("FILE"));
    const QCommandLineOption pupilsSheet(
        QStringLiteral("pupils-sheet"),
        CommandLine::tr(
            "Write the pupils' sheet for the lesson into FILE (.pdf; -: to standard output, instead of the table): the story, the start "
            "points, a table to tally each run; no answer."),
        QStringLiteral("FILE"));
    const QCommandLineOption teacherSheet(
        QStringLiteral("teacher-sheet"),
        CommandLine::tr(
            "Write the teacher's sheet into FILE (.pdf; -: to standard output, instead of the table): the answer, its figures and charts, "
            "and the class's counts with --class."),
        QStringLiteral("FILE"));
    const QCommandLineOption sheetRows(
        QStringLiteral("sheet-rows"),
        CommandLine::tr("Runs of each way the pupils' sheet has rows for, 1 to %1 (default %2).")
            .arg(QLocale().toString(MostSheetRows), QLocale().toString(Options().sheetRows)),
        QStringLiteral("N"));
    const QCommandLineOption paper(QStringLiteral("paper"),
                                   CommandLine::tr("The sheets' paper, A4 or Letter (default A4)."),
                                   QStringLiteral("SIZE"));
    const QList<QCommandLineOption> all{help,      version,     momo,         dog,       seconds, runs,
                                        seed,      threads,     plot,         map,       json,    csv,
                                        classFile, pupilsSheet, teacherSheet, sheetRows, paper};
    parser.addOptions(all);

    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(help))
        return Refusal{helpText(all), 0};
    if (parser.isSet(version))
        return Refusal{QString::fromLatin1(tool::Name) + u' ' + QStringLiteral(MEETLING_VERSION), 0};
    // An option left without its value takes the next option as one.
    for (const QCommandLineOption *option : {&momo, &dog, &seconds, &runs, &seed, &threads, &plot, &map, &csv,
                                             &classFile, &pupilsSheet, &teacherSheet, &sheetRows, &paper}) {
        if (parser.isSet(*option) && parser.value(*option).startsWith(u"--"))
            return usage(CommandLine::tr("--%1: no value given (expected %2)")
                             .arg(option->names().first(), option->valueName()));
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(CommandLine::tr("unexpected argument: %1").arg(parser.positionalArguments().first()));

    Options options;
    options.threads = qMax(1, idealThreads);
    for (const auto &[option, point] :
         {std::pair{&momo, &options.starts.momotaro}, std::pair{&dog, &options.starts.dog}}) {
        if (!parser.isSet(*option))
            continue;
        const QString text = parser.value(*option);
        const std::optional<Point> read = readPoint(text);
        if (!read)
            return usage(CommandLine::tr("--%1: expected X,Y with whole numbers 0..10, got '%2'")
                             .arg(option->names().first(), text));
        *point = *read;
    }

    if (parser.isSet(seconds)) {
        bool ok = false;
        const double value = parser.value(seconds).toDouble(&ok);
        if (!ok || !std::isfinite(value) || value <= 0 || value > MaxSeconds)
            return usage(CommandLine::tr("--seconds: expected a number of seconds above 0 and at most %1, got '%2'")
                             .arg(QLocale().toString(MaxSeconds), parser.value(seconds)));
        options.seconds = value;
    }
    options.ticksPerTimer = rules::ticksPerTimer(options.seconds);

    auto wholeNumber = [&](const QCommandLineOption &option, qlonglong min, qlonglong max,
                           auto &into) -> std::optional<Refusal> {
        if (!parser.isSet(option))
            return std::nullopt;
        bool ok = false;
        const qlonglong value = parser.value(option).toLongLong(&ok);
        if (!ok || value < min || value > max)
            return usage(
                CommandLine::tr("--%1: expected a whole number from %2 to %3, got '%4'")
                    .arg(option.names().first(), QString::number(min), QString::number(max), parser.value(option)));
        into = value;
        return std::nullopt;
    };
    if (auto refused = wholeNumber(runs, 1, MaxRuns, options.runs))
        return *refused;
    if (auto refused = wholeNumber(threads, 1, MaxThreads, options.threads))
        return *refused;
    if (auto refused = wholeNumber(sheetRows, 1, MostSheetRows, options.sheetRows))
        return *refused;
    if (parser.isSet(paper)) {
        const QString size = parser.value(paper).toLower();
        if (size != u"a4" && size != u"letter")
            return usage(CommandLine::tr("--paper: expected A4 or Letter, got '%1'").arg(parser.value(paper)));
        options.paper = size == u"a4" ? Paper::A4 : Paper::Letter;
    }
    if (parser.isSet(seed)) {
        bool ok = false;
        options.seed = parser.value(seed).toULongLong(&ok);
        if (!ok)
            return usage(CommandLine::tr("--seed: expected a whole number from 0 to %1, got '%2'")
                             .arg(QString::number(std::numeric_limits<std::uint64_t>::max()))
                             .arg(parser.value(seed)));
    }

    options.json = parser.isSet(json);
    options.plotFile = parser.value(plot);
    options.mapFile = parser.value(map);
    options.csvFile = parser.value(csv);
    options.pupilsSheetFile = parser.value(pupilsSheet);
    options.teacherSheetFile = parser.value(teacherSheet);
    const QStringList pictures{QStringLiteral("png"), QStringLiteral("svg")};
    const QStringList pdf{QStringLiteral("pdf")};
    // Each output's resolved file, and the option that names it: a second
    // option naming the same file would silently replace the first's.
    QHash<QString, QString> claimed;
    if (parser.isSet(classFile)) {
        const QString file = parser.value(classFile);
        if (file == StandardOutput)
            return usage(
                CommandLine::tr("--class: standard input is not read: name the class's file (./- for a file named -)"));
        auto read = readClassFile(file);
        if (const auto *problem = std::get_if<QString>(&read))
            return usage(CommandLine::tr("--class: %1: %2").arg(file, *problem));
        options.classCounts = std::get<ClassCounts>(std::move(read));
        claimed.insert(resolvedOutput(file), QStringLiteral("class"));
    }
    // The one output that goes to standard output, as typed ("--plot -"): a
    // second would be mixed into the first, the table left out for either.
    QString standardOutput;
    const auto bothToStandardOutput = [&](const QString &second) {
        //: %1 and %2 are options as typed: "--plot -", "--json".
        return usage(CommandLine::tr("%1 and %2 both write to standard output").arg(standardOutput, second));
    };
    for (const auto &[name, file, extensions] :
         {std::tuple{QStringLiteral("plot"), options.plotFile, pictures},
          std::tuple{QStringLiteral("map"), options.mapFile, pictures},
          std::tuple{QString::fromLatin1(tool::Csv), options.csvFile, QStringList{}},
          std::tuple{QStringLiteral("pupils-sheet"), options.pupilsSheetFile, pdf},
          std::tuple{QStringLiteral("teacher-sheet"), options.teacherSheetFile, pdf}}) {
        if (parser.isSet(name) && file.isEmpty())
            return usage(CommandLine::tr("--%1: the file name is empty").arg(name));
        if (file == StandardOutput) {
            const QString typed = QStringLiteral("--%1 -").arg(name);
            if (!standardOutput.isEmpty())
                return bothToStandardOutput(typed);
            standardOutput = typed;
        }
        if (file.isEmpty() || file == StandardOutput)
            continue;
        const QString resolved = resolvedOutput(file);
        if (claimed.contains(resolved))
            return usage(CommandLine::tr("--%1 and --%2 name the same file: %3").arg(claimed[resolved], name, file));
        claimed.insert(resolved, name);
        if (auto refused = checkOutput(name, file, extensions))
            return *refused;
    }
    if (options.json && !standardOutput.isEmpty())
        return bothToStandardOutput(QStringLiteral("--json"));
    return options;
}

} // namespace stats
