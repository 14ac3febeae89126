// The sound cue, the audio thread and the sound cache, without an audio
// server.

#include "audiooutput.h"
#include "audiothread.h"
#include "qtmultimediacontrol.h"
#include "soundcue.h"
#include "waiting.h"
#include "wavecache.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

#include <utime.h>

namespace {

// What an output was asked to play, in order, and a way to hold the audio
// thread inside its first play.
struct PlayLog
{
    QMutex mutex;
    QStringList lines; // "play NAME", "preload"
    QSemaphore entered;
    QSemaphore released;

    void add(const QString &line)
    {
        const QMutexLocker lock(&mutex);
        lines.append(line);
    }
    QStringList read()
    {
        const QMutexLocker lock(&mutex);
        return lines;
    }
};

class HeldOutput final : public AudioOutput
{
public:
    explicit HeldOutput(PlayLog &log) : m_log(log) {}
    void stop(int) override {}
    void play(int, const QString &fileName) override
    {
        m_log.add(QStringLiteral("play ") + fileName);
        if (!std::exchange(m_held, true)) {
            m_log.entered.release();
            m_log.released.tryAcquire(1, int(waitDeadline().count()));
        }
    }
    void preload(const QStringList &) override { m_log.add(QStringLiteral("preload")); }

private:
    PlayLog &m_log;
    bool m_held = false;
};

// Writes bytes to a file of the working directory.
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
    void aBusyThreadPlaysOnlyTheLatestTimelyCueOfEachControl();
    void builtInSoundsAreShortCleanWaves();
    void theCacheKeepsOneCopyOfTheLatestFile();
    void theCacheForgetsTheLeastRecentlyUsedSound_data();
    void theCacheForgetsTheLeastRecentlyUsedSound();
};

void TestSoundCue::aBusyThreadPlaysOnlyTheLatestTimelyCueOfEachControl()
{
    PlayLog log;
    std::atomic<qint64> now{0};
    AudioThread thread([&log] { return std::make_unique<HeldOutput>(log); }, [&now] { return now.load(); });
    QtMultimediaControl first(thread);
    QtMultimediaControl second(thread);
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

    QTRY_VERIFY_WITH_TIMEOUT(log.read().contains(u"preload"), int(waitDeadline().count()));
    QCOMPARE(log.read(), QStringList({"play a.wav", "play latest.wav", "preload"}));
}

void TestSoundCue::builtInSoundsAreShortCleanWaves()
{
    WaveCache cache;
    for (const auto &[name, seconds] : {std::pair{"pinpon.wav", 1.0}, {"endpinpon.wav", 2.0}, {"logoff.wav", 1.0}}) {
        const WaveCache::Found found = cache.find(QString::fromLatin1(name));
        QVERIFY(found.wave && found.complaint.isEmpty());
        QVERIFY(found.wave->sampleRate == 44100 && found.wave->channels == 1);
        const auto *s = reinterpret_cast<const qint16 *>(found.wave->samples.constData());
        const qsizetype n = found.wave->samples.size() / 2;
        QVERIFY(n < seconds * 44100);
        // Starts and ends in silence (no click), and never clips.
        QVERIFY(std::abs(s[0]) < 100 && std::abs(s[n - 1]) < 100);
        QVERIFY(std::all_of(s, s + n, [](qint16 v) { return v > -32768 && v < 32767; }));
    }
}

void TestSoundCue::theCacheKeepsOneCopyOfTheLatestFile()
{
    QTemporaryDir dir;
    const QString home = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const auto back = qScopeGuard([&] { QDir::setCurrent(home); });
    QFile builtIn(QStringLiteral(":/sounds/logoff.wav"));
    QVERIFY(builtIn.open(QIODevice::ReadOnly));
    const QByteArray logoff = builtIn.readAll();
    auto write = [](const QByteArray &bytes) {
        QFile file(QStringLiteral("pinpon.wav"));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    auto touch = [](time_t when) {
        const utimbuf times{when, when};
        return ::utime("pinpon.wav", &times) == 0;
    };

    WaveCache cache;
    QVERIFY(write(logoff));
    const QByteArray first = cache.find(QStringLiteral("pinpon.wav")).wave->samples;
    const qint64 one = first.size();
    for (int i = 0; i < 20; ++i) {
        QVERIFY(touch(1'000'000 + i));
        QVERIFY(cache.find(QStringLiteral("pinpon.wav")).wave);
    }
    QCOMPARE(cache.bytes(), one);

    // Other samples under the same size and modification time.
    QByteArray changed = logoff;
    changed[changed.size() - 1] = char(0x7f);
    QVERIFY(write(changed) && touch(1'000'019));
    const WaveCache::Found found = cache.find(QStringLiteral("pinpon.wav"));
    QVERIFY(found.wave->samples != first);
    QCOMPARE(cache.bytes(), one);
}

void TestSoundCue::theCacheForgetsTheLeastRecentlyUsedSound_data()
{
    QTest::addColumn<QString>("uses"); // sounds found, in order, each a letter
    QTest::addColumn<QString>("forgotten");
    // The cache holds two of the sounds; the third found is one too many.
    QTest::newRow("none used again") << "abc" << "a";
    QTest::newRow("the first used again") << "abac" << "b";
}

void TestSoundCue::theCacheForgetsTheLeastRecentlyUsedSound()
{
    QFETCH(QString, uses);
    QFETCH(QString, forgotten);
    QTemporaryDir dir;
    const QString home = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const auto back = qScopeGuard([&] { QDir::setCurrent(home); });
    QFile builtIn(QStringLiteral(":/sounds/logoff.wav"));
    QVERIFY(builtIn.open(QIODevice::ReadOnly));
    const QByteArray logoff = builtIn.readAll();
    for (const char *name : {"a.wav", "b.wav", "c.wav"})
        QVERIFY(writeFile(QString::fromLatin1(name), logoff));

    const qint64 one = WaveCache().find(QStringLiteral("a.wav")).wave->samples.size();
    WaveCache cache(2 * one + one / 2);
    QHash<QChar, std::shared_ptr<const Wave>> found;
    for (const QChar use : uses)
        found[use] = cache.find(QString(use) + QStringLiteral(".wav")).wave;

    // A sound still kept comes back as the same copy; a forgotten one is
    // read again. The kept ones are looked at first: a miss would evict.
    QString order = QStringLiteral("abc").remove(forgotten) + forgotten;
    for (const QChar name : order) {
        const bool same = cache.find(QString(name) + QStringLiteral(".wav")).wave == found[name];
        QVERIFY2(same == (name != forgotten[0]), qPrintable(QString(name)));
    }
}

QTEST_GUILESS_MAIN(TestSoundCue)
#include "tst_soundcue.moc"
