#pragma once

// The rows of the one table that `make bench` prints at its end. Each
// benchmark program appends its rows, tab-separated, to the file named by
// MEETLING_BENCH_TABLE; bench/run.sh prints them together. Without the
// variable nothing is written.

#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace benchtable {

struct Row
{
    std::string measure;
    std::string meetling;
    std::string bare = "-";
    std::string ratio = "-";
    std::string goal = "-";
    std::string met = "-";
};

inline std::string format(const char *pattern, ...)
{
    char text[128];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

inline std::string met(bool yes)
{
    return yes ? "yes" : "NO";
}

inline void append(const Row &row)
{
    const char *path = std::getenv("MEETLING_BENCH_TABLE");
    if (!path || !*path)
        return;
    if (std::FILE *file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\t%s\t%s\t%s\t%s\t%s\n", row.measure.c_str(), row.meetling.c_str(), row.bare.c_str(),
                     row.ratio.c_str(), row.goal.c_str(), row.met.c_str());
        std::fclose(file);
    }
}

// The value below which a share p of the values lie (the nearest rank).
inline double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[std::size_t(p * double(values.size() - 1) + 0.5)];
}

} // namespace benchtable
