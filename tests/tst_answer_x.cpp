// The answer window on a real X server (the suite's Xvfb): a screen reader's
// view of it, read from the accessibility tree the AT-SPI bridge exports,
// names both walkers with their places and the figures with their labels;
// a page saves as a PNG picture; a hidden answer is neither read nor seen.

#include "answer/answerpages.h"
#include "answerwindowfixture.h"
#include "answer/boardview.h"
#include "answer/classatspeedpage.h"
#include "waiting.h"
#include "words/wording.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

namespace {

const int WaitMs = int(waitDeadline().count());

// Every text of these kinds under an interface, depth first.
void collectTexts(QAccessibleInterface *node, QStringList &texts, std::initializer_list<QAccessible::Text> kinds)
{
    if (!node)
        return;
    for (QAccessible::Text kind : kinds)
        texts << node->text(kind);
    for (int i = 0; i < node->childCount(); ++i)
        collectTexts(node->child(i), texts, kinds);
}

QStringList accessibleNames(QWidget &window)
{
    QStringList names;
    collectTexts(QAccessible::queryAccessibleInterface(&window), names, {QAccessible::Name});
    return names;
}

// All a screen reader can be told of the window, seen or not, and every
// label's text, in one.
QString everythingSaid(QWidget &window)
{
    QStringList texts;
    collectTexts(QAccessible::queryAccessibleInterface(&window), texts,
                 {QAccessible::Name, QAccessible::Description, QAccessible::Value});
    for (const QLabel *label : window.findChildren<QLabel *>())
        texts << label->text();
    return texts.join(u'\n');
}

// What the answer's pane and pages show, as pixels, once laid out.
QImage answerArea(QWidget &window)
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const auto areaOf = [&](const QWidget &part) { return QRect(part.mapTo(&window, QPoint()), part.size()); };
    return window.grab(areaOf(partOf<AnswerPane>(window)).united(areaOf(partOf<AnswerPages>(window)))).toImage();
}

} // namespace

