// The answer window, offscreen: the figures it shows are the statistics
// library's, the walkers move by mouse and keyboard, and what it copies and
// names follows the question on the board.

#include "answer/answerpages.h"
#include "answer/answerpane.h"
#include "answerwindowfixture.h"
#include "answer/boardview.h"
#include "classgroups.h"
#include "answer/classtable.h"
#include "answer/classatspeedpicture.h"
#include "answer/classatspeedpage.h"
#include "pictures/charts.h"
#include "words/language.h"
#include "words/phrases.h"
#include "pictures/picturefile.h"
#include "pictures/sheets.h"
#include "words/verdictwords.h"
#include "words/wording.h"
#include "waiting.h"

#include <QChart>
#include <QChartView>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>
#include <QScatterSeries>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextLayout>
#include <QValueAxis>
#include <QtTest>

#include <climits>
#include <cmath>

Q_DECLARE_METATYPE(Point)
Q_DECLARE_METATYPE(stats::Sheet)
Q_DECLARE_METATYPE(stats::Language)

namespace {

const int WaitMs = int(waitDeadline().count());

BoardView &boardOf(const AnswerWindow &window)
{
    return partOf<BoardView>(window);
}

QSpinBox &runLengthOf(const AnswerWindow &window)
{
    return partOf<QSpinBox>(window, QStringLiteral("runLength"));
}

// The marks on a chart of the law, each scenario's as "count:share%" in
// the order of the counts: "3:50.0 5:50.0|2:100.0".
QString marksOn(const QChart &chart)
{
    QStringList scenarios;
    for (QAbstractSeries *series : chart.series()) {
        const auto *marks = qobject_cast<QScatterSeries *>(series);
        if (!marks || marks->count() == 0)
            continue;
        QStringList points;
        for (const QPointF &p : marks->points())
            points << QStringLiteral("%1:%2").arg(std::lround(p.x())).arg(p.y(), 0, 'f', 1);
        scenarios << points.join(u' ');
    }
    return scenarios.join(u'|');
}

// A page that keeps what is painted on it, in points: each text's box and
// size, whether a clip cuts into it, and the box of everything else.
class RecordedPage : public QPaintDevice, public QPaintEngine
{
public:
    struct Text
    {
        QString text;
        QRectF box;
        double points;
        bool cut;
    };

    explicit RecordedPage(QSizeF points) : QPaintEngine(AllFeatures), m_size(points.toSize()) {}
    QPaintEngine *paintEngine() const override { return const_cast<RecordedPage *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    Type type() const override { return User; }
    void drawPixmap(const QRectF &r, const QPixmap &, const QRectF &) override { shapes.push_back(onPage(r)); }
    void drawPath(const QPainterPath &path) override { shapes.push_back(onPage(path.boundingRect())); }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
    {
        shapes.push_back(onPage(QPolygonF(QList<QPointF>(points, points + count)).boundingRect()));
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QRectF box = onPage(QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        const QTransform t = painter()->combinedTransform();
        const QFont font = item.font();
        const double points =
            (font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF()) * std::sqrt(std::abs(t.determinant()));
        const bool cut = painter()->hasClipping() &&
                         !t.mapRect(painter()->clipBoundingRect()).adjusted(-0.5, -0.5, 0.5, 0.5).contains(box);
        texts.push_back({item.text(), box, points, cut});
    }

    std::vector<Text> texts;
    std::vector<QRectF> shapes;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmWidthMM: return qRound(m_size.width() * 25.4 / 72);
        case PdmHeightMM: return qRound(m_size.height() * 25.4 / 72);
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 72;
        }
    }

private:
    QRectF onPage(const QRectF &r) const { return painter()->combinedTransform().mapRect(r); }
    QSize m_size;
};

} // namespace

