#include "forms/fonts.h"

#include <QStringList>

namespace fonts {

void installSubstitutes()
{
    static const bool installed = [] {
        const QStringList substitutes{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")};
        QFont::insertSubstitutions(QString::fromUtf16(JapaneseGothic), substitutes);
        return true;
    }();
    (void)installed;
}

QFont japaneseGothic(double pointSize, bool bold)
{
    installSubstitutes();
    QFont font(QString::fromUtf16(JapaneseGothic));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont windowFont()
{
    return japaneseGothic(9);
}

} // namespace fonts
