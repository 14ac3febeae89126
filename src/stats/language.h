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

// Where a text is set: in the window's widgets, or on a picture or a sheet.
enum class FontUse { Window, Pictures };

// The font families texts are set in for the language in use. Japanese:
// on pictures and sheets Noto Sans CJK JP first, whose bold is a face of its
// own (Qt thickens a face that has none into blobs); in the window IPA's
// Gothic faces first (the proportional one first), whose narrower kana and
// lower lines keep every page within a small screen; each with the others
// where it is missing. None for English, whose texts take the system's.
QStringList fontFamilies(FontUse use = FontUse::Window);

} // namespace stats
