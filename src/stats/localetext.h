#pragma once

#include <QByteArray>
#include <QString>

namespace stats {

// Text for people to read on standard output and standard error, in the
// encoding of the locale the environment sets (LC_ALL, LC_CTYPE, LANG) as the
// C library names it: EUC-JP under ja_JP, UTF-8 under ja_JP.UTF-8, ASCII
// under C.
class LocaleText
{
public:
    // Reads the locale's encoding. To be made before the application object,
    // which puts a UTF-8 locale in place of any other.
    LocaleText();

    // Whether every character of text can be written in the encoding.
    bool canWrite(const QString &text) const;
    // text in the encoding, each character it lacks written as its nearest
    // there (" for “ in ASCII) or as '?'.
    QByteArray encoded(const QString &text) const;

private:
    QByteArray m_codeset;
};

} // namespace stats
