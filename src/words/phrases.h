#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace stats {

// East Asian wide and full-width characters, which a terminal shows two
// columns wide: the CJK scripts, their punctuation and full-width forms.
bool isWide(char32_t c);

// Whether a line may break before text[i], where text[i - 1] is no space.
// Latin words break at spaces only. Japanese breaks between phrases: after
// a run of kana that ends a phrase (a particle, a verb's ending) and before
// a word in kanji, katakana or Latin letters, after a comma or a full stop,
// before an opening bracket; never inside a word ("それぞれ", "おそいため",
// "歩き回る", "やり方"), before a closing bracket or a comma, after an
// opening one, or between a number and its unit ("180秒").
bool mayBreakBefore(QStringView text, qsizetype i);

// The text with a WORD JOINER (U+2060) between any two characters that
// mayBreakBefore() keeps together where one of them is wide, so that Qt,
// which breaks Japanese between any two characters, breaks it between
// phrases only. Latin text, and a text with no wide character, comes back
// as it is; so does "&" before the letter it marks.
QString joinedPhrases(const QString &text);

// The text without the joiners joinedPhrases() puts in: what a terminal
// shows, the clipboard holds or a file keeps.
QString withoutJoiners(QString text);

// The columns text takes on a terminal: two for each East Asian wide or
// full-width character, one for any other.
int columnsOf(QStringView text);
// text broken into lines of at most width columns, each starting with
// indent: at spaces, and where Japanese, written without them, allows
// (mayBreakBefore(): between phrases), with no joiner left in. A word longer
// than a line stands alone on one.
QStringList wrappedLines(const QString &text, int width, const QString &indent = QString());
// The same lines, each ended with a line break.
QString wrapped(const QString &text, int width, const QString &indent = QString());

} // namespace stats
