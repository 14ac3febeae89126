#include "law/savefile.h"
#include "waiting.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

// What program writes on standard output and on standard error, run with
// the locale's variables as given, none of the user's, and fed input; its
// exit status, -1 when it did not end by itself.
struct Ran
{
    QByteArray out, err;
    int status;
};
Ran runInLocale(const QString &program, const QStringList &arguments, const QStringList &variables,
                const QByteArray &input = {}, const QString &folder = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString &variable : variables)
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(int(waitDeadline().count()));
    return {process.readAllStandardOutput(), process.readAllStandardError(), ended ? process.exitCode() : -1};
}

// The tool itself, in the folder given.
Ran runTool(const QStringList &arguments, const QString &folder = {})
{
    return runInLocale(QStringLiteral(MEETLING_STATS), arguments, {}, {}, folder);
}

} // namespace

class TestStatsTool : public QObject
{
    Q_OBJECT

private slots:
    void classCountsAreComparedWithTheAnswer();
    void anOutputNamedDashGoesToStandardOutputAlone_data();
    void anOutputNamedDashGoesToStandardOutputAlone();
    void outputMatchesItsGoldenFile_data();
    void outputMatchesItsGoldenFile();
    void speaksTheUsersLanguageButWritesTheSameData_data();
    void speaksTheUsersLanguageButWritesTheSameData();
    void writesTextInTheLocalesEncoding_data();
    void writesTextInTheLocalesEncoding();
    void aFileNotWrittenWholeIsLeftAsItWas();
    void sheetsAreOnePageAndOnlyTheTeachersHoldsTheAnswer_data();
    void sheetsAreOnePageAndOnlyTheTeachersHoldsTheAnswer();
};

// The default starts: 9.43 meetings a run when both wander, 6.14 when
// Momotaro waits. Semicolons and tabs, full-width digits, a blank cell, no
// trailing newline.
void TestStatsTool::classCountsAreComparedWithTheAnswer()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("class.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly) &&
            file.write("When two srart,When one starts\r\n9,6\r\n12;5\r\n8,\r\n\xef\xbc\x97\t\xef\xbc\x98") > 0);
    file.close();
    const Ran ran = runTool({"--runs", "1", "--class", file.fileName()});
    QCOMPARE(ran.status, 0);
    // The sentences, joined again across the lines they were wrapped at.
    const QString table = QString::fromUtf8(ran.out).simplified();
    QVERIFY2(table.contains(QStringLiteral("agree with the answer")) && table.contains("point the right way"),
             qPrintable(table));
}

// A picture or a sheet named "-" is written whole to standard output, with
// no table after it, and no file of that name is made.
void TestStatsTool::anOutputNamedDashGoesToStandardOutputAlone_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("end");
    const QByteArray png("\x89PNG"), pngEnd("IEND\xae\x42\x60\x82");
    QTest::newRow("plot") << "--plot" << png << pngEnd;
    QTest::newRow("map") << "--map" << png << pngEnd;
    QTest::newRow("pupils' sheet") << "--pupils-sheet" << QByteArray("%PDF-") << QByteArray("%%EOF\n");
    QTest::newRow("teacher's sheet") << "--teacher-sheet" << QByteArray("%PDF-") << QByteArray("%%EOF\n");
}

void TestStatsTool::anOutputNamedDashGoesToStandardOutputAlone()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, end);
    QTemporaryDir dir;
    const Ran ran = runTool({"--seconds", "4", "--runs", "10", option, "-"}, dir.path());
    QCOMPARE(ran.status, 0);
    QVERIFY2(ran.out.startsWith(start) && ran.out.endsWith(end), ran.out.left(40).toHex().constData());
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

// Every leaf of a JSON value as "path = value", numbers to 9 digits, line
// breaks as \n. An array longer than eight is given by its length, its first
// and its last: the figures between are the library's, which its own tests
// hold against brute force; here what counts is the tool's words and where
// it writes each figure.
QStringList flatten(const QJsonValue &value, const QString &path)
{
    QStringList leaves;
    if (value.isObject()) {
        for (const QString &key : value.toObject().keys())
            leaves += flatten(value[key], path + u'.' + key);
    } else if (value.isArray()) {
        const qsizetype size = value.toArray().size();
        if (size > 8)
            leaves << path + QStringLiteral(".length = %1").arg(size);
        for (qsizetype i = 0; i < size; ++i) {
            if (size <= 8 || i == 0 || i == size - 1)
                leaves += flatten(value[i], path + QStringLiteral("[%1]").arg(i));
        }
    } else {
        leaves << path + QStringLiteral(" = ") +
                      (value.isDouble() ? QString::number(value.toDouble(), 'g', 9)
                                        : value.toVariant().toString().replace(u'\n', QStringLiteral("\\n")));
    }
    return leaves;
}

