#include "law/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace stats {

SaveFile::SaveFile(const QString &file)
{
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        m_out = std::make_unique<QFile>(file);
    else
        m_out = std::make_unique<QSaveFile>(file);
}

SaveFile::~SaveFile() = default;

bool SaveFile::open(QString &error)
{
    // Unbuffered, so that a write the file system refuses (a full disk) fails
    // in write(): written through a buffer, it would fail only as the file is
    // committed, where it goes unseen, and an empty or cut file would be
    // renamed over the old one.
    if (m_out->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return true;
    error = m_out->errorString();
    return false;
}

bool SaveFile::write(const QByteArray &bytes, QString &error)
{
    // A write cut short (the disk filled up part way) reports no error of
    // its own; writing the rest fails with the system's reason.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = m_out->write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            error = m_out->errorString();
            return false;
        }
        done += written;
    }
    return true;
}

bool SaveFile::commit(QString &error)
{
    auto *save = qobject_cast<QSaveFile *>(m_out.get());
    if (!save || save->commit())
        return true;
    error = save->errorString();
    return false;
}

bool saveFile(const QString &file, const QByteArray &bytes, QString &error)
{
    if (file == StandardOutput)
        return writeStandardOutput(bytes, error);
    SaveFile out(file);
    return out.open(error) && out.write(bytes, error) && out.commit(error);
}

bool writeStandardOutput(const QByteArray &bytes, QString &error)
{
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size()) &&
        std::fflush(stdout) == 0)
        return true;
    error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace stats
