// The class table of the answer window, offscreen: the groups' counts kept
// as typed, blank cells included, through the table, its file and the
// settings; what is not a count refused where it is typed; cells blanked
// by key; the class's counts always inside the chart of meetings per run.

#include "answer/answerpages.h"
#include "answerwindowfixture.h"
#include "pictures/charts.h"
#include "classgroups.h"
#include "answer/classtable.h"
#include "words/wording.h"
#include "waiting.h"

#include <QAbstractButton>
#include <QChart>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScatterSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <QtTest>

#include <memory>

namespace {

const int WaitMs = int(waitDeadline().count());

// Answers the window's modal boxes as a teacher would, as they open: a file
// dialog with a file's name, a box asking to replace a file with Yes, any
// other box with OK, its text kept.
struct BoxAnswers
{
    explicit BoxAnswers(const QString &file)
    {
        // Each answer is queued: a box opened from within this timer's own
        // call would never see the timer again.
        timer.callOnTimeout([this, file] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                // The dialog lists its folder in the background and may put
                // its first name back once it has: it is accepted only once
                // the file has stayed chosen for a tick.
                if (dialog->selectedFiles() != QStringList{file}) {
                    dialog->selectFile(file);
                    chosenFor = 0;
                } else if (++chosenFor == 2) {
                    QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
                }
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (QAbstractButton *yes = box->button(QMessageBox::Yes)) {
                    QMetaObject::invokeMethod(yes, &QAbstractButton::click, Qt::QueuedConnection);
                    return;
                }
                said << box->text();
                QMetaObject::invokeMethod(box, &QDialog::accept, Qt::QueuedConnection);
            }
        });
        timer.start(10);
    }
    QTimer timer;
    QStringList said;
    // Ticks in a row the file dialog has shown the file to choose.
    int chosenFor = 0;
};

} // namespace

