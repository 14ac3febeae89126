#include "problem_window/problemtexts.h"

namespace problemtexts {

QString problemTitle()
{
    return QStringLiteral("　　　　The 4th Japan Mathematics Competition Problem (8.22.1993)");
}

QStringList problemLines()
{
    return {
        QStringLiteral(" 【Problem】"),
        QStringLiteral("        Dr. Zolu may also date a woman. However , befor this , the"),
        QStringLiteral("    meeting place was crowded and it was getting dark. So it took her"),
        QStringLiteral("　　an hour to find him  , and it was a big fight. In fact , Dr. Zolu , who"),
        QStringLiteral("　　has considerable myopia and astigmatisu , thought it was better to"),
        QStringLiteral("　　stay still than to wander around. He was stuck in a certain place"),
        QStringLiteral("　　within the range designated ｢Please wait around here｣. But she didn't"),
        QStringLiteral("　　like it. "),
        QStringLiteral("        She argues that it should be faster for each other to find each"),
        QStringLiteral("    other and move around. The rational is that if both  don't move , "),
        QStringLiteral("    each other will never find each other. Of course , Dr. Zolu thinks "),
        QStringLiteral("    he is absolutely right in ｢mathematical｣ , as there is a saying ｢he "),
        QStringLiteral("    should stay still and wait for help in the event of a distress in the"),
        QStringLiteral("    mountain｣. but he was a little confident by her anger. "),
        QStringLiteral("        Which side would you like ? And why ? Can you explain the reason "),
        QStringLiteral("    mathematically ?"),
    };
}

QString conditionsTitle()
{
    return QStringLiteral("【Simulation conditions】");
}

QStringList conditionLines()
{
    return {
        QStringLiteral("　　1. Momotaro and Dog move on 11 straight grid points each vertically."),
        QStringLiteral("　　   and horizontally."),
        QStringLiteral("　　2. The provability that Momotaro and Dog will move in eight directions"),
        QStringLiteral("　　   at each grid point is the same."),
        QStringLiteral("　　3. At each grid point , Momotaro and Dog advance by one vertical , "),
        QStringLiteral("       horizontal , or diagonal scale for each movement 1 and determine"),
        QStringLiteral("       the direction for each grid point advanced."),
    };
}

} // namespace problemtexts
