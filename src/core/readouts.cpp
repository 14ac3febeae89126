#include "core/readouts.h"

#include "runtime/conversions.h"
#include "core/rules.h"

namespace readouts {

QString position(Walker walker, int x, int y)
{
    const QString name = walker == Walker::Dog ? QStringLiteral("Dog: ") : QStringLiteral("Momotaro: ");
    return name + QStringLiteral("x=") + conv::numberToText(x) + QStringLiteral("  y=") + conv::numberToText(y);
}

QString position(const WalkState &state, Walker walker)
{
    return walker == Walker::Dog ? position(walker, state.dogX, state.dogY)
                                 : position(walker, state.momoX, state.momoY);
}

QString meetings(int count)
{
    return QStringLiteral("Number of meetlings =") + conv::numberToText(count);
}

QString elapsed(double wholeSeconds)
{
    return conv::numberToText(wholeSeconds) + QStringLiteral(" / ") + QString::number(rules::TimeLimitSeconds) +
           QStringLiteral(" sec");
}

} // namespace readouts
