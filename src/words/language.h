#pragma once

#include <QStringList>

namespace stats {

// The languages the programs speak: the system's is the first of the user's
// languages that they have, English when none is.
enum class Language { System, English, Japanese };

// Installs every catalogue built into the program for `language` in place of
// those installed before, and makes its locale the default one, so that
// QLocale() writes numbers and dates for it. The English catalogues hold the
// plural forms alone. The programs' Japanese comes with its phrases joined
// (joinedPhrases()), so that its lines break between phrases. Needs the application object; texts made before keep
// the language they were made in. Returns the language now in use.
Language useLanguage(Language language = Language::System);

// The language the texts are in now.
Language languageInUse();

// Whether a text is set plain or bold.
enum class Weight { Regular, Bold };

// The font families texts are set in for the language in use. Japanese:
// plain, IPA's Gothic faces (the proportional one first), whose narrow kana
// and low lines keep every page of the window within a small screen and
// every character of a PDF its own when copied; bold, Noto Sans CJK JP
// first, whose bold is a face of its own (Qt thickens a face that has none
// into blobs); each with the others where it is missing. None for English,
// whose texts take the system's.
QStringList fontFamilies(Weight weight = Weight::Regular);

} // namespace stats
