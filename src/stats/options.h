#pragma once

#include "law/classcounts.h"
#include "law/exactlaw.h"
#include "law/savefile.h"
#include "pictures/sheets.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <variant>

namespace stats {

// What the command line asks for.
struct Options
{
    Starts starts = DefaultStarts;
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

// Reads the command line (arguments[0] is the program). --help and --version
// are answered as refusals with exit status 0 and the text to print.
std::variant<Options, Refusal> parseOptions(const QStringList &arguments, int idealThreads);

// The most simulated runs and threads the tool takes.
inline constexpr std::int64_t MaxRuns = 100'000'000;
inline constexpr int MaxThreads = 256;

} // namespace stats
