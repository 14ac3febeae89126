#include "answer/answerwindow.h"

#include "answer/answerpages.h"
#include "answer/answerpane.h"
#include "answer/boardview.h"
#include "answer/classtable.h"
#include "pictures/picturefile.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The window's own smallest size: below the content's, the content scrolls.
constexpr QSize MinimumSize{320, 240};
constexpr int MinSeconds = 10;

} // namespace

AnswerWindow::AnswerWindow(QSettings &settings, QWidget *parent) : QMainWindow(parent), m_kept(settings)
{
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
    m_lengthLabel = new QLabel(m_content);
    m_lengthLabel->setBuddy(m_seconds);
    lengthRow->addWidget(m_lengthLabel);
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

    makeMenus();

    // What the teacher set up last time.
    m_board->setPosition(Walker::Momotaro, m_kept.start(Walker::Momotaro));
    m_board->setPosition(Walker::Dog, m_kept.start(Walker::Dog));
    m_seconds->setValue(m_kept.seconds());
    // The cells typed as no count read first: putting the counts in the
    // table keeps the table, mistyped cells (none yet) included.
    const QStringList mistyped = m_kept.mistyped();
    m_pages->classTable().readCsv(m_kept.classCsv());
    m_pages->classTable().setMistyped(mistyped);
    m_classFile = m_kept.classFile();
    m_zoom = m_kept.zoom(Zooms.front(), Zooms.back());
    // A first start fills the screen's work area (the content scales to it);
    // later ones come back at the size the teacher left.
    m_fillScreen = !restoreGeometry(m_kept.geometry());
    // Another window holds the class: it is shown read-only.
    if (m_kept.openElsewhere()) {
        m_openClass->setEnabled(false);
        m_newClass->setEnabled(false);
    }
    showNotKept();
    connect(&m_kept, &AnswerSettings::notKept, this, &AnswerWindow::showNotKept);
    m_hideAnswer->setChecked(m_kept.answerHidden());
    m_language = m_kept.language();
    const std::vector<stats::Language> languages = stats::allLanguages();
    m_languages[std::size_t(std::find(languages.begin(), languages.end(), m_language) - languages.begin())]->setChecked(
        true);
    retranslate();
    applyAnswerHidden(answerHidden());
    connect(m_hideAnswer, &QAction::toggled, this, &AnswerWindow::applyAnswerHidden);

    connect(&m_engine, &AnswerEngine::answered, this, &AnswerWindow::showAnswer);
    connect(&m_engine, &AnswerEngine::pending, this, &AnswerWindow::showPending);
    connect(&m_engine, &AnswerEngine::mapped, m_pages, &AnswerPages::setMap);
    // The work ahead waits while a class plays at speed (its frames come
    // first) and while nobody sees the window.
    connect(m_pages, &AnswerPages::classPlayingChanged, this,
            [this](bool playing) { m_engine.hold(AnswerEngine::Hold::ClassPlaying, playing); });
    connect(m_board, &BoardView::moved, this, [this](Walker walker, Point point) {
        ask();
        m_kept.keepStart(walker, point);
    });
    connect(m_seconds, &QSpinBox::valueChanged, this, [this](int seconds) {
        ask();
        m_kept.keepSeconds(seconds);
    });
    connect(&m_pages->classTable(), &ClassTable::countsChanged, this,
            [this] { m_kept.keepClass(m_pages->classTable().csv(), m_pages->classTable().mistyped()); });
    // What a drag held back is written with the geometry once it pauses.
    connect(&m_kept, &AnswerSettings::due, this, [this] { m_kept.keepGeometry(saveGeometry()); });
    connect(m_board, &BoardView::pointClicked, this,
            [this](Point point) { m_board->setPosition(Walker::Momotaro, point); });
    connect(m_pages, &AnswerPages::boardHeatChanged, this, [this] { m_board->setHeat(m_pages->boardHeat()); });
    // The window's keys win over a focused box's own (see eventFilter()).
    qApp->installEventFilter(this);
    rescale();
    ask();
}

