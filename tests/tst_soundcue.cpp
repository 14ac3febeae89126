// The sound cue and the multimedia control, with no audio server at all.

#include "qtmultimediacontrol.h"
#include "recordingcontrol.h"
#include "soundcue.h"
#include "wave.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QStringList messages;

void collect(QtMsgType, const QMessageLogContext &, const QString &text)
{
    messages.append(text);
}

QByteArray chunk(const QByteArray &id, const QByteArray &body, quint32 claimed = 0)
{
    QByteArray c = id;
    const quint32 length = claimed ? claimed : quint32(body.size());
    c.append(reinterpret_cast<const char *>(&length), 4); // little-endian host
    c.append(body);
    if (!claimed && body.size() % 2)
        c.append('\0');
    return c;
}

QByteArray fmt(int format, int channels, int rate, int bits)
{
    QByteArray b(16, '\0');
    qToLittleEndian<quint16>(format, b.data());
    qToLittleEndian<quint16>(channels, b.data() + 2);
    qToLittleEndian<quint32>(rate, b.data() + 4);
    qToLittleEndian<quint32>(rate * channels * bits / 8, b.data() + 8);
    qToLittleEndian<quint16>(channels * bits / 8, b.data() + 12);
    qToLittleEndian<quint16>(bits, b.data() + 14);
    return b;
}

QByteArray riff(const QByteArray &chunks)
{
    return chunk("RIFF", "WAVE" + chunks);
}

} // namespace

class TestSoundCue : public QObject
{
    Q_OBJECT

private slots:
    void cueStopsClosesOpensAndSounds();
    void builtInSoundsAreShortCleanWaves();
    void waveParsingTakesOnlyPlainPcm_data();
    void waveParsingTakesOnlyPlainPcm();
    void waveParsingSurvivesGarbage();
    void aFileInTheWorkingDirectoryWins();
    void withoutAnAudioServerCuesAreSilentAndQuick();
};

void TestSoundCue::cueStopsClosesOpensAndSounds()
{
    QStringList log;
    RecordingControl control(QStringLiteral("c"), log);
    SoundCue(control, QStringLiteral("pinpon.wav"));
    SoundCue(control, QStringLiteral("logoff.wav"));
    QCOMPARE(log, QStringList({"c:Stop", "c:Close", "c:FileName=pinpon.wav", "c:Open", "c:Sound", "c:Stop",
                               "c:Close", "c:FileName=logoff.wav", "c:Open", "c:Sound"}));
}

void TestSoundCue::builtInSoundsAreShortCleanWaves()
{
    for (const auto &[name, seconds] : {std::pair{"pinpon.wav", 1.0}, {"endpinpon.wav", 2.0}, {"logoff.wav", 1.0}}) {
        QFile file(QtMultimediaControl::locate(QString::fromLatin1(name)));
        QVERIFY(file.fileName().startsWith(u":/sounds/") && file.open(QIODevice::ReadOnly));
        const std::optional<Wave> wave = Wave::parse(file.readAll());
        QVERIFY(wave && wave->sampleRate == 44100 && wave->channels == 1 && wave->bitsPerSample == 16);
        const auto *s = reinterpret_cast<const qint16 *>(wave->samples.constData());
        const qsizetype n = wave->samples.size() / 2;
        QVERIFY(n < seconds * 44100);
        // Starts and ends in silence (no click), and never clips.
        QVERIFY(std::abs(s[0]) < 100 && std::abs(s[n - 1]) < 100);
        QVERIFY(std::all_of(s, s + n, [](qint16 v) { return v > -32768 && v < 32767; }));
    }
}

