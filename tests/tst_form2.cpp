#include "forms/fonts.h"
#include "problem_window/form2.h"
#include "formfixture.h"
#include "problem_window/printbox.h"

#include <QCryptographicHash>
#include <QTest>

namespace {

// Counts the pixels of a colour in a band of rows inside the boxes' borders.
int pixelsOf(const QImage &image, int fromRow, int toRow, QRgb color)
{
    int n = 0;
    for (int y = fromRow; y < qMin(toRow, image.height()); ++y) {
        for (int x = 10; x < 500; ++x)
            n += image.pixel(x, y) == color;
    }
    return n;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void printedLinesReachTheScreenOncePerVisit();
    void problemHidesTheBoardUntilSimulationShowsItAsItWas();
    void exitOrCloseEndsTheProgram_data();
    void exitOrCloseEndsTheProgram();
};

void TestForm2::printedLinesReachTheScreenOncePerVisit()
{
    FormFixture f;
    f.form->Command6_Click();
    Form2 *window = f.problem();
    PrintBox *problem = f.find<PrintBox>("Picture1", window);
    // The first empty line is 9 points (12 pixels) high, the rest 12 points
    // (16 pixels); all 19 lines fit.
    const int first = 12;
    const int line = 16;
    QCOMPARE(problem->printY(), first + 18 * line);
    // Window rows: the problem box's drawing starts at row 41, the
    // conditions box's at row 377.
    const QImage grab = window->grab().toImage();
    const int top = 41 + first;
    QVERIFY(pixelsOf(grab, top, top + line, qRgb(255, 0, 0)) > 50);
    QCOMPARE(pixelsOf(grab, top, top + line, qRgb(0, 0, 0)), 0);
    QVERIFY(pixelsOf(grab, top + 4 * line, 359, qRgb(0, 0, 0)) > 50);
    QCOMPARE(pixelsOf(grab, top + 4 * line, 359, qRgb(255, 0, 0)), 0);
    QVERIFY(pixelsOf(grab, 377 + first + line, 528, qRgb(0, 0, 255)) > 50);

    // The texts stand as they were written, odd spellings included: any
    // edit to a printed line changes this digest (a failure prints them).
    QByteArray text;
    for (const char *box : {"Picture1", "Picture2"}) {
        for (const PrintBox::Line &printed : f.find<PrintBox>(box, window)->printed())
            text += printed.text.toUtf8() + '\n';
    }
    const QByteArray digest = QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex().left(16);
    QVERIFY2(digest == "298e4b6d8ca4865f", ("digest " + digest + " of the lines\n" + text).constData());

    // Each visit prints the same lines once, in the same window.
    QList<QImage> visits{problem->grab().toImage()};
    for (int i = 0; i < 2; ++i) {
        window->Command2_Click();
        f.form->Command6_Click();
        QCOMPARE(f.problem(), window);
        QCOMPARE(problem->printed().size(), 19);
        QCOMPARE(f.find<PrintBox>("Picture2", window)->printed().size(), 9);
        visits.append(problem->grab().toImage());
    }
    // From the second visit on the leading empty line is 12 points high,
    // and the last line still keeps its descenders inside the box.
    QVERIFY(visits[1] != visits[0]);
    QCOMPARE(visits[2], visits[1]);
    const QRect inside = problem->contentsRect();
    const QImage bottom = visits[2].copy(inside.left(), inside.bottom() - 2, inside.width(), 3);
    QImage blank(bottom.size(), bottom.format());
    blank.fill(Qt::white);
    QCOMPARE(bottom, blank);
}

void TestForm2::problemHidesTheBoardUntilSimulationShowsItAsItWas()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk, {"2", "3", "7", "8"});
    f.form->Command5_Click();
    for (int i = 0; i < 10; ++i)
        f.tick();
    f.form->Command4_Click();
    f.form->show();
    const QImage before = f.form->grab().toImage();
    const QString dogBefore = f.readout(1);

    QVERIFY(!f.problem()); // created on first use
    f.events.lines.clear();
    f.form->Command6_Click();
    Form2 *problem = f.problem();
    QVERIFY(f.form->isHidden() && problem->isVisible());
    QCOMPARE(f.events.only({"main:FileName"}), QStringList({"main:FileName=pinpon.wav"}));
    QCOMPARE(tabOrder(problem, 5), QStringList({"Picture1", "Command1", "Command2", "Picture2", "Picture1"}));
    // No control covers another (but for a button's antialiased corners).
    for (const char *name : {"Command1", "Command2", "Picture1", "Picture2"})
        QCOMPARE_LE(pixelsCovered(problem, f.find(name, problem)), 8);

    f.events.lines.clear();
    problem->Command2_Click();
    QCOMPARE(f.events.only({"problem:FileName"}), QStringList({"problem:FileName=pinpon.wav"}));
    QVERIFY(f.form->isVisible() && problem->isHidden());
    QCOMPARE(f.readout(1), dogBefore);
    QCOMPARE(f.form->grab().toImage(), before); // pictures, read-outs and buttons as they were
}

void TestForm2::exitOrCloseEndsTheProgram_data()
{
    QTest::addColumn<bool>("fromProblem"); // the problem window's Exit or frame, else the board's
    QTest::addColumn<bool>("viaExit"); // Exit and its box, else closed through the frame
    QTest::addColumn<QStringList>("seen"); // the window's sounds, the box and the end
    const QString box = QStringLiteral("box Meetling experiment|This software will exit.");
    QTest::newRow("board, Exit") << false << true << QStringList({"main:FileName=endpinpon.wav", box, "end 0"});
    QTest::newRow("board, closed") << false << false << QStringList({"end 0"});
    QTest::newRow("problem, Exit") << true << true << QStringList({"problem:FileName=endpinpon.wav", box, "end 0"});
    QTest::newRow("problem, closed") << true << false << QStringList({"end 0"});
}

void TestForm2::exitOrCloseEndsTheProgram()
{
    QFETCH(bool, fromProblem);
    QFETCH(bool, viaExit);
    QFETCH(QStringList, seen);
    // The board's Exit comes during a run; the problem window is reached
    // after a run was stopped.
    FormFixture f;
    f.setUp(Scenario::BothWalk);
    f.form->Command5_Click();
    f.form->show();
    if (fromProblem) {
        f.form->Command4_Click();
        f.form->Command6_Click();
    }
    QWidget *window = fromProblem ? static_cast<QWidget *>(f.problem()) : f.form;
    f.events.lines.clear();
    // While the box is open the run's timers tick on, and a click on
    // Simulation is dropped.
    f.dialogs.whileBoxOpen = [&] {
        for (int i = 0; i < 5; ++i)
            f.tick();
        if (fromProblem)
            f.problem()->Command2_Click();
    };
    if (!viaExit)
        window->close();
    else if (fromProblem)
        f.problem()->Command1_Click();
    else
        f.form->Command1_Click();
    QCOMPARE(f.events.only({"main:FileName", "problem:FileName", "box", "end"}), seen);
    // Five ticks of each timer, two clock reads each.
    QCOMPARE(f.events.only({"clock"}).size(), viaExit && !fromProblem ? 20 : 0);
    QVERIFY(!f.timer(Walker::Dog)->isActive() && !f.timer(Walker::Momotaro)->isActive());
    QVERIFY(!fromProblem || f.form->isHidden());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
