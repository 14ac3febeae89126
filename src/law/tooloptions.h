#pragma once

// The statistics tool's name and the options of its command line that ask
// a question and play its runs, spelt once: the tool reads them
// (stats/options.cpp), and a file of simulated counts quotes them
// (SimulatedBy, law/classcounts.h).
namespace stats::tool {

inline constexpr char Name[] = "meetling-stats";
inline constexpr char Momotaro[] = "momo";
inline constexpr char Dog[] = "dog";
inline constexpr char Seconds[] = "seconds";
inline constexpr char Runs[] = "runs";
inline constexpr char Seed[] = "seed";
inline constexpr char Csv[] = "csv";

} // namespace stats::tool
