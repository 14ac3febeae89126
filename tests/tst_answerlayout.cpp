// The answer window on one screen (MEETLING_SCREEN, e.g. 1024x768, at the
// QT_SCALE_FACTOR the test is run with), at zooms of 100% and 200% and in
// presentation mode: it fits the screen, nothing in it is cut off, every
// page title shows whole, and zooming in never shrinks the board or a chart.
// MEETLING_LANGUAGE=ja runs it in Japanese; =pseudo in a made-up language
// 40% longer than English.

#include "answer/answerpages.h"
#include "answer/answerpane.h"
#include "answerwindowfixture.h"
#include "answer/boardview.h"
#include "pseudotranslator.h"
#include "waiting.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QAbstractButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(AnswerPages::Page)

namespace {

const int WaitMs = int(waitDeadline().count());

// The screen is at least this large (in the application's pixels: a 1920 x
// 1080 screen at a scale factor of 2 is 960 x 540) when everything must be in
// view at once, without scrolling; a smaller one may scroll.
constexpr QSize WholeFrom{960, 540};

// Whether w is in the part of a page that scrolls within the page (the
// window's own scroll area is the outermost one).
bool withinPageScroller(const QWidget *w, const QWidget &window)
{
    int scrollers = 0;
    for (const QWidget *up = w->parentWidget(); up && up != &window; up = up->parentWidget())
        scrollers += qobject_cast<const QScrollArea *>(up) != nullptr;
    return scrollers > 1;
}

// What in the window is cut off or does not show its text whole, one line each.
QStringList faults(QWidget &window, bool scrolls)
{
    QStringList found;
    const QList<QWidget *> all = window.findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (!w->isVisibleTo(&window) || w->isWindow())
            continue;
        // Inside a scroll area, a view's own viewport and scroll bars are its business.
        if (qobject_cast<QAbstractScrollArea *>(w->parentWidget()) && !qobject_cast<QScrollArea *>(w->parentWidget()))
            continue;
        const QString name = QStringLiteral("%1 \"%2\"")
                                 .arg(QString::fromLatin1(w->metaObject()->className()),
                                      w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName());
        QWidget *parent = w->parentWidget();
        if (parent && !qobject_cast<QScrollArea *>(parent->parentWidget()) && !parent->rect().contains(w->geometry()))
            found << QStringLiteral("%1 reaches outside its parent: %2 in %3")
                         .arg(name, QDebug::toString(w->geometry()), QDebug::toString(parent->rect()));
        if (!scrolls && !withinPageScroller(w, window) &&
            !window.rect().contains(QRect(w->mapTo(&window, QPoint()), w->size())))
            found << QStringLiteral("%1 is outside the window").arg(name);
        if (auto *label = qobject_cast<QLabel *>(w);
            label && !label->text().isEmpty() && label->textFormat() != Qt::RichText) {
            const QRect room = label->contentsRect();
            const int flags =
                int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0) | Qt::TextShowMnemonic;
            const QRect needs = label->fontMetrics().boundingRect(room, flags, label->text());
            if (needs.width() > room.width() || needs.height() > room.height())
                found << QStringLiteral("%1 cuts its text: needs %2, has %3 (\"%4\")")
                             .arg(name, QDebug::toString(needs.size()), QDebug::toString(room.size()),
                                  label->text().left(40));
        }
    }
    // Every page's title whole, all at once.
    auto *list = window.findChild<QListWidget *>();
    for (int row = 0; row < list->count(); ++row) {
        const QRect item = list->visualItemRect(list->item(row));
        if (!list->viewport()->rect().contains(item) ||
            list->fontMetrics().horizontalAdvance(list->item(row)->text()) > item.width())
            found << QStringLiteral("page title \"%1\" is cut").arg(list->item(row)->text());
    }
    return found;
}

// The window's text size now, as its controls have it.
int textPixels(const QWidget &window)
{
    return partOf<QSpinBox>(window, QStringLiteral("runLength")).fontInfo().pixelSize();
}

