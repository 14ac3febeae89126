#include "answer/answerwindow.h"

#include "answer/answerlog.h"
#include "answer/answerpages.h"
#include "answer/answerpane.h"
#include "answer/boardview.h"
#include "answer/classtable.h"
#include "forms/onscreen.h"
#include "words/phrases.h"
#include "pictures/picturefile.h"
#include "law/savefile.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The content at the zoom of 100%, laid out for the smallest screen it must
// fit whole, 1024 x 768 less a title bar, a menu bar and a panel; it grows
// in proportion to a larger window, and with the zoom, as a whole.
constexpr QSize DesignSize{1000, 640};
constexpr double TextPixels = 13;
// The smallest text the content shrinks to, in the screen's own pixels.
constexpr double LeastTextPixels = 11;
// The board's least side and the pages' least height at 100%.
constexpr double BoardLeast = 300;
constexpr double PagesLeast = 240;
// The window's own smallest size: below the content's, the content scrolls.
constexpr QSize MinimumSize{320, 240};
constexpr std::array<double, 12> Zooms{0.5, 0.67, 0.8, 0.9, 1, 1.1, 1.25, 1.5, 1.75, 2, 2.5, 3};
constexpr int MinSeconds = 10;

// The settings' keys.
const QString MomotaroKey = QStringLiteral("start/momotaro");
const QString DogKey = QStringLiteral("start/dog");
const QString SecondsKey = QStringLiteral("run/seconds");
const QString ClassKey = QStringLiteral("class/csv");
const QString GeometryKey = QStringLiteral("window/geometry");
const QString ZoomKey = QStringLiteral("view/zoom");
const QString ClassFileKey = QStringLiteral("class/file");
const QString MistypedKey = QStringLiteral("class/mistyped");
const QString SheetRowsKey = QStringLiteral("sheet/rows");
const QString AnswerHiddenKey = QStringLiteral("view/answerHidden");
const QString LanguageKey = QStringLiteral("view/language");
// How long a drag or a stepping must pause before what it set is written.
constexpr int KeepSoonMs = 300;

QPoint toQPoint(Point p)
{
    return {int(p.x), int(p.y)};
}

Point toPoint(QPoint p)
{
    return {std::clamp(p.x(), 0, rules::BoardMax), std::clamp(p.y(), 0, rules::BoardMax)};
}

// What settings keep under key, or fallback where nothing is kept or the
// line does not read as a point (or a number).
QPoint keptPoint(const QSettings &settings, const QString &key, QPoint fallback)
{
    const QVariant value = settings.value(key);
    return value.typeId() == QMetaType::QPoint ? value.toPoint() : fallback;
}

double keptNumber(const QSettings &settings, const QString &key, double fallback)
{
    bool read = false;
    const double value = settings.value(key).toDouble(&read);
    return read && std::isfinite(value) ? value : fallback;
}

// A language as the settings keep it.
QString languageCode(stats::Language language)
{
    switch (language) {
    case stats::Language::English: return QStringLiteral("en");
    case stats::Language::Japanese: return QStringLiteral("ja");
    case stats::Language::System: break;
    }
    return QStringLiteral("system");
}

} // namespace

