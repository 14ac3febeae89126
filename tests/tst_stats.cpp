#include "words/answer.h"
#include "law/classcounts.h"
#include "law/classinmotion.h"
#include "classgroups.h"
#include "law/meetingmap.h"
#include "stats/options.h"
#include "stats/report.h"
#include "words/phrases.h"
#include "words/verdict.h"
#include "law/savefile.h"
#include "law/simulation.h"
#include "words/wording.h"
#include "waiting.h"
#include "core/walkertick.h"
#include "core/walkrun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>
#include <random>
#include <span>
#include <tuple>
#include <utility>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Scenario)
Q_DECLARE_METATYPE(Point)
Q_DECLARE_METATYPE(stats::Outcome)
Q_DECLARE_METATYPE(stats::ClassInMotion::Start)

namespace {

using stats::Starts;

// The law of meetings over every one of the 8^(2 ticks) direction sequences,
// each played through the walk rules.
std::vector<double> enumeratedLaw(Scenario scenario, Starts starts, int ticksPerTimer)
{
    const long long sequences = 1LL << (3 * 2 * ticksPerTimer);
    std::vector<double> law(ticksPerTimer + 1, 0.0);
    for (long long sequence = 0; sequence < sequences; ++sequence) {
        WalkState walk = placedWalk(scenario, starts.momotaro, starts.dog);
        long long rest = sequence;
        // Each tick takes the next base-8 digit of the sequence as its direction.
        playRun(walk, ticksPerTimer, [&rest] { return int(std::exchange(rest, rest / 8) % 8) + 1; });
        law[walk.meetCount] += 1.0 / double(sequences);
    }
    return law;
}

// S(2k), the chance of no meeting in the first k tick periods, k = 0, 1, ...,
// until it falls below 1e-15: the chance of every pair of positions carried
// forward tick by tick, each walker's tick played through applyTick() with
// each of the eight directions, a meeting taking its chance off the board.
std::vector<double> noMeetingByEveryPair(Scenario scenario, Starts starts)
{
    constexpr int Pairs = stats::BoardPoints * stats::BoardPoints;
    const auto pairOf = [](Point dog, Point momo) { return stats::pointIndex(dog) * stats::BoardPoints + stats::pointIndex(momo); };
    const WalkState placed = placedWalk(scenario, starts.momotaro, starts.dog);
    // to[walker][pair * 8 + direction - 1]: the pair after the tick, -1 for a meeting.
    stats::PerWalker<std::vector<int>> to;
    for (Walker walker : stats::Walkers) {
        for (int i = 0; i < Pairs * 8; ++i) {
            const Point dog = stats::pointAt(i / 8 / stats::BoardPoints);
            const Point momo = stats::pointAt(i / 8 % stats::BoardPoints);
            WalkPoints walk = placed;
            std::tie(walk.dogX, walk.dogY, walk.momoX, walk.momoY) = std::tuple(dog.x, dog.y, momo.x, momo.y);
            const bool met = applyTick(walk, walker, i % 8 + 1) == TickAction::Met;
            to[walker].push_back(met ? -1 : pairOf({walk.dogX, walk.dogY}, {walk.momoX, walk.momoY}));
        }
    }
    std::vector<double> chance(Pairs, 0.0);
    chance[std::size_t(pairOf(starts.dog, starts.momotaro))] = 1.0;
    std::vector<double> survival{1.0};
    while (survival.back() > 1e-15) {
        for (Walker walker : stats::Walkers) {
            std::vector<double> next(Pairs, 0.0);
            for (int i = 0; i < Pairs * 8; ++i) {
                if (const int after = to[walker][std::size_t(i)]; after >= 0)
                    next[std::size_t(after)] += chance[std::size_t(i / 8)] / 8;
            }
            chance.swap(next);
        }
        survival.push_back(std::accumulate(chance.begin(), chance.end(), 0.0));
    }
    return survival;
}

// What program writes on standard output and on standard error, run with
// the locale's variables as given, none of the user's, and fed input.
std::pair<QByteArray, QByteArray> runInLocale(const QString &program, const QStringList &arguments, const QStringList &variables,
                                              const QByteArray &input = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString &variable : variables)
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(int(waitDeadline().count()));
    return {process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class TestStats : public QObject
{
    Q_OBJECT

private slots:
    void sweepMatchesEveryDirectionSequence_data();
    void sweepMatchesEveryDirectionSequence();
    void firstMeetingWaitMatchesEveryPairOfPositions_data();
    void firstMeetingWaitMatchesEveryPairOfPositions();
    void fastDogTickMatchesThePlainOne();
    void lawCarriedOnMatchesALongerSweep();
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
    void runsComeInOrderWhateverTheThreads();
    void aClassInMotionPlaysTheSimulationsRuns_data();
    void aClassInMotionPlaysTheSimulationsRuns();
    void manyClassesAgreeWithTheExactChance_data();
    void manyClassesAgreeWithTheExactChance();
    void aClosedPipeEndsTheTool();
    void verdictHeadlineSaysHowPlainTheAnswerIs_data();
    void verdictHeadlineSaysHowPlainTheAnswerIs();
    void runsEachAndClassTotalsMatchEveryOutcome();
    void classFileKeepsEachGroupsCells_data();
    void classFileKeepsEachGroupsCells();
    void badClassFilesNameTheLineAndGroup_data();
    void badClassFilesNameTheLineAndGroup();
    void classCountsAreComparedWithTheAnswer_data();
    void classCountsAreComparedWithTheAnswer();
    void startPointsAreReadAsPeopleWriteThem_data();
    void startPointsAreReadAsPeopleWriteThem();
    void sentencesWrapWithinTheTerminalsColumns_data();
    void sentencesWrapWithinTheTerminalsColumns();
    void badOptionsAreRefusedWithoutOutput_data();
    void badOptionsAreRefusedWithoutOutput();
    void anOutputNamedDashGoesToStandardOutputAlone_data();
    void anOutputNamedDashGoesToStandardOutputAlone();
    void outputMatchesItsGoldenFile_data();
    void outputMatchesItsGoldenFile();
    void speaksTheUsersLanguageButWritesTheSameData_data();
    void speaksTheUsersLanguageButWritesTheSameData();
    void writesTextInTheLocalesEncoding_data();
    void writesTextInTheLocalesEncoding();
    void aFileNotWrittenWholeIsLeftAsItWas();
    void aClassFileIsARegularFileOfAtMost1MiB();
    void sheetsAreOnePageAndOnlyTheTeachersHoldsTheAnswer_data();
    void sheetsAreOnePageAndOnlyTheTeachersHoldsTheAnswer();
};

void TestStats::sweepMatchesEveryDirectionSequence_data()
{
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<Point>("dog");
    // Two steps apart: a meeting and its restart fit in the window twice.
    QTest::newRow("default starts") << Point{4, 4} << Point{6, 4};
    QTest::newRow("one corner") << Point{0, 0} << Point{0, 0};
    QTest::newRow("far edge") << Point{10, 3} << Point{9, 4};
    // No symmetry of the board swaps Dog's start with Momotaro's in these,
    // which would hide a map cell read from the wrong point or the wrong
    // walker's timer.
    QTest::newRow("Dog off centre") << Point{3, 5} << Point{6, 4};
    QTest::newRow("Dog off centre, Momotaro in a corner") << Point{0, 0} << Point{6, 4};
    QTest::newRow("Dog off centre, Momotaro below") << Point{7, 2} << Point{6, 4};
    QTest::newRow("Dog by an edge") << Point{3, 9} << Point{1, 8};
    QTest::newRow("Dog by an edge, Momotaro beside") << Point{1, 7} << Point{1, 8};
}

// The one sweep for every Momotaro start, read as the answer and as the map.
void TestStats::sweepMatchesEveryDirectionSequence()
{
    QFETCH(Point, momotaro);
    QFETCH(Point, dog);
    const int ticks = 3;
    const stats::PerScenario<stats::ExactForDog> sweeps = stats::sweepBoth({momotaro, dog}, ticks, true);
    const stats::MeetingMap map = stats::meetingMap(sweeps);
    for (Scenario scenario : stats::Scenarios) {
        const QString name = scenario == Scenario::BothWalk ? "both" : "one";
        const stats::ExactResult exact = stats::exactResultOf(sweeps[scenario].firstMeeting(momotaro), ticks);
        const std::vector<double> law = enumeratedLaw(scenario, {momotaro, dog}, ticks);
        double mean = 0;
        for (std::size_t k = 0; k < law.size(); ++k) {
            const double got = k < exact.law.size() ? exact.law[k] : 0.0;
            QVERIFY2(std::fabs(got - law[k]) < 1e-12, qPrintable(QStringLiteral("%1, P(N = %2): %3 against %4").arg(name).arg(k).arg(got).arg(law[k])));
            mean += double(k) * law[k];
        }
        QCOMPARE_LE(std::fabs(exact.expectedMeetings - mean), 1e-12);
        QCOMPARE_LE(std::fabs(map[scenario][std::size_t(stats::pointIndex(momotaro))] - mean), 1e-12);
    }
}

void TestStats::firstMeetingWaitMatchesEveryPairOfPositions_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<Point>("dog");
    QTest::newRow("both, diagonal neighbours") << Scenario::BothWalk << Point{4, 4} << Point{5, 5};
    QTest::newRow("one, diagonal neighbours") << Scenario::DogWalks << Point{4, 4} << Point{5, 5};
    QTest::newRow("both, Dog beside a corner") << Scenario::BothWalk << Point{0, 0} << Point{2, 1};
}

void TestStats::firstMeetingWaitMatchesEveryPairOfPositions()
{
    QFETCH(Scenario, scenario);
    QFETCH(Point, momotaro);
    QFETCH(Point, dog);
    // A run of 2 s: the mean and the median lie well past it.
    const int ticks = 10;
    const stats::ExactResult exact = stats::exactResult(scenario, {momotaro, dog}, ticks);
    const std::vector<double> survival = noMeetingByEveryPair(scenario, {momotaro, dog});
    // The first meeting comes in period K, and P(K > k) = S(2k).
    const double period = 0.2;
    const double mean = period * std::accumulate(survival.begin(), survival.end(), 0.0);
    const auto half = std::find_if(survival.begin(), survival.end(), [](double s) { return s <= 0.5; });
    QCOMPARE(exact.medianFirstSeconds.value_or(-1.0), period * double(half - survival.begin()));
    QVERIFY2(std::fabs(exact.meanFirstSeconds - mean) <= 1e-9 * mean, qPrintable(QStringLiteral("%1 against %2").arg(exact.meanFirstSeconds).arg(mean)));
    for (int k = 0; k <= ticks; ++k)
        QCOMPARE_LE(std::fabs(exact.noMeetingYet[std::size_t(k)] - survival[std::size_t(k)]), 1e-12);
}

void TestStats::fastDogTickMatchesThePlainOne()
{
    std::vector<double> landing(stats::PairTableSize);
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::generate(landing.begin(), landing.end(), [&] { return chance(random); });
    std::vector<double> fast(stats::PairTableSize, -1.0);
    std::vector<double> plain(stats::PairTableSize, -1.0);
    stats::dogTickBack(landing.data(), fast.data());
    stats::dogTickBackPlain(landing.data(), plain.data());
    for (int i = 0; i < stats::PairTableSize; ++i)
        QVERIFY2(std::fabs(fast[i] - plain[i]) <= 1e-14, qPrintable(QStringLiteral("at %1: %2 against %3").arg(i).arg(fast[i]).arg(plain[i])));
}

void TestStats::lawCarriedOnMatchesALongerSweep()
{
    // The sweep of a 10 s run stops long before 300 s; the slower scenario
    // has then still a 4.5% chance of no meeting yet.
    const Starts starts{{0, 0}, {10, 10}};
    const int ticks = 2 * rules::ticksPerTimer(300);
    for (Scenario scenario : stats::Scenarios) {
        const stats::FirstMeeting carried = stats::lengthened(stats::firstMeeting(scenario, starts, rules::ticksPerTimer(10)), ticks);
        const stats::FirstMeeting swept = stats::firstMeeting(scenario, starts, ticks / 2);
        for (Walker walker : stats::Walkers) {
            for (int t = 0; t <= ticks; ++t)
                QCOMPARE_LE(std::fabs(carried.within[walker][t] - swept.within[walker][t]), 1e-9);
        }
    }
}

// The counts handed over as the runs are played: stretch after stretch in
// run order, the same for a seed whatever the threads.
void TestStats::runsComeInOrderWhateverTheThreads()
{
    const auto streamed = [](int threads, std::uint64_t seed) {
        std::vector<std::uint16_t> counts;
        stats::simulate({Scenario::BothWalk, {{4, 4}, {6, 4}}, 50, 20'000, seed, threads}, [&](std::int64_t first, std::span<const std::uint16_t> stretch) {
            counts.resize(std::size_t(first));
            counts.insert(counts.end(), stretch.begin(), stretch.end());
            return true;
        });
        return counts;
    };
    const std::vector<std::uint16_t> counts = streamed(1, 42);
    QCOMPARE(counts.size(), 20'000u);
    QVERIFY(counts == streamed(3, 42));
    QVERIFY(counts != streamed(1, 43));
}

// A class played on in steps of any size, paused (a step of 0) or asked to
// go back (a negative step), stands at every step where its runs played in
// one go stand, and shows the groups done, the first ones, with the counts
// the simulation plays for the same seed: its runs 0 .. groups - 1.
void TestStats::aClassInMotionPlaysTheSimulationsRuns_data()
{
    using Start = stats::ClassInMotion::Start;
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<Start>("start");
    QTest::newRow("a tick at a time, as in real time") << QList<int>{1} << Start::InTurn;
    QTest::newRow("17 ticks a frame, as at 200 times") << QList<int>{17} << Start::InTurn;
    QTest::newRow("17 ticks a frame, all started together") << QList<int>{17} << Start::Together;
    QTest::newRow("paused, stepped back, then on") << QList<int>{40, 0, -5, 1, 300} << Start::InTurn;
    QTest::newRow("finished at once") << QList<int>{1'000'000} << Start::InTurn;
}

void TestStats::aClassInMotionPlaysTheSimulationsRuns()
{
    QFETCH(QList<int>, steps);
    QFETCH(stats::ClassInMotion::Start, start);
    const stats::Starts starts{{4, 4}, {6, 4}};
    constexpr int Ticks = 150;
    constexpr int Groups = 7;
    constexpr std::uint64_t Seed = 99;
    stats::PerScenario<std::vector<std::uint16_t>> played;
    for (Scenario scenario : stats::Scenarios) {
        stats::simulate({scenario, starts, Ticks, Groups, Seed, 1}, [&](std::int64_t, std::span<const std::uint16_t> counts) {
            played[scenario].assign(counts.begin(), counts.end());
            return true;
        });
    }
    // Group g's run of a scenario played in one go for ticks ticks.
    auto inOneGo = [&](int g, Scenario scenario, int ticks) {
        WalkPoints walk = placedWalk(scenario, starts.momotaro, starts.dog);
        SplitMixRandom random(stats::runSeed(Seed, scenario, g));
        playRun(walk, ticks, [&random] { return directionFromDraw(random.next()); });
        return QList<int>{int(walk.dogX), int(walk.dogY), int(walk.momoX), int(walk.momoY), int(walk.runMode), int(walk.meetCount)};
    };
    stats::ClassInMotion motion(starts, Ticks, Groups, Seed, start);
    for (int i = 0; !motion.finished(); ++i) {
        QVERIFY(i < 10'000);
        motion.advanceTo(motion.now() + steps[i % steps.size()]);
        const stats::ClassCounts counts = motion.counts();
        QCOMPARE(int(counts.groups.size()), motion.groupsDone());
        for (int g = 0; g < Groups; ++g) {
            for (Scenario scenario : stats::Scenarios) {
                const WalkPoints &walk = motion.walk(g, scenario);
                const QList<int> now{int(walk.dogX), int(walk.dogY), int(walk.momoX), int(walk.momoY), int(walk.runMode), int(walk.meetCount)};
                QCOMPARE(now, inOneGo(g, scenario, g < motion.groupsDone() ? Ticks : motion.ticksDone(g)));
                if (g < motion.groupsDone())
                    QCOMPARE(*counts.groups[std::size_t(g)].counts[scenario], int(played[scenario][std::size_t(g)]));
            }
        }
    }
    QCOMPARE(motion.groupsDone(), Groups);
}

// Many classes of a few groups, played without being shown: how often their
// totals put the right way ahead falls within the simulation's error of the
// exact chance, and the first class is the class shown.
void TestStats::manyClassesAgreeWithTheExactChance_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("seconds");
    QTest::newRow("1 group, runs of 180 s") << 1 << 180;
    QTest::newRow("5 groups, runs of 60 s") << 5 << 60;
}

void TestStats::manyClassesAgreeWithTheExactChance()
{
    QFETCH(int, groups);
    QFETCH(int, seconds);
    const stats::Answer answer = stats::answerOf({{4, 4}, {6, 4}}, seconds, stats::sweepBoth({{4, 4}, {6, 4}}, rules::ticksPerTimer(seconds), false));
    const std::optional<stats::ManyClasses> many = stats::playManyClasses(answer, groups, 1000, 5, 2);
    QVERIFY(many);
    QCOMPARE(many->exactChance, answer.runsEach.byRuns[std::size_t(groups - 1)].bothMore);
    QVERIFY2(many->agrees(), qPrintable(QStringLiteral("%1 right, %2..%3 expected").arg(many->right).arg(many->fewestRight).arg(many->mostRight)));
    // The 99% range is narrow: a class's ties counted as right would leave it.
    QVERIFY(many->mostRight - many->fewestRight < 100);

    stats::ClassInMotion shown(answer.starts, answer.ticksPerTimer, groups, 5);
    shown.advanceTo(shown.end());
    const stats::ClassCounts first = shown.counts();
    const bool right = first.sum(Scenario::BothWalk).meetings > first.sum(Scenario::DogWalks).meetings;
    const std::optional<stats::ManyClasses> one = stats::playManyClasses(answer, groups, 1, 5, 1);
    QCOMPARE(one->right, right ? 1 : 0);
}

// A reader that goes away after the first line (| head -1) ends a hundred
// million runs at once, as a failed write.
void TestStats::aClosedPipeEndsTheTool()
{
    // Ended by timeout past the test's deadline, should it ignore the pipe:
    // never left running for the hour a hundred million runs take.
    QProcess shell;
    const QString seconds = QString::number(waitDeadline().count() / 1000 + 5);
    shell.start("sh", {"-c", "{ timeout -s KILL \"$1\" \"$0\" --runs 100000000 --csv -; echo \"status $?\" >&2; } | head -1",
                       MEETLING_STATS, seconds});
    QVERIFY(shell.waitForFinished(int(waitDeadline().count())));
    QCOMPARE(shell.readAllStandardOutput(), QByteArray("scenario,run,meetings\n"));
    const QByteArray said = shell.readAllStandardError();
    QVERIFY2(said.startsWith("meetling-stats: cannot write standard output: ") && said.endsWith("\nstatus 1\n"), said.constData());
}

void TestStats::verdictHeadlineSaysHowPlainTheAnswerIs_data()
{
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<Point>("dog");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<stats::Outcome>("outcome");
    // The faster way: in this run when the answer is clear, else in the
    // shortest run that makes it clear.
    QTest::addColumn<Scenario>("faster");
    QTest::newRow("a clear win") << Point{4, 4} << Point{6, 4} << 180.0 << stats::Outcome::Clear << Scenario::BothWalk;
    QTest::newRow("a clear win though most runs meet nowhere") << Point{0, 0} << Point{10, 10} << 10.0 << stats::Outcome::Clear << Scenario::BothWalk;
    QTest::newRow("starting together") << Point{5, 5} << Point{5, 5} << 60.0 << stats::Outcome::Clear << Scenario::BothWalk;
    QTest::newRow("a near tie") << Point{2, 1} << Point{1, 0} << 10.0 << stats::Outcome::Tie << Scenario::BothWalk;
    // Waiting meets more in the run, wandering meets sooner.
    QTest::newRow("meetings and waits disagree") << Point{9, 1} << Point{10, 0} << 10.0 << stats::Outcome::Disagree << Scenario::BothWalk;
    QTest::newRow("a run too short") << Point{4, 4} << Point{5, 5} << 4.0 << stats::Outcome::TooShort << Scenario::BothWalk;
    // Three ticks of each timer: ten points apart, they cannot meet.
    QTest::newRow("no meeting possible") << Point{0, 0} << Point{10, 10} << 0.6 << stats::Outcome::NoMeeting << Scenario::BothWalk;
}

void TestStats::verdictHeadlineSaysHowPlainTheAnswerIs()
{
    QFETCH(Point, momotaro);
    QFETCH(Point, dog);
    QFETCH(double, seconds);
    QFETCH(stats::Outcome, outcome);
    QFETCH(Scenario, faster);
    const Starts starts{momotaro, dog};
    const stats::Answer answer = stats::answerOf(starts, seconds, stats::sweepBoth(starts, rules::ticksPerTimer(seconds), false));
    const stats::Verdict &verdict = answer.verdict;
    QCOMPARE(verdict.outcome, outcome);
    // Starting together is said not to count, and only then.
    QCOMPARE(verdict.detail.contains(QStringLiteral("same point")), momotaro == dog);

    if (outcome == stats::Outcome::Clear) {
        QCOMPARE(verdict.faster, faster);
        QVERIFY2(verdict.headline.startsWith(stats::doing(faster), Qt::CaseInsensitive), qPrintable(verdict.headline));
        QVERIFY(!answer.clearRun);
        // How often one run of each puts the slower way ahead.
        const stats::OneRunEach &one = answer.runsEach.byRuns.front();
        const double slowerAhead = faster == Scenario::BothWalk ? one.oneMore : one.bothMore;
        QVERIFY2(verdict.detail.contains(stats::percent(slowerAhead)), qPrintable(verdict.detail));
        return;
    }
    QCOMPARE(verdict.faster, std::nullopt);
    // The headline names the shortest run that settles it, clear there by
    // a sweep of its own and not a second shorter.
    QVERIFY(answer.clearRun);
    QCOMPARE(answer.clearRun->faster, faster);
    const QStringList numbers = verdict.headline.split(QRegularExpression(QStringLiteral("[^0-9.]+")));
    QVERIFY2(numbers.contains(QString::number(answer.clearRun->seconds)), qPrintable(verdict.headline));
    const auto outcomeIn = [&](int longer) {
        stats::PerScenario<stats::ExactResult> exact;
        for (Scenario scenario : stats::Scenarios)
            exact[scenario] = stats::exactResult(scenario, starts, rules::ticksPerTimer(longer));
        return stats::outcomeOf(exact, stats::compareRunsEach(exact[Scenario::BothWalk].law, exact[Scenario::DogWalks].law));
    };
    QCOMPARE(outcomeIn(answer.clearRun->seconds), stats::Outcome::Clear);
    if (answer.clearRun->seconds - 1 > seconds)
        QVERIFY(outcomeIn(answer.clearRun->seconds - 1) != stats::Outcome::Clear);
}

void TestStats::startPointsAreReadAsPeopleWriteThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("as the table prints it") << "(3, 7)";
    QTest::newRow("a space between") << "3 7";
    QTest::newRow("leading zeros and plus signs") << "+03,+7";
    QTest::newRow("full-width, as a Japanese input method types") << QString::fromUtf8("（３，７）");
}

void TestStats::startPointsAreReadAsPeopleWriteThem()
{
    QFETCH(QString, text);
    const auto parsed = stats::parseOptions({"meetling-stats", "--dog", text}, 1);
    const auto *options = std::get_if<stats::Options>(&parsed);
    QVERIFY2(options, qPrintable(options ? QString() : std::get<stats::Refusal>(parsed).message));
    QCOMPARE(options->starts.dog, (Point{3, 7}));
}

// A terminal shows Japanese characters two columns wide; Japanese has no
// spaces and breaks between its phrases, never inside a word, before "、"
// or "。", nor between a number and its unit.
void TestStats::sentencesWrapWithinTheTerminalsColumns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("English, at spaces") << "Add up the meetings of 4 runs of each, and both wandering comes out ahead" << 24
                                        << QStringList{"  Add up the meetings of", "  4 runs of each, and", "  both wandering comes", "  out ahead"};
    QTest::newRow("Japanese, a comma kept off a line's start") << "ふたりとも歩き回るほうが、桃太郎が待つほうより多く出会います。" << 26
                                                            << QStringList{"  ふたりとも", "  歩き回るほうが、桃太郎が", "  待つほうより多く", "  出会います。"};
    QTest::newRow("Japanese, words of kana kept whole") << "それぞれ1回ずつ実験すると、なし（「桃太郎が待つ」がおそいため）" << 14
                                                      << QStringList{"  それぞれ", "  1回ずつ", "  実験すると、", "  なし", "  （「桃太郎が", "  待つ」がおそいため）"};
    QTest::newRow("Japanese, a number kept with its unit") << "ふたりの平均は19.5回です。" << 21
                                                         << QStringList{"  ふたりの平均は", "  19.5回です。"};
}