// The JSON of 40 runs as flatten() gives it, and the CSV of 3, the runs'
// figures being in the JSON already. After a deliberate change, write the
// files again from what the test got and read the difference.
void TestStatsTool::outputMatchesItsGoldenFile_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QString>("golden");
    QTest::newRow("json") << "--json" << 40 << "golden-json.txt";
    QTest::newRow("csv") << "--csv=-" << 3 << "golden.csv";
}

void TestStatsTool::outputMatchesItsGoldenFile()
{
    QFETCH(QString, output);
    QFETCH(int, runs);
    QFETCH(QString, golden);
    const Ran ran = runTool(
        {output, "--seconds", "4", "--runs", QString::number(runs), "--seed", "5", "--momo", "4,4", "--dog", "5,5"});
    QCOMPARE(ran.status, 0);
    QFile file(QStringLiteral(MEETLING_TEST_DATA "/") + golden);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString got = output == u"--json"
                            ? flatten(QJsonDocument::fromJson(ran.out).object(), "json").join(u'\n') + u'\n'
                            : QString::fromUtf8(ran.out);
    QCOMPARE(got.split(u'\n'), QString::fromUtf8(file.readAll()).split(u'\n'));
}

// The tool speaks the user's language: in Japanese its table, help and
// refusals read in Japanese (English words left are option names, file
// kinds and the board's own captions), and what programs read, the JSON and
// the CSV, is the same bytes as in English. On a system whose language it
// lacks it speaks English, and writes its numbers as English does.
void TestStatsTool::speaksTheUsersLanguageButWritesTheSameData_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("locale"); // variables beside an unset LC_ALL
    QTest::addColumn<bool>("data"); // the same bytes as in English, rather than Japanese text
    QTest::addColumn<QString>("expected"); // what the English beside it says
    const QStringList ja{"LANG=ja_JP.UTF-8"};
    const QStringList question{"--momo", "3,4", "--dog", "6,7", "--seconds", "20", "--runs", "2000", "--seed", "3"};
    QTest::newRow("table") << question << ja << false << "Simulated: 2,000 runs of each";
    QTest::newRow("table, LANGUAGE before LANG")
        << question << QStringList{"LANG=en_GB.UTF-8", "LANGUAGE=fr:ja"} << false << "";
    QTest::newRow("help") << QStringList{"--help"} << ja << false << "";
    QTest::newRow("refusal") << QStringList{"--seconds", "0"} << ja << false << "";
    QTest::newRow("json") << question + QStringList{"--json"} << ja << true << "";
    QTest::newRow("csv") << question + QStringList{"--csv=-"} << ja << true << "";
}

void TestStatsTool::speaksTheUsersLanguageButWritesTheSameData()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, locale);
    QFETCH(bool, data);
    QFETCH(QString, expected);
    const Ran ran = runInLocale(QStringLiteral(MEETLING_STATS), arguments, locale);
    // English, as on a German system: numbers too as English writes them.
    const Ran english = runInLocale(QStringLiteral(MEETLING_STATS), arguments, {QStringLiteral("LC_ALL=de_DE.UTF-8")});
    QVERIFY2(QString::fromUtf8(english.out).contains(expected), english.out.constData());
    if (data) {
        QVERIFY(!ran.out.isEmpty());
        QCOMPARE(ran.out, english.out);
        return;
    }
    QVERIFY(ran.out + ran.err != english.out + english.err);
    // What may stay in English: option names and their values, file kinds,
    // the program's name and the board's captions (which a wrapped line may
    // split, so lines are joined first).
    static const QRegularExpression kept(
        QStringLiteral(R"(--?[a-z][a-z-]*(=\S*)?|\b[A-Z0-9]{2,}\b|\.(png|svg|pdf|csv)\b|meetling-\w+|[A-Z]\b|Letter)"
                       R"(|“(When two srart|When one starts|Start)”)"));
    static const QRegularExpression word(QStringLiteral(R"(.{0,30}[A-Za-z]{3,}.{0,10})"));
    const QString text = QString::fromUtf8(ran.out + ran.err)
                             .replace(QRegularExpression(QStringLiteral(R"( *\n *)")), QStringLiteral(" "));
    QStringList untranslated;
    for (const QRegularExpressionMatch &match : word.globalMatch(QString(text).remove(kept)))
        untranslated << match.captured();
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u'\n')));
}

// The table, help and refusals in the locale's encoding: under ja_JP, EUC-JP
// that iconv reads back to the Japanese of a UTF-8 locale; under C, whose
// ASCII has no Japanese, English as C's own, though LANGUAGE asks for Japanese.
void TestStatsTool::writesTextInTheLocalesEncoding_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("locale");
    QTest::addColumn<QStringList>("sameAs"); // the locale it reads as
    QTest::addColumn<QString>("encoding"); // iconv's name for it
    const QStringList question{"--momo", "3,4", "--dog", "6,7", "--seconds", "20", "--runs", "200"};
    const QStringList euc{"LANG=ja_JP"}, utf8{"LANG=ja_JP.UTF-8"};
    QTest::newRow("table, EUC-JP") << question << euc << utf8 << "EUC-JP";
    QTest::newRow("refusal, EUC-JP") << QStringList{"--seconds", "0"} << euc << utf8 << "EUC-JP";
    QTest::newRow("table, ASCII") << question << QStringList{"LC_ALL=C", "LANGUAGE=ja"} << QStringList{"LC_ALL=C"}
                                  << "ASCII";
}