AnswerWindow::AnswerWindow(QSettings &settings, QWidget *parent) : QMainWindow(parent), m_settings(settings)
{
    setWindowTitle(tr("Meetling answer"));
    setMinimumSize(MinimumSize);

    // The board on the left; the answer and, under it, the pages on the
    // right; all of it in a scroll area, for a window smaller than its content.
    m_scroller = new QScrollArea(this);
    m_scroller->setWidgetResizable(true);
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->installEventFilter(this);
    m_content = new QWidget;
    auto *left = new QVBoxLayout;
    m_board = new BoardView(m_content);
    auto *lengthRow = new QHBoxLayout;
    m_seconds = new QSpinBox(m_content);
    m_seconds->setObjectName(QStringLiteral("runLength"));
    m_seconds->setRange(MinSeconds, int(stats::MaxSeconds));
    //: After the run's length in seconds, as in "180 s".
    m_seconds->setSuffix(tr(" s"));
    m_seconds->setAccessibleName(tr("Length of a run in seconds"));
    auto *lengthLabel = new QLabel(tr("&Length of a run:"), m_content);
    lengthLabel->setBuddy(m_seconds);
    lengthRow->addWidget(lengthLabel);
    lengthRow->addWidget(m_seconds);
    lengthRow->addStretch(1);
    // The question first: the run's length, then the start points on the board.
    left->addLayout(lengthRow);
    left->addWidget(m_board, 1);
    auto *right = new QVBoxLayout;
    m_pane = new AnswerPane(m_content);
    right->addWidget(m_pane);
    m_pages = new AnswerPages(m_content);
    right->addWidget(m_pages, 1);
    auto *layout = new QHBoxLayout(m_content);
    layout->addLayout(left, 2);
    layout->addLayout(right, 3);
    m_scroller->setWidget(m_content);
    setCentralWidget(m_scroller);

    // The Tab order: the walkers (Dog first, as on the board program), the
    // run's length, the answer, the pages.
    setTabOrder(m_board->piece(Walker::Dog), m_board->piece(Walker::Momotaro));
    setTabOrder(m_board->piece(Walker::Momotaro), m_seconds);

    // Every action is the window's own too, so that its keys work while the
    // menu bar is hidden for a presentation.
    auto action = [this](QMenu *menu, const QString &text, const QList<QKeySequence> &keys, auto slot) {
        QAction *a = menu->addAction(text, this, slot);
        a->setShortcuts(keys);
        addAction(a);
        return a;
    };
    QMenu *file = menuBar()->addMenu(tr("&File"));
    m_openClass = action(file, tr("&Open class…"), {QKeySequence::Open}, &AnswerWindow::openClass);
    action(file, tr("&Save class…"), {QKeySequence::Save}, &AnswerWindow::saveClass);
    m_newClass = action(file, tr("&New class"), {QKeySequence::New}, &AnswerWindow::newClass);
    file->addSeparator();
    action(file, tr("&Export page…"), {QKeySequence(Qt::CTRL | Qt::Key_E)}, &AnswerWindow::exportPage);
    action(file, tr("&Copy the answer"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, &AnswerWindow::copyVerdict);
    file->addSeparator();
    // The lesson's sheets, printed or saved as PDF: the pupils' to tally on,
    // the teacher's with the answer.
    QMenu *print = file->addMenu(tr("&Print"));
    action(print, tr("The &pupils' sheet…"), {QKeySequence::Print}, [this] { printSheet(stats::Sheet::Pupils); });
    action(print, tr("The &teacher's sheet…"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
           [this] { printSheet(stats::Sheet::Teacher); });
    QMenu *pdf = file->addMenu(tr("Save as P&DF"));
    action(pdf, tr("The &pupils' sheet…"), {}, [this] { saveSheet(stats::Sheet::Pupils); });
    action(pdf, tr("The &teacher's sheet…"), {}, [this] { saveSheet(stats::Sheet::Teacher); });
    file->addSeparator();
    action(file, tr("&Quit"), {QKeySequence::Quit}, &QWidget::close);
    QMenu *view = menuBar()->addMenu(tr("&View"));
    auto step = [this](int by) {
        const auto at = std::lower_bound(Zooms.begin(), Zooms.end(), m_zoom - 1e-9);
        const auto index = std::clamp(int(at - Zooms.begin()) + by, 0, int(Zooms.size()) - 1);
        setZoom(Zooms[std::size_t(index)]);
    };
    action(view, tr("Zoom &in"), {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
           [step] { step(1); });
    action(view, tr("Zoom &out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [step] { step(-1); });
    action(view, tr("&Actual size"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { setZoom(1); });
    view->addSeparator();
    action(view, tr("&Presentation"), {QKeySequence(Qt::Key_F11)}, &AnswerWindow::togglePresentation);
    view->addSeparator();
    // Checked while the answer is hidden; the teacher's choice is kept, one
    // made for this window alone (setAnswerHidden()) is not.
    m_hideAnswer = action(view, tr("&Hide the answer"), {QKeySequence(Qt::Key_F5)}, [this] {
        keep(AnswerHiddenKey, answerHidden());
    });
    m_hideAnswer->setCheckable(true);
    // Within a click's reach too. It goes with the menu bar for a
    // presentation, and only then: it is not offered for hiding.
    m_tools = addToolBar(tr("Answer"));
    m_tools->setObjectName(QStringLiteral("answerTools"));
    m_tools->setMovable(false);
    m_tools->toggleViewAction()->setVisible(false);
    m_tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_tools->addAction(m_hideAnswer);
    // The language of every text, kept in settings; the window is made
    // again in it. English and Japanese are named in their own words, for
    // whoever reads only that one.
    view->addSeparator();
    QMenu *languageMenu = view->addMenu(tr("&Language"));
    auto *languages = new QActionGroup(languageMenu);
    const std::array<QString, 3> languageNames{tr("The &system's language"), QStringLiteral("English"), QStringLiteral("日本語")};
    for (stats::Language language : {stats::Language::System, stats::Language::English, stats::Language::Japanese}) {
        QAction *choice = languageMenu->addAction(languageNames[std::size_t(language)]);
        choice->setCheckable(true);
        languages->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, language] { chooseLanguage(language); });
        m_languages[std::size_t(language)] = choice;
    }
    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(leave, &QShortcut::activated, this, [this] {
        if (isFullScreen())
            togglePresentation();
    });

    // What the teacher set up last time. A settings path that is not a
    // regular file (a link to a device, say) is never written: saving would
    // replace it.
    const QFileInfo settingsFile(m_settings.fileName());
    if (settingsFile.exists() && !settingsFile.isFile())
        refuseSettingsFile(m_settings.fileName());
    // One window at a time holds the class. A lock is never taken for stale
    // by its age, a lesson being long, only once its process has ended. A
    // lock that cannot be made at all (no folder can be) leaves the window
    // to find out on writing whether its settings are kept.
    bool openElsewhere = false;
    if (m_keeping) {
        QDir().mkpath(settingsFile.absolutePath());
        // Not the ".lock" QSettings itself takes while it writes.
        auto lock = std::make_unique<QLockFile>(m_settings.fileName() + QStringLiteral(".window-lock"));
        lock->setStaleLockTime(std::chrono::milliseconds::zero());
        if (lock->tryLock())
            m_lock = std::move(lock);
        else
            openElsewhere = lock->error() == QLockFile::LockFailedError;
    }
    // A window that does not hold the class writes nothing, from the start.
    if (openElsewhere)
        m_keeping = false;
    m_board->setPosition(Walker::Momotaro, toPoint(keptPoint(m_settings, MomotaroKey, toQPoint(answer::Question().starts.momotaro))));
    m_board->setPosition(Walker::Dog, toPoint(keptPoint(m_settings, DogKey, toQPoint(answer::Question().starts.dog))));
    m_seconds->setValue(int(keptNumber(m_settings, SecondsKey, answer::Question().seconds)));
    // The cells typed as no count read first: putting the counts in the
    // table keeps the table, mistyped cells (none yet) included.
    const QStringList mistyped = m_settings.value(MistypedKey).toStringList();
    m_pages->classTable().readCsv(m_settings.value(ClassKey).toByteArray());
    m_pages->classTable().setMistyped(mistyped);
    m_classFile = m_settings.value(ClassFileKey).toString();
    m_zoom = std::clamp(keptNumber(m_settings, ZoomKey, 1.0), Zooms.front(), Zooms.back());
    // A first start fills the screen's work area (the content scales to it);
    // later ones come back at the size the teacher left.
    m_fillScreen = !restoreGeometry(m_settings.value(GeometryKey).toByteArray());
    if (openElsewhere)
        showOpenElsewhere(true);
    m_hideAnswer->setChecked(m_settings.value(AnswerHiddenKey, false).toBool());
    m_language = keptLanguage(m_settings);
    m_languages[std::size_t(m_language)]->setChecked(true);
    applyAnswerHidden(answerHidden());
    connect(m_hideAnswer, &QAction::toggled, this, &AnswerWindow::applyAnswerHidden);

    connect(&m_engine, &answer::AnswerEngine::answered, this, &AnswerWindow::showAnswer);
    connect(&m_engine, &answer::AnswerEngine::pending, this, &AnswerWindow::showPending);
    connect(&m_engine, &answer::AnswerEngine::mapped, m_pages, &AnswerPages::setMap);
    // The work ahead waits while a class plays at speed (its frames come
    // first) and while nobody sees the window.
    connect(m_pages, &AnswerPages::classPlayingChanged, this,
            [this](bool playing) { m_engine.hold(answer::AnswerEngine::Hold::ClassPlaying, playing); });
    connect(m_board, &BoardView::moved, this, [this](Walker walker, Point point) {
        ask();
        keep(walker == Walker::Momotaro ? MomotaroKey : DogKey, toQPoint(point), Soon);
    });
    connect(m_seconds, &QSpinBox::valueChanged, this, [this](int seconds) {
        ask();
        keep(SecondsKey, seconds, Soon);
    });
    connect(&m_pages->classTable(), &ClassTable::countsChanged, this, &AnswerWindow::keepClass);
    m_keepSoon.setSingleShot(true);
    m_keepSoon.setInterval(KeepSoonMs);
    connect(&m_keepSoon, &QTimer::timeout, this, [this] { keep(GeometryKey, saveGeometry()); });
    connect(m_board, &BoardView::pointClicked, this, [this](Point point) { m_board->setPosition(Walker::Momotaro, point); });
    connect(m_pages, &AnswerPages::heatChanged, this, [this] { m_board->setHeat(m_pages->heat()); });
    // The window's keys win over a focused box's own (see eventFilter()).
    qApp->installEventFilter(this);
    rescale();
    ask();
}

AnswerWindow::~AnswerWindow() = default;

void AnswerWindow::showOpenElsewhere(bool elsewhere)
{
    m_openClass->setEnabled(!elsewhere);
    m_newClass->setEnabled(!elsewhere);
    m_pages->classTable().setReadOnly(
        elsewhere ? tr("Open in another window: shown as it was at this window's start. Type the counts there.")
                  : QString());
    if (elsewhere) {
        cannotKeep(m_settings.fileName(), NotKept::OpenElsewhere);
        return;
    }
    // Held from here: what was said about it goes.
    m_keeping = true;
    m_toldCannotKeep = false;
    delete statusBar()->findChild<QLabel *>(QStringLiteral("settingsNotKept"));
}

void AnswerWindow::ask()
{
    m_asked = {{m_board->position(Walker::Momotaro), m_board->position(Walker::Dog)}, m_seconds->value()};
    m_engine.ask(m_asked);
}

void AnswerWindow::showAnswer(const answer::Answer &answer)
{
    m_answer = answer;
    m_pane->showAnswer(answer);
    m_pages->setAnswer(answer);
    if (m_whenAnswered) {
        statusBar()->clearMessage();
        std::exchange(m_whenAnswered, nullptr)();
    }
}

void AnswerWindow::showPending()
{
    m_answer = nullptr;
    m_pane->showPending(m_asked);
    m_pages->setAnswer(nullptr);
}

void AnswerWindow::setAnswerHidden(bool hidden)
{
    m_hideAnswer->setChecked(hidden);
}

bool AnswerWindow::answerHidden() const
{
    return m_hideAnswer->isChecked();
}

void AnswerWindow::applyAnswerHidden(bool hidden)
{
    m_hideAnswer->setText(hidden ? tr("&Show the answer") : tr("&Hide the answer"));
    // The tool bar's button without the menu's accelerator, which another
    // language may write as a letter in brackets.
    m_hideAnswer->setIconText(hidden ? tr("Show the answer") : tr("Hide the answer"));
    m_hideAnswer->setToolTip(hidden ? tr("Show the answer (F5)") : tr("Hide the answer (F5)"));
    m_pane->setAnswerHidden(hidden);
    m_pages->setAnswerHidden(hidden);
    // A copy or a picture waiting for the answer would give it away.
    if (hidden && m_whenAnswered && m_whenAnsweredShows == ShowsAnswer) {
        m_whenAnswered = nullptr;
        sayAnswerHidden();
    }
}

void AnswerWindow::chooseLanguage(stats::Language language)
{
    if (language == m_language)
        return;
    m_language = language;
    keep(LanguageKey, languageCode(language));
    emit languageChosen(language);
}

stats::Language AnswerWindow::keptLanguage(const QSettings &settings)
{
    for (stats::Language language : {stats::Language::English, stats::Language::Japanese}) {
        if (settings.value(LanguageKey).toString() == languageCode(language))
            return language;
    }
    return stats::Language::System;
}

void AnswerWindow::takeOver(AnswerWindow &other)
{
    // The class passes with its lock: this window holds it, other writes
    // nothing more.
    const bool refused = !other.m_keeping && other.m_notKept == NotKept::NotAFile;
    const bool toldCannotWrite = other.m_toldCannotKeep && other.m_notKept == NotKept::CannotWrite;
    if (other.m_lock) {
        m_lock = std::move(other.m_lock);
        other.m_keeping = false;
        if (!m_keeping && m_notKept == NotKept::OpenElsewhere)
            showOpenElsewhere(false);
    }
    // What is not kept first: nothing is written where other wrote nothing.
    if (refused)
        refuseSettingsFile(other.m_notKeptFile);
    else if (toldCannotWrite)
        cannotKeep(other.m_notKeptFile, other.m_notKept);
    m_language = other.m_language;
    m_languages[std::size_t(m_language)]->setChecked(true);
    m_board->setPosition(Walker::Momotaro, other.m_board->position(Walker::Momotaro));
    m_board->setPosition(Walker::Dog, other.m_board->position(Walker::Dog));
    m_seconds->setValue(other.m_seconds->value());
    m_pages->takeOver(*other.m_pages);
    m_classFile = other.m_classFile;
    setZoom(other.m_zoom);
    restoreGeometry(other.saveGeometry());
    m_fillScreen = false;
    setAnswerHidden(other.answerHidden());
}

void AnswerWindow::sayAnswerHidden()
{
    statusBar()->showMessage(tr("The answer is hidden: nothing of it is copied or saved. Show it first (F5)."), 6000);
}

void AnswerWindow::whenAnswered(std::function<void()> action, Shows shows)
{
    if (shows == ShowsAnswer && answerHidden()) {
        sayAnswerHidden();
        return;
    }
    if (m_answer) {
        action();
        return;
    }
    m_whenAnswered = std::move(action);
    m_whenAnsweredShows = shows;
    statusBar()->showMessage(tr("As soon as the answer is worked out…"));
}

void AnswerWindow::setZoom(double zoom)
{
    m_zoom = zoom;
    keep(ZoomKey, m_zoom, Soon);
    rescale();
}

void AnswerWindow::rescale()
{
    // The window's size against the content's at 100%: the content grows to
    // fill a larger window and shrinks to fit a smaller one, but never so far
    // that its text falls below a size read with ease; a window smaller than
    // that scrolls.
    const QSize area = m_scroller->size();
    const double least = LeastTextPixels / (TextPixels * devicePixelRatioF());
    const double fit = std::max(least, std::min(double(area.width()) / DesignSize.width(), double(area.height()) / DesignSize.height()));
    const double scale = fit * m_zoom;
    const int textPixels = std::max(1, int(TextPixels * scale + 0.5));
    QFont text = font();
    text.setPixelSize(textPixels);
    m_content->setFont(text);
    m_pane->setTextPixels(textPixels);
    m_pages->setTextPixels(textPixels);
    m_content->setMinimumSize(int(DesignSize.width() * scale), int(DesignSize.height() * scale));
    m_board->setMinimumSize(int(BoardLeast * scale), int(BoardLeast * scale));
    m_pages->setLeastHeight(int(PagesLeast * scale));
    const int margin = int(8 * scale);
    m_content->layout()->setContentsMargins(margin, margin, margin, margin);
    m_content->layout()->setSpacing(margin * 2);
}

bool AnswerWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A focused box may claim a key of the window's as its own (a spin box
    // takes Ctrl+E for the end of its line where X11's keys are used): the
    // window's actions win in any part of it.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        // "Ctrl++" is typed with Shift on many keyboards.
        const std::array<QKeySequence, 2> typed{QKeySequence(QKeyCombination(modifiers, Qt::Key(key->key()))),
                                                QKeySequence(QKeyCombination(modifiers & ~Qt::ShiftModifier, Qt::Key(key->key())))};
        for (const QAction *windowAction : actions()) {
            if (!windowAction->isEnabled())
                continue;
            for (const QKeySequence &keys : windowAction->shortcuts()) {
                if (keys == typed[0] || keys == typed[1]) {
                    event->ignore();
                    return true;
                }
            }
        }
    }
    if (watched == m_scroller && event->type() == QEvent::Resize)
        rescale();
    return QMainWindow::eventFilter(watched, event);
}

void AnswerWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    holdWhileUnseen();
    if (!m_fitted) {
        m_fitted = true;
        const bool fill = std::exchange(m_fillScreen, false);
        fitOnScreen(fill);
        onscreen::whenFramed(*this, [this, fill] { fitOnScreen(fill); });
    }
}

void AnswerWindow::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    holdWhileUnseen();
}

