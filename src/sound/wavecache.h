#pragma once

#include "sound/wave.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <chrono>
#include <memory>

// The decoded sounds of the process, one entry per file, shared by every
// multimedia control. Not thread-safe: the audio thread alone uses it.
class WaveCache
{
public:
    struct Found
    {
        std::shared_ptr<const Wave> wave; // null: nothing to play
        // Set the first time a file that is there cannot be played:
        // "meetling: cannot play NAME (reason); using the built-in sound".
        QString complaint;
    };

    // maxBytes bounds the decoded samples kept; the sound just found is
    // always kept. A file that takes longer than decodeBudget to read and
    // decode is not played (the cue that asked for it would come late);
    // the built-in sound is.
    explicit WaveCache(qint64 maxBytes = 160 * 1024 * 1024,
                       std::chrono::milliseconds decodeBudget = std::chrono::milliseconds(200));

    // The sound for a bare file name: the working directory's file when it
    // is there and can be played, else the built-in copy (:/sounds/NAME).
    // Only regular files up to MaxWaveFileBytes are opened, without blocking;
    // a file is read again when its size, modification time, inode or first
    // and last few KiB change.
    Found find(const QString &fileName);

    qint64 bytes() const { return m_bytes; }

private:
    struct Entry
    {
        QByteArray identity; // stat fields and a hash of the file's ends
        std::shared_ptr<const Wave> wave;
        quint64 lastUse = 0;
    };

    std::shared_ptr<const Wave> builtIn(const QString &fileName);
    void keep(const QString &key, Entry entry);

    qint64 m_maxBytes = 0;
    std::chrono::milliseconds m_decodeBudget;
    qint64 m_bytes = 0;
    quint64 m_uses = 0;
    QHash<QString, Entry> m_entries;
};
