#include "law/classcounts.h"
#include "classgroups.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestClassCounts : public QObject
{
    Q_OBJECT

private slots:
    void classFileKeepsEachGroupsCells_data();
    void classFileKeepsEachGroupsCells();
    void badClassFilesNameTheLineAndGroup_data();
    void badClassFilesNameTheLineAndGroup();
    void aClassFileIsARegularFileOfAtMost1MiB();
};

void TestClassCounts::classFileKeepsEachGroupsCells_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("groups");
    QTest::newRow("a blank second cell") << QByteArray("\"When two srart\",\"When one starts\"\n12;\n9,4\n")
                                         << "12 -|9 4";
    QTest::newRow("simulated, said in a comment")
        << QByteArray("# Simulated, seed 7\n# a note\nboth,one\n1,2\n") << "1 2 (Simulated, seed 7)";
    QTest::newRow("a blank first cell") << QByteArray("3\n;5\n") << "3 -|- 5";
    QTest::newRow("a blank group between, blank rows after") << QByteArray("1,2\n,\n\n7\t8\n;\n,\n") << "1 2|- -|7 8";
    // A spreadsheet's "Unicode text": UTF-16 with a byte-order mark.
    const QString utf16 = QStringLiteral("\uFEFFboth\tone\r\n4\t5\r\n");
    QTest::newRow("UTF-16, little-endian")
        << QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2) << "4 5";
}

void TestClassCounts::classFileKeepsEachGroupsCells()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, groups);
    const auto read = stats::readClassCounts(text);
    QVERIFY(std::holds_alternative<stats::ClassCounts>(read));
    QCOMPARE(groupsText(std::get<stats::ClassCounts>(read)), groups);
    // The file written of them reads back to the same groups.
    const auto again = stats::readClassCounts(stats::classCountsCsv(std::get<stats::ClassCounts>(read)));
    QVERIFY(std::holds_alternative<stats::ClassCounts>(again));
    QCOMPARE(groupsText(std::get<stats::ClassCounts>(again)), groups);
}

void TestClassCounts::badClassFilesNameTheLineAndGroup_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("a word among the counts")
        << QByteArray("# a note\nboth,one\n\n3,4\n,\nx,5\n") << "line 6 (group 3): 'x' is not a whole number";
    QTest::newRow("a count too large") << QByteArray("both,one\n1000,4\n")
                                       << "line 2 (group 1): '1000' is not a whole number";
    QTest::newRow("three columns") << QByteArray("3,4,5\n") << "line 1 (group 1): more than two columns";
    // A first group mistyped is no header to pass over: the class's first run would be lost.
    QTest::newRow("a first group mistyped")
        << QByteArray("3,4x\n5,6\n") << "line 1 (group 1): '4x' is not a whole number";
    QTest::newRow("a first group negative")
        << QByteArray("-3,4\n5,6\n") << "line 1 (group 1): '-3' is not a whole number";
    // A message quotes a cell's start only, and keeps to one line.
    QTest::newRow("a long cell") << QByteArray("a,b\n3,") + QByteArray(100000, 'x') + '\n'
                                 << "line 2 (group 1): 'xxxxxxxxxxxxxxxxxxxxxxxx…' is not";
    QTest::newRow("a NUL in a cell") << QByteArray("a,b\n3,x\0y\n", 11) << "line 2 (group 1): 'x\\u0000y' is not";
    QTest::newRow("empty") << QByteArray("\n\n") << "the file is empty";
    QTest::newRow("a header alone") << QByteArray("both,one\n,\n") << "no runs in it";
    QTest::newRow("a group past the 1,000th, blank ones counted")
        << QByteArray("5,\n") + QByteArray(",\n").repeated(998) + "6,\n7,\n"
        << "line 1001: more than 1,000 groups";
}

void TestClassCounts::badClassFilesNameTheLineAndGroup()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    const auto read = stats::readClassCounts(text);
    const QString *problem = std::get_if<QString>(&read);
    QVERIFY(problem);
    QVERIFY2(problem->startsWith(message), qPrintable(*problem));
}

// What is not a class's file is refused before it is read: a device that
// never ends, a pipe that no one writes (it must not wait), a large file.
void TestClassCounts::aClassFileIsARegularFileOfAtMost1MiB()
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    const QString large = dir.filePath(QStringLiteral("large.csv"));
    QFile file(large);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("3,4\n").repeated(300000));
    file.close();
    const std::array<std::pair<QString, QString>, 3> refused{
        {{QStringLiteral("/dev/zero"), QStringLiteral("not a regular file")},
         {pipe, QStringLiteral("not a regular file")},
         {large, QStringLiteral("larger than 1 MiB")}}};
    for (const auto &[name, says] : refused) {
        const auto read = stats::readClassFile(name);
        const auto *problem = std::get_if<QString>(&read);
        QVERIFY2(problem && problem->contains(says), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestClassCounts)
#include "tst_classcounts.moc"
