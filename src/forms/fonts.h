#pragma once

#include <QFont>

namespace fonts {

// The Japanese face the windows ask for. Linux has no such font; it is
// mapped to IPA P Gothic (and, failing that, to other Japanese gothic faces)
// so that the program's CJK characters render.
inline constexpr char16_t JapaneseGothic[] = u"ＭＳ Ｐゴシック";

// Registers the mapping; safe to call more than once.
void installSubstitutes();

QFont japaneseGothic(double pointSize, bool bold = false);

// The font of both windows' buttons and plain labels: the Japanese gothic at
// 9 points, narrow enough for the longest captions to fit their buttons.
QFont windowFont();

} // namespace fonts
