#include "boardgeometry.h"
#include "conversions.h"
#include "fonts.h"
#include "formfixture.h"

#include <QFontInfo>
#include <QTest>

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void controlsStandWhereTheLayoutPutsThem_data();
    void controlsStandWhereTheLayoutPutsThem();
    void controlsAreStackedTopmostLast_data();
    void controlsAreStackedTopmostLast();
    void loadShowsAnEmptyBoardWithStartAndStopDisabled();
    void focusStartsOnTheBoardAndFollowsTheWindowOrder();
    void walkersArePlacedOnTheBoardGrid_data();
    void walkersArePlacedOnTheBoardGrid();
    void readoutsShowTheirTexts();
    void japaneseTextHasAFace();
    void enableTableFollowsEveryHandler_data();
    void enableTableFollowsEveryHandler();
    void wholeRunInVirtualTime();
    void exitDuringARunKeepsTicksGoingUntilTheBoxIsDismissed();
    void closingTheWindowEndsTheProgramSilently();
    void anErrorInAHandlerIsShownAndEndsTheProgram();
};

void TestForm1::controlsStandWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry"); // pixels, in the container's client area

    const QString window = QStringLiteral("Form1");
    const QString board = QStringLiteral("Picture1");
    QTest::newRow("Command1") << "Command1" << window << QRect(32, 0, 57, 25);
    QTest::newRow("Command2") << "Command2" << window << QRect(312, 0, 97, 25);
    QTest::newRow("Command3") << "Command3" << window << QRect(416, 0, 97, 25);
    QTest::newRow("Command4") << "Command4" << window << QRect(168, 0, 57, 25);
    QTest::newRow("Command5") << "Command5" << window << QRect(232, 0, 73, 25);
    QTest::newRow("Command6") << "Command6" << window << QRect(96, 0, 65, 25);
    QTest::newRow("Picture1") << "Picture1" << window << QRect(40, 32, 465, 297);
    QTest::newRow("Line1") << "Line1" << window << QRect(0, 24, 545, 1);
    QTest::newRow("Label1") << "Label1" << window << QRect(432, 344, 105, 17);
    QTest::newRow("Label2") << "Label2" << window << QRect(288, 344, 137, 17);
    QTest::newRow("Label3") << "Label3" << window << QRect(8, 344, 177, 17);
    QTest::newRow("Label4") << "Label4" << window << QRect(192, 344, 89, 17);
    QTest::newRow("Picture2") << "Picture2" << board << QRect(144, 128, 34, 34);
    QTest::newRow("Picture3") << "Picture3" << board << QRect(232, 128, 33, 36);
    QTest::newRow("Line2") << "Line2" << board << QRect(8, 8, 1, 265);
    QTest::newRow("Line3") << "Line3" << board << QRect(8, 8, 433, 1);
    QTest::newRow("Label5") << "Label5" << board << QRect(16, 16, 17, 17);
    QTest::newRow("Label6") << "Label6" << board << QRect(448, 0, 9, 17);
    QTest::newRow("Label7") << "Label7" << board << QRect(8, 272, 17, 17);
    QTest::newRow("Label8") << "Label8" << board << QRect(224, 16, 9, 17);
    QTest::newRow("Label9") << "Label9" << board << QRect(16, 136, 9, 17);
}

void TestForm1::controlsStandWhereTheLayoutPutsThem()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    FormFixture f;
    QCOMPARE(f.form->size(), QSize(547, 375));
    QWidget *w = f.form->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget()->objectName(), container);
    // Axis labels may be widened to fit their text, never narrowed or moved.
    QRect actual = w->geometry();
    if (container == u"Picture1")
        actual.translate(-2, -2); // the board's border
    QCOMPARE(actual.topLeft(), geometry.topLeft());
    QCOMPARE(actual.height(), geometry.height());
    if (name.startsWith(u"Label"))
        QVERIFY(actual.width() >= geometry.width());
    else
        QCOMPARE(actual.width(), geometry.width());
}

