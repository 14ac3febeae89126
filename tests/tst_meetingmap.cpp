#include "law/meetingmap.h"

#include <QTest>

class TestMeetingMap : public QObject
{
    Q_OBJECT

private slots:
    void bestPointsNameEveryTie()
    {
        // Two points tied by symmetry, one within rounding of them, one just below.
        std::array<double, stats::BoardPoints> values{};
        values.fill(1.0);
        values[5] = values[115] = 2.0;
        values[60] = 2.0 * (1 - 1e-12);
        values[7] = 2.0 * (1 - 1e-6);
        QCOMPARE(stats::bestPoints(values), (std::vector<int>{5, 60, 115}));
    }
};

QTEST_GUILESS_MAIN(TestMeetingMap)
#include "tst_meetingmap.moc"
