#include "words/phrases.h"

#include <algorithm>

namespace stats {

namespace {

constexpr char16_t WordJoiner = u'\u2060';

char32_t codePointBefore(QStringView text, qsizetype i)
{
    if (i >= 2 && text[i - 1].isLowSurrogate() && text[i - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[i - 2], text[i - 1]);
    return text[i - 1].unicode();
}

char32_t codePointAt(QStringView text, qsizetype i)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    return text[i].unicode();
}

bool isOneOf(char32_t c, QStringView set)
{
    return c < 0x10000 && set.contains(QChar(char16_t(c)));
}

bool isHiragana(char32_t c)
{
    return c >= 0x3041 && c <= 0x309f;
}

bool isKanji(char32_t c)
{
    return (c >= 0x4e00 && c <= 0x9fff) || (c >= 0x3400 && c <= 0x4dbf) || c == u'々';
}

// What a line may not start with: closing brackets and punctuation, small
// kana and the long vowel mark; and what it may not end with: opening
// brackets.
bool noBreakBefore(char32_t c)
{
    return isOneOf(
        c,
        u"、。，．・：；？！ー…‥）」』】〕〉》｝］’”々ゝゞヽヾぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ゛゜％)]},.;:!?%");
}

bool isOpening(char32_t c)
{
    return isOneOf(c, u"（「『【〔〈《｛［‘“([{");
}

// The kana that end a phrase when one stands alone between two words in
// kanji: a particle ("実験の平均") or the ending of a verb or an adverb
// ("出会う回数", "多く出会う"); any other joins a compound ("歩き回る",
// "引き分け", "待ち時間").
bool endsPhrase(char32_t c)
{
    return isOneOf(c, u"のがをにでとはもへやかうくすつぬむゆるぐずぶ");
}

// Words whose kana come before their kanji, kept whole.
bool insideWord(QStringView text, qsizetype i)
{
    static const QStringView words[] = {u"やり方", u"やり直", u"くり返", u"お話"};
    if (text[i] == u'方')
        return true;
    for (QStringView word : words) {
        for (qsizetype cut = 1; cut < word.size(); ++cut) {
            if (i >= cut && text.sliced(i - cut).startsWith(word))
                return true;
        }
    }
    return false;
}

// The code point at text[i], and how many QChars it takes.
char32_t codePointAt(QStringView text, qsizetype i, qsizetype &size)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        size = 2;
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    }
    size = 1;
    return text[i].unicode();
}

int columnsOfCharacter(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format: return 0;
    default: return isWide(c) ? 2 : 1;
    }
}

// A word cut where a line may break inside it.
QList<QStringView> unbreakable(QStringView word)
{
    QList<QStringView> pieces;
    qsizetype start = 0;
    for (qsizetype i = 0, size = 0; i < word.size(); i += size) {
        codePointAt(word, i, size); // for its size: a break falls between code points
        if (i > 0 && mayBreakBefore(word, i)) {
            pieces << word.sliced(start, i - start);
            start = i;
        }
    }
    pieces << word.sliced(start);
    return pieces;
}

} // namespace

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115f) || (c >= 0x2e80 && c <= 0x303e) || (c >= 0x3041 && c <= 0x33ff) ||
           (c >= 0x3400 && c <= 0x4dbf) || (c >= 0x4e00 && c <= 0x9fff) || (c >= 0xa000 && c <= 0xa4cf) ||
           (c >= 0xac00 && c <= 0xd7a3) || (c >= 0xf900 && c <= 0xfaff) || (c >= 0xfe30 && c <= 0xfe4f) ||
           (c >= 0xff00 && c <= 0xff60) || (c >= 0xffe0 && c <= 0xffe6) || (c >= 0x1f300 && c <= 0x1f64f) ||
           (c >= 0x1f900 && c <= 0x1f9ff) || (c >= 0x20000 && c <= 0x3fffd);
}

bool mayBreakBefore(QStringView text, qsizetype i)
{
    const char32_t before = codePointBefore(text, i);
    const char32_t after = codePointAt(text, i);
    if (noBreakBefore(after) || isOpening(before))
        return false;
    if (!isWide(before) && !isWide(after))
        return false;
    if (isOpening(after) || isOneOf(before, u"、。，．！？：；"))
        return true;
    if (isOneOf(before, u"）」』】〕〉》｝］’”)]}"))
        return !isHiragana(after);
    if (!isHiragana(before) || isHiragana(after) || insideWord(text, i))
        return false;
    // A lone kana between kanji may join a compound.
    const qsizetype previous = i - 1;
    if (isKanji(after) && previous >= 1 && isKanji(codePointBefore(text, previous)))
        return endsPhrase(before);
    return true;
}

QString joinedPhrases(const QString &text)
{
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return isWide(c.unicode()); }))
        return text;
    QString joined;
    joined.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0 && !text[i].isLowSurrogate()) {
            const char32_t before = codePointBefore(text, i);
            const char32_t after = codePointAt(text, i);
            const bool spaced = QChar::isSpace(before) || QChar::isSpace(after);
            if (!spaced && before != u'&' && (isWide(before) || isWide(after)) && !mayBreakBefore(text, i))
                joined += WordJoiner;
        }
        joined += text[i];
    }
    return joined;
}

QString withoutJoiners(QString text)
{
    return text.remove(WordJoiner);
}

int columnsOf(QStringView text)
{
    int columns = 0;
    for (qsizetype i = 0, size = 0; i < text.size(); i += size)
        columns += columnsOfCharacter(codePointAt(text, i, size));
    return columns;
}

QStringList wrappedLines(const QString &text, int width, const QString &indent)
{
    QStringList lines;
    const int indentColumns = columnsOf(indent);
    QString line = indent;
    int columns = indentColumns;
    bool empty = true;
    for (const QString &word : withoutJoiners(text).split(u' ', Qt::SkipEmptyParts)) {
        bool wordStart = true;
        for (const QStringView piece : unbreakable(word)) {
            const int pieceColumns = columnsOf(piece);
            const int space = wordStart && !empty ? 1 : 0;
            if (!empty && columns + space + pieceColumns > width) {
                lines << line;
                line = indent;
                columns = indentColumns;
            } else if (space > 0) {
                line += u' ';
                ++columns;
            }
            line += piece;
            columns += pieceColumns;
            empty = false;
            wordStart = false;
        }
    }
    return lines << line;
}

QString wrapped(const QString &text, int width, const QString &indent)
{
    return wrappedLines(text, width, indent).join(u'\n') + u'\n';
}

} // namespace stats