void TestForm1::controlsAreStackedTopmostLast_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QStringList>("bottomToTop");
    QTest::newRow("window") << "Form1"
                            << QStringList{"Label1", "Label2", "Label3", "Label4", "Line1", "Command1", "Command2",
                                           "Command3", "Command4", "Picture1", "Command5", "Command6"};
    QTest::newRow("board") << "Picture1"
                           << QStringList{"Line2", "Line3", "Label5", "Label6", "Label7", "Label8", "Label9",
                                          "Label10", "Label11", "Picture2", "Picture3"};
}

void TestForm1::controlsAreStackedTopmostLast()
{
    QFETCH(QString, container);
    QFETCH(QStringList, bottomToTop);
    FormFixture f;
    QWidget *parent = container == u"Form1" ? f.form.get() : f.find("Picture1");
    QStringList order;
    for (QObject *child : parent->children()) {
        if (child->isWidgetType())
            order.append(child->objectName());
    }
    QCOMPARE(order, bottomToTop);
}

void TestForm1::loadShowsAnEmptyBoardWithStartAndStopDisabled()
{
    FormFixture f;
    QCOMPARE(f.form->walkState().runMode, RunMode::Idle);
    QCOMPARE(f.form->windowTitle(), QStringLiteral(" 【Meetling experiment】"));
    QVERIFY(f.find("Picture2")->isHidden());
    QVERIFY(f.find("Picture3")->isHidden());
    const QList<bool> enabled{true, true, true, false, false, true};
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(f.command(n)->isEnabled(), enabled[n - 1]);
    for (int n = 1; n <= 4; ++n)
        QVERIFY(f.readout(n).isEmpty());
    QVERIFY(!f.form->timer(Walker::Dog).isActive());
    QVERIFY(!f.form->timer(Walker::Momotaro).isActive());
    QCOMPARE(f.form->timer(Walker::Dog).interval(), 200);
    QCOMPARE(f.form->timer(Walker::Momotaro).timerType(), Qt::PreciseTimer);
    QVERIFY(f.sound.isEmpty());
    QVERIFY(!f.form->windowIcon().isNull());
}

void TestForm1::focusStartsOnTheBoardAndFollowsTheWindowOrder()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk); // shows the pictures and enables Start
    f.form->Command5_Click();
    f.form->Command4_Click(); // every button but Start enabled again
    f.command(5)->setEnabled(true);
    QCOMPARE(f.form->focusWidget(), f.find("Picture1"));
    QStringList chain;
    QWidget *w = f.find("Picture1");
    for (int i = 0; i < 9; ++i) {
        chain.append(w->objectName());
        do {
            w = w->nextInFocusChain();
        } while (!(w->focusPolicy() & Qt::TabFocus));
    }
    QCOMPARE(chain, QStringList({"Picture1", "Command1", "Command2", "Command3", "Command4", "Picture2", "Picture3",
                                 "Command5", "Command6"}));
}

void TestForm1::walkersArePlacedOnTheBoardGrid_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QPoint>("topLeft"); // in the board's client area
    QTest::newRow("origin") << 0 << 0 << QPoint(0, 0);
    QTest::newRow("middle") << 5 << 5 << QPoint(210, 122);
    QTest::newRow("far corner") << 10 << 10 << QPoint(419, 244);
    QTest::newRow("top right") << 10 << 0 << QPoint(419, 0);
}

void TestForm1::walkersArePlacedOnTheBoardGrid()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QPoint, topLeft);
    QCOMPARE(board::pointToPixels(x, y), topLeft);

    FormFixture f;
    const QString sx = QString::number(x), sy = QString::number(y);
    f.setUp(Scenario::BothWalk, {sx, sy, sx, sy});
    const QRect client = f.find("Picture1")->contentsRect();
    for (const char *name : {"Picture2", "Picture3"}) {
        QWidget *picture = f.find(name);
        QCOMPARE(picture->pos() - client.topLeft(), topLeft);
        QVERIFY(client.contains(picture->geometry())); // wholly on the board
    }
}

