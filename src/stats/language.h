#pragma once

#include <QStringList>

namespace stats {

// The languages the programs speak: the system's is the first of the user's
// languages that they have, English when none is.
enum class Language { System, English, Japanese };

// Installs every catalogue built into the program for `language` in place of
// those installed before, and makes its locale the default one, so that
// QLocale() writes numbers and dates for it. The English catalogues hold the
// plural forms alone. Needs the application object; texts made before keep
// the language they were made in. Returns the language now in use.
Language useLanguage(Language language = Language::System);

// The language the texts are in now.
Language languageInUse();

// The font families texts are set in for the language in use: IPA's Gothic
// faces for Japanese (the proportional one first), none for English, whose
// texts take the system's.
QStringList fontFamilies();

} // namespace stats