void AnswerWindow::holdWhileUnseen()
{
    m_engine.hold(answer::AnswerEngine::Hold::OutOfSight, !isVisible() || isMinimized());
}

void AnswerWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        holdWhileUnseen();
    // Back from full screen: the window as it was, within the screen (the
    // window manager restores it after this, hence the next turn).
    if (event->type() == QEvent::WindowStateChange && !isFullScreen()
        && (static_cast<QWindowStateChangeEvent *>(event)->oldState() & Qt::WindowFullScreen))
        QTimer::singleShot(0, this, [this] { fitOnScreen(); });
}

void AnswerWindow::fitOnScreen(bool fill)
{
    if (isFullScreen() || isMaximized())
        return;
    const QRect area = screen()->availableGeometry();
    // The frame as far as the window system has told it.
    const QSize frame = frameGeometry().size() - size();
    const QSize room = (area.size() - frame).expandedTo(minimumSize());
    if (fill)
        resize(room);
    else if (width() > room.width() || height() > room.height())
        resize(size().boundedTo(room));
    const QRect outer = frameGeometry();
    const QPoint fitted(std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
                        std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    if (fitted != outer.topLeft())
        move(pos() + fitted - outer.topLeft());
}

void AnswerWindow::togglePresentation()
{
    if (isFullScreen()) {
        menuBar()->show();
        m_tools->show();
        showNormal();
    } else {
        menuBar()->hide();
        m_tools->hide();
        showFullScreen();
    }
}

void AnswerWindow::closeEvent(QCloseEvent *event)
{
    keep(GeometryKey, saveGeometry());
    // The class is free for another window; this one keeps nothing more.
    m_lock.reset();
    m_keeping = false;
    QMainWindow::closeEvent(event);
}

void AnswerWindow::keep(const QString &key, const QVariant &value, When when)
{
    if (!m_keeping)
        return;
    if (when == Soon) {
        // A drag moves a walker many times a second; writing the file takes
        // milliseconds, which the figures would wait for: it is held here
        // (QSettings would write it on the event loop's next turn) and
        // written once the drag pauses.
        m_unkept.insert(key, value);
        m_keepSoon.start();
        return;
    }
    m_keepSoon.stop();
    for (auto held = m_unkept.cbegin(); held != m_unkept.cend(); ++held)
        m_settings.setValue(held.key(), held.value());
    m_unkept.clear();
    m_settings.setValue(key, value);
    m_settings.sync();
    // A line of the file that could not be read is an error QSettings keeps
    // saying after it has written the file again without it: a fresh read
    // of the file tells whether it was.
    const QSettings::Status status = m_settings.status();
    if (status == QSettings::AccessError
        || (status == QSettings::FormatError && QSettings(m_settings.fileName(), m_settings.format()).status() != QSettings::NoError))
        cannotKeep(m_settings.fileName(), NotKept::CannotWrite);
}

void AnswerWindow::refuseSettingsFile(const QString &file)
{
    m_keeping = false;
    cannotKeep(file, NotKept::NotAFile);
}

void AnswerWindow::keepClass()
{
    keep(MistypedKey, m_pages->classTable().mistyped(), Soon);
    keep(ClassKey, m_pages->classTable().csv());
}

void AnswerWindow::cannotKeep(const QString &file, NotKept why)
{
    if (std::exchange(m_toldCannotKeep, true))
        return;
    m_notKeptFile = file;
    m_notKept = why;
    const QString native = QDir::toNativeSeparators(file);
    const QString text = why == NotKept::NotAFile
        ? tr("What is set up here will not come back at the next start: the settings file %1 is not saved, as it is not a regular file.")
              .arg(native)
        : why == NotKept::CannotWrite
        ? tr("What is set up here will not come back at the next start: the settings file %1 is not saved, as it cannot be written.")
              .arg(native)
        : tr("The class is open in another window: this window changes neither its counts nor the settings file %1.").arg(native);
    qCWarning(lcAnswer).noquote() << "settings not kept:" << native
                                  << (why == NotKept::NotAFile    ? "is not a regular file"
                                          : why == NotKept::CannotWrite ? "cannot be written"
                                                                        : "is held by another window");
    auto *note = new QLabel(text, statusBar());
    note->setObjectName(QStringLiteral("settingsNotKept"));
    note->setWordWrap(true);
    note->setAccessibleName(text);
    statusBar()->addPermanentWidget(note, 1);
}

void AnswerWindow::openClass()
{
    const QString name = QFileDialog::getOpenFileName(this, tr("Open the class's counts"), QString(),
                                                      tr("Class counts (*.csv *.txt);;All files (*)"));
    if (name.isEmpty())
        return;
    const auto read = stats::readClassFile(name);
    if (const auto *problem = std::get_if<QString>(&read)) {
        QMessageBox::warning(this, windowTitle(), tr("Nothing was opened from %1: %2.").arg(name, *problem));
        return;
    }
    m_pages->classTable().setCounts(std::get<stats::ClassCounts>(read));
    m_classFile = name;
    keep(ClassFileKey, name);
    m_pages->setCurrentIndex(int(AnswerPages::Page::OurClass));
}

void AnswerWindow::saveClass()
{
    const QString name = QFileDialog::getSaveFileName(this, tr("Save the class's counts"), QStringLiteral("class.csv"),
                                                      tr("Class counts (*.csv)"));
    if (name.isEmpty())
        return;
    QString error;
    // As the class is read: never into a pipe or a device.
    if (QFileInfo::exists(name) && !QFileInfo(name).isFile())
        error = tr("it is not a regular file");
    if (!error.isEmpty() || !stats::saveFile(name, m_pages->classTable().csv(), error)) {
        QMessageBox::warning(this, windowTitle(), tr("Cannot save %1: %2").arg(name, error));
        return;
    }
    m_classFile = name;
    keep(ClassFileKey, name);
}

void AnswerWindow::newClass()
{
    if (QMessageBox::question(this, windowTitle(), tr("Clear every group's counts from the table?"))
        == QMessageBox::Yes) {
        m_pages->classTable().clear();
        m_classFile.clear();
        keep(ClassFileKey, QString());
    }
}

void AnswerWindow::exportPage()
{
    // The page of the question on the board, not of an earlier one.
    whenAnswered([this] {
        const QString name = QFileDialog::getSaveFileName(this, tr("Save this page as a picture"), QStringLiteral("answer.png"),
                                                          tr("PNG picture (*.png);;SVG drawing (*.svg)"));
        if (name.isEmpty())
            return;
        QString error = refusedTarget(name);
        if (!error.isEmpty() || !m_pages->saveCurrent(name, error))
            QMessageBox::warning(this, windowTitle(), tr("Cannot save %1: %2").arg(name, error));
    });
}

std::optional<stats::SheetSetup> AnswerWindow::sheetSetup(stats::Sheet sheet)
{
    stats::SheetSetup setup;
    setup.date = QDate::currentDate();
    setup.rows = std::clamp(m_settings.value(SheetRowsKey, setup.rows).toInt(), 1, stats::MostSheetRows);
    if (sheet == stats::Sheet::Pupils) {
        bool ok = false;
        setup.rows = QInputDialog::getInt(this, windowTitle(), tr("Runs of each way a group tallies on its sheet:"), setup.rows, 1,
                                          stats::MostSheetRows, 1, &ok);
        if (!ok)
            return std::nullopt;
        keep(SheetRowsKey, setup.rows);
    }
    return setup;
}

void AnswerWindow::withSheet(stats::Sheet sheet, const std::function<void(const stats::Answer &, const stats::SheetSetup &)> &use)
{
    // The sheet of the question on the board, with the class's counts. The
    // pupils' sheet holds nothing of the answer: it is made while it is hidden.
    whenAnswered(
        [this, sheet, use] {
            if (const std::optional<stats::SheetSetup> setup = sheetSetup(sheet))
                use(*m_pages->classAnswer(), *setup);
        },
        sheet == stats::Sheet::Pupils ? ShowsNothingOfIt : ShowsAnswer);
}

void AnswerWindow::printSheet(stats::Sheet sheet)
{
    withSheet(sheet, [this, sheet](const stats::Answer &answer, const stats::SheetSetup &setup) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setDocName(sheet == stats::Sheet::Pupils ? tr("Meetling: the pupils' sheet")
                                                         : tr("Meetling: the teacher's sheet"));
        QPrintPreviewDialog preview(&printer, this);
        preview.setWindowTitle(printer.docName());
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter *device) {
            // Drawn in points on the whole sheet of paper, whatever the printer's resolution.
            QPainter painter(device);
            const QSizeF points = device->pageLayout().fullRectPoints().size();
            painter.setViewport(device->paperRect(QPrinter::DevicePixel).toRect());
            painter.setWindow(QRectF(QPointF(), points).toRect());
            stats::paintSheet(painter, QRectF(QPointF(), points), sheet, answer, setup);
        });
        preview.exec();
    });
}