class TestAnswer : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_f.emplace();
        m_f->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_f->window));
    }
    void cleanup() { m_f.reset(); }

    // The pane's figures are the library's, the runs it takes under the way
    // that is faster. (A new question's answer: tst_answer_x.)
    void figuresAreTheLibrarys()
    {
        const stats::Answer library = libraryAnswer({4, 4}, {6, 4}, 180);
        QTRY_VERIFY_WITH_TIMEOUT(shows(m_f->window, library), WaitMs);

        const AnswerPane &pane = partOf<AnswerPane>(m_f->window);
        for (Scenario scenario : stats::Scenarios) {
            const QLabel *wait = pane.figureLabel(AnswerPane::Figure::MeanWait, scenario);
            QVERIFY(wait->accessibleName().contains(QString::number(library.exact[scenario].meanFirstSeconds, 'f', 1)));
        }
        QVERIFY(library.verdict.faster);
        QCOMPARE(pane.figureLabel(AnswerPane::Figure::RunsFor90, *library.verdict.faster)->text(),
                 QString::number(library.runsEach.runsFor90));
    }

    // Asked while the answer to a new Dog start is worked out, the copy waits
    // for it: its context and verdict are the new question's, never the
    // old one's.
    void copyWaitsForTheAnswer()
    {
        QTRY_VERIFY_WITH_TIMEOUT(answered(m_f->window), WaitMs);
        QApplication::clipboard()->clear();
        boardOf(m_f->window).setPosition(Walker::Dog, {2, 8});
        QVERIFY(!answered(m_f->window));
        // Meanwhile the page is covered: the old answer's chart is not what shows.
        QWidget *page = partOf<AnswerPages>(m_f->window).currentWidget();
        QWidget *onTop = page->parentWidget()->childAt(page->geometry().center());
        QVERIFY(onTop && onTop != page && !page->isAncestorOf(onTop));
        QTest::keySequence(&m_f->window, QKeySequence(QStringLiteral("Ctrl+Shift+C")));
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::clipboard()->text().isEmpty(), WaitMs);
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(stats::contextLine({{4, 4}, {2, 8}}, 180, QDate::currentDate())),
                 qPrintable(copied));
        QVERIFY(copied.contains(stats::verdictText(libraryAnswer({4, 4}, {2, 8}, 180))));
    }

    // A class at speed marks on the law the groups done and no others; the
    // counts it puts in "Our class" are the class of the seed shown, marked
    // as simulated; a walker moved starts the class again.
    void aClassAtSpeedMarksTheGroupsDone()
    {
        AnswerWindow &window = m_f->window;
        runLengthOf(window).setValue(10);
        QTRY_VERIFY_WITH_TIMEOUT(shows(window, libraryAnswer({4, 4}, {6, 4}, 10)), WaitMs);
        partOf<AnswerPages>(window).setCurrentIndex(int(AnswerPages::Page::ClassAtSpeed));
        const ClassAtSpeedPage &page = partOf<ClassAtSpeedPage>(window);
        partOf<QSpinBox>(page, QStringLiteral("groups")).setValue(6);
        partOf<QSpinBox>(page, QStringLiteral("seed")).setValue(321);
        const QLabel &state = partOf<QLabel>(page, QStringLiteral("state"));
        const QChartView &chart = partOf<QChartView>(page);
        // The marks of these counts alone.
        const auto marksOf = [answer = libraryAnswer({4, 4}, {6, 4}, 10)](const stats::ClassCounts &counts) {
            return marksOn(*std::unique_ptr<QChart>(classChart(answer, counts, false)));
        };
        auto click = [&](const char *name) { partOf<QAbstractButton>(page, QString::fromLatin1(name)).click(); };
        QCOMPARE(marksOn(*chart.chart()), QString());
        // The first group's runs end at the 50th tick.
        for (int tick = 0; tick < 50; ++tick)
            click("step");
        click("offer");
        QCOMPARE(marksOn(*chart.chart()), marksOf(partOf<ClassTable>(window).counts()));
        click("finish");
        // Offered again over counts not marked as simulated, the window would
        // ask before replacing them: the box is shut at once (No), so that
        // the test fails on the counts rather than waiting on the box.
        QTimer::singleShot(0, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        click("offer");
        const stats::ClassCounts put = partOf<ClassTable>(window).counts();
        QCOMPARE(put.simulated,
                 (stats::SimulatedBy{QStringLiteral("meetling-answer"), 321, {{4, 4}, {6, 4}}, 10, 6}.mark()));
        QCOMPARE(marksOn(*chart.chart()), marksOf(put));
        // The class of the seed shown (which plays the tool's runs).
        stats::ClassAtSpeed same({{4, 4}, {6, 4}}, 50, 6, 321);
        same.advanceTo(same.end());
        for (Scenario scenario : stats::Scenarios)
            QVERIFY(put.runs(scenario) == same.counts().runs(scenario));

        boardOf(window).setPosition(Walker::Dog, {7, 4});
        QTRY_VERIFY_WITH_TIMEOUT(state.text().startsWith(QStringLiteral("0 of 6")), WaitMs);
    }

    // "Where to wait" names the best points of the scenario chosen there.
    void bestPointsFollowTheChoice()
    {
        AnswerPages &pages = partOf<AnswerPages>(m_f->window);
        pages.setCurrentIndex(int(AnswerPages::Page::WhereToWait));
        auto *best = pages.findChild<QLabel *>(QStringLiteral("best"));
        QTRY_VERIFY_WITH_TIMEOUT(best->text().contains(stats::plainName(Scenario::DogWalks)), WaitMs);
        const QString dogWalks = best->text();
        for (QRadioButton *choice : pages.findChildren<QRadioButton *>()) {
            if (choice->text() == stats::plainName(Scenario::BothWalk))
                choice->click();
        }
        QVERIFY(best->text().contains(stats::plainName(Scenario::BothWalk)));
        QVERIFY(best->text() != dogWalks);
    }

    // The first meeting's chart: its time axis ticks on whole, round seconds
    // (a 10-s run's labels 0, 2, 4, not 0, 2, 5 at 0, 2.5, 5), a handful of
    // them whatever the run.
    void waitingTicksAreWholeSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        for (int seconds : {10, 45, 180, 600})
            QTest::addRow("%d s", seconds) << seconds;
    }
    void waitingTicksAreWholeSeconds()
    {
        QFETCH(int, seconds);
        stats::Answer answer;
        answer.seconds = seconds;
        answer.ticksPerTimer = rules::ticksPerTimer(seconds);
        std::unique_ptr<QChart> chart(stats::waitingChart(answer));
        auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
        QVERIFY(x);
        QCOMPARE(x->tickType(), QValueAxis::TicksDynamic);
        QCOMPARE(std::fmod(x->tickAnchor(), 1.0), 0.0);
        QCOMPARE(std::fmod(x->tickInterval(), 1.0), 0.0);
        const double ticks = (x->max() - x->tickAnchor()) / x->tickInterval();
        QVERIFY2(ticks >= 3 && ticks <= 7, qPrintable(QString::number(ticks)));
    }

    // A walker dragged anywhere lands on the board's nearest point, never off
    // it. (A move by drag, by key or from the settings is one and the same
    // from there on: its name and its answer are tested once, elsewhere.)
    void dragSnapsToTheBoard_data()
    {
        QTest::addColumn<QPointF>("to"); // in cells from the board's top-left corner
        QTest::addColumn<Point>("lands");
        QTest::newRow("inside") << QPointF(8.5, 2.3) << Point{8, 2};
        QTest::newRow("past the bottom-right") << QPointF(30, 14) << Point{10, 10};
        QTest::newRow("past the top-left") << QPointF(-3, -0.5) << Point{0, 0};
    }
    void dragSnapsToTheBoard()
    {
        QFETCH(QPointF, to);
        QFETCH(Point, lands);
        BoardView &board = boardOf(m_f->window);
        QWidget *momotaro = board.piece(Walker::Momotaro);
        const Point from = board.position(Walker::Momotaro);
        const int cell = momotaro->width();
        const QPoint corner = momotaro->pos() - QPoint(int(from.x) * cell, int(from.y) * cell);
        const QPoint target = corner + (to * cell).toPoint();
        QTest::mousePress(momotaro, Qt::LeftButton, {}, QPoint(cell / 2, cell / 2));
        QTest::mouseMove(momotaro, momotaro->mapFromParent(target));
        QTest::mouseRelease(momotaro, Qt::LeftButton, {}, momotaro->mapFromParent(target));
        QCOMPARE(board.position(Walker::Momotaro), lands);
    }

    void arrowKeysMoveTheFocusedWalker()
    {
        BoardView &board = boardOf(m_f->window);
        const Point dog = board.position(Walker::Dog);
        QWidget *piece = board.piece(Walker::Dog);
        piece->setFocus(Qt::TabFocusReason);
        QTest::keyClick(piece, Qt::Key_Left);
        QTest::keyClick(piece, Qt::Key_Down);
        QCOMPARE(board.position(Walker::Dog), (Point{int(dog.x) - 1, int(dog.y) + 1}));
    }

    // What was set up is on disk as it changes, for a window that ends
    // without closing (its display lost): the class's counts at once, what
    // is dragged or stepped once it stops; and it comes back in the next.
    void settingsKeptAsTheyChange()
    {
        // The file's own bytes: another QSettings of this process would share
        // what the window's holds unwritten.
        const auto onDisk = [this] {
            QFile file(m_f->settings.fileName());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QVERIFY(!partOf<ClassTable>(m_f->window).readCsv("4,7\n"));
        QVERIFY2(onDisk().contains("\\n4,7\\n"), onDisk().constData());
        boardOf(m_f->window).setPosition(Walker::Momotaro, {1, 2});
        runLengthOf(m_f->window).setValue(90);
        QTRY_VERIFY_WITH_TIMEOUT(onDisk().contains("seconds=90"), WaitMs);
        QSettings settings(m_f->settings.fileName(), QSettings::IniFormat);
        AnswerWindow again(settings);
        QCOMPARE(boardOf(again).position(Walker::Momotaro), (Point{1, 2}));
        QCOMPARE(runLengthOf(again).value(), 90);
    }

    // Hidden, the answer is not copied, and the next window starts with it hidden.
    void hiddenAnswerIsKeptAndNotCopied()
    {
        QTRY_VERIFY_WITH_TIMEOUT(answered(m_f->window), WaitMs);
        QTest::keyClick(&m_f->window, Qt::Key_F5);
        QApplication::clipboard()->setText(QStringLiteral("as it was"));
        QTest::keySequence(&m_f->window, QKeySequence(QStringLiteral("Ctrl+Shift+C")));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("as it was"));
        QSettings settings(m_f->settings.fileName(), QSettings::IniFormat);
        AnswerWindow again(settings);
        QTRY_VERIFY_WITH_TIMEOUT(answered(again), WaitMs);
        QVERIFY(!shows(again, libraryAnswer({4, 4}, {6, 4}, 180)));
    }

    // Settings that cannot be saved are said once, and a settings path that
    // is no regular file is never replaced; a file with a line that does not
    // read is written, and said to be nothing else.
    void settingsNotKeptAreSaidOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder that cannot be made") << "under a file";
        QTest::newRow("a link to a folder") << "link";
        QTest::newRow("a malformed line, a point and a length that do not read") << "malformed";
    }
    void settingsNotKeptAreSaidOnce()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("settings.ini"));
        const QString folder = dir.filePath(QStringLiteral("folder"));
        if (kind == QLatin1String("link")) {
            QVERIFY(QDir().mkdir(folder) && QFile::link(folder, path));
        } else if (kind == QLatin1String("malformed")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[start]\nmomotaro=@Point(1 2\nno key here\n[run]\nseconds=abc\n");
        } else {
            QFile file(dir.filePath(QStringLiteral("file")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            path = file.fileName() + QStringLiteral("/settings.ini");
        }
        // Said once in the log too, if at all.
        if (kind != QLatin1String("malformed"))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^settings not kept")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^settings not kept")));
        {
            QSettings settings(path, QSettings::IniFormat);
            AnswerWindow window(settings);
            // Two counts typed, each kept at once.
            QVERIFY(!partOf<ClassTable>(window).readCsv("1,2\n"));
            QVERIFY(!partOf<ClassTable>(window).readCsv("3,4\n"));
            const QList<QLabel *> said = window.findChildren<QLabel *>(QStringLiteral("settingsNotKept"));
            if (kind == QLatin1String("malformed")) {
                QVERIFY(said.isEmpty());
                QCOMPARE(boardOf(window).position(Walker::Momotaro), (Point{4, 4}));
                QCOMPARE(runLengthOf(window).value(), Question().seconds);
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains("\\n3,4\\n"));
                return;
            }
            QCOMPARE(said.size(), 1);
            QVERIFY2(said[0]->text().contains(path), qPrintable(said[0]->text()));
            // Said for what it is: a path that is no file is not tried.
            QCOMPARE(said[0]->text().contains(QStringLiteral("not a regular file")), kind == QLatin1String("link"));
            window.close();
        }
        if (kind == QLatin1String("link"))
            QCOMPARE(QFileInfo(path).symLinkTarget(), folder);
    }

    // One window at a time holds the class: a second on the same settings
    // shows it, changes and writes nothing, and says why; once the first is
    // closed, the next window holds it, every count there.
    void oneWindowHoldsTheClass()
    {
        QVERIFY(!partOf<ClassTable>(m_f->window).readCsv("9,6\n"));
        const auto kept = [this] {
            QSettings settings(m_f->settings.fileName(), QSettings::IniFormat);
            return settings.value(QStringLiteral("class/csv")).toByteArray();
        };
        {
            QSettings settings(m_f->settings.fileName(), QSettings::IniFormat);
            AnswerWindow second(settings);
            ClassTable &table = partOf<ClassTable>(second);
            QCOMPARE(groupsText(table.counts()), QStringLiteral("9 6"));
            QVERIFY(partOf<QLabel>(second, QStringLiteral("settingsNotKept"))
                        .text()
                        .contains(QStringLiteral("another window")));
            QVERIFY(table.readCsv("4,\n"));
            QCOMPARE(groupsText(table.counts()), QStringLiteral("9 6"));
            runLengthOf(second).setValue(60);
            second.close();
        }
        QVERIFY(!partOf<ClassTable>(m_f->window).readCsv("9,6\n7,\n"));
        m_f->window.close();
        QSettings settings(m_f->settings.fileName(), QSettings::IniFormat);
        AnswerWindow next(settings);
        QVERIFY(next.findChildren<QLabel *>(QStringLiteral("settingsNotKept")).isEmpty());
        QCOMPARE(groupsText(partOf<ClassTable>(next).counts()), QStringLiteral("9 6|7 -"));
        QCOMPARE(runLengthOf(next).value(), Question().seconds);
        QVERIFY(!partOf<ClassTable>(next).readCsv("4,\n"));
        QCOMPARE(kept(), partOf<ClassTable>(next).csv());
    }

    // Another language chosen in the View menu words the window again in
    // place: a class playing at speed plays on, the choice is kept and the
    // answer in view is worded afresh.
    void anotherLanguageWordsTheWindowInPlace_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("kept");
        QTest::newRow("English to Japanese")
            << QStringLiteral("English") << QStringLiteral("日本語") << QStringLiteral("ja");
        QTest::newRow("Japanese to the system's")
            << QStringLiteral("日本語") << QStringLiteral("The &system's language") << QStringLiteral("system");
    }
    void anotherLanguageWordsTheWindowInPlace()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, kept);
        AnswerWindow &window = m_f->window;
        const auto inEnglish = qScopeGuard([] { AnswerWindow::useLanguage(stats::Language::English); });
        const auto file = [&window] { return window.menuBar()->actions().value(0)->text(); };
        const auto choose = [&](const QString &language) {
            const QString before = file();
            for (QAction *action : window.findChildren<QAction *>()) {
                if (action->text() == AnswerWindow::tr(qPrintable(language)))
                    action->trigger();
            }
            QTRY_VERIFY(file() != before);
        };
        if (from != QStringLiteral("English"))
            choose(from);
        QTRY_VERIFY_WITH_TIMEOUT(answered(window), WaitMs);
        auto &pages = partOf<AnswerPages>(window);
        pages.setCurrentIndex(int(AnswerPages::Page::ClassAtSpeed));
        const QPointer<ClassAtSpeedPage> page = &partOf<ClassAtSpeedPage>(window);
        partOf<QComboBox>(window, QStringLiteral("speed")).setCurrentIndex(0);
        auto &play = partOf<QAbstractButton>(window, QStringLiteral("play"));
        play.click();
        QCOMPARE(play.text(), ClassAtSpeedPage::tr("Pause"));

        choose(to);
        QCOMPARE(stats::withoutJoiners(file()), stats::withoutJoiners(AnswerWindow::tr("&File")));
        QCOMPARE(m_f->settings.value(QStringLiteral("view/language")).toString(), kept);
        QVERIFY(page);
        QCOMPARE(play.text(), ClassAtSpeedPage::tr("Pause"));
        QCOMPARE(partOf<QListWidget>(window).currentItem()->text(),
                 AnswerPages::title(AnswerPages::Page::ClassAtSpeed));
        QCOMPARE(partOf<QLabel>(window, QStringLiteral("verdict")).text(),
                 stats::headline(libraryAnswer({4, 4}, {6, 4}, 180)));
    }

    // Both sheets on either paper, either way up, with the fewest and the
    // most rows and a class of 1,000 groups, in both languages: all of it on
    // the page, no text under 10 pt, none cut or shortened, none over another.
    void sheetsFitTheirPage_data()
    {
        QTest::addColumn<stats::Sheet>("sheet");
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<int>("rows");
        QTest::addColumn<stats::Language>("language");
        for (stats::Language language : stats::allLanguages()) {
            if (language == stats::Language::System)
                continue;
            for (QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
                for (QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
                    const QString name =
                        QStringLiteral("%1 %2 %3")
                            .arg(stats::languageCode(language), paper == QPageSize::A4 ? "A4" : "Letter",
                                 orientation == QPageLayout::Portrait ? "portrait" : "landscape");
                    for (int rows : {1, stats::MostSheetRows})
                        QTest::newRow(qPrintable(name + QStringLiteral(", pupils, %1 rows").arg(rows)))
                            << stats::Sheet::Pupils << paper << orientation << rows << language;
                    QTest::newRow(qPrintable(name + QStringLiteral(", teacher")))
                        << stats::Sheet::Teacher << paper << orientation << 1 << language;
                }
            }
        }
    }
    void sheetsFitTheirPage()
    {
        QFETCH(stats::Sheet, sheet);
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(int, rows);
        QFETCH(stats::Language, language);
        stats::useLanguage(language);
        const auto english = qScopeGuard([] { stats::useLanguage(stats::Language::English); });
        stats::Answer answer = libraryAnswer({4, 4}, {6, 4}, 180);
        stats::ClassCounts counts{QStringLiteral("class.csv"), QStringLiteral("simulated"), {}};
        for (int group = 0; group < stats::MaxClassRuns; ++group) {
            stats::ClassGroup counted;
            counted.counts[Scenario::BothWalk] = group * 7 % 13;
            counted.counts[Scenario::DogWalks] = group * 5 % 11;
            counts.groups.push_back(counted);
        }
        answer.classCounts = counts;

        const QRectF page(QPointF(), QPageLayout(QPageSize(paper), orientation, QMarginsF()).fullRectPoints().size());
        RecordedPage recorded(page.size());
        {
            QPainter painter(&recorded);
            stats::paintSheet(painter, page, sheet, answer, {rows, QDate(2026, 12, 9)});
        }
        const auto onPage = [&page](const QRectF &r) {
            return r.left() >= page.left() && r.top() >= page.top() && r.right() <= page.right() &&
                   r.bottom() <= page.bottom();
        };
        QVERIFY(recorded.texts.size() > 20);
        for (const QRectF &shape : recorded.shapes)
            QVERIFY2(onPage(shape), qPrintable(QDebug::toString(shape)));
        for (auto t = recorded.texts.begin(); t != recorded.texts.end(); ++t) {
            // A joiner alone at a line's end shows nothing.
            if (stats::withoutJoiners(t->text).isEmpty())
                continue;
            QVERIFY2(onPage(t->box), qPrintable(t->text));
            QVERIFY2(t->points >= 9.99, qPrintable(QStringLiteral("%1: %2 pt").arg(t->text).arg(t->points)));
            QVERIFY2(!t->cut && !t->text.contains(QStringLiteral("...")) && !t->text.contains(u'…'),
                     qPrintable(t->text));
            for (auto u = recorded.texts.begin(); u != t; ++u)
                QVERIFY2(!t->box.adjusted(1, 1, -1, -1).intersects(u->box.adjusted(1, 1, -1, -1)),
                         qPrintable(t->text + " / " + u->text));
        }
    }

    // Qt breaks Japanese between any two characters; the programs' texts
    // come with their phrases joined, so that a label, a chart or a sheet
    // set in the window's font breaks them between phrases only (the "|"s),
    // at every width, and at the narrowest between every two. The joiners
    // show no glyph (at most a kerning pair of a punctuation mark is lost).
    void japaneseBreaksBetweenPhrases_data()
    {
        QTest::addColumn<QString>("phrases");
        QTest::newRow("それぞれ") << QStringLiteral(
            "ふたりとも|歩き回るほうが、|それぞれ|1回ずつ|実験すると、|多く|出会います。");
        QTest::newRow("おそいため") << QStringLiteral("なし|（「桃太郎が|待つ」がおそいため）");
        QTest::newRow("やり方") << QStringLiteral("どちらのやり方でも、|出会う|回数の|平均は|同じです。");
    }
    void japaneseBreaksBetweenPhrases()
    {
        QFETCH(QString, phrases);
        const auto inEnglish = qScopeGuard([] { AnswerWindow::useLanguage(stats::Language::English); });
        AnswerWindow::useLanguage(stats::Language::Japanese);
        const QStringList parts = phrases.split(u'|');
        const QString text = stats::joinedPhrases(parts.join(QString()));
        const QFont font;
        const QFontMetricsF metrics(font);
        const qreal em = metrics.horizontalAdvance(u'あ');
        QVERIFY(metrics.horizontalAdvance(text) < metrics.horizontalAdvance(parts.join(QString())) + em / 2);
        for (qreal width = em; width < metrics.horizontalAdvance(text) + em; width += em / 2) {
            QTextLayout layout(text, font);
            layout.setTextOption(QTextOption(Qt::AlignLeft));
            layout.beginLayout();
            QStringList lines;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                lines << stats::withoutJoiners(text.mid(line.textStart(), line.textLength()));
            }
            layout.endLayout();
            qsizetype part = 0;
            for (const QString &line : lines) {
                QString whole;
                while (part < parts.size() && whole.size() < line.size())
                    whole += parts[part++];
                QVERIFY2(whole == line, qPrintable(QStringLiteral("%1 px: %2").arg(width).arg(lines.join(u'/'))));
            }
            if (width == em)
                QCOMPARE(lines, parts);
        }
    }

private:
    std::optional<AnswerWindowFixture> m_f;
};

QTEST_MAIN(TestAnswer)
#include "tst_answer.moc"
