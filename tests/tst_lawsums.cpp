#include "law/lawsums.h"

#include <QTest>

#include <cmath>

namespace {

// The law of the total of n runs, each run's count drawn from law, by
// going through every one of the law.size()^n outcomes.
std::vector<double> enumeratedTotal(const std::vector<double> &law, int n)
{
    std::vector<double> total(law.size() * std::size_t(n), 0.0);
    const long long outcomes = std::llround(std::pow(double(law.size()), n));
    for (long long outcome = 0; outcome < outcomes; ++outcome) {
        long long rest = outcome;
        std::size_t sum = 0;
        double p = 1;
        for (int run = 0; run < n; ++run) {
            const std::size_t count = std::size_t(rest % qsizetype(law.size()));
            rest /= qsizetype(law.size());
            sum += count;
            p *= law[count];
        }
        total[sum] += p;
    }
    return total;
}

} // namespace

class TestLawSums : public QObject
{
    Q_OBJECT

private slots:
    void runsEachAndClassTotalsMatchEveryOutcome();
    void onlyTheWayThatMeetsMoreIsRight_data();
    void onlyTheWayThatMeetsMoreIsRight();
};

void TestLawSums::runsEachAndClassTotalsMatchEveryOutcome()
{
    // Two hand-made laws, the second with a gap, as lumpy as real ones.
    const std::vector<double> both{0.2, 0.5, 0.3};
    const std::vector<double> one{0.6, 0.1, 0.0, 0.3};
    const stats::RunsEach runsEach = stats::compareRunsEach(both, one);
    for (int n = 1; n <= 4; ++n) {
        const std::vector<double> bothTotal = enumeratedTotal(both, n);
        const std::vector<double> oneTotal = enumeratedTotal(one, n);
        stats::OneRunEach expected;
        for (std::size_t i = 0; i < bothTotal.size(); ++i) {
            for (std::size_t j = 0; j < oneTotal.size(); ++j)
                (i > j ? expected.bothMore : i == j ? expected.tie : expected.oneMore) += bothTotal[i] * oneTotal[j];
        }
        const stats::OneRunEach &got = runsEach.byRuns[std::size_t(n - 1)];
        QCOMPARE_LE(std::fabs(got.bothMore - expected.bothMore) + std::fabs(got.tie - expected.tie) +
                        std::fabs(got.oneMore - expected.oneMore),
                    1e-12);
        // A class's total of n runs of the first law (mean 1.1 a run): the
        // chance of a total at least that far from 1.1 n, on either side.
        for (std::size_t classTotal = 0; classTotal < bothTotal.size(); ++classTotal) {
            double far = 0;
            for (std::size_t k = 0; k < bothTotal.size(); ++k)
                far += std::fabs(double(k) - 1.1 * n) >= std::fabs(double(classTotal) - 1.1 * n) - 1e-9 ? bothTotal[k]
                                                                                                        : 0.0;
            QCOMPARE_LE(std::fabs(stats::chanceOfTotalThisFar(both, n, qint64(classTotal)) - far), 1e-12);
        }
    }
}

using Law = std::vector<double>;

// A meeting in every run against none, either way round; then one a run on
// average each, though one run of each mostly puts Momotaro waiting ahead:
// neither way is then the right answer.
void TestLawSums::onlyTheWayThatMeetsMoreIsRight_data()
{
    QTest::addColumn<Law>("both");
    QTest::addColumn<Law>("one");
    QTest::addColumn<int>("runsFor90");
    QTest::newRow("both wandering meets more") << Law{0, 1} << Law{1} << 1;
    QTest::newRow("Momotaro waiting meets more") << Law{1} << Law{0, 1} << 1;
    QTest::newRow("they meet alike") << Law{0.9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.1} << Law{0, 1} << 0;
}

void TestLawSums::onlyTheWayThatMeetsMoreIsRight()
{
    QFETCH(Law, both);
    QFETCH(Law, one);
    QFETCH(int, runsFor90);
    QCOMPARE(stats::compareRunsEach(both, one).runsFor90, runsFor90);
}

QTEST_GUILESS_MAIN(TestLawSums)
#include "tst_lawsums.moc"
