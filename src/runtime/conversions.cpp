#include "runtime/conversions.h"

#include "runtime/runtimeerror.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace conv {

QString numberToText(long long value)
{
    const QString digits = QString::number(value);
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

QString numberToText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e18)
        return numberToText(static_cast<long long>(value));
    const QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    return value < 0 || std::signbit(value) ? text : QLatin1Char(' ') + text;
}

namespace {

bool isSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// A Japanese input method in full-width mode types U+FF01..U+FF5E for the
// ASCII characters "!".."~" and U+3000 for the blank; they read as the ASCII
// ones, so "１ ０" (with an ideographic space) is 10 like "1 0".
char16_t foldFullWidth(char16_t c)
{
    if (c >= u'\uFF01' && c <= u'\uFF5E')
        return char16_t(c - 0xFEE0);
    return c == u'\u3000' ? u' ' : c;
}

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return 99;
}

// Reads digits of the given base from the front of s as an unsigned integer.
double readRadix(const std::u16string &s, std::size_t pos, int base)
{
    double value = 0;
    for (; pos < s.size(); ++pos) {
        const int d = digitValue(s[pos]);
        if (d >= base)
            break;
        value = value * base + d;
    }
    return value;
}

// The longest prefix of s that is a decimal number, as plain ASCII.
std::string decimalPrefix(const std::u16string &s)
{
    std::size_t i = 0;
    std::string out;
    auto take = [&] { out.push_back(static_cast<char>(s[i++])); };
    auto takeDigits = [&] {
        std::size_t n = 0;
        while (i < s.size() && isAsciiDigit(s[i])) {
            take();
            ++n;
        }
        return n;
    };

    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        take();
    std::size_t mantissaDigits = takeDigits();
    if (i < s.size() && s[i] == u'.') {
        take();
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return {};

    // An exponent counts only when at least one digit follows it.
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        if (j < s.size() && isAsciiDigit(s[j])) {
            while (i < j)
                take();
            takeDigits();
        }
    }
    return out;
}

// The power of ten of an unsigned decimal number's leading digit, saturated;
// used only to tell an overflow from an underflow.
long long decimalMagnitude(const std::string &number)
{
    const auto ePos = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, ePos);
    const auto point = std::min(mantissa.find('.'), mantissa.size());
    const auto firstNonZero = mantissa.find_first_not_of("0.");
    if (firstNonZero == std::string::npos)
        return 0;
    long long magnitude = firstNonZero < point ? static_cast<long long>(point - firstNonZero) - 1
                                               : -static_cast<long long>(firstNonZero - point);

    if (ePos != std::string::npos) {
        std::size_t i = ePos + 1;
        const bool negative = number[i] == '-';
        if (number[i] == '+' || negative)
            ++i;
        long long exponent = 0;
        for (; i < number.size(); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000'000LL);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

} // namespace

double textToNumber(QStringView text)
{
    std::u16string s;
    s.reserve(text.size());
    for (QChar qc : text) {
        const char16_t c = foldFullWidth(qc.unicode());
        if (!isSkipped(c))
            s.push_back(c);
    }

    if (s.size() >= 2 && s[0] == u'&') {
        if (s[1] == u'h' || s[1] == u'H')
            return readRadix(s, 2, 16);
        if (s[1] == u'o' || s[1] == u'O')
            return readRadix(s, 2, 8);
        return 0;
    }

    std::string number = decimalPrefix(s);
    if (number.empty())
        return 0;
    const bool negative = number.front() == '-';
    // from_chars takes no leading plus sign.
    if (number.front() == '+' || negative)
        number.erase(0, 1);

    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range)
        value = decimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

std::int16_t toInt16(double value)
{
    if (std::isnan(value))
        throw RuntimeError::overflow();
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < INT16_MIN || whole > INT16_MAX)
        throw RuntimeError::overflow();
    return static_cast<std::int16_t>(whole);
}

double floorValue(double value)
{
    return std::floor(value);
}

} // namespace conv