void AnswerWindow::saveSheet(stats::Sheet sheet)
{
    withSheet(sheet, [this, sheet](const stats::Answer &answer, const stats::SheetSetup &setup) {
        const QString name = QFileDialog::getSaveFileName(
            this, tr("Save the sheet as PDF"),
            sheet == stats::Sheet::Pupils ? QStringLiteral("pupils-sheet.pdf") : QStringLiteral("teacher-sheet.pdf"),
            tr("PDF document (*.pdf)"));
        if (name.isEmpty())
            return;
        // Letter paper where it is the usual size, A4 elsewhere: where the
        // teacher is, whatever the language the window speaks.
        const QLocale::Territory where = QLocale::system().territory();
        const stats::Paper paper = where == QLocale::UnitedStates || where == QLocale::Canada ? stats::Paper::Letter : stats::Paper::A4;
        QString error = refusedTarget(name);
        if (!error.isEmpty() || !stats::saveSheet(name, sheet, answer, setup, paper, error))
            QMessageBox::warning(this, windowTitle(), tr("Cannot save %1: %2").arg(name, error));
        else
            statusBar()->showMessage(tr("Saved %1.").arg(name), 4000);
    });
}

QString AnswerWindow::refusedTarget(const QString &name) const
{
    // A picture or a sheet over the class's own counts would lose them; a
    // pipe with no reader would hold the window for good.
    if (!m_classFile.isEmpty() && QFileInfo(name) == QFileInfo(m_classFile))
        return tr("it holds the class's counts; choose another name");
    if (QFileInfo::exists(name) && !QFileInfo(name).isFile())
        return tr("it is not a regular file");
    return {};
}