bool scrolls(QWidget &window)
{
    const auto *scroller = window.findChild<QScrollArea *>();
    return scroller->widget()->width() > scroller->viewport()->width() ||
           scroller->widget()->height() > scroller->viewport()->height();
}

// Lets the window's layouts and the zoom's rescaling settle.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestAnswerLayout : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        m_settings.emplace(m_dir->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    }

    // Every page in the states with its longest texts, for start pairs
    // whose texts differ: the default, a corner pair, and Dog in the middle,
    // where four points tie for the best. It all fits the screen at once.
    void fitsInEveryState_data()
    {
        QTest::addColumn<AnswerPages::Page>("page");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QPoint>("momotaro");
        QTest::addColumn<QPoint>("dog");
        using enum AnswerPages::Page;
        const struct
        {
            const char *name;
            QPoint momotaro, dog;
            std::vector<AnswerPages::Page> shown, hidden;
        } starts[]{{"default",
                    {4, 4},
                    {6, 4},
                    {Law, Waiting, OneRun, Runs, WhereToWait, OurClass, ClassAtSpeed},
                    {Law, OurClass, ClassAtSpeed}},
                   {"corners", {0, 0}, {10, 10}, {Law, WhereToWait, OurClass, ClassAtSpeed}, {OurClass}},
                   {"middle", {0, 10}, {5, 5}, {Law, WhereToWait, OurClass, ClassAtSpeed}, {OurClass}}};
        for (const auto &start : starts) {
            for (bool hidden : {false, true}) {
                for (AnswerPages::Page page : hidden ? start.hidden : start.shown)
                    QTest::addRow("%s, page %d%s", start.name, int(page), hidden ? ", hidden" : "")
                        << page << hidden << start.momotaro << start.dog;
            }
        }
    }
    void fitsInEveryState()
    {
        QFETCH(AnswerPages::Page, page);
        QFETCH(bool, hidden);
        QFETCH(QPoint, momotaro);
        QFETCH(QPoint, dog);
        m_settings->setValue(QStringLiteral("start/momotaro"), momotaro);
        m_settings->setValue(QStringLiteral("start/dog"), dog);
        AnswerWindow window(*m_settings);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(answered(window), WaitMs);
        AnswerPages &pages = partOf<AnswerPages>(window);
        pages.setCurrentIndex(int(page));
        if (page == AnswerPages::Page::OurClass || page == AnswerPages::Page::ClassAtSpeed) {
            // A class played: "A class at speed" with the many classes'
            // result, "Our class" with the class's counts and their verdict.
            pages.setCurrentIndex(int(AnswerPages::Page::ClassAtSpeed));
            // The same class each time: its verdict's length depends on it.
            partOf<QSpinBox>(pages, QStringLiteral("seed")).setValue(1);
            partOf<QAbstractButton>(pages, QStringLiteral("finish")).click();
            if (page == AnswerPages::Page::OurClass) {
                partOf<QAbstractButton>(pages, QStringLiteral("offer")).click();
            } else {
                auto &many = partOf<QAbstractButton>(pages, QStringLiteral("many"));
                many.click();
                // The button is back once the classes have played and their result shows.
                QTRY_VERIFY_WITH_TIMEOUT(!many.isEnabled(), WaitMs);
                QTRY_VERIFY_WITH_TIMEOUT(many.isEnabled(), WaitMs);
            }
            QCOMPARE(pages.currentIndex(), int(page));
        }
        if (page == AnswerPages::Page::WhereToWait)
            QTRY_VERIFY_WITH_TIMEOUT(!partOf<QLabel>(pages, QStringLiteral("best")).text().endsWith(u'…'), WaitMs);
        window.setAnswerHidden(hidden);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const bool big = area.width() >= WholeFrom.width() && area.height() >= WholeFrom.height();
        // Each choice on the page ("Where to wait" has one per way).
        QList<QRadioButton *> choices = pages.currentWidget()->findChildren<QRadioButton *>();
        if (choices.isEmpty())
            choices << nullptr;
        for (QRadioButton *choice : choices) {
            if (choice)
                choice->click();
            settle();
            // A first start fills the screen's work area.
            QCOMPARE(window.frameGeometry(), area);
            QVERIFY2(!big || !scrolls(window), "everything is in view at once");
            const QStringList found = faults(window, scrolls(window));
            QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        }
    }

    void fitsAndScalesAsAWhole()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        // A geometry remembered from a larger screen.
        {
            AnswerWindow larger(*m_settings);
            larger.setGeometry(QRect(QPoint(200, 150), QSize(2400, 1500)));
            m_settings->setValue(QStringLiteral("window/geometry"), larger.saveGeometry());
        }
        AnswerWindow window(*m_settings);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(answered(window), WaitMs);
        settle();
        QVERIFY2(area.contains(window.frameGeometry()), qPrintable(QDebug::toString(window.frameGeometry())));

        // At 100%, and at 200% (five steps in).
        QTest::keySequence(&window, QKeySequence(QStringLiteral("Ctrl+0")));
        settle();
        AnswerPages &pages = partOf<AnswerPages>(window);
        pages.setCurrentIndex(int(AnswerPages::Page::Law));
        settle();
        const QSize board = partOf<BoardView>(window).size();
        const QSize chart = pages.currentWidget()->size();
        const int text = textPixels(window);
        for (int step = 0; step < 5; ++step)
            QTest::keySequence(&window, QKeySequence(QStringLiteral("Ctrl++")));
        settle();
        QVERIFY(std::abs(textPixels(window) - 2 * text) <= 1);
        const QStringList found = faults(window, scrolls(window));
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("at 200%:\n") + found.join(u'\n')));
        QVERIFY(partOf<BoardView>(window).width() > board.width() &&
                partOf<BoardView>(window).height() > board.height());
        QVERIFY(pages.currentWidget()->width() > chart.width());
        QVERIFY(pages.currentWidget()->height() > chart.height());
    }

    // F11 fills the screen, the headline large enough to read across a
    // classroom; leaving it brings the window back within the screen.
    void presentation()
    {
        AnswerWindow window(*m_settings);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY_WITH_TIMEOUT(answered(window), WaitMs);
        QTest::keyClick(&window, Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(window.isFullScreen(), WaitMs);
        settle();
        const QSize screenSize = QGuiApplication::primaryScreen()->size();
        const bool big = screenSize.width() >= WholeFrom.width() && screenSize.height() >= WholeFrom.height();
        QVERIFY(!big || !scrolls(window));
        const QStringList found = faults(window, scrolls(window));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (screen->size() * screen->devicePixelRatio() == QSize(1920, 1080)) {
            const auto *headline = &partOf<QLabel>(window, QStringLiteral("verdict"));
            QVERIFY2(headline->fontInfo().pixelSize() * screen->devicePixelRatio() >= 48,
                     qPrintable(QString::number(headline->fontInfo().pixelSize())));
        }
        QTest::keyClick(&window, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isFullScreen(), WaitMs);
        settle();
        QVERIFY(screen->availableGeometry().contains(window.frameGeometry()));
    }

private:
    std::optional<QTemporaryDir> m_dir;
    std::optional<QSettings> m_settings;
};

int main(int argc, char *argv[])
{
    // The offscreen platform's one screen, as large as the test is told.
    const QStringList size = qEnvironmentVariable("MEETLING_SCREEN", QStringLiteral("1024x768")).split(u'x');
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (size.size() != 2 || !file.open(QIODevice::WriteOnly))
        return 2;
    file.write(QStringLiteral(
                   R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2, "logicalDpi": 96}]})")
                   .arg(size[0].toInt())
                   .arg(size[1].toInt())
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    const QString language = qEnvironmentVariable("MEETLING_LANGUAGE");
    PseudoTranslator pseudo;
    if (language == u"ja")
        AnswerWindow::useLanguage(stats::Language::Japanese);
    else if (language == u"pseudo")
        QApplication::installTranslator(&pseudo);
    TestAnswerLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_answerlayout.moc"
