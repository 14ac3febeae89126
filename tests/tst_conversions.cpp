#include "runtime/conversions.h"
#include "runtime/int16.h"
#include "runtime/runtimeerror.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void textToNumberReadsTheLeadingNumber_data();
    void textToNumberReadsTheLeadingNumber();
    void toInt16RoundsHalvesToEvenOrOverflows_data();
    void toInt16RoundsHalvesToEvenOrOverflows();
    void int16ArithmeticIsGuardedAtBothLimits();
};

void TestConversions::textToNumberReadsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const double inf = std::numeric_limits<double>::infinity();
    const QList<std::pair<QString, double>> rows{
        {"7", 7},
        {"1 0", 10},
        {"\t1\n0 ", 10},
        {"1\r0", 1},
        {"3abc", 3},
        {"2.5", 2.5},
        {"abc", 0},
        {"-1", -1},
        {"", 0},
        {"   ", 0},
        {".5", 0.5},
        {".", 0},
        {"-", 0},
        {"--1", 0},
        {"+4", 4},
        {"2.5E+1", 25},
        {"1e-1", 0.1},
        {"1e", 1},
        {"1e+", 1},
        {"1 e 1", 10},
        {"1.2.3", 1.2},
        {"&HA", 10},
        {"&hff", 255},
        {"&H1G", 1},
        {"&H", 0},
        {"&O17", 15},
        {"&O18", 1},
        {"&X1", 0},
        {QStringLiteral("１\u3000０"), 10},
        {QStringLiteral("－２．５Ｅ＋１"), -25},
        {QStringLiteral("＆ｈＦｆ"), 255},
        {QStringLiteral("＆Ｏ１７"), 15},
        {QStringLiteral("\u22121"), 0},
        {"1e-400", 0},
        {"0." + QString(400, u'0') + "1", 0},
        {"1e400", inf},
        {"-1e400", -inf},
        {"1e99999999999999999999999", inf},
        // Very long texts of every kind (short random ones are the fuzz_answer target's business).
        {QString(100000, u'7'), inf},
        {QString(100000, u' '), 0},
        {"&H" + QString(100000, u'F'), inf},
        {QString(100000, u'.'), 0},
        {"1e" + QString(100000, u'9'), inf},
        {QString(50000, u'-') + u'1', 0},
        {QString(100000, u'\uFF10'), 0}};
    for (const auto &[text, value] : rows)
        QTest::newRow(qPrintable(text.left(30))) << text << value;
}

void TestConversions::textToNumberReadsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(conv::textToNumber(text), value);
}

void TestConversions::toInt16RoundsHalvesToEvenOrOverflows_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded"); // 99999: overflow
    const double inf = std::numeric_limits<double>::infinity();
    const QList<std::pair<double, int>> rows{{2.5, 2},         {3.5, 4},
                                             {9.5, 10},        {0.5, 0},
                                             {0.4, 0},         {0.6, 1},
                                             {-0.5, 0},        {-1.5, -2},
                                             {32767, 32767},   {-32768.5, -32768},
                                             {32767.5, 99999}, {-32769, 99999},
                                             {inf, 99999},     {std::nan(""), 99999}};
    for (const auto &[value, rounded] : rows)
        QTest::newRow(qPrintable(QString::number(value))) << value << rounded;
}

void TestConversions::toInt16RoundsHalvesToEvenOrOverflows()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    try {
        QCOMPARE(int(conv::toInt16(value)), rounded);
    } catch (const RuntimeError &e) {
        QCOMPARE(rounded, 99999);
        QCOMPARE(e.message(), QStringLiteral("Run-time error '6':\n\nOverflow"));
    }
}

void TestConversions::int16ArithmeticIsGuardedAtBothLimits()
{
    Int16 top = Int16::Max;
    QVERIFY_THROWS_EXCEPTION(RuntimeError, ++top);
    QCOMPARE(int(top), Int16::Max);
    Int16 bottom = Int16::Min;
    QVERIFY_THROWS_EXCEPTION(RuntimeError, bottom -= 1);
    QCOMPARE(int(Int16(Int16::Min + 1) - 1), Int16::Min);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
