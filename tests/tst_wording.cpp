#include "law/classatspeed.h"
#include "words/numbers.h"
#include "words/wording.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<Scenario>)

namespace {

using Counts = QList<std::pair<int, int>>;
// A blank cell in Counts.
constexpr int Blank = -1;

const std::optional<Scenario> Neither;
const std::optional<Scenario> Both = Scenario::BothWalk;
const std::optional<Scenario> Waits = Scenario::DogWalks;

stats::ClassCounts classOf(const Counts &counts)
{
    stats::ClassCounts read;
    for (const auto &[both, one] : counts) {
        stats::ClassGroup group;
        if (both != Blank)
            group.counts[Scenario::BothWalk] = both;
        if (one != Blank)
            group.counts[Scenario::DogWalks] = one;
        read.groups.push_back(group);
    }
    return read;
}

// An answer whose laws are a run's meetings: both wandering 0, 1 or 2
// (1 on average), Momotaro waiting 0 or 1 (0.5); the way it puts ahead is
// given.
stats::Answer answerWith(std::optional<Scenario> ahead)
{
    stats::Answer answer;
    answer.exact[Scenario::BothWalk].law = {0.25, 0.5, 0.25};
    answer.exact[Scenario::BothWalk].expectedMeetings = 1;
    answer.exact[Scenario::DogWalks].law = {0.5, 0.5};
    answer.exact[Scenario::DogWalks].expectedMeetings = 0.5;
    answer.verdict.meetsMore = answer.verdict.faster = ahead;
    return answer;
}

} // namespace

class TestWording : public QObject
{
    Q_OBJECT

private slots:
    void meetingsAreComparedToDigitsThatTellThemApart_data();
    void meetingsAreComparedToDigitsThatTellThemApart();
    void theClassConcludesFromItsGroupsAndTotals_data();
    void theClassConcludesFromItsGroupsAndTotals();
    void theClassVerdictHoldsItsAveragesAgainstTheExactOnes_data();
    void theClassVerdictHoldsItsAveragesAgainstTheExactOnes();
    void manyClassesAreHeldAgainstTheExactChance_data();
    void manyClassesAreHeldAgainstTheExactChance();
};

void TestWording::meetingsAreComparedToDigitsThatTellThemApart_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QString>("aText");
    QTest::addColumn<QString>("bText");
    QTest::newRow("one decimal from 1 up") << 9.4321 << 6.1 << "9.4"
                                           << "6.1";
    QTest::newRow("two significant digits below 1") << 0.1749 << 0.01523 << "0.17"
                                                    << "0.015";
    QTest::newRow("just 1") << 1.0 << 0.99 << "1.0"
                            << "0.99";
    QTest::newRow("a digit more where they read alike") << 9.44 << 9.41 << "9.44"
                                                        << "9.41";
    QTest::newRow("equal, as they are") << 3.0 << 3.0 << "3.0"
                                        << "3.0";
    QTest::newRow("too few to write") << 0.0004 << 0.0 << "less than 0.001"
                                      << "0";
    QTest::newRow("just enough to write") << 0.001 << 2.0 << "0.001"
                                          << "2.0";
}

void TestWording::meetingsAreComparedToDigitsThatTellThemApart()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QString, aText);
    QFETCH(QString, bText);
    QCOMPARE(stats::amounts(a, b), std::pair(aText, bText));
}

void TestWording::theClassConcludesFromItsGroupsAndTotals_data()
{
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<bool>("withAnswer");
    QTest::addColumn<std::optional<Scenario>>("exactlyMore");
    QTest::addColumn<bool>("soFar");
    QTest::addColumn<QString>("text");
    QTest::newRow("no group yet") << Counts{} << false << Neither << true << "No group has finished its runs yet.";
    QTest::newRow("without the answer")
        << Counts{{3, 1}, {2, 2}, {0, 4}, {5, 1}} << false << Neither << false
        << "Both wandering met more in 2 of 4 groups; the class's totals say both wandering.";
    QTest::newRow("against the answer, so far")
        << Counts{{3, 1}, {2, 2}, {0, 4}, {5, 1}} << true << Waits << true
        << "So far: both wandering met more in 2 of 4 groups; the class's totals say both wandering, against the exact answer, Momotaro waiting.";
    QTest::newRow("as the answer")
        << Counts{{2, 1}, {3, 0}} << true << Both << false
        << "Both wandering met more in 2 of 2 groups; the class's totals say both wandering, as the exact answer does.";
    QTest::newRow("as many groups each way, totals a tie")
        << Counts{{1, 2}, {2, 1}} << true << Both << false
        << "Both wandering met more in 1 of 2 groups; the class's totals are a tie, while exactly both wandering meets more.";
    QTest::newRow("waiting ahead, both ties")
        << Counts{{0, 3}, {1, 2}, {4, 0}} << true << Neither << false
        << "Momotaro waiting met more in 2 of 3 groups; the class's totals are a tie, as the exact averages are.";
    QTest::newRow("a lead where exactly neither")
        << Counts{{2, 1}} << true << Neither << false
        << "Both wandering met more in 1 of 1 group; the class's totals say both wandering, though exactly both ways meet alike.";
}

