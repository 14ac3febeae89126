#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// Number and text conversions as the handlers use them.
namespace conv {

// The decimal digits of a whole number, after one blank when it is zero or
// positive and after "-" when it is negative: 4 -> " 4", -3 -> "-3".
QString numberToText(long long value);
inline QString numberToText(int value)
{
    return numberToText(static_cast<long long>(value));
}

// The same for a float that holds a whole number (a floored time); any other
// value is written with the fewest digits that read back the same.
QString numberToText(double value);

// Reads the leading number of a text. Full-width forms (U+FF01..U+FF5E and
// the ideographic space) first read as their ASCII counterparts. Blanks, tabs
// and line feeds are skipped
// wherever they stand; then an optional sign, digits, a full stop as the
// decimal point and an optional exponent ("1.5e2"); or "&H" / "&O" followed by
// hexadecimal or octal digits. A text with no leading number gives 0; a
// decimal number beyond the range of a double gives +-infinity. Never fails.
double textToNumber(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour, and
// throws the overflow run-time error outside -32768..32767 (and for NaN).
std::int16_t toInt16(double value);

// The largest whole number not above value.
double floorValue(double value);

} // namespace conv