class TestAnswerX : public QObject
{
    Q_OBJECT

private slots:
    // A window of its own for each test, active and answered.
    void init()
    {
        m_f.emplace();
        m_f->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_f->window));
        m_f->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_f->window));
        QTRY_VERIFY_WITH_TIMEOUT(answered(m_f->window), WaitMs);
    }
    void cleanup() { m_f.reset(); }

    void screenReaderFindsWalkersAndFiguresAndPageSaves()
    {
        AnswerWindow &window = m_f->window;

        partOf<BoardView>(window).setPosition(Walker::Dog, {7, 3});
        QTRY_VERIFY_WITH_TIMEOUT(accessibleNames(window).contains(QStringLiteral("Dog, x 7, y 3")), WaitMs);
        const QStringList names = accessibleNames(window);
        QVERIFY(names.contains(QStringLiteral("Momotaro, x 4, y 4")));
        const QString meetings = QStringLiteral("Meetings in a run, on average, Both wander: ");
        QTRY_VERIFY_WITH_TIMEOUT(
            std::any_of(names.begin(), names.end(), [&](const QString &n) { return n.startsWith(meetings); }), WaitMs);

        // The page of the new question, once its answer is worked out.
        const stats::Answer moved = libraryAnswer({4, 4}, {7, 3}, 180);
        QTRY_VERIFY_WITH_TIMEOUT(shows(window, moved), WaitMs);
        // The headline read as the class sees it.
        QVERIFY(accessibleNames(window).contains(stats::headline(moved)));
        const QString file = m_f->dir.filePath(QStringLiteral("page.png"));
        QString error;
        QVERIFY2(partOf<AnswerPages>(window).saveCurrent(file, error), qPrintable(error));
        QImageReader picture(file);
        QCOMPARE(picture.format(), QByteArray("png"));
        QVERIFY(picture.size().width() >= 1024);
    }

    // Hidden, the answer is nowhere in what a screen reader is told, and the
    // pane and the pages look the same whatever it is; F5 brings the
    // current one back at once.
    void hiddenAnswerIsNeitherReadNorSeen()
    {
        AnswerWindow &window = m_f->window;
        const stats::Answer first = libraryAnswer({4, 4}, {6, 4}, 180);
        const stats::Answer second = libraryAnswer({4, 4}, {6, 4}, 60);
        QVERIFY(shows(window, first));
        const auto told = [&](const stats::Answer &answer) {
            const QString said = everythingSaid(window);
            QStringList figures{stats::headline(answer)};
            for (Scenario scenario : stats::Scenarios) {
                for (int decimals : {2, 1})
                    figures << QString::number(answer.exact[scenario].expectedMeetings, 'f', decimals);
            }
            figures.removeIf([&](const QString &figure) { return !said.contains(figure); });
            return figures.join(QStringLiteral(", "));
        };
        auto &runLength = partOf<QSpinBox>(window, QStringLiteral("runLength"));
        // A question asked while hidden: its answer worked out unseen, shown
        // at once by F5, and hidden again over its own pages.
        const auto hiddenAfresh = [&](int seconds, const stats::Answer &answer) {
            runLength.setValue(seconds);
            QTRY_VERIFY_WITH_TIMEOUT(partOf<AnswerPane>(window).verdictText() == stats::verdictText(answer), WaitMs);
            QCoreApplication::processEvents();
            QVERIFY2(told(answer).isEmpty(), qPrintable(told(answer)));
            QTest::keyClick(&window, Qt::Key_F5);
            QVERIFY(shows(window, answer));
            QTest::keyClick(&window, Qt::Key_F5);
            QVERIFY2(told(answer).isEmpty(), qPrintable(told(answer)));
        };
        QTest::keyClick(&window, Qt::Key_F5);
        QVERIFY2(told(first).isEmpty(), qPrintable(told(first)));
        hiddenAfresh(60, second);
        const QImage overSecond = answerArea(window);
        hiddenAfresh(180, first);
        QVERIFY(answerArea(window) == overSecond);
    }

    // Played from the keyboard at the top speed, a class at speed tells a
    // screen reader how far it is, up to every group done.
    void aClassAtSpeedIsHeardToTheEnd()
    {
        AnswerWindow &window = m_f->window;
        partOf<AnswerPages>(window).setCurrentIndex(int(AnswerPages::Page::ClassAtSpeed));
        auto &speed = partOf<QComboBox>(window, QStringLiteral("speed"));
        speed.setCurrentIndex(speed.count() - 1);
        QTest::keyClick(&window, Qt::Key_Space);
        auto heard = [&](const QString &start) {
            const QStringList names = accessibleNames(window);
            return std::any_of(names.begin(), names.end(), [&](const QString &name) { return name.startsWith(start); });
        };
        QTRY_VERIFY_WITH_TIMEOUT(heard(QStringLiteral("30 of 30 groups done; averages ")), WaitMs);
        QVERIFY(heard(QStringLiteral("Both wandering met more in ")) ||
                heard(QStringLiteral("Momotaro waiting met more in ")));
    }

    // The window's keys work in a box that takes them for its own where
    // X11's keys are used (Ctrl+E, the end of a line edit's line). The window
    // watches every part of it alike: one box stands for all.
    void windowKeysWinInABox()
    {
        AnswerWindow &window = m_f->window;
        partOf<AnswerPages>(window).setCurrentIndex(int(AnswerPages::Page::ClassAtSpeed));
        auto &spin = partOf<QAbstractSpinBox>(window, QStringLiteral("runLength"));
        spin.setFocus();
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), &spin, WaitMs);
        // The export's file dialog, told apart and closed as it opens.
        bool asked = false;
        QTimer answer;
        answer.callOnTimeout([&asked] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                asked = true;
                QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
            }
        });
        answer.start(10);
        QTest::keySequence(&spin, QKeySequence(QStringLiteral("Ctrl+E")));
        QTRY_VERIFY_WITH_TIMEOUT(asked, WaitMs);
    }

private:
    std::optional<AnswerWindowFixture> m_f;
};

int main(int argc, char *argv[])
{
    // The display the fixture started, named in the file it wrote.
    QFile display(qEnvironmentVariable("MEETLING_XVFB_DIR") + QStringLiteral("/display"));
    if (!display.open(QIODevice::ReadOnly)) {
        qCritical("no X server: %s", qPrintable(display.fileName()));
        return 1;
    }
    qputenv("DISPLAY", display.readAll().trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    TestAnswerX test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_answer_x.moc"