void TestWording::theClassConcludesFromItsGroupsAndTotals()
{
    QFETCH(Counts, counts);
    QFETCH(bool, withAnswer);
    QFETCH(std::optional<Scenario>, exactlyMore);
    QFETCH(bool, soFar);
    QFETCH(QString, text);
    const stats::Answer answer = answerWith(exactlyMore);
    QCOMPARE(stats::classConclusion(withAnswer ? &answer : nullptr, classOf(counts), soFar), text);
}

void TestWording::theClassVerdictHoldsItsAveragesAgainstTheExactOnes_data()
{
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<std::optional<Scenario>>("faster");
    QTest::addColumn<QString>("text");
    QTest::newRow("right on both, the right way")
        << Counts{{1, 0}, {1, 1}, {1, 0}, {1, 1}} << Both
        << "Both wander: the class's average matches the exact 1.00; nearly every class would see a difference this large. "
           "Momotaro waits: the class's average matches the exact 0.50; nearly every class would see a difference this large. "
           "The class's results agree with the answer. Their averages point the right way: both wandering met more.";
    // Eight runs that all meet: 2 totals in 256 are as far from 4.
    QTest::newRow("unusual, one way run")
        << Counts(8, {Blank, 1}) << Both
        << "Momotaro waits: the class's average is 0.50 above the exact 0.50; about 1 class in 130 would see a difference this large. "
           "That is unusual for \"Momotaro waits\": check the start points, the length of the runs and the counts.";
    QTest::newRow("usual, the wrong way")
        << Counts{{0, 1}, {0, 1}} << Both
        << "Both wander: the class's average is 1.00 below the exact 1.00; about 1 class in 8 would see a difference this large. "
           "Momotaro waits: the class's average is 0.50 above the exact 0.50; about 5 classes in 10 would see a difference this large. "
           "The class's results agree with the answer. Their averages point the wrong way: Momotaro waiting met more.";
    QTest::newRow("no faster way")
        << Counts{{0, 1}, {0, 1}} << Neither
        << "Both wander: the class's average is 1.00 below the exact 1.00; about 1 class in 8 would see a difference this large. "
           "Momotaro waits: the class's average is 0.50 above the exact 0.50; about 5 classes in 10 would see a difference this large. "
           "The class's results agree with the answer. On average Momotaro waiting met more.";
    // Twenty runs that all meet: 2 totals in 2^20 are as far from 10.
    QTest::newRow("unusual one way, averages equal")
        << Counts(10, {0, 1}) + Counts(10, {2, 1}) << Both
        << "Both wander: the class's average matches the exact 1.00; nearly every class would see a difference this large. "
           "Momotaro waits: the class's average is 0.50 above the exact 0.50; about 1 class in 520,000 would see a difference this large. "
           "That is unusual for \"Momotaro waits\": check the start points, the length of the runs and the counts. "
           "Their two averages are equal, so they point neither way.";
}

void TestWording::theClassVerdictHoldsItsAveragesAgainstTheExactOnes()
{
    QFETCH(Counts, counts);
    QFETCH(std::optional<Scenario>, faster);
    QFETCH(QString, text);
    stats::Answer answer = answerWith(faster);
    answer.classCounts = classOf(counts);
    QCOMPARE(stats::classVerdict(answer), text);
}

void TestWording::manyClassesAreHeldAgainstTheExactChance_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<Scenario>("way");
    QTest::addColumn<int>("right");
    QTest::addColumn<double>("exactChance");
    QTest::addColumn<QString>("text");
    QTest::newRow("within the error")
        << 30 << Scenario::BothWalk << 950 << 0.95
        << "In 1,000 classes of 30 groups, the totals put both wandering ahead in 950 (95.0%); the exact "
           "chance is 95.0%, within the simulation's error (932 to 966 classes, 99 times in 100).";
    QTest::newRow("one short of the range")
        << 1 << Scenario::DogWalks << 931 << 0.95
        << "In 1,000 classes of 1 group, the totals put Momotaro waiting ahead in 931 (93.1%); the exact "
           "chance is 95.0%, further off than the simulation's error (932 to 966 classes, 99 times in 100).";
}

void TestWording::manyClassesAreHeldAgainstTheExactChance()
{
    QFETCH(int, groups);
    QFETCH(Scenario, way);
    QFETCH(int, right);
    QFETCH(double, exactChance);
    QFETCH(QString, text);
    QCOMPARE(stats::manyClassesText({1000, groups, way, right, 0, exactChance, 932, 966}), text);
}

QTEST_GUILESS_MAIN(TestWording)
#include "tst_wording.moc"
