#include "savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace stats {

bool saveFile(const QString &file, const QByteArray &bytes, QString &error)
{
    const QFileInfo info(file);
    if (info.exists() && !info.isFile()) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(bytes) != bytes.size()) {
            error = out.errorString();
            return false;
        }
        return true;
    }
    // Unbuffered, so that a write the file system refuses (a full disk) fails
    // here: written through a buffer, it would fail only as the file is
    // committed, where it goes unseen, and an empty or cut file would be
    // renamed over the old one.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(bytes) != bytes.size() || !out.commit()) {
        error = out.errorString();
        return false;
    }
    return true;
}

bool writeStandardOutput(const QByteArray &bytes, QString &error)
{
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size())
        && std::fflush(stdout) == 0)
        return true;
    error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace stats
