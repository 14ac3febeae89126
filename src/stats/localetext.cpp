#include "stats/localetext.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <optional>

#include <iconv.h>
#include <langinfo.h>

namespace stats {

namespace {

// UTF-8, or unknown and taken as UTF-8, as Qt takes it.
bool isUtf8(const QByteArray &codeset)
{
    return codeset.isEmpty() || codeset.compare("UTF-8", Qt::CaseInsensitive) == 0 ||
           codeset.compare("utf8", Qt::CaseInsensitive) == 0;
}

// The bytes of a UTF-8 sequence that starts with lead.
int sequenceLength(unsigned char lead)
{
    return lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
}

// text converted by iconv into codeset; where a character has no place in
// it, if substitute, its nearest in the codeset (" for “ in ASCII) or '?',
// else no text at all.
std::optional<QByteArray> converted(const QByteArray &codeset, const QString &text, bool substitute)
{
    const iconv_t cd = ::iconv_open((substitute ? codeset + "//TRANSLIT" : codeset).constData(), "UTF-8");
    if (cd == iconv_t(-1))
        return text.toUtf8();
    QByteArray in = text.toUtf8();
    QByteArray out;
    char *from = in.data();
    std::size_t left = std::size_t(in.size());
    char buffer[4096];
    bool whole = true;
    for (bool flushing = false;;) {
        char *to = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done =
            flushing ? ::iconv(cd, nullptr, nullptr, &to, &room) : ::iconv(cd, &from, &left, &to, &room);
        const int error = errno;
        out.append(buffer, to - buffer);
        if (done != std::size_t(-1)) {
            // A stateful encoding (ISO-2022-JP) ends in its initial state.
            if (flushing)
                break;
            flushing = true;
        } else if (error == EILSEQ || error == EINVAL) {
            whole = false;
            if (!substitute)
                break;
            out.append('?');
            const std::size_t skipped = std::min(left, std::size_t(sequenceLength(static_cast<unsigned char>(*from))));
            from += skipped;
            left -= skipped;
        } else if (error != E2BIG) {
            whole = false;
            break;
        }
    }
    ::iconv_close(cd);
    if (!whole && !substitute)
        return std::nullopt;
    return out;
}

} // namespace

LocaleText::LocaleText()
{
    // The locale is put back as it was: the application object sets the
    // one it needs. A locale the system lacks leaves the encoding unknown.
    const QByteArray before = std::setlocale(LC_CTYPE, nullptr);
    if (std::setlocale(LC_CTYPE, ""))
        m_codeset = ::nl_langinfo(CODESET);
    std::setlocale(LC_CTYPE, before.constData());
}

bool LocaleText::canWrite(const QString &text) const
{
    return isUtf8(m_codeset) || converted(m_codeset, text, false).has_value();
}

QByteArray LocaleText::encoded(const QString &text) const
{
    if (isUtf8(m_codeset))
        return text.toUtf8();
    return *converted(m_codeset, text, true);
}

} // namespace stats