void TestStats::sentencesWrapWithinTheTerminalsColumns()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QStringList, lines);
    QCOMPARE(stats::wrappedLines(text, width, QStringLiteral("  ")), lines);
}

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

void TestStats::runsEachAndClassTotalsMatchEveryOutcome()
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
        QCOMPARE_LE(std::fabs(got.bothMore - expected.bothMore) + std::fabs(got.tie - expected.tie) + std::fabs(got.oneMore - expected.oneMore), 1e-12);
        // A class's total of n runs of the first law (mean 1.1 a run): the
        // chance of a total at least that far from 1.1 n, on either side.
        for (std::size_t classTotal = 0; classTotal < bothTotal.size(); ++classTotal) {
            double far = 0;
            for (std::size_t k = 0; k < bothTotal.size(); ++k)
                far += std::fabs(double(k) - 1.1 * n) >= std::fabs(double(classTotal) - 1.1 * n) - 1e-9 ? bothTotal[k] : 0.0;
            QCOMPARE_LE(std::fabs(stats::chanceOfTotalThisFar(both, n, qint64(classTotal)) - far), 1e-12);
        }
    }
}

void TestStats::classFileKeepsEachGroupsCells_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("groups");
    QTest::newRow("a blank second cell") << QByteArray("\"When two srart\",\"When one starts\"\n12;\n9,4\n") << "12 -|9 4";
    QTest::newRow("simulated, said in a comment") << QByteArray("# Simulated, seed 7\n# a note\nboth,one\n1,2\n") << "1 2 (Simulated, seed 7)";
    QTest::newRow("a blank first cell") << QByteArray("3\n;5\n") << "3 -|- 5";
    QTest::newRow("a blank group between, blank rows after") << QByteArray("1,2\n,\n\n7\t8\n;\n,\n") << "1 2|- -|7 8";
    // A spreadsheet's "Unicode text": UTF-16 with a byte-order mark.
    const QString utf16 = QStringLiteral("\uFEFFboth\tone\r\n4\t5\r\n");
    QTest::newRow("UTF-16, little-endian") << QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2) << "4 5";
}