void AnswerWindow::makeMenus()
{
    // Every action is the window's own too, so that its keys work while the
    // menu bar is hidden for a presentation. Menus and actions keep their
    // English text, to be translated whenever the language changes.
    auto menu = [this](QMenu *in, const char *text) {
        QMenu *m = in ? in->addMenu(QString()) : menuBar()->addMenu(QString());
        m_worded.push_back({m->menuAction(), text});
        return m;
    };
    auto action = [this](QMenu *in, const char *text, const QList<QKeySequence> &keys, auto slot) {
        QAction *a = in->addAction(QString(), this, slot);
        a->setShortcuts(keys);
        addAction(a);
        m_worded.push_back({a, text});
        return a;
    };
    QMenu *file = menu(nullptr, QT_TR_NOOP("&File"));
    m_openClass = action(file, QT_TR_NOOP("&Open class…"), {QKeySequence::Open}, &AnswerWindow::openClass);
    action(file, QT_TR_NOOP("&Save class…"), {QKeySequence::Save}, &AnswerWindow::saveClass);
    m_newClass = action(file, QT_TR_NOOP("&New class"), {QKeySequence::New}, &AnswerWindow::newClass);
    file->addSeparator();
    action(file, QT_TR_NOOP("&Export page…"), {QKeySequence(Qt::CTRL | Qt::Key_E)}, &AnswerWindow::exportPage);
    action(file, QT_TR_NOOP("&Copy the answer"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
           &AnswerWindow::copyVerdict);
    file->addSeparator();
    // The lesson's sheets, printed or saved as PDF: the pupils' to tally on,
    // the teacher's with the answer.
    QMenu *print = menu(file, QT_TR_NOOP("&Print"));
    action(print, QT_TR_NOOP("The &pupils' sheet…"), {QKeySequence::Print},
           [this] { printSheet(stats::Sheet::Pupils); });
    action(print, QT_TR_NOOP("The &teacher's sheet…"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
           [this] { printSheet(stats::Sheet::Teacher); });
    QMenu *pdf = menu(file, QT_TR_NOOP("Save as P&DF"));
    action(pdf, QT_TR_NOOP("The &pupils' sheet…"), {}, [this] { saveSheet(stats::Sheet::Pupils); });
    action(pdf, QT_TR_NOOP("The &teacher's sheet…"), {}, [this] { saveSheet(stats::Sheet::Teacher); });
    file->addSeparator();
    action(file, QT_TR_NOOP("&Quit"), {QKeySequence::Quit}, &QWidget::close);
    QMenu *view = menu(nullptr, QT_TR_NOOP("&View"));
    action(view, QT_TR_NOOP("Zoom &in"),
           {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] { stepZoom(1); });
    action(view, QT_TR_NOOP("Zoom &out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { stepZoom(-1); });
    action(view, QT_TR_NOOP("&Actual size"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { setZoom(1); });
    view->addSeparator();
    action(view, QT_TR_NOOP("&Presentation"), {QKeySequence(Qt::Key_F11)}, &AnswerWindow::togglePresentation);
    view->addSeparator();
    // Checked while the answer is hidden; the teacher's choice is kept, one
    // made for this window alone (setAnswerHidden()) is not.
    m_hideAnswer = view->addAction(QString(), this, [this] { m_kept.keepAnswerHidden(answerHidden()); });
    m_hideAnswer->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(m_hideAnswer);
    m_hideAnswer->setCheckable(true);
    // Within a click's reach too. It goes with the menu bar for a
    // presentation, and only then: it is not offered for hiding.
    m_tools = addToolBar(QString());
    m_tools->setObjectName(QStringLiteral("answerTools"));
    m_tools->setMovable(false);
    m_tools->toggleViewAction()->setVisible(false);
    m_tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_tools->addAction(m_hideAnswer);
    // The language of every text, kept in settings; the window's texts
    // change to it in place. Each language is named in its own words, for
    // whoever reads only that one.
    view->addSeparator();
    QMenu *languageMenu = menu(view, QT_TR_NOOP("&Language"));
    auto *languages = new QActionGroup(languageMenu);
    for (stats::Language language : stats::allLanguages()) {
        QAction *choice =
            languageMenu->addAction(language == stats::Language::System ? QString() : stats::languageName(language));
        if (language == stats::Language::System)
            m_worded.push_back({choice, QT_TR_NOOP("The &system's language")});
        choice->setCheckable(true);
        languages->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, language] { chooseLanguage(language); });
        m_languages.push_back(choice);
    }
    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(leave, &QShortcut::activated, this, [this] {
        if (isFullScreen())
            togglePresentation();
    });
}

AnswerWindow::~AnswerWindow()
{
    // Hidden while the engine is still there: a class playing stops, and
    // the engine is told (a window destroyed while shown would tell it
    // once it is gone).
    hide();
}

void AnswerWindow::refuseSettingsFile(const QString &file)
{
    m_kept.refuse(file);
}

void AnswerWindow::showNotKept()
{
    const QString text = m_kept.notKeptText();
    if (text.isEmpty())
        return;
    auto *note = statusBar()->findChild<QLabel *>(QStringLiteral("settingsNotKept"));
    if (!note) {
        note = new QLabel(statusBar());
        note->setObjectName(QStringLiteral("settingsNotKept"));
        note->setWordWrap(true);
        statusBar()->addPermanentWidget(note, 1);
    }
    note->setText(text);
    note->setAccessibleName(text);
    if (m_kept.openElsewhere())
        m_pages->classTable().setReadOnly(
            tr("Open in another window: shown as it was at this window's start. Type the counts there."));
}

void AnswerWindow::ask()
{
    m_asked = {{m_board->position(Walker::Momotaro), m_board->position(Walker::Dog)}, m_seconds->value()};
    m_engine.ask(m_asked);
}

void AnswerWindow::showAnswer(const SharedAnswer &answer)
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

void AnswerWindow::nameHideAnswer()
{
    const bool hidden = answerHidden();
    m_hideAnswer->setText(hidden ? tr("&Show the answer") : tr("&Hide the answer"));
    // The tool bar's button without the menu's accelerator, which another
    // language may write as a letter in brackets.
    m_hideAnswer->setIconText(hidden ? tr("Show the answer") : tr("Hide the answer"));
    m_hideAnswer->setToolTip(hidden ? tr("Show the answer (F5)") : tr("Hide the answer (F5)"));
}

void AnswerWindow::applyAnswerHidden(bool hidden)
{
    nameHideAnswer();
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
    m_kept.keepLanguage(language);
    // Every widget is told of the change (QEvent::LanguageChange) and words
    // itself again; nothing else changes, a class playing plays on.
    useLanguage(language);
}

void AnswerWindow::retranslate()
{
    setWindowTitle(tr("Meetling answer"));
    //: After the run's length in seconds, as in "180 s".
    m_seconds->setSuffix(tr(" s"));
    m_seconds->setAccessibleName(tr("Length of a run in seconds"));
    m_lengthLabel->setText(tr("&Length of a run:"));
    for (const auto &[action, text] : m_worded)
        action->setText(tr(text));
    m_tools->setWindowTitle(tr("Answer"));
    nameHideAnswer();
    showNotKept();
}

stats::Language AnswerWindow::keptLanguage(const QSettings &settings)
{
    return AnswerSettings::language(settings);
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

stats::Language AnswerWindow::useLanguage(stats::Language language)
{
    const stats::Language used = stats::useLanguage(language);
    stats::useLanguageFont();
    return used;
}
