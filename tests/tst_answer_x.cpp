// The answer window on a real X server (the suite's Xvfb): a screen reader's
// view of it, read from the accessibility tree the AT-SPI bridge exports,
// names both walkers with their places and the figures with their labels;
// a page saves as a PNG picture.

#include "answerpages.h"
#include "answerwindowfixture.h"
#include "boardview.h"
#include "fastclasspage.h"
#include "waiting.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QtTest>

namespace {

const int WaitMs = int(waitDeadline().count());

// Every accessible name under an interface, depth first.
void collectNames(QAccessibleInterface *node, QStringList &names)
{
    if (!node)
        return;
    names << node->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i)
        collectNames(node->child(i), names);
}

QStringList accessibleNames(QWidget &window)
{
    QStringList names;
    collectNames(QAccessible::queryAccessibleInterface(&window), names);
    return names;
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
    void cleanup()
    {
        m_f.reset();
    }

    void screenReaderFindsWalkersAndFiguresAndPageSaves()
    {
        AnswerWindow &window = m_f->window;

        partOf<BoardView>(window).setPosition(Walker::Dog, {7, 3});
        QTRY_VERIFY_WITH_TIMEOUT(accessibleNames(window).contains(QStringLiteral("Dog, x 7, y 3")), WaitMs);
        const QStringList names = accessibleNames(window);
        QVERIFY(names.contains(QStringLiteral("Momotaro, x 4, y 4")));
        QVERIFY(names.contains(QStringLiteral("The answer")));
        const QString meetings = QStringLiteral("Meetings in a run, on average, Both wander: ");
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(names.begin(), names.end(), [&](const QString &n) { return n.startsWith(meetings); }), WaitMs);

        // The page of the new question, once its answer is worked out.
        QTRY_VERIFY_WITH_TIMEOUT(shows(window, libraryAnswer({4, 4}, {7, 3}, 180)), WaitMs);
        const QString file = m_f->dir.filePath(QStringLiteral("page.png"));
        QString error;
        QVERIFY2(partOf<AnswerPages>(window).saveCurrent(file, error), qPrintable(error));
        QImageReader picture(file);
        QCOMPARE(picture.format(), QByteArray("png"));
        QVERIFY(picture.size().width() >= 1024);
    }

    // Played from the keyboard at the top speed, a class at speed tells a
    // screen reader how far it is, up to every group done.
    void aClassAtSpeedIsHeardToTheEnd()
    {
        AnswerWindow &window = m_f->window;
        partOf<AnswerPages>(window).setCurrentIndex(int(AnswerPages::Page::FastClass));
        auto &speed = partOf<QComboBox>(window, QStringLiteral("speed"));
        speed.setCurrentIndex(speed.count() - 1);
        QTest::keyClick(&window, Qt::Key_Space);
        auto heard = [&](const QString &start) {
            const QStringList names = accessibleNames(window);
            return std::any_of(names.begin(), names.end(), [&](const QString &name) { return name.startsWith(start); });
        };
        QTRY_VERIFY_WITH_TIMEOUT(heard(QStringLiteral("30 of 30 groups done; averages ")), WaitMs);
        QVERIFY(heard(QStringLiteral("Both wandering met more in ")) || heard(QStringLiteral("Momotaro waiting met more in ")));
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
