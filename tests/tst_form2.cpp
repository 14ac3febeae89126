#include "fonts.h"
#include "form2.h"
#include "formfixture.h"
#include "printbox.h"
#include "problemtexts.h"

#include <QTest>

namespace {

struct Printed
{
    QString text;
    QColor color;
    double size;
};

QList<Printed> printed(const PrintBox *box)
{
    QList<Printed> lines;
    for (const PrintBox::Line &line : box->printed())
        lines.append({line.text, line.color, line.pointSize});
    return lines;
}

// Counts the pixels of a colour in a band of rows of a box's drawing.
int pixelsOf(const QImage &image, int fromRow, int toRow, QRgb color)
{
    int n = 0;
    for (int y = fromRow; y < qMin(toRow, image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == color;
    }
    return n;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void problemOpensTheWindowWithItsChime();
    void problemBoxPrintsNineteenLines();
    void conditionsBoxPrintsNineLines();
    void printedColoursReachThePixels();
    void visitingAgainPrintsOnceOnly();
    void boardSurvivesTheRoundTrip();
    void exitHereEndsTheProgramWithThisWindowsChime();
    void closingThisWindowEndsTheProgram();
};

void TestForm2::problemOpensTheWindowWithItsChime()
{
    FormFixture f;
    f.form->show();
    QVERIFY(!f.form->problemWindow()); // created on first use
    f.form->Command6_Click();
    Form2 *problem = f.form->problemWindow();
    QVERIFY(problem);
    QVERIFY(f.form->isHidden());
    QVERIFY(problem->isVisible());
    QCOMPARE(problem->objectName(), QStringLiteral("Form2"));
    QCOMPARE(problem->windowTitle(), QStringLiteral("The 4th Japan Mathematics Competition Problem (8.22.1993)"));
    QCOMPARE(problem->size(), QSize(512, 534));
    QCOMPARE(f.sound, QStringList({"main:Stop", "main:Close", "main:FileName=pinpon.wav", "main:Open", "main:Sound"}));

    const QList<std::pair<const char *, QRect>> controls{
        {"Command1", {0, 0, 57, 25}}, {"Command2", {408, 0, 105, 25}}, {"Picture1", {8, 40, 497, 321}},
        {"Picture2", {8, 376, 497, 153}}, {"Line1", {0, 24, 513, 1}}};
    for (const auto &[name, geometry] : controls)
        QCOMPARE(f.find(name, problem)->geometry(), geometry);
    QCOMPARE(f.find<QPushButton>("Command2", problem)->text(), QStringLiteral("Simulation"));
}

void TestForm2::problemBoxPrintsNineteenLines()
{
    FormFixture f;
    f.form->Command6_Click();
    const QList<Printed> lines = printed(f.form->problemWindow()->problemBox());
    QCOMPARE(lines.size(), 19);
    QCOMPARE(lines[0].text, QString());
    QCOMPARE(lines[1].text, problemtexts::problemTitle());
    QCOMPARE(lines[1].color, QColor(255, 0, 0));
    QCOMPARE(lines[1].size, 12.0);
    QCOMPARE(lines[2].text, QString());
    QCOMPARE(lines[3].text, QStringLiteral(" 【Problem】"));
    QCOMPARE(lines[3].color, QColor(0, 0, 0));
    QCOMPARE(lines[4].text, QStringLiteral("        Dr. Zolu may also date a woman. However , befor this , the"));
    QCOMPARE(lines[9].text, QStringLiteral("　　within the range designated ｢Please wait around here｣. But she didn't"));
    QCOMPARE(lines[10].text, QStringLiteral("　　like it. "));
    QCOMPARE(lines[18].text, QStringLiteral("    mathematically ?"));
    for (qsizetype i = 3; i < lines.size(); ++i) {
        QCOMPARE(lines[i].color, QColor(0, 0, 0));
        QCOMPARE(lines[i].size, 12.0);
    }
}

void TestForm2::conditionsBoxPrintsNineLines()
{
    FormFixture f;
    f.form->Command6_Click();
    const QList<Printed> lines = printed(f.form->problemWindow()->conditionsBox());
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines[1].text, QStringLiteral("【Simulation conditions】"));
    QCOMPARE(lines[1].color, QColor(255, 0, 0));
    QCOMPARE(lines[2].text, QStringLiteral("　　1. Momotaro and Dog move on 11 straight grid points each vertically."));
    QCOMPARE(lines[8].text, QStringLiteral("       the direction for each grid point advanced."));
    for (qsizetype i = 2; i < lines.size(); ++i)
        QCOMPARE(lines[i].color, QColor(0, 0, 255));
}

void TestForm2::printedColoursReachThePixels()
{
    FormFixture f;
    f.form->Command6_Click();
    const PrintBox *problem = f.form->problemWindow()->problemBox();
    const QImage &image = problem->surface();
    // Rows: the first empty line (9 pt), then 12-point lines.
    const int first = QFontMetrics(fonts::japaneseGothic(9)).height();
    const int line = QFontMetrics(fonts::japaneseGothic(12)).height();
    QVERIFY(pixelsOf(image, first, first + line, qRgb(255, 0, 0)) > 50);
    QCOMPARE(pixelsOf(image, first, first + line, qRgb(0, 0, 0)), 0);
    QVERIFY(pixelsOf(image, first + 4 * line, first + 5 * line, qRgb(0, 0, 0)) > 50);
    QCOMPARE(pixelsOf(image, first + 4 * line, image.height(), qRgb(255, 0, 0)), 0);
    // All nineteen lines fit in the box.
    QVERIFY(problem->printY() <= image.height());

    const QImage &conditions = f.form->problemWindow()->conditionsBox()->surface();
    QVERIFY(pixelsOf(conditions, first + line, conditions.height(), qRgb(0, 0, 255)) > 50);
    // What is printed is on screen too: the title rows red, the story black,
    // the conditions blue (window rows, the problem box starting at row 41).
    const QImage grab = f.form->problemWindow()->grab().toImage();
    const int top = 41;
    QVERIFY(pixelsOf(grab, top + first, top + first + line, qRgb(255, 0, 0)) > 50);
    QVERIFY(pixelsOf(grab, top + first + 4 * line, 360, qRgb(0, 0, 0)) > 50);
    QCOMPARE(pixelsOf(grab, top + first + 4 * line, 360, qRgb(0, 0, 255)), 0);
    QVERIFY(pixelsOf(grab, 377 + first + line, 528, qRgb(0, 0, 255)) > 50);
}

void TestForm2::visitingAgainPrintsOnceOnly()
{
    FormFixture f;
    f.form->Command6_Click();
    Form2 *problem = f.form->problemWindow();
    const QImage firstVisit = problem->problemBox()->surface();
    problem->Command2_Click();
    f.form->Command6_Click();
    QCOMPARE(f.form->problemWindow(), problem); // the same window, not a new one
    QCOMPARE(problem->problemBox()->printed().size(), 19);
    QCOMPARE(problem->conditionsBox()->printed().size(), 9);
    // The leading empty line is now 12 points high, so the text stands lower.
    QVERIFY(problem->problemBox()->surface() != firstVisit);
    problem->Command2_Click();
    f.form->Command6_Click();
    const QImage thirdVisit = problem->problemBox()->surface();
    problem->Command2_Click();
    f.form->Command6_Click();
    QCOMPARE(problem->problemBox()->surface(), thirdVisit);
}

void TestForm2::boardSurvivesTheRoundTrip()
{
    FormFixture f;
    f.setUp(Scenario::BothWalk, {"2", "3", "7", "8"});
    f.form->Command5_Click();
    for (int i = 0; i < 10; ++i)
        f.tick();
    f.form->Command4_Click();
    const WalkState before = f.form->walkState();
    QStringList readouts;
    for (int n = 1; n <= 4; ++n)
        readouts.append(f.readout(n));
    const QPoint dog = f.find("Picture2")->pos();
    QList<bool> enabled;
    for (int n = 1; n <= 6; ++n)
        enabled.append(f.command(n)->isEnabled());

    f.form->show();
    f.form->Command6_Click();
    f.sound.clear();
    f.form->problemWindow()->Command2_Click();

    QCOMPARE(f.sound, QStringList({"problem:Stop", "problem:Close", "problem:FileName=pinpon.wav", "problem:Open",
                                   "problem:Sound"}));
    QVERIFY(f.form->isVisible());
    QVERIFY(f.form->problemWindow()->isHidden());
    QCOMPARE(f.form->walkState().runMode, before.runMode);
    QCOMPARE(int(f.form->walkState().dogX), int(before.dogX));
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(f.readout(n), readouts[n - 1]);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(f.command(n)->isEnabled(), enabled[n - 1]);
    QCOMPARE(f.find("Picture2")->pos(), dog);
    QVERIFY(f.find("Picture2")->isVisible());
}

void TestForm2::exitHereEndsTheProgramWithThisWindowsChime()
{
    FormFixture f;
    f.form->Command6_Click();
    f.sound.clear();
    f.form->problemWindow()->Command1_Click();
    QCOMPARE(f.sound, QStringList({"problem:Stop", "problem:Close", "problem:FileName=endpinpon.wav", "problem:Open",
                                   "problem:Sound"}));
    QCOMPARE(f.dialogs.messages, QStringList({"Meetling experiment|This software will exit."}));
    QCOMPARE(f.end.ends, QList<int>({0}));
}

void TestForm2::closingThisWindowEndsTheProgram()
{
    FormFixture f;
    f.form->Command6_Click();
    f.sound.clear();
    f.form->problemWindow()->close();
    QCOMPARE(f.end.ends, QList<int>({0}));
    QVERIFY(f.sound.isEmpty());
    QVERIFY(f.dialogs.messages.isEmpty());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