void TestForm1::readoutsShowTheirTexts()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk, {"4", "4", "10", "0"});
    QCOMPARE(f.readout(1), QStringLiteral("Dog: x= 10  y= 0"));
    QCOMPARE(f.readout(2), QStringLiteral("Momotaro: x= 4  y= 4"));
    QCOMPARE(f.readout(3), QStringLiteral("Number of meetlings = 0"));
    QCOMPARE(f.readout(4), QString());
    f.form->Command5_Click();
    f.setTime(f.time + 12.5);
    f.form->Timer2_Timer();
    QCOMPARE(f.readout(4), QStringLiteral(" 12 / 180 sec"));
}

void TestForm1::japaneseTextHasAFace()
{
    const QFont font = fonts::japaneseGothic(12, true);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    const QFontMetrics metrics(font);
    for (char32_t c : {U'【', U'】', U'｢', U'｣', U'\u3000'})
        QVERIFY(metrics.inFontUcs4(c));
}

void TestForm1::enableTableFollowsEveryHandler_data()
{
    // Each row: the handlers run from load, then the state of Command1..6,
    // Timer1, Timer2, Dog's and Momotaro's picture (1 on, 0 off).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("load") << QStringList{} << "111001 00 00";
    QTest::newRow("set-up") << QStringList{"setup"} << "100010 00 11";
    QTest::newRow("start") << QStringList{"setup", "start"} << "100100 11 11";
    QTest::newRow("stop") << QStringList{"setup", "start", "stop"} << "111001 00 11";
    QTest::newRow("limit, Timer1 tick") << QStringList{"setup", "start", "limit1"} << "111000 01 11";
    QTest::newRow("limit, Timer2 tick") << QStringList{"setup", "start", "limit2"} << "111000 10 11";
    QTest::newRow("limit, both") << QStringList{"setup", "start", "limit1", "limit2"} << "111000 00 11";
    QTest::newRow("refused after the limit") << QStringList{"setup", "start", "limit1", "limit2", "refused"}
                                            << "111001 00 11";
    QTest::newRow("refused after load") << QStringList{"refused"} << "111001 00 00";
}

void TestForm1::enableTableFollowsEveryHandler()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    FormFixture f;
    for (const QString &step : steps) {
        if (step == u"setup") {
            f.setUp(Scenario::BothWalk);
        } else if (step == u"refused") {
            f.setUp(Scenario::DogWalks, {"11"});
        } else if (step == u"start") {
            f.form->Command5_Click();
        } else if (step == u"stop") {
            f.form->Command4_Click();
        } else {
            f.setTime(f.form->walkState().startTime + 180.25);
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
    actual += f.form->timer(Walker::Dog).isActive() ? u'1' : u'0';
    actual += f.form->timer(Walker::Momotaro).isActive() ? u'1' : u'0';
    actual += u' ';
    actual += f.find("Picture2")->isVisibleTo(f.form.get()) ? u'1' : u'0';
    actual += f.find("Picture3")->isVisibleTo(f.form.get()) ? u'1' : u'0';
    QCOMPARE(actual, expected);
}

void TestForm1::wholeRunInVirtualTime()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk, {"5", "5", "5", "6"}); // a step apart: meetings come quickly
    f.setTime(40000.0);
    f.form->Command5_Click();
    QCOMPARE(f.sound.last(), QStringLiteral("main:Sound"));

    // 900 ticks reach exactly 180.0 s, where the limit does not act yet.
    for (int i = 0; i < 900; ++i)
        f.tick();
    QCOMPARE(f.clock.now, 40180.0f);
    QVERIFY(f.form->timer(Walker::Dog).isActive());
    QVERIFY(f.form->timer(Walker::Momotaro).isActive());

    // The next Dog tick is past the limit: its timer stops, Momotaro's runs on.
    f.setTime(40180.2);
    const int dogX = f.form->walkState().dogX;
    const int dogY = f.form->walkState().dogY;
    f.random.queueDirections({dogX == 10 ? 5 : 1});
    const bool metPending = f.form->walkState().metPending();
    f.form->Timer1_Timer();
    QVERIFY(!f.form->timer(Walker::Dog).isActive());
    QVERIFY(f.form->timer(Walker::Momotaro).isActive());
    if (!metPending) // the tick that passes the limit still moves its walker
        QVERIFY(f.form->walkState().dogX != dogX || f.form->walkState().dogY != dogY);
    QCOMPARE(f.readout(4), QStringLiteral(" 180 / 180 sec"));
    QVERIFY(!f.command(4)->isEnabled());
    QVERIFY(f.command(2)->isEnabled() && f.command(3)->isEnabled());
    QVERIFY(!f.command(5)->isEnabled() && !f.command(6)->isEnabled());

    f.form->Timer2_Timer();
    QVERIFY(!f.form->timer(Walker::Momotaro).isActive());

    const WalkState &s = f.form->walkState();
    QVERIFY2(s.meetCount > 10, qPrintable(QString::number(s.meetCount)));
    QCOMPARE(f.readout(3), QStringLiteral("Number of meetlings =") + conv::numberToText(int(s.meetCount)));
    QCOMPARE(f.sound.count(QStringLiteral("main:FileName=logoff.wav")) >= s.meetCount - 1, true);
    for (int v : {int(s.dogX), int(s.dogY), int(s.momoX), int(s.momoY)})
        QVERIFY(v >= 0 && v <= 10);

    // A new set-up after a counted run starts from zero meetings.
    f.setUp(Scenario::DogWalks);
    QCOMPARE(int(f.form->walkState().meetCount), 0);
    QCOMPARE(f.readout(3), QStringLiteral("Number of meetlings = 0"));
}