void AnswerWindow::copyVerdict()
{
    whenAnswered([this] {
        // What the answer is about, the verdict, then the figures as the pane shows them.
        QString text = stats::contextLine(m_answer->starts, m_answer->seconds, QDate::currentDate()) + QStringLiteral("\n\n")
            + m_pane->verdictText() + QStringLiteral("\n\n");
        for (AnswerPane::Figure figure : AnswerPane::Figures) {
            for (Scenario scenario : stats::Scenarios)
                text += m_pane->figureLabel(figure, scenario)->accessibleName() + u'\n';
        }
        QApplication::clipboard()->setText(stats::withoutJoiners(text));
        statusBar()->showMessage(tr("The answer is copied."), 4000);
    });
}

AnswerSession::AnswerSession(QSettings &settings) : m_settings(settings), m_window(std::make_unique<AnswerWindow>(settings))
{
    connect(m_window.get(), &AnswerWindow::languageChosen, this, &AnswerSession::remake);
}

AnswerSession::~AnswerSession() = default;

stats::Language AnswerSession::useLanguage(stats::Language language)
{
    const stats::Language used = stats::useLanguage(language);
    stats::useLanguageFont();
    return used;
}

void AnswerSession::remake(stats::Language language)
{
    // The texts already made stay in the language they were made in: a
    // window in the new one takes the old one's place. Answers are worked
    // out afresh, their words in it too.
    const stats::Language before = stats::languageInUse();
    if (useLanguage(language) == before)
        return;
    auto next = std::make_unique<AnswerWindow>(m_settings);
    next->takeOver(*m_window);
    connect(next.get(), &AnswerWindow::languageChosen, this, &AnswerSession::remake);
    std::unique_ptr<AnswerWindow> old = std::exchange(m_window, std::move(next));
    if (old->isVisible())
        m_window->show();
    old->hide();
    // Its menu's action is still running.
    old.release()->deleteLater();
}
