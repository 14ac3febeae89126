#include "conversions.h"
#include "int16.h"
#include "runtimeerror.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void textToNumberReadsTheLeadingNumber_data();
    void textToNumberReadsTheLeadingNumber();
    void textToNumberOverflowsToInfinity();
    void textToNumberIsSafeOnAnyInput();
    void numberToTextPutsABlankBeforeNonNegatives_data();
    void numberToTextPutsABlankBeforeNonNegatives();
    void toInt16RoundsHalvesToEven_data();
    void toInt16RoundsHalvesToEven();
    void toInt16OverflowsOutsideRange_data();
    void toInt16OverflowsOutsideRange();
    void int16ArithmeticIsGuardedAtBothLimits();
};

void TestConversions::textToNumberReadsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("digits") << "7" << 7.0;
    QTest::newRow("blank inside") << "1 0" << 10.0;
    QTest::newRow("tab and line feed") << "\t1\n0 " << 10.0;
    QTest::newRow("carriage return stops") << "1\r0" << 1.0;
    QTest::newRow("trailing letters") << "3abc" << 3.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("negative") << "-1" << -1.0;
    QTest::newRow("above ten") << "10.2" << 10.2;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only blanks") << "   " << 0.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("double sign") << "--1" << 0.0;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("negative zero") << "-0.5" << -0.5;
    QTest::newRow("exponent") << "1e1" << 10.0;
    QTest::newRow("capital exponent") << "2.5E+1" << 25.0;
    QTest::newRow("negative exponent") << "1e-1" << 0.1;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("blank inside exponent") << "1 e 1" << 10.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("hexadecimal") << "&HA" << 10.0;
    QTest::newRow("hexadecimal lower case") << "&hff" << 255.0;
    QTest::newRow("hexadecimal stops at non-digit") << "&H1G" << 1.0;
    QTest::newRow("hexadecimal without digits") << "&H" << 0.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O18" << 1.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("ampersand other letter") << "&X1" << 0.0;
    QTest::newRow("fullwidth digit is not a digit") << QStringLiteral("５") << 0.0;
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("long zero fraction underflow") << "0." + QString(400, u'0') + "1" << 0.0;
}

void TestConversions::textToNumberReadsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(conv::textToNumber(text), value);
}

void TestConversions::textToNumberOverflowsToInfinity()
{
    const double inf = std::numeric_limits<double>::infinity();
    QCOMPARE(conv::textToNumber(u"1e400"), inf);
    QCOMPARE(conv::textToNumber(u"-1e400"), -inf);
    QCOMPARE(conv::textToNumber(QString(400, u'9')), inf);
    QCOMPARE(conv::textToNumber(u"1e99999999999999999999999"), inf);
    QCOMPARE(conv::textToNumber(u"1e-99999999999999999999999"), 0.0);
}

void TestConversions::textToNumberIsSafeOnAnyInput()
{
    // Long texts of every kind, and random garbage: never a crash, never NaN.
    QStringList texts{QString(100000, u'7'), QString(100000, u' '), QString(100000, u'&'),
                      QStringLiteral("&H") + QString(100000, u'F'), QString(100000, u'.'),
                      QStringLiteral("1e") + QString(100000, u'9'), QString(50000, u'-') + u'1'};
    auto *rng = QRandomGenerator::global();
    for (int i = 0; i < 2000; ++i) {
        QString s;
        const int length = int(rng->bounded(40));
        for (int j = 0; j < length; ++j)
            s.append(QChar(char16_t(rng->bounded(i % 2 ? 0x80 : 0x10000))));
        texts.append(s);
    }
    for (const QString &text : texts)
        QVERIFY2(!std::isnan(conv::textToNumber(text)), qPrintable(text.left(40)));
}

void TestConversions::numberToTextPutsABlankBeforeNonNegatives_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("four") << 4.0 << " 4";
    QTest::newRow("ten") << 10.0 << " 10";
    QTest::newRow("negative") << -3.0 << "-3";
    QTest::newRow("largest 16-bit") << 32767.0 << " 32767";
    QTest::newRow("smallest 16-bit") << -32768.0 << "-32768";
    QTest::newRow("a day of seconds") << 86400.0 << " 86400";
    QTest::newRow("fraction") << 2.5 << " 2.5";
}

void TestConversions::numberToTextPutsABlankBeforeNonNegatives()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(conv::numberToText(value), text);
    if (value == std::floor(value))
        QCOMPARE(conv::numberToText(static_cast<int>(value)), text);
}

void TestConversions::toInt16RoundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");

    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("9.5") << 9.5 << 10;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("0.4") << 0.4 << 0;
    QTest::newRow("0.6") << 0.6 << 1;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("upper limit") << 32767.0 << 32767;
    QTest::newRow("just under upper half") << 32767.49 << 32767;
    QTest::newRow("lower limit") << -32768.0 << -32768;
    QTest::newRow("lower half rounds to even inside") << -32768.5 << -32768;
}

void TestConversions::toInt16RoundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(int(conv::toInt16(value)), rounded);
}

void TestConversions::toInt16OverflowsOutsideRange_data()
{
    QTest::addColumn<double>("value");

    QTest::newRow("upper half rounds up out") << 32767.5;
    QTest::newRow("just above") << 32768.0;
    QTest::newRow("just below") << -32769.0;
    QTest::newRow("lower half rounds out") << -32769.5;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
}

void TestConversions::toInt16OverflowsOutsideRange()
{
    QFETCH(double, value);
    try {
        conv::toInt16(value);
        QFAIL("no overflow raised");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), int(RuntimeError::Overflow));
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
    QCOMPARE(int(bottom), Int16::Min);
    QCOMPARE(int(Int16(Int16::Max - 1) + 1), Int16::Max);
    QCOMPARE(int(Int16(Int16::Min + 1) - 1), Int16::Min);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Int16(40000));
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
