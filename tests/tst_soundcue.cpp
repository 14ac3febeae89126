// The sound cue, the audio thread and the sound cache, without an audio
// server.

#include "sound/audiooutput.h"
#include "sound/audiothread.h"
#include "sound/soundcontrol.h"
#include "sound/soundcue.h"
#include "waiting.h"
#include "sound/wavecache.h"

#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

#include <utime.h>

namespace {

// What an output was asked to do, in order ("play NAME", "preload"), and a
// way to hold the audio thread inside its first play. The test reads lines
// only once the preload has released done.
struct PlayLog
{
    QStringList lines;
    QSemaphore entered, released, done;
    bool held = false;
};

class HeldOutput final : public AudioOutput
{
public:
    explicit HeldOutput(PlayLog &log) : m_log(log) {}
    void stop(int) override {}
    void play(int, const QString &fileName) override
    {
        m_log.lines.append(QStringLiteral("play ") + fileName);
        if (!std::exchange(m_log.held, true)) {
            m_log.entered.release();
            m_log.released.tryAcquire(1, int(waitDeadline().count()));
        }
    }
    void preload(const QStringList &) override
    {
        m_log.lines.append(QStringLiteral("preload"));
        m_log.done.release();
    }

private:
    PlayLog &m_log;
};

bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestSoundCue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The cache looks for sound files in the working directory.
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QFile builtIn(QStringLiteral(":/sounds/logoff.wav"));
        QVERIFY(builtIn.open(QIODevice::ReadOnly));
        m_wave = builtIn.readAll();
    }

    void aBusyThreadPlaysOnlyTheLatestTimelyCueOfEachControl()
    {
        PlayLog log;
        std::atomic<qint64> now{0};
        AudioThread thread([&log] { return std::make_unique<HeldOutput>(log); }, [&now] { return now.load(); });
        SoundControl first(thread), second(thread);
        SoundCue(first, QStringLiteral("a.wav"));
        QVERIFY(log.entered.tryAcquire(1, int(waitDeadline().count())));

        // While the audio thread is held (the cues still return at once): the
        // second control asks at 0, the first twice at 1000; the thread gets to
        // them just after the second's cue has become too late.
        SoundCue(second, QStringLiteral("late.wav"));
        now = 1000;
        SoundCue(first, QStringLiteral("replaced.wav"));
        SoundCue(first, QStringLiteral("latest.wav"));
        now = MaxLatenessMs + 1;
        thread.worker().preload({});
        log.released.release();

        QVERIFY(log.done.tryAcquire(1, int(waitDeadline().count())));
        QCOMPARE(log.lines, QStringList({"play a.wav", "play latest.wav", "preload"}));
    }

    void theCacheKeepsOneCopyOfTheLatestFile()
    {
        const QString name = QStringLiteral("copy.wav");
        auto touch = [](time_t when) {
            const utimbuf times{when, when};
            return ::utime("copy.wav", &times) == 0;
        };

        WaveCache cache;
        QVERIFY(writeFile(name, m_wave));
        const QByteArray first = cache.find(name).wave->samples;
        for (int i = 0; i < 20; ++i) {
            QVERIFY(touch(1'000'000 + i));
            QVERIFY(cache.find(name).wave);
        }
        QCOMPARE(cache.bytes(), first.size());

        // Other samples under the same size and modification time.
        QByteArray changed = m_wave;
        changed[changed.size() - 1] = char(0x7f);
        QVERIFY(writeFile(name, changed) && touch(1'000'019));
        QVERIFY(cache.find(name).wave->samples != first);
        QCOMPARE(cache.bytes(), first.size());
    }

    void theCacheForgetsTheLeastRecentlyUsedSound()
    {
        for (const char *name : {"a.wav", "b.wav", "c.wav"})
            QVERIFY(writeFile(QString::fromLatin1(name), m_wave));
        // The cache holds two of the sounds: a and b are found, a again, and
        // c is one too many.
        const qint64 one = WaveCache().find(QStringLiteral("a.wav")).wave->samples.size();
        WaveCache cache(2 * one + one / 2);
        QHash<QChar, std::shared_ptr<const Wave>> found;
        for (const QChar use : QStringLiteral("abac"))
            found[use] = cache.find(QString(use) + QStringLiteral(".wav")).wave;

        // A sound still kept comes back as the same copy; b, forgotten, is read
        // again. The kept ones are looked at first: a miss would evict.
        for (const QChar name : QStringLiteral("acb")) {
            const bool same = cache.find(QString(name) + QStringLiteral(".wav")).wave == found[name];
            QVERIFY2(same == (name != u'b'), qPrintable(QString(name)));
        }
    }

    void aFileTooSlowToDecodeGivesWayToTheBuiltInSoundOnce()
    {
        // No time at all to decode: any file is too slow.
        QVERIFY(writeFile(QStringLiteral("pinpon.wav"), m_wave));
        WaveCache cache(160 * 1024 * 1024, std::chrono::milliseconds(0));
        const WaveCache::Found first = cache.find(QStringLiteral("pinpon.wav"));
        QCOMPARE(first.complaint, u"meetling: cannot play pinpon.wav (too slow to decode); using the built-in sound");
        QFile builtIn(QStringLiteral(":/sounds/pinpon.wav"));
        QVERIFY(builtIn.open(QIODevice::ReadOnly));
        QCOMPARE(first.wave->samples, std::get<Wave>(decodeWave(builtIn.readAll())).samples);

        const WaveCache::Found again = cache.find(QStringLiteral("pinpon.wav"));
        QVERIFY(again.complaint.isEmpty());
        QCOMPARE(again.wave, first.wave);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_wave; // a wave file as the program's own: the built-in logoff.wav
};

QTEST_GUILESS_MAIN(TestSoundCue)
#include "tst_soundcue.moc"