class TestClassTable : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_f.emplace();
        m_f->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_f->window));
        partOf<AnswerPages>(m_f->window).setCurrentIndex(int(AnswerPages::Page::OurClass));
    }
    void cleanup() { m_f.reset(); }

    void groupsSurviveTheFileAndTheSettings_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("groups");
        QTest::newRow("blank cells, a blank group between")
            << QByteArray("\"When two srart\",\"When one starts\"\n12;\n;5\n,\n3,4\n") << "12 -|- 5|- -|3 4";
        // A full class, each group's cells different.
        QByteArray full;
        QStringList groups;
        for (int g = 0; g < stats::MaxClassRuns; ++g) {
            const int count = (7 * g) % (stats::MaxClassCount + 1);
            full +=
                QByteArray::number(count) + (g % 3 == 0 ? QByteArray(",\n") : ',' + QByteArray::number(g % 10) + '\n');
            groups << QString::number(count) + (g % 3 == 0 ? QStringLiteral(" -") : QStringLiteral(" %1").arg(g % 10));
        }
        QTest::newRow("every group of a full class") << full << groups.join(u'|');
    }
    void groupsSurviveTheFileAndTheSettings()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, groups);
        ClassTable &table = partOf<ClassTable>(m_f->window);
        QVERIFY(!table.readCsv(text));
        QCOMPARE(groupsText(table.counts()), groups);
        // The settings keep the table's file.
        m_f->window.close();
        AnswerWindow again(m_f->settings);
        ClassTable &remembered = partOf<ClassTable>(again);
        QCOMPARE(groupsText(remembered.counts()), groups);
        // A file with a bad row opens nothing and names the row.
        const std::optional<QString> refused = remembered.readCsv("a,b\n1,2\n3,x\n");
        QVERIFY(refused && refused->contains(QStringLiteral("line 3 (group 2)")));
        QCOMPARE(groupsText(remembered.counts()), groups);
    }

    // An export never writes over the class's file open in the window.
    void exportSparesTheOpenClassFile()
    {
        const QString file = m_f->dir.filePath(QStringLiteral("class.csv"));
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write("4,5\n") == 4);
        csv.close();
        BoxAnswers answers(file);
        QTest::keySequence(&m_f->window, QKeySequence::Open);
        QCOMPARE(groupsText(partOf<ClassTable>(m_f->window).counts()), QStringLiteral("4 5"));
        m_f->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_f->window));
        QTest::keySequence(&m_f->window, QKeySequence(QStringLiteral("Ctrl+E")));
        QTRY_COMPARE_WITH_TIMEOUT(answers.said.size(), 1, WaitMs);
        QVERIFY2(answers.said[0].contains(QStringLiteral("class's counts")), qPrintable(answers.said[0]));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), QByteArray("4,5\n"));
    }

    void refusedCellKeepsTheTable_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept"); // empty: refused
        QTest::newRow("a count") << QStringLiteral("12") << QStringLiteral("12");
        QTest::newRow("full-width digits") << QStringLiteral("１２") << QStringLiteral("12");
        QTest::newRow("a word") << QStringLiteral("ten") << QString();
        QTest::newRow("two counts") << QStringLiteral("3,4") << QString();
    }
    void refusedCellKeepsTheTable()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ClassTable &table = partOf<ClassTable>(m_f->window);
        QVERIFY(!table.readCsv("# simulated by a test\nboth,one\n7,5\n9,\n"));
        QTableWidget *cells = &partOf<QTableWidget>(table);
        const auto type = [&](int row, int column, const QString &text) {
            cells->setCurrentCell(row, column);
            cells->setFocus();
            QTest::keyClick(cells, Qt::Key_F2);
            auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            QVERIFY(editor);
            editor->clear();
            // As an input method commits it: full-width digits have no key of their own.
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(editor, &commit);
            QTest::keyClick(editor, Qt::Key_Return);
        };
        type(1, 1, typed);
        // The message in view names what was typed and the cell's scenario.
        const auto told = [&table, &typed] {
            const QList<QLabel *> labels = table.findChildren<QLabel *>();
            return std::any_of(labels.begin(), labels.end(), [&](QLabel *l) {
                return l->isVisible() && l->text().contains(typed) &&
                       l->text().contains(stats::plainName(Scenario::DogWalks));
            });
        };
        // The cell keeps what was typed, counted only when it is a count;
        // the simulated counts typed over are no longer marked as such.
        const QString counted = QStringLiteral("7 5|9 ") + (kept.isEmpty() ? QStringLiteral("-") : kept);
        QTRY_COMPARE_WITH_TIMEOUT(cells->item(1, 1)->text(), kept.isEmpty() ? typed : kept, WaitMs);
        QCOMPARE(groupsText(table.counts()), counted);
        QCOMPARE(told(), kept.isEmpty());
        // Another cell typed leaves it as it is, and so does the next start.
        type(0, 0, QStringLiteral("8"));
        QTRY_COMPARE_WITH_TIMEOUT(groupsText(table.counts()), QStringLiteral("8") + counted.mid(1), WaitMs);
        QCOMPARE(told(), kept.isEmpty());
        m_f->window.close();
        AnswerWindow again(m_f->settings);
        QCOMPARE(partOf<QTableWidget>(again).item(1, 1)->text(), kept.isEmpty() ? typed : kept);
        QCOMPARE(groupsText(partOf<ClassTable>(again).counts()), QStringLiteral("8") + counted.mid(1));
    }

    void deleteBlanksTheSelectedCells_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Delete") << int(Qt::Key_Delete);
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    }
    void deleteBlanksTheSelectedCells()
    {
        QFETCH(int, key);
        ClassTable &table = partOf<ClassTable>(m_f->window);
        // Simulated counts blanked are no longer what was simulated.
        QVERIFY(!table.readCsv("# simulated by a test\n1,2\n3,4\n5,6\n"));
        QTableWidget *cells = &partOf<QTableWidget>(table);
        cells->setFocus();
        cells->setCurrentCell(0, 1);
        cells->setRangeSelected(QTableWidgetSelectionRange(1, 0, 1, 0), true);
        QTest::keyClick(cells, Qt::Key(key));
        QCOMPARE(groupsText(table.counts()), QStringLiteral("1 -|- 4|5 6"));
        QVERIFY(!table.csv().startsWith('#'));
        // The last group blanked leaves no blank group behind.
        cells->setCurrentCell(2, 0);
        cells->setRangeSelected(QTableWidgetSelectionRange(2, 0, 2, 1), true);
        QTest::keyClick(cells, Qt::Key(key));
        QCOMPARE(groupsText(table.counts()), QStringLiteral("1 -|- 4"));
        QCOMPARE(cells->rowCount(), 3);
    }

    // However unlikely the exact law makes a class's count, the chart of
    // meetings per run reaches it and marks it.
    void classCountsAreInsideTheLawChart()
    {
        stats::Answer answer;
        for (Scenario scenario : stats::Scenarios)
            answer.exact[scenario].law = {0.5, 0.5};
        answer.classCounts = std::get<stats::ClassCounts>(stats::readClassCounts("12,\n2,3\n"));
        const std::unique_ptr<QChart> chart(stats::lawChart(answer));
        const auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
        QVERIFY(x);
        bool marked = false;
        for (QAbstractSeries *series : chart->series()) {
            const auto *marks = qobject_cast<QScatterSeries *>(series);
            if (!marks || marks->markerShape() != QScatterSeries::MarkerShapeTriangle)
                continue;
            for (const QPointF &mark : marks->points()) {
                QVERIFY(mark.x() > x->min() && mark.x() < x->max());
                marked = marked || qRound(mark.x()) == 12;
            }
        }
        QVERIFY(marked);
    }

private:
    std::optional<AnswerWindowFixture> m_f;
};

QTEST_MAIN(TestClassTable)
#include "tst_classtable.moc"
