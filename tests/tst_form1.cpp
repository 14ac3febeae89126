#include "main_window/boardgeometry.h"
#include "runtime/conversions.h"
#include "formfixture.h"
#include "core/readouts.h"
#include "waiting.h"
#include "core/walkrun.h"

#include <QDeadlineTimer>
#include <QTest>

Q_DECLARE_METATYPE(Point)

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void everyControlIsWhollyInViewAndTheWalkersOnTop();
    void readoutsShowTheirTextInTheirColour_data();
    void readoutsShowTheirTextInTheirColour();
    void focusStartsOnTheBoardAndFollowsTheWindowOrder();
    void aClickWhileABoxIsOpenIsDropped();
    void startingAgainKeepsTheTimersRunning();
    void walkersArePlacedOnTheBoardGrid_data();
    void walkersArePlacedOnTheBoardGrid();
    void enableTableFollowsEveryHandler_data();
    void enableTableFollowsEveryHandler();
    void wholeRunInVirtualTime();
    void anErrorInAHandlerIsShownAndEndsTheProgram();
};

void TestForm1::everyControlIsWhollyInViewAndTheWalkersOnTop()
{
    // Dog on the origin, over the "0" and both axes.
    FormFixture f;
    f.setUp(Scenario::BothWalk, {"10", "10", "0", "0"});
    f.form->show();
    // The buttons, read-outs and board are drawn whole, inside the window
    // and uncovered by any other control. Beneath a button's rounded,
    // antialiased corners what lies under it may show through: a few
    // pixels, where a control on top would change a whole edge.
    QRegion covered;
    for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Label1", "Label2",
                             "Label3", "Label4", "Picture1"}) {
        QWidget *control = f.find(name);
        const QRect area(control->mapTo(f.form, QPoint(0, 0)), control->size());
        QVERIFY2(f.form->rect().contains(area), name);
        QVERIFY2(!covered.intersects(area), name);
        covered += area;
        QCOMPARE_LE(pixelsCovered(f.form, control), 8);
    }
    // Each walker's opaque pixels are on top of the board's labels and lines.
    const QImage board = f.find("Picture1")->grab().toImage();
    for (const char *name : {"Picture2", "Picture3"}) {
        auto *walker = f.find<QLabel>(name);
        const QImage picture = walker->pixmap().toImage();
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (qAlpha(picture.pixel(x, y)) < 255)
                    continue;
                ++opaque;
                QCOMPARE(board.pixel(walker->pos() + QPoint(x, y)), picture.pixel(x, y));
            }
        }
        QCOMPARE_GT(opaque, picture.width() * picture.height() / 4);
    }
}

void TestForm1::readoutsShowTheirTextInTheirColour_data()
{
    QTest::addColumn<int>("label");
    QTest::addColumn<QColor>("color");
    QTest::newRow("Dog") << 1 << QColor(Qt::black);
    QTest::newRow("meetings") << 3 << QColor(Qt::red);
    QTest::newRow("time") << 4 << QColor(Qt::blue);
}

void TestForm1::readoutsShowTheirTextInTheirColour()
{
    QFETCH(int, label);
    QFETCH(QColor, color);
    FormFixture f;
    auto *readout = f.find<QLabel>(qPrintable(QStringLiteral("Label%1").arg(label)));
    readout->setText(QStringLiteral("MMMM"));
    const QImage image = readout->grab().toImage();
    // A black frame on white; inside, the strongest ink is the text's.
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    QColor ink(Qt::white);
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x)
            ink = std::min(ink, image.pixelColor(x, y),
                           [](const QColor &a, const QColor &b) { return a.lightness() < b.lightness(); });
    }
    QCOMPARE_LT(ink.lightness(), 160);
    QCOMPARE(ink.saturation() > 100, color.saturation() > 100);
    QVERIFY(color.saturation() <= 100 || qAbs(ink.hue() - color.hue()) < 20);
}

void TestForm1::focusStartsOnTheBoardAndFollowsTheWindowOrder()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk); // shows the pictures
    // Tab passes over disabled buttons; here every one takes its turn.
    for (int n = 1; n <= 6; ++n)
        f.command(n)->setEnabled(true);
    // Tab from the board visits every control once and comes back round.
    QCOMPARE(tabOrder(f.form, 10), QStringList({"Picture1", "Command1", "Command2", "Command3", "Command4", "Picture2",
                                                "Picture3", "Command5", "Command6", "Picture1"}));
}