void TestStats::classFileKeepsEachGroupsCells()
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

void TestStats::badClassFilesNameTheLineAndGroup_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("a word among the counts") << QByteArray("# a note\nboth,one\n\n3,4\n,\nx,5\n")
                                               << "line 6 (group 3): 'x' is not a whole number";
    QTest::newRow("a count too large") << QByteArray("both,one\n1000,4\n") << "line 2 (group 1): '1000' is not a whole number";
    QTest::newRow("three columns") << QByteArray("3,4,5\n") << "line 1 (group 1): more than two columns";
    // A first group mistyped is no header to pass over: the class's first run would be lost.
    QTest::newRow("a first group mistyped") << QByteArray("3,4x\n5,6\n") << "line 1 (group 1): '4x' is not a whole number";
    QTest::newRow("a first group negative") << QByteArray("-3,4\n5,6\n") << "line 1 (group 1): '-3' is not a whole number";
    // A message quotes a cell's start only, and keeps to one line.
    QTest::newRow("a long cell") << QByteArray("a,b\n3,") + QByteArray(100000, 'x') + '\n' << "line 2 (group 1): 'xxxxxxxxxxxxxxxxxxxxxxxx…' is not";
    QTest::newRow("a NUL in a cell") << QByteArray("a,b\n3,x\0y\n", 11) << "line 2 (group 1): 'x\\u0000y' is not";
    QTest::newRow("empty") << QByteArray("\n\n") << "the file is empty";
    QTest::newRow("a header alone") << QByteArray("both,one\n,\n") << "no runs in it";
    QTest::newRow("a group past the 1,000th, blank ones counted") << QByteArray("5,\n") + QByteArray(",\n").repeated(998) + "6,\n7,\n"
                                                             << "line 1001: more than 1,000 groups";
}

