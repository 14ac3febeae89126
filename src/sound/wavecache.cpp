#include "sound/wavecache.h"

#include <QCryptographicHash>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 EndBytes = 4096;
constexpr qsizetype MaxEntries = 32;

qint64 sizeOf(const std::shared_ptr<const Wave> &wave)
{
    return wave ? wave->samples.size() : 0;
}

QString fileTypeReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a directory");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("not a regular file");
}

QString errnoReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Reads up to size bytes at offset; fewer when the file is shorter.
QByteArray readAt(int fd, qint64 offset, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, bytes.data() + done, size_t(size - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

// What tells one version of a file from another without reading it all.
QByteArray identityOf(int fd, const struct stat &st)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const qint64 fields[] = {qint64(st.st_dev),         qint64(st.st_ino),          qint64(st.st_size),
                             qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec), qint64(st.st_mode)};
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(fields), sizeof fields));
    if (S_ISREG(st.st_mode) && st.st_size <= MaxWaveFileBytes) {
        hash.addData(readAt(fd, 0, EndBytes));
        hash.addData(readAt(fd, qMax<qint64>(0, st.st_size - EndBytes), EndBytes));
    }
    return hash.result();
}

class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd = -1;
};

} // namespace

WaveCache::WaveCache(qint64 maxBytes, std::chrono::milliseconds decodeBudget)
    : m_maxBytes(maxBytes), m_decodeBudget(decodeBudget)
{}

std::shared_ptr<const Wave> WaveCache::builtIn(const QString &fileName)
{
    const QString key = QStringLiteral(":/sounds/") + fileName;
    if (auto known = m_entries.find(key); known != m_entries.end()) {
        known->lastUse = ++m_uses;
        return known->wave;
    }
    std::shared_ptr<const Wave> wave;
    QFile file(key);
    if (file.open(QIODevice::ReadOnly)) {
        if (auto decoded = decodeWave(file.read(MaxWaveFileBytes)); auto *ok = std::get_if<Wave>(&decoded))
            wave = std::make_shared<const Wave>(std::move(*ok));
    }
    keep(key, Entry{QByteArray(), wave});
    return wave;
}

WaveCache::Found WaveCache::find(const QString &fileName)
{
    // Only a bare name is looked up; anything with a directory part is not
    // one of the program's sounds.
    if (fileName.isEmpty() || fileName.contains(u'/') || fileName.contains(u'\\'))
        return {};
    const QByteArray path = QFile::encodeName(fileName);

    // Look before opening: a pipe or a device is never opened at all.
    struct stat st = {};
    const int statError = ::stat(path.constData(), &st) == 0 ? 0 : errno;
    if (statError == ENOENT)
        return {builtIn(fileName), {}};

    const Fd fd(S_ISREG(st.st_mode) ? ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1);
    QString reason;
    if (statError != 0)
        reason = errnoReason(statError);
    else if (fd.get() < 0 && S_ISREG(st.st_mode))
        reason = errnoReason(errno);
    else if (fd.get() >= 0 && ::fstat(fd.get(), &st) != 0)
        reason = errnoReason(errno);
    const QByteArray identity = identityOf(fd.get(), st);

    auto known = m_entries.find(fileName);
    if (known != m_entries.end() && known->identity == identity) {
        known->lastUse = ++m_uses;
        return {known->wave ? known->wave : builtIn(fileName), {}};
    }

    std::shared_ptr<const Wave> wave;
    if (reason.isEmpty() && !S_ISREG(st.st_mode)) {
        reason = fileTypeReason(st.st_mode);
    } else if (reason.isEmpty() && st.st_size > MaxWaveFileBytes) {
        reason = QStringLiteral("larger than %1 MiB").arg(MaxWaveFileBytes / (1024 * 1024));
    } else if (reason.isEmpty()) {
        const QDeadlineTimer deadline(m_decodeBudget);
        auto decoded = decodeWave(readAt(fd.get(), 0, st.st_size), deadline);
        if (auto *ok = std::get_if<Wave>(&decoded))
            wave = std::make_shared<const Wave>(std::move(*ok));
        else
            reason = std::get<QString>(decoded);
    }
    // The old version goes before the new one is kept.
    if (known != m_entries.end()) {
        m_bytes -= sizeOf(known->wave);
        m_entries.erase(known);
    }
    keep(fileName, Entry{identity, wave});
    if (wave)
        return {wave, {}};

    std::shared_ptr<const Wave> fallback = builtIn(fileName);
    QString complaint = QStringLiteral("meetling: cannot play %1 (%2)").arg(fileName, reason);
    if (fallback)
        complaint += QStringLiteral("; using the built-in sound");
    return {fallback, complaint};
}

void WaveCache::keep(const QString &key, Entry entry)
{
    entry.lastUse = ++m_uses;
    m_bytes += sizeOf(entry.wave);
    m_entries.insert(key, std::move(entry));
    // Forget the least recently used sounds until the rest fit.
    while ((m_bytes > m_maxBytes || m_entries.size() > MaxEntries) && m_entries.size() > 1) {
        auto oldest = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it.key() != key && (oldest == m_entries.end() || it->lastUse < oldest->lastUse))
                oldest = it;
        }
        m_bytes -= sizeOf(oldest->wave);
        m_entries.erase(oldest);
    }
}