void TestStatsTool::writesTextInTheLocalesEncoding()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, locale);
    QFETCH(QStringList, sameAs);
    QFETCH(QString, encoding);
    if (QProcess::execute(QStringLiteral("sh"), {"-c", "locale -a | grep -qx ja_JP"}) != 0)
        QSKIP("the system has no locale ja_JP (EUC-JP): localedef -i ja_JP -f EUC-JP ja_JP makes it");
    const Ran ran = runInLocale(QStringLiteral(MEETLING_STATS), arguments, locale);
    const Ran want = runInLocale(QStringLiteral(MEETLING_STATS), arguments, sameAs);
    QVERIFY(!(want.out + want.err).isEmpty());
    QCOMPARE(runInLocale(QStringLiteral("iconv"), {"-f", encoding, "-t", "UTF-8"}, {}, ran.out + ran.err).out,
             want.out + want.err);
}

// A write the file system refuses part way, as a full disk does (here a
// limit on the file's size): the tool says so, and the old file is still
// there as it was, with nothing left beside it.
void TestStatsTool::aFileNotWrittenWholeIsLeftAsItWas()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("runs.csv"));
    QString error;
    QVERIFY(stats::saveFile(file, "old\n", error));
    rlimit before{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &before) == 0);
    rlimit small = before;
    small.rlim_cur = 1000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
    const bool saved = stats::saveFile(file, QByteArray(4000, 'x'), error);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!saved);
    QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("runs.csv")});
}

// The lesson's sheets from the command line, on either paper: one page
// each, read back with poppler's tools; the pupils' sheet names the start
// points and the run's length but no figure of the answer, the teacher's
// holds both ways' expected meetings.
void TestStatsTool::sheetsAreOnePageAndOnlyTheTeachersHoldsTheAnswer_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("paper");
    QTest::newRow("A4, the default question") << QStringList{} << "A4";
    QTest::newRow("Letter, corners, 60 s, 10 rows")
        << QStringList{"--paper", "letter", "--momo", "0,0", "--dog", "10,10", "--seconds", "60", "--sheet-rows", "10"}
        << "letter";
}

void TestStatsTool::sheetsAreOnePageAndOnlyTheTeachersHoldsTheAnswer()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, paper);
    QTemporaryDir dir;
    const QString pupils = dir.filePath(QStringLiteral("pupils.pdf"));
    const QString teacher = dir.filePath(QStringLiteral("teacher.pdf"));
    const Ran ran =
        runTool(arguments + QStringList{"--runs", "1", "--json", "--pupils-sheet", pupils, "--teacher-sheet", teacher});
    QCOMPARE(ran.status, 0);
    const QByteArray &out = ran.out;
    const QJsonObject exact = QJsonDocument::fromJson(out)[QStringLiteral("exact")].toObject();
    QVERIFY2(!exact.isEmpty(), out.left(200).constData());
    QStringList figures;
    for (const char *scenario : {"bothWalk", "dogWalks"})
        figures << QString::number(exact[QLatin1String(scenario)][QStringLiteral("expectedMeetings")].toDouble(), 'f',
                                   2);

    // poppler's tools, their output as text.
    const auto run = [](const QString &program, const QStringList &args) {
        const Ran ran = runInLocale(program, args, {});
        return ran.status == 0 ? QString::fromUtf8(ran.out) : QString();
    };
    for (const QString &sheet : {pupils, teacher}) {
        const QString info = run(QStringLiteral("pdfinfo"), {sheet});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:.*\\(%1\\)").arg(paper))),
                 qPrintable(info));
    }
    const QString pupilsText = run(QStringLiteral("pdftotext"), {pupils, QStringLiteral("-")});
    const QString teacherText = run(QStringLiteral("pdftotext"), {teacher, QStringLiteral("-")});
    QVERIFY(pupilsText.contains(QStringLiteral("Each run lasts")));
    for (const QString &figure : figures) {
        QVERIFY2(teacherText.contains(figure), qPrintable(figure));
        // Neither the figure nor its first decimal, as a headline rounds it.
        QVERIFY2(!pupilsText.contains(figure.chopped(1)), qPrintable(figure));
    }
    // The verdict's headline, however pdftotext breaks its lines.
    const QString headline =
        QJsonDocument::fromJson(out)[QStringLiteral("verdict")].toString().section(u'\n', 0, 0).simplified();
    QVERIFY2(teacherText.simplified().contains(headline), qPrintable(headline));
    QVERIFY(!pupilsText.simplified().contains(headline));
}

QTEST_GUILESS_MAIN(TestStatsTool)
#include "tst_statstool.moc"