void TestStats::badClassFilesNameTheLineAndGroup()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    const auto read = stats::readClassCounts(text);
    const QString *problem = std::get_if<QString>(&read);
    QVERIFY(problem);
    QVERIFY2(problem->startsWith(message), qPrintable(*problem));
}

void TestStats::classCountsAreComparedWithTheAnswer_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("says");
    // The default starts: 9.43 meetings a run when both wander, 6.14 when
    // Momotaro waits. Semicolons and tabs, full-width digits, a blank cell,
    // no trailing newline.
    QTest::newRow("typical") << QByteArray("When two srart,When one starts\r\n9,6\r\n12;5\r\n8,\r\n\xef\xbc\x97\t\xef\xbc\x98")
                             << QStringList{"agree with the answer", "point the right way"};
    QTest::newRow("unusual") << QByteArray("2,14\n1,15\n3,13\n")
                             << QStringList{"unusual for \"Both wander\"", "about 1 class in 1,100", "point the wrong way"};
}

void TestStats::classCountsAreComparedWithTheAnswer()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, says);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("class.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    QProcess tool;
    tool.start(QStringLiteral(MEETLING_STATS), {"--runs", "1", "--class", file.fileName()});
    QVERIFY(tool.waitForFinished(int(waitDeadline().count())));
    QCOMPARE(tool.exitCode(), 0);
    // The sentences, joined again across the lines they were wrapped at.
    const QString table = QString::fromUtf8(tool.readAllStandardOutput()).simplified();
    for (const QString &phrase : says)
        QVERIFY2(table.contains(phrase), qPrintable(phrase));
}

void TestStats::badOptionsAreRefusedWithoutOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("point off the board") << QStringList{"--momo", "11,4"} << 2 << "--momo: expected X,Y";
    QTest::newRow("y off the board") << QStringList{"--dog", "3,11"} << 2 << "--dog: expected X,Y";
    QTest::newRow("one parenthesis") << QStringList{"--dog", "(3,7"} << 2 << "--dog: expected X,Y";
    QTest::newRow("value left out") << QStringList{"--momo", "--dog", "1,1"} << 2 << "--momo: no value given (expected X,Y)";
    QTest::newRow("two outputs, one file") << QStringList{"--plot", "same.png", "--map", "./same.png"} << 2
                                           << "--plot and --map name the same file";
    QTest::newRow("two outputs to the terminal") << QStringList{"--csv", "-", "--json"} << 2
                                                 << "--csv - and --json both write to standard output";
    QTest::newRow("two sheets to the terminal") << QStringList{"--pupils-sheet", "-", "--teacher-sheet", "-"} << 2
                                                << "--pupils-sheet - and --teacher-sheet - both write to standard output";
    QTest::newRow("two pictures to the terminal") << QStringList{"--plot", "-", "--map", "-"} << 2
                                                  << "--plot - and --map - both write to standard output";
    QTest::newRow("class from standard input") << QStringList{"--class", "-", "--teacher-sheet", "-"} << 2
                                               << "--class: standard input is not read";
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
    QTest::newRow("picture kind") << QStringList{"--plot", "out.gif"} << 2 << "--plot: the file name must end in .png or .svg";
    QTest::newRow("plot folder missing") << QStringList{"--plot", "missing/out.png"} << 1 << "--plot: no such folder";
    QTest::newRow("a sheet not a PDF") << QStringList{"--pupils-sheet", "sheet.png"} << 2 << "--pupils-sheet: the file name must end in .pdf";
    QTest::newRow("paper of another size") << QStringList{"--teacher-sheet", "t.pdf", "--paper", "A5"} << 2 << "--paper: expected A4 or Letter";
    // A line break in a name typed stays on the one line, as its code.
    QTest::newRow("a line break in a name") << QStringList{"--plot", "miss\ning/out.png"} << 1 << "--plot: no such folder: ";
}

