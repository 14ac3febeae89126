#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFileDevice;

namespace stats {

// The file name that stands for standard output.
inline const QString StandardOutput = QStringLiteral("-");

// A file written a piece at a time, whole or not at all: a regular file, or
// a new one, is replaced only by commit(), once everything is written; left
// uncommitted, the old file stays as it was. A device or a pipe (/dev/null,
// a FIFO) cannot be replaced and is written directly. On failure, error says
// why in the system's words ("No space left on device").
class SaveFile
{
public:
    explicit SaveFile(const QString &file);
    ~SaveFile();
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    bool open(QString &error);
    bool write(const QByteArray &bytes, QString &error);
    bool commit(QString &error);

private:
    std::unique_ptr<QFileDevice> m_out;
};

// A whole file at once, through SaveFile; to standard output where file is
// StandardOutput.
bool saveFile(const QString &file, const QByteArray &bytes, QString &error);

// Writes bytes to standard output and flushes it; on failure, error says why.
bool writeStandardOutput(const QByteArray &bytes, QString &error);

} // namespace stats