void TestForm1::exitDuringARunKeepsTicksGoingUntilTheBoxIsDismissed()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk);
    f.form->Command5_Click();
    f.sound.clear();
    int ticksWhileOpen = 0;
    f.dialogs.whileBoxOpen = [&] {
        QCOMPARE(f.sound.mid(2, 1), QStringList({"main:FileName=endpinpon.wav"}));
        for (int i = 0; i < 5; ++i) {
            f.tick();
            ++ticksWhileOpen;
        }
    };
    const float before = f.form->walkState().dogTickTime;
    f.form->Command1_Click();
    QCOMPARE(ticksWhileOpen, 5);
    QVERIFY(f.form->walkState().dogTickTime > before);
    QCOMPARE(f.dialogs.messages, QStringList({"Meetling experiment|This software will exit."}));
    QCOMPARE(f.end.ends, QList<int>({0}));
    QVERIFY(!f.form->timer(Walker::Dog).isActive());
    QVERIFY(!f.form->timer(Walker::Momotaro).isActive());
}

void TestForm1::closingTheWindowEndsTheProgramSilently()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk);
    f.form->Command5_Click();
    f.sound.clear();
    f.form->show();
    f.form->close();
    QCOMPARE(f.end.ends, QList<int>({0}));
    QVERIFY(f.sound.isEmpty());
    QVERIFY(f.dialogs.messages.isEmpty());
    QVERIFY(!f.form->timer(Walker::Dog).isActive());
}

void TestForm1::anErrorInAHandlerIsShownAndEndsTheProgram()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk);
    f.form->Command5_Click();
    // A count at the top of its range cannot take one more meeting.
    f.form->experiment().state().meetCount = Int16::Max;
    f.form->experiment().state().dogX = 3;
    f.form->experiment().state().dogY = 4;
    f.form->experiment().state().momoX = 4;
    f.form->experiment().state().momoY = 4;
    f.random.queueDirections({1});
    f.form->Timer1_Timer();
    QCOMPARE(f.dialogs.messages, QStringList({"Meetling experiment|Run-time error '6':\n\nOverflow"}));
    QCOMPARE(f.end.ends, QList<int>({ErrorGuard::ExitStatus}));
    // A second error while the first is being reported adds nothing.
    f.form->Timer1_Timer();
    QCOMPARE(f.dialogs.messages.size(), 1);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