void TestStats::badOptionsAreRefusedWithoutOutput()
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

// A picture or a sheet named "-" is written whole to standard output, with
// no table after it, and no file of that name is made.
void TestStats::anOutputNamedDashGoesToStandardOutputAlone_data()
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

void TestStats::anOutputNamedDashGoesToStandardOutputAlone()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, end);
    QTemporaryDir dir;
    QProcess tool;
    tool.setWorkingDirectory(dir.path());
    tool.start(QStringLiteral(MEETLING_STATS), {"--seconds", "4", "--runs", "10", option, "-"});
    QVERIFY(tool.waitForFinished(int(waitDeadline().count())));
    QCOMPARE(tool.exitCode(), 0);
    const QByteArray out = tool.readAllStandardOutput();
    QVERIFY2(out.startsWith(start) && out.endsWith(end), out.left(40).toHex().constData());
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

// Every leaf of a JSON value as "path = value", numbers to 9 digits.
QStringList flatten(const QJsonValue &value, const QString &path)
{
    QStringList leaves;
    if (value.isObject()) {
        for (const QString &key : value.toObject().keys())
            leaves += flatten(value[key], path + u'.' + key);
    } else if (value.isArray()) {
        for (qsizetype i = 0; i < value.toArray().size(); ++i)
            leaves += flatten(value[i], path + QStringLiteral("[%1]").arg(i));
    } else {
        leaves << path + QStringLiteral(" = ") + (value.isDouble() ? QString::number(value.toDouble(), 'g', 9) : value.toVariant().toString());
    }
    return leaves;
}

