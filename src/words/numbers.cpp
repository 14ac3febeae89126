#include "words/numbers.h"

#include <QCoreApplication>
#include <QLocale>

namespace stats {

namespace {

struct Wording
{
    Q_DECLARE_TR_FUNCTIONS(stats::Wording)
};

struct Verdicts
{
    Q_DECLARE_TR_FUNCTIONS(stats::Verdicts)
};

} // namespace

QString fixed(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

QString wholeNumber(qlonglong n)
{
    return QLocale().toString(n);
}

QString percentText(double hundredths, int decimals)
{
    //: A percentage: %1 is the number.
    return Wording::tr("%1%").arg(fixed(hundredths, decimals));
}

QString percent(double p)
{
    if (p <= 0)
        return percentText(0, 0);
    if (p >= 1)
        return percentText(100, 0);
    if (p > 0.999)
        return Wording::tr("more than %1", "a chance: %1 is 99.9%").arg(percentText(99.9, 1));
    if (p < 0.001)
        return Wording::tr("less than %1", "a chance: %1 is 0.1%").arg(percentText(0.1, 1));
    return percentText(100 * p, 1);
}

QString secondsText(double seconds, int decimals)
{
    //: A number of seconds.
    return Wording::tr("%1 s").arg(fixed(seconds, decimals));
}

std::pair<QString, QString> amounts(double a, double b)
{
    const auto text = [](double value, int extra) {
        if (value > 0 && value < 0.001)
            return Verdicts::tr("less than %1", "meetings in a run: %1 is 0.001").arg(QLocale().toString(0.001));
        return value >= 1 ? fixed(value, 1 + extra) : QLocale().toString(value, 'g', 2 + extra);
    };
    int extra = 0;
    while (extra < 3 && a != b && text(a, extra) == text(b, extra))
        ++extra;
    return {text(a, extra), text(b, extra)};
}

} // namespace stats
