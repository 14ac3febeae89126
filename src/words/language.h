#pragma once

#include <QLocale>
#include <QStringList>

#include <array>
#include <string_view>
#include <vector>

namespace stats {

// The languages the programs speak, by their row in Languages (English,
// Japanese and any added there), or the system's: the first of the user's
// languages that they have, English when none is. Only the languages the
// code itself names are named here.
enum class Language { System = -1, English, Japanese };

// What the programs know of a language they speak, one row each. Adding one
// takes a row here and its catalogues (translations/*_CODE.ts, named in
// MEETLING_LANGUAGES in the top CMakeLists.txt).
struct LanguageRow
{
    // As settings keep it, and the catalogues' suffix: "ja" for meetling_stats_ja.qm.
    const char *code;
    // Its name in its own words (UTF-8), for whoever reads only it.
    const char *name;
    QLocale::Language locale;
    // Where its numbers and dates are written when the system speaks another language.
    QLocale::Territory territory;
    // The font families its texts are set in, plain and bold (fontFamilies()), or none for the system's.
    std::array<const char *, 3> regularFaces;
    std::array<const char *, 3> boldFaces;
};
// English first: the texts' own language, and what the system's gives
// when it speaks none of the others. Japanese: plain, IPA's Gothic faces
// (the proportional one first), whose narrow kana and low lines keep every
// page of the window within a small screen and every character of a PDF
// its own when copied; bold, Noto Sans CJK JP first, whose bold is a face
// of its own (Qt thickens a face that has none into blobs); each with the
// others where it is missing.
inline constexpr std::array Languages{
    LanguageRow{"en", "English", QLocale::English, QLocale::UnitedStates, {}, {}},
    LanguageRow{"ja",
                "日本語",
                QLocale::Japanese,
                QLocale::Japan,
                {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"},
                {"Noto Sans CJK JP", "IPAPGothic", "IPAGothic"}},
};
static_assert(std::string_view(Languages[std::size_t(Language::English)].code) == "en" &&
              std::string_view(Languages[std::size_t(Language::Japanese)].code) == "ja");

// Every language the programs speak, the system's first.
std::vector<Language> allLanguages();
// A language as settings keep it ("system", "en", "ja"), and back: the
// system's for a code no row has.
QString languageCode(Language language);
Language languageOfCode(const QString &code);
// Its name in its own words: "日本語".
QString languageName(Language language);

// Installs every catalogue built into the program for `language` in place of
// those installed before, and makes its locale the default one, so that
// QLocale() writes numbers and dates for it. The English catalogues hold the
// plural forms alone. The programs' Japanese comes with its phrases joined
// (joinedPhrases()), so that its lines break between phrases. Needs the application object; texts made before keep
// the language they were made in. Returns the language now in use.
Language useLanguage(Language language = Language::System);

// Whether a text is set plain or bold.
enum class Weight { Regular, Bold };

// The font families texts are set in for the language in use (its row's
// faces); none for English, whose texts take the system's.
QStringList fontFamilies(Weight weight = Weight::Regular);

} // namespace stats
