#pragma once

#include <QByteArray>
#include <QString>

namespace stats {

// Writes bytes into file whole or not at all: a regular file, or a new one,
// is replaced only once everything is written. A device or a pipe (/dev/null,
// a FIFO) cannot be replaced and is written directly. On failure, error says
// why in the system's words ("No space left on device").
bool saveFile(const QString &file, const QByteArray &bytes, QString &error);

// Writes bytes to standard output and flushes it; on failure, error says why.
bool writeStandardOutput(const QByteArray &bytes, QString &error);

} // namespace stats
