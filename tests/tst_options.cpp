#include "stats/options.h"
#include "waiting.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

Q_DECLARE_METATYPE(Point)

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void startPointsAreReadAsPeopleWriteThem_data();
    void startPointsAreReadAsPeopleWriteThem();
    void badOptionsAreRefusedWithoutOutput_data();
    void badOptionsAreRefusedWithoutOutput();
    void simulatedCountsNameTheCommandThatPlaysThem();
};

void TestOptions::startPointsAreReadAsPeopleWriteThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("as the table prints it") << "(3, 7)";
    QTest::newRow("a space between") << "3 7";
    QTest::newRow("leading zeros and plus signs") << "+03,+7";
    QTest::newRow("full-width, as a Japanese input method types") << QString::fromUtf8("（３，７）");
}

void TestOptions::startPointsAreReadAsPeopleWriteThem()
{
    QFETCH(QString, text);
    const auto parsed = stats::parseOptions({"meetling-stats", "--dog", text}, 1);
    const auto *options = std::get_if<stats::Options>(&parsed);
    QVERIFY2(options, qPrintable(options ? QString() : std::get<stats::Refusal>(parsed).message));
    QCOMPARE(options->starts.dog, (Point{3, 7}));
}

// The command a file of simulated counts quotes asks the tool for the same
// runs, and the file reads back as simulated.
void TestOptions::simulatedCountsNameTheCommandThatPlaysThem()
{
    const stats::SimulatedBy by{QStringLiteral("meetling-answer"), 321, {{2, 9}, {7, 1}}, 45, 12};
    const auto parsed = stats::parseOptions(by.command(), 1);
    const auto *options = std::get_if<stats::Options>(&parsed);
    QVERIFY2(options, qPrintable(options ? QString() : std::get<stats::Refusal>(parsed).message));
    QVERIFY(options->starts.momotaro == by.starts.momotaro && options->starts.dog == by.starts.dog);
    QVERIFY(options->seconds == by.seconds && options->runs == by.runs && options->seed == by.seed &&
            options->csvFile == "FILE");
    const auto read = stats::readClassCounts(stats::classCountsCsv({{}, by.mark(), {}}) + "1,2\n");
    QCOMPARE(std::get<stats::ClassCounts>(read).simulated, by.mark());
}

void TestOptions::badOptionsAreRefusedWithoutOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("point off the board") << QStringList{"--momo", "11,4"} << 2 << "--momo: expected X,Y";
    QTest::newRow("y off the board") << QStringList{"--dog", "3,11"} << 2 << "--dog: expected X,Y";
    QTest::newRow("one parenthesis") << QStringList{"--dog", "(3,7"} << 2 << "--dog: expected X,Y";
    QTest::newRow("value left out") << QStringList{"--momo", "--dog", "1,1"} << 2
                                    << "--momo: no value given (expected X,Y)";
    QTest::newRow("two outputs, one file")
        << QStringList{"--plot", "same.png", "--map", "./same.png"} << 2 << "--plot and --map name the same file";
    QTest::newRow("two outputs to the terminal")
        << QStringList{"--csv", "-", "--json"} << 2 << "--csv - and --json both write to standard output";
    QTest::newRow("two sheets to the terminal")
        << QStringList{"--pupils-sheet", "-", "--teacher-sheet", "-"} << 2
        << "--pupils-sheet - and --teacher-sheet - both write to standard output";
    QTest::newRow("class from standard input")
        << QStringList{"--class", "-", "--teacher-sheet", "-"} << 2 << "--class: standard input is not read";
    QTest::newRow("folder that is a file") << QStringList{"--teacher-sheet", "/dev/null/t.pdf"} << 1
                                           << "--teacher-sheet: cannot write /dev/null/t.pdf: Not a directory";
    // root may enter any folder.
    if (::geteuid() != 0)
        QTest::newRow("folder not to be entered") << QStringList{"--map", "/root/sub/map.png"} << 1
                                                  << "--map: cannot write /root/sub/map.png: Permission denied";
    QTest::newRow("a full disk") << QStringList{"--runs", "10", "--csv", "/dev/full"} << 1
                                 << "cannot write /dev/full: No space left on device";
    QTest::newRow("not a whole number") << QStringList{"--dog", "1.5,2"} << 2 << "--dog: expected X,Y";
    QTest::newRow("no runs") << QStringList{"--runs", "0"} << 2 << "--runs: expected a whole number";
    QTest::newRow("no time") << QStringList{"--seconds", "0"} << 2 << "--seconds: expected";
    QTest::newRow("absurd time") << QStringList{"--seconds", "1e9"} << 2 << "--seconds: expected";
    QTest::newRow("no threads") << QStringList{"--threads", "0"} << 2 << "--threads: expected";
    QTest::newRow("picture kind") << QStringList{"--plot", "out.gif"} << 2
                                  << "--plot: the file name must end in .png or .svg";
    QTest::newRow("plot folder missing") << QStringList{"--plot", "missing/out.png"} << 1 << "--plot: no such folder";
    QTest::newRow("a sheet not a PDF") << QStringList{"--pupils-sheet", "sheet.png"} << 2
                                       << "--pupils-sheet: the file name must end in .pdf";
    QTest::newRow("paper of another size")
        << QStringList{"--teacher-sheet", "t.pdf", "--paper", "A5"} << 2 << "--paper: expected A4 or Letter";
    // A line break in a name typed stays on the one line, as its code.
    QTest::newRow("a line break in a name")
        << QStringList{"--plot", "miss\ning/out.png"} << 1 << "--plot: no such folder: ";
}

void TestOptions::badOptionsAreRefusedWithoutOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QProcess tool;
    tool.setWorkingDirectory(dir.path());
    tool.start(QStringLiteral(MEETLING_STATS), arguments);
    QVERIFY(tool.waitForFinished(int(waitDeadline().count())));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), status);
    const QStringList lines = QString::fromLocal8Bit(tool.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith(QStringLiteral("meetling-stats: ") + message), qPrintable(lines.first()));
    QVERIFY(tool.readAllStandardOutput().isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