void TestForm1::aClickWhileABoxIsOpenIsDropped()
{
    // A click can reach the window from inside a box's event loop, as the
    // box closes: it must not start a second set-up inside the first.
    FormFixture f;
    int clicks = 0;
    f.dialogs.whileBoxOpen = [&] {
        if (clicks++ == 0) {
            f.form->Command3_Click();
            f.form->Command1_Click();
        }
    };
    // Set up from the keyboard: Enter presses the focused button.
    f.dialogs.answers = {"1", "2", "3", "4"};
    f.command(2)->setFocus();
    QTest::keyClick(f.command(2), Qt::Key_Return);
    QCOMPARE(f.events.only({"prompt"}).size(), 4);
    QVERIFY(f.events.only({"box", "end"}).isEmpty());
    // Set up for both walking: both walkers start.
    f.form->Command5_Click();
    QVERIFY(f.timer(Walker::Momotaro)->isActive() && f.timer(Walker::Dog)->isActive());
}

void TestForm1::startingAgainKeepsTheTimersRunning()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk);
    f.form->Command5_Click();
    // Let a little of Dog's period pass (the real timer's, so the wait is
    // real too, but short and bounded), then enable both timers again: a
    // running timer keeps its beat rather than starting its period anew.
    const QTimer &dog = *f.timer(Walker::Dog);
    const QDeadlineTimer deadline(waitDeadline());
    while (dog.remainingTime() > 185 && !deadline.hasExpired()) {}
    f.form->Command5_Click();
    QCOMPARE_LE(dog.remainingTime(), 185);
}

void TestForm1::walkersArePlacedOnTheBoardGrid_data()
{
    // Where Dog (Picture2) and Momotaro (Picture3) stand, and their
    // pictures' offsets in the board's client area: the nearest pixel of
    // x * 461 / 11 across and y * 293 / 12 down, all wholly on the board.
    QTest::addColumn<Point>("dog");
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<QPoint>("dogAt");
    QTest::addColumn<QPoint>("momotaroAt");
    QTest::newRow("origin, far corner") << Point{0, 0} << Point{10, 10} << QPoint(0, 0) << QPoint(419, 244);
    // 41.9 and 48.8 pixels, rounded up.
    QTest::newRow("rounded to the nearest pixel") << Point{1, 2} << Point{10, 0} << QPoint(42, 49) << QPoint(419, 0);
}

void TestForm1::walkersArePlacedOnTheBoardGrid()
{
    QFETCH(Point, dog);
    QFETCH(Point, momotaro);
    QFETCH(QPoint, dogAt);
    QFETCH(QPoint, momotaroAt);
    FormFixture f;
    const auto text = [](int n) { return QString::number(n); };
    f.setUp(Scenario::BothWalk, {text(momotaro.x), text(momotaro.y), text(dog.x), text(dog.y)});
    const QRect client = f.find("Picture1")->contentsRect();
    for (const auto &[name, at] : {std::pair{"Picture2", dogAt}, std::pair{"Picture3", momotaroAt}}) {
        QCOMPARE(f.find(name)->pos() - client.topLeft(), at);
        QVERIFY(client.contains(f.find(name)->geometry()));
    }
}

void TestForm1::enableTableFollowsEveryHandler_data()
{
    // Each row: the handlers run from load, then the state of Command1..6,
    // Timer1, Timer2, Dog's and Momotaro's picture (1 on, 0 off).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");

    const QList<std::pair<const char *, const char *>> rows{{"", "111001 00 00"},
                                                            {"setup", "100010 00 11"},
                                                            {"setup start", "100100 11 11"},
                                                            {"setup start stop", "111001 00 11"},
                                                            {"setup start limit1", "111000 01 11"},
                                                            {"setup start limit2", "111000 10 11"},
                                                            {"setup start limit1 limit2", "111000 00 11"},
                                                            {"setup start limit1 limit2 refused", "111001 00 11"},
                                                            {"refused", "111001 00 00"}};
    for (const auto &[steps, expected] : rows)
        QTest::newRow(*steps ? steps : "load")
            << QString::fromLatin1(steps).split(u' ', Qt::SkipEmptyParts) << QString::fromLatin1(expected);
}