void TestStats::outputMatchesItsGoldenFile_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("golden");
    QTest::newRow("json") << "--json" << "golden.json";
    QTest::newRow("csv") << "--csv=-" << "golden.csv";
}

void TestStats::outputMatchesItsGoldenFile()
{
    QFETCH(QString, output);
    QFETCH(QString, golden);
    // The golden files were written by these very commands; after a
    // deliberate change, write them again the same way and read the difference.
    const QStringList arguments{output, "--seconds", "4", "--runs", "40", "--seed", "5", "--momo", "4,4", "--dog", "5,5"};
    QProcess tool;
    tool.start(QStringLiteral(MEETLING_STATS), arguments);
    QVERIFY(tool.waitForFinished(int(waitDeadline().count())));
    QCOMPARE(tool.exitCode(), 0);
    QFile file(QStringLiteral(MEETLING_TEST_DATA "/") + golden);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray got = tool.readAllStandardOutput();
    const QByteArray want = file.readAll();
    if (golden.endsWith(u".csv")) {
        QCOMPARE(QString::fromUtf8(got).split(u'\n'), QString::fromUtf8(want).split(u'\n'));
        return;
    }
    // JSON field by field, so that a difference names its field.
    QCOMPARE(flatten(QJsonDocument::fromJson(got).object(), "json"), flatten(QJsonDocument::fromJson(want).object(), "json"));
}

// The tool speaks the user's language: in Japanese its table, help and
// refusals read in Japanese (English words left are option names, file
// kinds and the board's own captions), and what programs read, the JSON and
// the CSV, is the same bytes as in English. On a system whose language it
// lacks it speaks English, and writes its numbers as English does.
void TestStats::speaksTheUsersLanguageButWritesTheSameData_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("locale"); // variables beside an unset LC_ALL
    QTest::addColumn<bool>("data");          // the same bytes as in English, rather than Japanese text
    QTest::addColumn<QString>("english");    // what the English beside it says
    const QStringList ja{"LANG=ja_JP.UTF-8"};
    const QStringList question{"--momo", "3,4", "--dog", "6,7", "--seconds", "20", "--runs", "2000", "--seed", "3"};
    QTest::newRow("table") << question << ja << false << "Simulated: 2,000 runs of each";
    QTest::newRow("table, LANGUAGE before LANG") << question << QStringList{"LANG=en_GB.UTF-8", "LANGUAGE=fr:ja"} << false << "";
    QTest::newRow("help") << QStringList{"--help"} << ja << false << "";
    QTest::newRow("refusal") << QStringList{"--seconds", "0"} << ja << false << "";
    QTest::newRow("json") << question + QStringList{"--json"} << ja << true << "";
    QTest::newRow("csv") << question + QStringList{"--csv=-"} << ja << true << "";
}

void TestStats::speaksTheUsersLanguageButWritesTheSameData()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, locale);
    QFETCH(bool, data);
    QFETCH(QString, english);
    const auto run = [&](const QStringList &variables) { return runInLocale(QStringLiteral(MEETLING_STATS), arguments, variables); };
    const auto [out, err] = run(locale);
    // English, as on a German system: numbers too as English writes them.
    const auto [englishOut, englishErr] = run({QStringLiteral("LC_ALL=de_DE.UTF-8")});
    QVERIFY2(QString::fromUtf8(englishOut).contains(english), englishOut.constData());
    if (data) {
        QVERIFY(!out.isEmpty());
        QCOMPARE(out, englishOut);
        return;
    }
    QVERIFY(out + err != englishOut + englishErr);
    // What may stay in English: option names and their values, file kinds,
    // the program's name and the board's captions (which a wrapped line may
    // split, so lines are joined first).
    static const QRegularExpression kept(QStringLiteral(
        R"(--?[a-z][a-z-]*(=\S*)?|\b[A-Z0-9]{2,}\b|\.(png|svg|pdf|csv)\b|meetling-\w+|[A-Z]\b|Letter)"
        R"(|“(When two srart|When one starts|Start)”)"));
    static const QRegularExpression word(QStringLiteral(R"(.{0,30}[A-Za-z]{3,}.{0,10})"));
    const QString text = QString::fromUtf8(out + err).replace(QRegularExpression(QStringLiteral(R"( *\n *)")), QStringLiteral(" "));
    QStringList untranslated;
    for (const QRegularExpressionMatch &match : word.globalMatch(QString(text).remove(kept)))
        untranslated << match.captured();
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u'\n')));
}

