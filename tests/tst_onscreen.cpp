#include "problem_window/form2.h"
#include "formfixture.h"
#include "problem_window/printbox.h"

#include <QScreen>
#include <QTest>

// The program's windows on a screen smaller than the problem window: the
// offscreen platform's one screen is 640 x 480 here (see the test's
// QT_QPA_PLATFORM).
class TestOnScreen : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowFitsASmallScreen();
};

void TestOnScreen::everyWindowFitsASmallScreen()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(area.size(), QSize(640, 480));
    FormFixture f;

    // The board fits: moved onto the screen, nothing of it scrolled away.
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form));
    QVERIFY(area.contains(f.form->frameGeometry()));
    for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Label1", "Label2",
                             "Label3", "Label4"})
        QVERIFY2(f.find(name)->visibleRegion() == QRegion(f.find(name)->rect()), name);

    // The problem window does not: at the area's top-left, within it, and
    // the conditions' last line, out of view at first, is brought into view
    // by Tab reaching its box.
    f.form->Command6_Click();
    Form2 *problem = f.problem();
    QVERIFY(QTest::qWaitForWindowActive(problem));
    QCOMPARE(problem->frameGeometry().topLeft(), area.topLeft());
    QVERIFY(area.contains(problem->frameGeometry()));
    auto *conditions = f.find<PrintBox>("Picture2", problem);
    const int top = conditions->contentsRect().top() + conditions->printed().last().top;
    const QRect lastLine(0, top, conditions->width(), conditions->contentsRect().top() + conditions->printY() - top);
    QVERIFY(!conditions->visibleRegion().contains(lastLine));
    for (int tab = 0; tab < 3; ++tab) // from the problem box past Exit and Simulation
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), conditions);
    QTRY_VERIFY(conditions->visibleRegion().contains(lastLine));
}

QTEST_MAIN(TestOnScreen)
#include "tst_onscreen.moc"