void TestSoundCue::waveParsingTakesOnlyPlainPcm_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("sampleBytes"); // -1: not taken
    const QByteArray pcm(100, '\x10');
    const QByteArray mono16 = chunk("fmt ", fmt(1, 1, 44100, 16));
    QTest::newRow("16-bit mono") << riff(mono16 + chunk("data", pcm)) << 100;
    QTest::newRow("8-bit stereo, other chunk first")
        << riff(chunk("LIST", "abc") + chunk("fmt ", fmt(1, 2, 8000, 8)) + chunk("data", pcm)) << 100;
    QTest::newRow("partial last frame") << riff(chunk("fmt ", fmt(1, 2, 44100, 16)) + chunk("data", QByteArray(7, 'x'))) << 4;
    QTest::newRow("data overclaims") << riff(mono16 + chunk("data", pcm, 1000000)) << 100;
    QTest::newRow("float samples") << riff(chunk("fmt ", fmt(3, 1, 44100, 32)) + chunk("data", pcm)) << -1;
    QTest::newRow("six channels") << riff(chunk("fmt ", fmt(1, 6, 44100, 16)) + chunk("data", pcm)) << -1;
    QTest::newRow("absurd rate") << riff(chunk("fmt ", fmt(1, 1, 4000000, 16)) + chunk("data", pcm)) << -1;
    QTest::newRow("data before format") << riff(chunk("data", pcm) + mono16) << -1;
    QTest::newRow("header only") << QByteArray("RIFF\0\0\0\0WAVE", 12) << -1;
}

void TestSoundCue::waveParsingTakesOnlyPlainPcm()
{
    QFETCH(QByteArray, file);
    QFETCH(int, sampleBytes);
    const std::optional<Wave> wave = Wave::parse(file);
    QCOMPARE(wave ? int(wave->samples.size()) : -1, sampleBytes);
}

void TestSoundCue::waveParsingSurvivesGarbage()
{
    const QByteArray good = riff(chunk("fmt ", fmt(1, 1, 44100, 16)) + chunk("data", QByteArray(64, 'x')));
    auto *rng = QRandomGenerator::global();
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes = good.left(int(rng->bounded(good.size() + 1)));
        for (int flips = int(rng->bounded(4)); flips > 0 && !bytes.isEmpty(); --flips)
            bytes[int(rng->bounded(bytes.size()))] = char(rng->bounded(256));
        const std::optional<Wave> wave = Wave::parse(bytes);
        if (wave)
            QVERIFY(wave->samples.size() <= bytes.size());
    }
}

void TestSoundCue::aFileInTheWorkingDirectoryWins()
{
    QTemporaryDir dir;
    const QString home = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QFile replacement(QStringLiteral("pinpon.wav"));
    QVERIFY(replacement.open(QIODevice::WriteOnly));
    replacement.write("not a wave file");
    replacement.close();

    QCOMPARE(QtMultimediaControl::locate(QStringLiteral("pinpon.wav")), dir.filePath(QStringLiteral("pinpon.wav")));
    QCOMPARE(QtMultimediaControl::locate(QStringLiteral("logoff.wav")), QStringLiteral(":/sounds/logoff.wav"));
    QCOMPARE(QtMultimediaControl::locate(QStringLiteral("nosuch.wav")), QString());
    QCOMPARE(QtMultimediaControl::locate(QStringLiteral("../pinpon.wav")), QString());
    QCOMPARE(QtMultimediaControl::locate(QString()), QString());

    // A damaged replacement is silence, not a failure.
    QtMultimediaControl control;
    SoundCue(control, QStringLiteral("pinpon.wav"));
    QCoreApplication::processEvents();
    QVERIFY(!control.sounding());
    QVERIFY(QDir::setCurrent(home));
}

void TestSoundCue::withoutAnAudioServerCuesAreSilentAndQuick()
{
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    QtMultimediaControl control;
    control.preload({"pinpon.wav", "endpinpon.wav", "logoff.wav"});
    QVERIFY(!QtMultimediaControl::hasAudioOutput());

    const QStringList files{"pinpon.wav", "endpinpon.wav", "logoff.wav", "missing.wav"};
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 10000; ++i) {
        SoundCue(control, files[i % files.size()]);
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    qInstallMessageHandler(previous);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    QVERIFY(!control.sounding());
}

QTEST_GUILESS_MAIN(TestSoundCue)
#include "tst_soundcue.moc"