// The table, help and refusals in the locale's encoding: under ja_JP, EUC-JP
// that iconv reads back to the Japanese of a UTF-8 locale; under C, whose
// ASCII has no Japanese, English as C's own, though LANGUAGE asks for Japanese.
void TestStats::writesTextInTheLocalesEncoding_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("locale");
    QTest::addColumn<QStringList>("sameAs"); // the locale it reads as
    QTest::addColumn<QString>("encoding");   // iconv's name for it
    const QStringList question{"--momo", "3,4", "--dog", "6,7", "--seconds", "20", "--runs", "200"};
    const QStringList euc{"LANG=ja_JP"}, utf8{"LANG=ja_JP.UTF-8"};
    QTest::newRow("table, EUC-JP") << question << euc << utf8 << "EUC-JP";
    QTest::newRow("refusal, EUC-JP") << QStringList{"--seconds", "0"} << euc << utf8 << "EUC-JP";
    QTest::newRow("table, ASCII") << question << QStringList{"LC_ALL=C", "LANGUAGE=ja"} << QStringList{"LC_ALL=C"} << "ASCII";
}

void TestStats::writesTextInTheLocalesEncoding()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, locale);
    QFETCH(QStringList, sameAs);
    QFETCH(QString, encoding);
    if (QProcess::execute(QStringLiteral("sh"), {"-c", "locale -a | grep -qx ja_JP"}) != 0)
        QSKIP("the system has no locale ja_JP (EUC-JP): localedef -i ja_JP -f EUC-JP ja_JP makes it");
    const auto [out, err] = runInLocale(QStringLiteral(MEETLING_STATS), arguments, locale);
    const auto [wantOut, wantErr] = runInLocale(QStringLiteral(MEETLING_STATS), arguments, sameAs);
    QVERIFY(!(wantOut + wantErr).isEmpty());
    QCOMPARE(runInLocale(QStringLiteral("iconv"), {"-f", encoding, "-t", "UTF-8"}, {}, out + err).first, wantOut + wantErr);
}

// A write the file system refuses part way, as a full disk does (here a
// limit on the file's size): the tool says so, and the old file is still
// there as it was, with nothing left beside it.
void TestStats::aFileNotWrittenWholeIsLeftAsItWas()
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

// What is not a class's file is refused before it is read: a device that
// never ends, a pipe that no one writes (it must not wait), a large file.
void TestStats::aClassFileIsARegularFileOfAtMost1MiB()
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    const QString large = dir.filePath(QStringLiteral("large.csv"));
    QFile file(large);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("3,4\n").repeated(300000));
    file.close();
    const std::array<std::pair<QString, QString>, 3> refused{{{QStringLiteral("/dev/zero"), QStringLiteral("not a regular file")},
                                                              {pipe, QStringLiteral("not a regular file")},
                                                              {large, QStringLiteral("larger than 1 MiB")}}};
    for (const auto &[name, says] : refused) {
        const auto read = stats::readClassFile(name);
        const auto *problem = std::get_if<QString>(&read);
        QVERIFY2(problem && problem->contains(says), qPrintable(name));
    }
}

// The lesson's sheets from the command line, on either paper: one page
// each, read back with poppler's tools; the pupils' sheet names the start
// points and the run's length but no figure of the answer, the teacher's
// holds both ways' expected meetings.
void TestStats::sheetsAreOnePageAndOnlyTheTeachersHoldsTheAnswer_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("paper");
    QTest::newRow("A4, the default question") << QStringList{} << "A4";
    QTest::newRow("Letter, corners, 60 s, 10 rows")
        << QStringList{"--paper", "letter", "--momo", "0,0", "--dog", "10,10", "--seconds", "60", "--sheet-rows", "10"} << "letter";
}

void TestStats::sheetsAreOnePageAndOnlyTheTeachersHoldsTheAnswer()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, paper);
    QTemporaryDir dir;
    const QString pupils = dir.filePath(QStringLiteral("pupils.pdf"));
    const QString teacher = dir.filePath(QStringLiteral("teacher.pdf"));
    QProcess tool;
    tool.start(QStringLiteral(MEETLING_STATS), arguments + QStringList{"--runs", "1", "--json", "--pupils-sheet", pupils, "--teacher-sheet", teacher});
    QVERIFY(tool.waitForFinished(int(waitDeadline().count())));
    QCOMPARE(tool.exitCode(), 0);
    const QByteArray out = tool.readAllStandardOutput();
    const QJsonObject exact = QJsonDocument::fromJson(out)[QStringLiteral("exact")].toObject();
    QVERIFY2(!exact.isEmpty(), out.left(200).constData());
    QStringList figures;
    for (const char *scenario : {"bothWalk", "dogWalks"})
        figures << QString::number(exact[QLatin1String(scenario)][QStringLiteral("expectedMeetings")].toDouble(), 'f', 2);

    auto run = [](const QString &program, const QStringList &args) {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(int(waitDeadline().count())) || p.exitCode() != 0)
            return QString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    for (const QString &sheet : {pupils, teacher}) {
        const QString info = run(QStringLiteral("pdfinfo"), {sheet});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:.*\\(%1\\)").arg(paper))), qPrintable(info));
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
    const QString headline = QJsonDocument::fromJson(out)[QStringLiteral("verdict")].toString().section(u'\n', 0, 0).simplified();
    QVERIFY2(teacherText.simplified().contains(headline), qPrintable(headline));
    QVERIFY(!pupilsText.simplified().contains(headline));
}

QTEST_GUILESS_MAIN(TestStats)
#include "tst_stats.moc"