void TestForm1::enableTableFollowsEveryHandler()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    FormFixture f;
    double started = 0;
    for (const QString &step : steps) {
        if (step == u"setup") {
            f.setUp(Scenario::BothWalk);
        } else if (step == u"refused") {
            f.setUp(Scenario::DogWalks, {"11"});
        } else if (step == u"start") {
            started = f.clock.now;
            f.form->Command5_Click();
        } else if (step == u"stop") {
            f.form->Command4_Click();
        } else {
            f.setTime(started + 180.25);
            if (step == u"limit1")
                f.form->Timer1_Timer();
            else
                f.form->Timer2_Timer();
        }
    }
    QString actual;
    for (int n = 1; n <= 6; ++n)
        actual += f.command(n)->isEnabled() ? u'1' : u'0';
    actual += u' ';
    actual += f.timer(Walker::Dog)->isActive() ? u'1' : u'0';
    actual += f.timer(Walker::Momotaro)->isActive() ? u'1' : u'0';
    actual += u' ';
    actual += f.find("Picture2")->isVisibleTo(f.form) ? u'1' : u'0';
    actual += f.find("Picture3")->isVisibleTo(f.form) ? u'1' : u'0';
    QCOMPARE(actual, expected);
}

void TestForm1::wholeRunInVirtualTime()
{
    // A run as the timers play it: ticks at 0.2 s, 0.4 s, ... after Start,
    // each a little late (more than the 1/65536 s steps in which the elapsed
    // time is compared with the limit), on draws the test knows.
    FormFixture f;
    f.setUp(Scenario::BothWalk, {"5", "5", "5", "6"}); // a step apart: meetings come quickly
    SplitMixRandom source(2024);
    QList<int> directions;
    for (int i = 0; i < 2 * rules::ticksPerTimer(180); ++i) {
        const double draw = source.next();
        f.random.draws.append(draw);
        directions.append(directionFromDraw(draw));
    }
    const double start = 40000.0;
    f.setTime(start);
    f.form->Command5_Click();
    f.setTime(start + 0.01);
    const int periods = f.runUntilStopped();
    QCOMPARE(periods, rules::ticksPerTimer(180));
    QVERIFY(!f.timer(Walker::Momotaro)->isActive());
    QCOMPARE(f.readout(4), QStringLiteral(" 180 / 180 sec"));

    // The same draws through the rules alone count the same meetings and
    // leave the walkers on the same points.
    WalkState rules = placedWalk(Scenario::BothWalk, {5, 5}, {5, 6});
    playRun(rules, periods, [&directions] { return directions.takeFirst(); });
    QVERIFY(rules.meetCount > 0);
    QCOMPARE(f.readout(3), QStringLiteral("Number of meetlings =") + conv::numberToText(int(rules.meetCount)));
    QCOMPARE(f.readout(1), readouts::position(rules, Walker::Dog));
    QCOMPARE(f.readout(2), readouts::position(rules, Walker::Momotaro));
    QCOMPARE(f.events.lines.count(QStringLiteral("main:FileName=logoff.wav")),
             int(rules.meetCount) - (rules.metPending() ? 1 : 0));

    // A new set-up after a counted run starts from zero meetings.
    f.setUp(Scenario::DogWalks);
    QCOMPARE(f.readout(3), QStringLiteral("Number of meetlings = 0"));
    QVERIFY(f.readout(4).isEmpty()); // and no time yet
}

void TestForm1::anErrorInAHandlerIsShownAndEndsTheProgram()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk);
    f.form->Command5_Click();
    f.random.failure = [] { throw RuntimeError::overflow(); };
    // Errors raised while its box is open, and after, add nothing: one box,
    // one end.
    auto anotherError = [&] { f.guard.run([] { throw RuntimeError::overflow(); }); };
    f.dialogs.whileBoxOpen = anotherError;
    f.events.lines.clear();
    f.form->Timer1_Timer();
    anotherError();
    QCOMPARE(f.events.only({"box", "end"}), QStringList({"box Meetling experiment|Run-time error '6':\n\nOverflow",
                                                         QStringLiteral("end %1").arg(ErrorGuard::ExitStatus)}));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
