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
    void problemHidesTheBoardAndShowsThisWindow();
    void printedLinesAndColoursReachTheScreen();
    void visitingAgainPrintsOnceOnly();
    void boardSurvivesTheRoundTrip();
    void exitAndCloseEndTheProgram();
};

void TestForm2::problemHidesTheBoardAndShowsThisWindow()
{
    FormFixture f;
    f.form->show();
    QVERIFY(!f.problem()); // created on first use
    f.form->Command6_Click();
    Form2 *problem = f.problem();
    QVERIFY(f.form->isHidden() && problem->isVisible());
    QCOMPARE(f.events.only({"main:FileName"}), QStringList({"main:FileName=pinpon.wav"}));
    QCOMPARE(tabOrder(problem, 5), QStringList({"Picture1", "Command1", "Command2", "Picture2", "Picture1"}));
    // No control covers another (but for a button's antialiased corners).
    for (const char *name : {"Command1", "Command2", "Picture1", "Picture2"})
        QCOMPARE_LE(pixelsCovered(problem, f.find(name, problem)), 8);
}

void TestForm2::printedLinesAndColoursReachTheScreen()
{
    FormFixture f;
    f.form->Command6_Click();
    const PrintBox *problem = f.find<PrintBox>("Picture1", f.problem());
    // The first empty line is 9 points (12 pixels) high, the rest 12 points
    // (16 pixels); all 19 lines fit.
    const int first = 12;
    const int line = 16;
    QCOMPARE(problem->printY(), first + 18 * line);
    // Window rows: the problem box's drawing starts at row 41, the
    // conditions box's at row 377.
    const QImage grab = f.problem()->grab().toImage();
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
        for (const PrintBox::Line &printed : f.find<PrintBox>(box, f.problem())->printed())
            text += printed.text.toUtf8() + '\n';
    }
    const QByteArray digest = QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex().left(16);
    QVERIFY2(digest == "298e4b6d8ca4865f", ("digest " + digest + " of the lines\n" + text).constData());
}

void TestForm2::visitingAgainPrintsOnceOnly()
{
    FormFixture f;
    f.form->Command6_Click();
    Form2 *problem = f.problem();
    QList<QImage> visits{f.find<PrintBox>("Picture1", problem)->grab().toImage()};
    for (int i = 0; i < 2; ++i) {
        problem->Command2_Click();
        f.form->Command6_Click();
        QCOMPARE(f.problem(), problem); // the same window, not a new one
        QCOMPARE(f.find<PrintBox>("Picture1", problem)->printed().size(), 19);
        QCOMPARE(f.find<PrintBox>("Picture2", problem)->printed().size(), 9);
        visits.append(f.find<PrintBox>("Picture1", problem)->grab().toImage());
    }
    // From the second visit on the leading empty line is 12 points high,
    // and the last line still keeps its descenders inside the box.
    QVERIFY(visits[1] != visits[0]);
    QCOMPARE(visits[2], visits[1]);
    const QRect inside = f.find<PrintBox>("Picture1", problem)->contentsRect();
    const QImage bottom = visits[2].copy(inside.left(), inside.bottom() - 2, inside.width(), 3);
    QImage blank(bottom.size(), bottom.format());
    blank.fill(Qt::white);
    QCOMPARE(bottom, blank);
}

void TestForm2::boardSurvivesTheRoundTrip()
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

    f.form->Command6_Click();
    f.events.lines.clear();
    f.problem()->Command2_Click();
    QCOMPARE(f.events.only({"problem:FileName"}), QStringList({"problem:FileName=pinpon.wav"}));
    QVERIFY(f.form->isVisible() && f.problem()->isHidden());
    QCOMPARE(f.readout(1), dogBefore);
    QCOMPARE(f.form->grab().toImage(), before); // pictures, read-outs and buttons as they were
}

void TestForm2::exitAndCloseEndTheProgram()
{
    {
        FormFixture f;
        f.form->Command6_Click();
        f.events.lines.clear();
        // Simulation clicked while the exit box is still open is dropped.
        f.dialogs.whileBoxOpen = [&] { f.problem()->Command2_Click(); };
        f.problem()->Command1_Click();
        QCOMPARE(f.events.only({"problem:FileName", "box", "end"}),
                 QStringList(
                     {"problem:FileName=endpinpon.wav", "box Meetling experiment|This software will exit.", "end 0"}));
        QVERIFY(f.form->isHidden());
    }
    // Closing through the frame ends it at once, without sound or box.
    FormFixture g;
    g.form->Command6_Click();
    g.events.lines.clear();
    g.problem()->close();
    QCOMPARE(g.events.lines, QStringList({"end 0"}));
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
