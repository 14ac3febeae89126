// The sound cue and the sound cache, without an audio server.

#include "fakes.h"
#include "soundcue.h"
#include "wavecache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <utime.h>

class TestSoundCue : public QObject
{
    Q_OBJECT

private slots:
    void cueStopsClosesOpensAndSounds();
    void builtInSoundsAreShortCleanWaves();
    void theCacheKeepsOneCopyOfTheLatestFile();
};

void TestSoundCue::cueStopsClosesOpensAndSounds()
{
    EventLog log;
    RecordingControl control(QStringLiteral("c"), log);
    SoundCue(control, QStringLiteral("logoff.wav"));
    QCOMPARE(log.lines, QStringList({"c:Stop", "c:Close", "c:FileName=logoff.wav", "c:Open", "c:Sound"}));
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

QTEST_GUILESS_MAIN(TestSoundCue)
#include "tst_soundcue.moc"
