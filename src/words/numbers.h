#pragma once

#include <QString>

#include <utility>

// Numbers as the programs write them, in the language in use (QLocale()):
// a number is written to a count of decimals fixed by what it is, never in
// the shortest form that happens to hold it.
namespace stats {

// A number to so many decimals: fixed(9.4321, 2) is "9.43".
QString fixed(double value, int decimals);
// A whole number, its thousands parted as the language parts them: 100,000.
QString wholeNumber(qlonglong n);
// A number of hundredths with the percent sign: "72.6%".
QString percentText(double hundredths, int decimals);
// A chance as a class reads it: one decimal, never rounded to 0% or 100%.
QString percent(double p);
// A number of seconds to so many decimals: "12.3 s".
QString secondsText(double seconds, int decimals);
// Two numbers of meetings as a sentence compares them: one decimal from 1 up,
// two significant digits below ("9.4", "0.17", "0.015"), "less than 0.001"
// for fewer, and more digits where the two would otherwise read alike.
std::pair<QString, QString> amounts(double a, double b);

} // namespace stats
