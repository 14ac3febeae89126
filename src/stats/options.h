#pragma once

#include "classcounts.h"
#include "exactlaw.h"
#include "savefile.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <variant>

namespace stats {

// The paper the lesson's sheets are written for.
enum class Paper { A4, Letter };
// The most runs of each the pupils' sheet has rows for.
inline constexpr int MostSheetRows = 10;

// What the command line asks for.
struct Options
{
    Starts starts{{4, 4}, {6, 4}};
    double seconds = rules::TimeLimitSeconds;
    int ticksPerTimer = rules::ticksPerTimer(rules::TimeLimitSeconds);
    std::int64_t runs = 100'000;
    std::uint64_t seed = 1;
    int threads = 1;
    QString plotFile;
    QString mapFile;
    QString csvFile;
    bool json = false;
    // The lesson's sheets, as PDF.
    QString pupilsSheetFile;
    QString teacherSheetFile;
    int sheetRows = 5;
    Paper paper = Paper::A4;
    // The class's own counts, when --class names a file.
    std::optional<ClassCounts> classCounts;
};

// A command line that cannot be carried out: one line for standard error,
// and the exit status (2 for a usage error).
struct Refusal
{
    QString message;
    int exitStatus = 2;
};

// A whole number as the tool prints it: 100,000.
QString withSeparators(qlonglong n);

// Reads the command line (arguments[0] is the program). --help and --version
// are answered as refusals with exit status 0 and the text to print.
std::variant<Options, Refusal> parseOptions(const QStringList &arguments, int idealThreads);

// The most simulated runs and threads the tool takes.
inline constexpr std::int64_t MaxRuns = 100'000'000;
inline constexpr int MaxThreads = 256;

// The longest run the tool works out: ten minutes. The law of meetings takes
// time growing with the cube of the run's length (a second at this limit).
inline constexpr double MaxSeconds = 600;

} // namespace stats
