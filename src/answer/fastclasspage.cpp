#include "answer/fastclasspage.h"

#include "pictures/charts.h"
#include "answer/classboards.h"
#include "runtime/clock.h"
#include "answer/fittedchartview.h"
#include "pictures/picturefile.h"
#include "answer/veil.h"
#include "words/wording.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QToolButton>
#include <QRandomGenerator>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// One tick period of the board, in seconds.
constexpr double TickSeconds = std::chrono::duration<double>(rules::TickInterval).count();
// The shortest time between two frames, and between two redraws of the
// chart while playing: new marks several times a second read as a flow.
constexpr int FrameMs = 16;
constexpr int ChartMs = 150;
constexpr int Classes = 1000;
constexpr int DefaultGroups = 30;
constexpr int DefaultSpeed = 20;
constexpr int MostSeed = 999999;

// The law of meetings in a run with the groups done marked on it, as the
// statistics tool marks simulated runs, and their averages so far drawn as
// thin lines beside the exact ones; untitled for the page, where chartKey()
// says what it shows in words that wrap.
QChart *classChart(const stats::Answer &answer, const stats::ClassCounts &done, bool titled)
{
    const int runs = int(done.groups.size());
    stats::PerScenario<stats::Simulation> marks;
    for (Scenario scenario : stats::Scenarios) {
        stats::Simulation &m = marks[scenario];
        m.runs = runs;
        for (int count : done.runs(scenario)) {
            if (std::size_t(count) >= m.histogram.size())
                m.histogram.resize(std::size_t(count) + 1, 0);
            ++m.histogram[std::size_t(count)];
        }
    }
    QChart *chart = stats::lawChart(answer, runs > 0 ? &marks : nullptr);
    if (!titled)
        chart->setTitle(QString());
    if (runs == 0)
        return chart;
    auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
    auto *y = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    for (Scenario scenario : stats::Scenarios) {
        const double mean = done.sum(scenario).mean();
        auto *line = new QLineSeries;
        line->setPen(QPen(stats::lookOf(scenario).color.darker(170), 2));
        line->append(mean, y->min());
        line->append(mean, y->max());
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
        chart->legend()->markers(line).value(0)->setVisible(false);
    }
    return chart;
}

QString chartKey()
{
    return FastClassPage::tr("Bars: exact chances of each count. Marks: the groups done. Thick lines: the exact averages; thin: the "
                             "class's so far.");
}

} // namespace


FastClassPage::FastClassPage(QWidget *parent, Clock *clock)
    : QWidget(parent), m_ownClock(clock ? nullptr : new SystemClock), m_clock(clock ? *clock : *m_ownClock),
      m_manyStop(std::make_shared<std::atomic<bool>>(false))
{
    setAccessibleName(tr("A class at speed"));
    auto button = [this](const QString &text, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setFocusPolicy(Qt::StrongFocus);
        b->setToolTip(tip);
        b->setAccessibleDescription(tip);
        return b;
    };
    m_play = button(tr("Play"), tr("Play or pause the class (Space)"));
    m_play->setObjectName(QStringLiteral("play"));
    m_step = button(tr("Step"), tr("One tick of every board, %L1 s of the class's time").arg(TickSeconds, 0, 'f', 1));
    m_finish = button(tr("Finish now"), tr("Play every group's runs to their end at once"));
    m_finish->setObjectName(QStringLiteral("finish"));
    m_step->setObjectName(QStringLiteral("step"));
    m_reset = button(tr("Reset"), tr("Start the same class again from the first tick"));
    m_reset->setObjectName(QStringLiteral("reset"));
    m_speed = new QComboBox(this);
    m_speed->setAccessibleName(tr("Speed"));
    m_speed->setObjectName(QStringLiteral("speed"));
    for (int s : Speeds)
        //: A speed, in times real time.
        m_speed->addItem(tr("%L1×").arg(s), s);
    m_speed->setItemData(0, tr("1×, real time: a tick each %L1 s, as on the board").arg(TickSeconds, 0, 'f', 1), Qt::AccessibleDescriptionRole);
    m_speed->setItemData(0, m_speed->itemData(0, Qt::AccessibleDescriptionRole), Qt::ToolTipRole);
    m_speed->setToolTip(tr("How many times faster than real time; 1× is a tick each %L1 s, as on the board").arg(TickSeconds, 0, 'f', 1));
    m_speed->setCurrentIndex(int(std::find(Speeds.begin(), Speeds.end(), DefaultSpeed) - Speeds.begin()));
    m_groups = new QSpinBox(this);
    m_groups->setRange(1, stats::MostGroupsInMotion);
    m_groups->setValue(DefaultGroups);
    m_groups->setAccessibleName(tr("Groups"));
    m_groups->setObjectName(QStringLiteral("groups"));
    m_seed = new QSpinBox(this);
    m_seed->setRange(1, MostSeed);
    m_seed->setValue(int(QRandomGenerator::global()->bounded(1, MostSeed + 1)));
    m_seed->setAccessibleName(tr("Seed"));
    m_seed->setAccessibleDescription(tr("The same seed plays the same class"));
    m_seed->setToolTip(m_seed->accessibleDescription());
    m_seed->setObjectName(QStringLiteral("seed"));
    m_many = button(tr("Run %Ln class(es)", nullptr, Classes),
                    tr("Play the class %Ln time(s), unseen, to see how often a class this size gets the right answer", nullptr, Classes));
    m_many->setObjectName(QStringLiteral("many"));
    m_offer = button(tr("Put these counts in Our class"), tr("Copy the counts of the groups done into the class's table, marked as simulated"));
    m_offer->setObjectName(QStringLiteral("offer"));
    m_together = new QCheckBox(tr("All start &together"), this);
    m_together->setObjectName(QStringLiteral("together"));
    m_together->setToolTip(tr("Every group starts at once, rather than in turn: the same runs, over sooner"));
    m_large = button(tr("Large view"), tr("The boards over the whole window, to be seen from the back of the room (F6)"));
    m_large->setObjectName(QStringLiteral("large"));
    m_large->setCheckable(true);

    m_headline = new QLabel(this);
    m_headline->setObjectName(QStringLiteral("conclusion"));
    m_headline->setWordWrap(true);
    m_headline->setFocusPolicy(Qt::TabFocus);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("state"));
    m_state->setWordWrap(true);
    m_state->setFocusPolicy(Qt::TabFocus);
    m_manyText = new QLabel(this);
    m_manyText->setObjectName(QStringLiteral("manyClasses"));
    m_manyText->setWordWrap(true);
    m_manyText->setFocusPolicy(Qt::TabFocus);
    m_manyText->hide();
    m_timing = new QLabel(this);
    m_timing->setObjectName(QStringLiteral("timing"));
    m_timing->setWordWrap(true);
    m_timing->setFocusPolicy(Qt::TabFocus);
    m_boards = new ClassBoards(m_class, this);
    m_chart = new FittedChartView(this);
    m_chart->setAccessibleName(tr("The class's counts on the law of meetings"));
    m_chartKey = new QLabel(chartKey(), this);
    m_chartKey->setWordWrap(true);
    m_chartVeil = new Veil(m_chart, tr("The exact law is hidden with the answer.\nShow the answer (F5)"));

    // A row of controls playing the class; the texts and pictures; then a
    // row setting it up and one using it. Short rows, so that a language
    // longer than English still fits them.
    auto *controls = new QHBoxLayout;
    auto *settings = new QHBoxLayout;
    auto *uses = new QHBoxLayout;
    auto labelled = [this](QHBoxLayout *row, const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text, this);
        label->setBuddy(buddy);
        row->addWidget(label);
        row->addWidget(buddy);
    };
    for (QWidget *w : std::initializer_list<QWidget *>{m_play, m_step, m_finish, m_reset})
        controls->addWidget(w);
    controls->addSpacing(fontMetrics().averageCharWidth());
    labelled(controls, tr("&Speed:"), m_speed);
    controls->addStretch(1);
    labelled(settings, tr("&Groups:"), m_groups);
    settings->addSpacing(fontMetrics().averageCharWidth());
    labelled(settings, tr("S&eed:"), m_seed);
    settings->addSpacing(fontMetrics().averageCharWidth());
    settings->addWidget(m_together);
    settings->addStretch(1);
    uses->addWidget(m_many);
    uses->addWidget(m_offer);
    uses->addStretch(1);
    uses->addWidget(m_large);
    auto *lawColumn = new QVBoxLayout;
    lawColumn->addWidget(m_chartKey);
    lawColumn->addWidget(m_chart, 1);
    // How the groups start and how long they take, over the boards: beside
    // the chart's key, it takes no height of its own.
    auto *boardsColumn = new QVBoxLayout;
    boardsColumn->addWidget(m_timing);
    boardsColumn->addWidget(m_boards, 1);
    auto *body = new QHBoxLayout;
    body->addLayout(boardsColumn, 1);
    body->addLayout(lawColumn, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(fontMetrics().height() / 4);
    layout->addLayout(controls);
    layout->addWidget(m_headline);
    layout->addWidget(m_state);
    layout->addLayout(body, 1);
    layout->addWidget(m_manyText);
    layout->addLayout(settings);
    layout->addLayout(uses);

    m_frame.setTimerType(Qt::PreciseTimer);
    connect(&m_frame, &QTimer::timeout, this, &FastClassPage::frame);
    m_chartDue.setSingleShot(true);
    m_chartDue.setInterval(ChartMs);
    connect(&m_chartDue, &QTimer::timeout, this, &FastClassPage::showChart);
    connect(m_play, &QToolButton::clicked, this, [this] { play(!m_frame.isActive()); });
    // Space plays and pauses wherever the focus is while the page shows,
    // except where it is typed, or on another button, which it presses.
    auto *space = new QShortcut(QKeySequence(Qt::Key_Space), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(space, &QShortcut::activated, this, [this] {
        auto *focused = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
        (focused ? focused : m_play)->animateClick();
    });
    connect(m_step, &QToolButton::clicked, this, &FastClassPage::step);
    connect(m_finish, &QToolButton::clicked, this, &FastClassPage::finishNow);
    connect(m_reset, &QToolButton::clicked, this, &FastClassPage::restart);
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this] {
        if (m_frame.isActive())
            play(true);
        shown(true);
    });
    connect(m_groups, &QSpinBox::valueChanged, this, [this] {
        m_groupsChosen = m_groupsChosen || m_groups->hasFocus();
        restart();
    });
    connect(m_seed, &QSpinBox::valueChanged, this, &FastClassPage::restart);
    connect(m_together, &QCheckBox::toggled, this, &FastClassPage::restart);
    connect(m_large, &QToolButton::toggled, this, &FastClassPage::showLarge);
    auto *large = new QShortcut(QKeySequence(Qt::Key_F6), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(large, &QShortcut::activated, m_large, &QToolButton::toggle);
    connect(m_many, &QToolButton::clicked, this, &FastClassPage::playManyClasses);
    connect(m_offer, &QToolButton::clicked, this, &FastClassPage::offerCounts);
    restart();
}

FastClassPage::~FastClassPage()
{
    delete m_largeView;
    m_manyStop->store(true);
    if (m_manyThread.joinable())
        m_manyThread.join();
}

void FastClassPage::setAnswer(const answer::Answer &answer)
{
    m_answer = answer;
    if (!answer) {
        play(false);
        shown(true);
        return;
    }
    const stats::Starts starts = m_class.starts();
    if (!(answer->starts.momotaro == starts.momotaro && answer->starts.dog == starts.dog && answer->ticksPerTimer == m_class.ticksPerTimer()))
        restart();
    else
        shown(true);
}

void FastClassPage::suggestGroups(int groups)
{
    if (m_groupsChosen || groups < 1 || m_class.now() > 0)
        return;
    const QSignalBlocker quiet(m_groups);
    m_groups->setValue(std::min(groups, stats::MostGroupsInMotion));
    restart();
}

void FastClassPage::setAnswerHidden(bool hidden)
{
    m_answerHidden = hidden;
    m_chartVeil->cover(hidden ? Veil::Reason::Hidden : Veil::Reason::None);
    // The key speaks of the exact law: it goes with the chart.
    m_chartKey->setVisible(!hidden);
    if (hidden)
        m_chart->setAccessibleDescription(QString());
    shown(true);
    showManyClasses();
}

void FastClassPage::setTextPixels(int pixels)
{
    // The chart's lettering a little smaller than the window's: it shares
    // the page with the boards.
    m_chart->setTextPixels(pixels * 4 / 5);
    QFont small = font();
    small.setPixelSize(pixels * 4 / 5);
    m_chartKey->setFont(small);
    m_timing->setFont(small);
    m_chartVeil->setFont(small);
    QFont bold = font();
    bold.setPixelSize(pixels);
    bold.setBold(true);
    m_headline->setFont(bold);
    fitTexts();
}

void FastClassPage::takeOver(const FastClassPage &other)
{
    {
        const QSignalBlocker quietGroups(m_groups);
        const QSignalBlocker quietSeed(m_seed);
        const QSignalBlocker quietTogether(m_together);
        m_groups->setValue(other.m_groups->value());
        m_seed->setValue(other.m_seed->value());
        m_together->setChecked(other.m_together->isChecked());
    }
    m_groupsChosen = other.m_groupsChosen;
    m_speed->setCurrentIndex(other.m_speed->currentIndex());
    restart();
}

void FastClassPage::restart()
{
    play(false);
    m_manyStop->store(true);
    m_manyPlaying = false;
    ++m_generation;
    const stats::Starts starts = m_answer ? m_answer->starts : m_class.starts();
    const int ticks = m_answer ? m_answer->ticksPerTimer : rules::ticksPerTimer(rules::TimeLimitSeconds);
    m_class = stats::ClassInMotion(starts, ticks, m_groups->value(), std::uint64_t(m_seed->value()), start());
    m_manyPlayed.reset();
    m_manyText->hide();
    m_manyText->clear();
    shown(true);
}

int FastClassPage::speed() const
{
    return m_speed->currentData().toInt();
}

stats::ClassInMotion::Start FastClassPage::start() const
{
    return m_together->isChecked() ? stats::ClassInMotion::Start::Together : stats::ClassInMotion::Start::InTurn;
}

QString FastClassPage::timing() const
{
    // The class's tick follows the clock at speed times real time (frame()),
    // so the class lasts its ticks at that pace.
    const double seconds = m_class.end() * TickSeconds / speed();
    const QLocale locale;
    const int whole = int(std::lround(seconds));
    const bool tenths = seconds < 60 && std::abs(seconds - std::round(seconds)) >= 0.05;
    //: A time: %1 seconds, to a tenth.
    const QString lasts = seconds < 60 ? tr("%1 s").arg(locale.toString(seconds, 'f', tenths ? 1 : 0))
                                       //: A time: %1 minutes and %2 seconds.
                                       : tr("%1 min %2 s").arg(locale.toString(whole / 60), locale.toString(whole % 60));
    return m_class.start() == stats::ClassInMotion::Start::Together
        //: %1 how long the class takes, as "27 s" or "4 min 30 s".
        ? tr("All the groups start together; at this speed the class takes %1.").arg(lasts)
        //: %1 how long the class takes, as "27 s" or "4 min 30 s".
        : tr("The groups start in turn over the first half of a run; at this speed the class takes %1.").arg(lasts);
}

void FastClassPage::play(bool on)
{
    on = on && m_answer && !m_class.finished();
    if (on) {
        m_fromTick = m_class.now();
        m_fromSeconds = m_clock.steadySeconds();
        // One frame a tick at low speeds, as on the board; otherwise a
        // frame as often as a screen shows one.
        m_frame.start(std::max(FrameMs, int(1000 * TickSeconds / speed())));
    } else {
        m_frame.stop();
    }
    m_play->setText(on ? tr("Pause") : tr("Play"));
    if (on != m_playing) {
        m_playing = on;
        emit playingChanged(on);
    }
}

void FastClassPage::frame()
{
    const double elapsed = m_clock.steadySeconds() - m_fromSeconds;
    m_class.advanceTo(m_fromTick + int(std::floor(elapsed * speed() / TickSeconds)));
    shown();
    if (m_class.finished())
        play(false);
}

void FastClassPage::step()
{
    play(false);
    m_class.advanceTo(m_class.now() + 1);
    shown();
}

void FastClassPage::finishNow()
{
    play(false);
    m_class.advanceTo(m_class.end());
    shown();
}

void FastClassPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitTexts();
}

void FastClassPage::fitTexts()
{
    // A wrapped label asks for the height of its text at a narrow width of
    // its own choosing, far more than it needs at the width it has: each
    // asks for what its text takes at its width.
    // Only once the page is laid out: before, a label's width is a guess.
    if (!isVisible())
        return;
    for (QLabel *label : {m_headline, m_state, m_timing, m_chartKey, m_manyText})
        label->setMinimumHeight(std::max(0, label->heightForWidth(label->width())));
}

void FastClassPage::hideEvent(QHideEvent *event)
{
    play(false);
    m_large->setChecked(false);
    QWidget::hideEvent(event);
}

void FastClassPage::shown(bool force)
{
    const bool ready = bool(m_answer);
    const int done = m_class.groupsDone();
    for (QWidget *w : std::initializer_list<QWidget *>{m_play, m_step, m_finish})
        w->setEnabled(ready && !m_class.finished());
    m_many->setEnabled(ready && !m_manyPlaying);
    m_offer->setEnabled(done > 0);
    m_boards->update();
    if (m_largeView)
        m_largeView->refresh();
    if (!force && done == m_shownDone)
        return;
    m_shownDone = done;
    m_timing->setText(timing());
    if (!ready) {
        m_headline->setText(tr("Working out the answer…"));
        m_state->clear();
        if (m_largeView)
            m_largeView->setTexts(m_headline->text(), m_timing->text());
        return;
    }
    const stats::ClassCounts counts = m_class.counts();
    const bool soFar = !m_class.finished();
    const int groups = m_class.groups();
    m_headline->setText(done == 0 ? tr("%n group(s) run both ways, %L1 s each, from the board's start points; each group's counts join the chart as it finishes.",
                                       nullptr, groups)
                                        .arg(m_answer->seconds)
                        : stats::classConclusion(m_answerHidden ? nullptr : m_answer.get(), counts, soFar));
    // "3 of 30 groups done; averages 2.1 and 1.5; exact 9.4 and 6.1", the
    // exact averages left out while the answer is hidden.
    const QLocale locale;
    const QString both = locale.toString(counts.sum(Scenario::BothWalk).mean(), 'f', 1);
    const QString waits = locale.toString(counts.sum(Scenario::DogWalks).mean(), 'f', 1);
    const QString exactBoth = locale.toString(m_answer->exact[Scenario::BothWalk].expectedMeetings, 'f', 1);
    const QString exactWaits = locale.toString(m_answer->exact[Scenario::DogWalks].expectedMeetings, 'f', 1);
    QString state;
    if (done == 0 && m_answerHidden)
        state = tr("%L1 of %n group(s) done", nullptr, groups).arg(done);
    else if (done == 0)
        //: %1 groups done; %2 and %3 the exact meetings in a run on average, both wandering and Momotaro waiting.
        state = tr("%L1 of %n group(s) done; averages: exact %2 and %3", nullptr, groups).arg(done).arg(exactBoth, exactWaits);
    else if (m_answerHidden)
        //: %1 groups done; %2 and %3 their meetings in a run on average, both wandering and Momotaro waiting.
        state = tr("%L1 of %n group(s) done; averages %2 and %3", nullptr, groups).arg(done).arg(both, waits);
    else
        //: %1 groups done; %2 and %3 their meetings in a run on average, both wandering and Momotaro waiting; %4 and %5 the exact ones.
        state = tr("%L1 of %n group(s) done; averages %2 and %3; exact %4 and %5", nullptr, groups).arg(done).arg(both, waits, exactBoth, exactWaits);
    m_state->setText(state);
    if (m_largeView)
        m_largeView->setTexts(state, m_timing->text());
    fitTexts();
    if (m_frame.isActive() && !force) {
        if (!m_chartDue.isActive())
            m_chartDue.start();
    } else {
        m_chartDue.stop();
        showChart();
    }
}

void FastClassPage::showChart()
{
    if (!m_answer || m_answerHidden)
        return;
    const stats::ClassCounts counts = m_class.counts();
    m_chart->replaceChart(classChart(*m_answer, counts, false));
    m_chart->setAccessibleDescription(m_state->text());
}

void FastClassPage::playManyClasses()
{
    if (!m_answer)
        return;
    m_manyStop->store(true);
    if (m_manyThread.joinable())
        m_manyThread.join();
    auto stop = std::make_shared<std::atomic<bool>>(false);
    m_manyStop = stop;
    const answer::Answer asked = m_answer;
    const int groups = m_class.groups();
    const std::uint64_t seed = m_class.seed();
    const quint64 generation = m_generation;
    m_manyText->setText(tr("Playing %L1 classes of %n group(s)…", nullptr, groups).arg(Classes));
    m_manyText->show();
    fitTexts();
    m_manyPlaying = true;
    m_many->setEnabled(false);
    const int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    m_manyThread = std::jthread([this, stop, asked, groups, seed, generation, threads] {
        const std::optional<stats::ManyClasses> many =
            stats::playManyClasses(*asked, groups, Classes, seed, threads, [&stop] { return stop->load(); });
        if (!many)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, asked, many = *many, generation] {
                if (generation != m_generation)
                    return;
                m_manyPlayed = many;
                m_manyAsked = asked;
                showManyClasses();
                m_manyPlaying = false;
                m_many->setEnabled(bool(m_answer));
            },
            Qt::QueuedConnection);
    });
}

void FastClassPage::showManyClasses()
{
    if (!m_manyPlayed)
        return;
    // How often the classes were right, and the exact chance beside it,
    // both tell the answer.
    m_manyText->setText(m_answerHidden ? tr("%L1 classes of %n group(s) played: how often they got the right answer shows with the answer (F5).",
                                            nullptr, m_manyPlayed->groups)
                                             .arg(m_manyPlayed->classes)
                                       : stats::manyClassesText(*m_manyAsked, *m_manyPlayed));
    fitTexts();
}

void FastClassPage::showLarge(bool on)
{
    if (on && !m_largeView) {
        m_largeView = new LargeClassView(m_class, window());
        connect(m_largeView, &LargeClassView::leaveAsked, m_large, [this] { m_large->setChecked(false); });
        connect(m_largeView, &QObject::destroyed, this, [this] { m_largeView = nullptr; });
        shown(true);
    }
    if (m_largeView)
        m_largeView->enter(on);
    if (!on && isVisible())
        m_large->setFocus();
}

void FastClassPage::offerCounts()
{
    stats::ClassCounts counts = m_class.counts();
    if (counts.groups.empty())
        return;
    const stats::Starts starts = m_class.starts();
    const int seconds = m_answer ? int(m_answer->seconds) : int(rules::TimeLimitSeconds);
    counts.simulated = QStringLiteral("simulated by meetling-answer, seed %1: meetling-stats --momo %2,%3 --dog %4,%5 --seconds %6 "
                                      "--runs %7 --seed %1 --csv FILE plays the same runs")
                           .arg(m_class.seed())
                           .arg(int(starts.momotaro.x))
                           .arg(int(starts.momotaro.y))
                           .arg(int(starts.dog.x))
                           .arg(int(starts.dog.y))
                           .arg(seconds)
                           .arg(counts.groups.size());
    emit countsOffered(counts);
}

bool FastClassPage::save(const QString &file, const QString &footer, QString &error) const
{
    if (!m_answer) {
        error = tr("the answer is still being worked out");
        return false;
    }
    std::unique_ptr<QChart> chart(classChart(*m_answer, m_class.counts(), true));
    const QString headline = m_headline->text();
    //: %1 how far the class is, as "3 of 30 groups done; averages 2.1 and 1.5".
    const QString state = tr("%1. Thin lines on the chart: the class's averages so far.").arg(m_state->text());
    return stats::savePicture(file, stats::PictureSize, [&](QPainter &painter) {
        const QSize size = stats::PictureSize;
        painter.fillRect(QRect(QPoint(), size), Qt::white);
        const int line = stats::PictureTextPx * 3 / 2;
        const int top = 20 + 3 * line;
        painter.setPen(Qt::black);
        painter.setFont(stats::pictureFont(stats::PictureTextPx, true));
        painter.drawText(QRect(40, 20, size.width() - 80, 2 * line), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, headline);
        painter.setFont(stats::pictureFont(stats::PictureTextPx));
        painter.drawText(QRect(40, 20 + 2 * line, size.width() - 80, line), Qt::AlignLeft | Qt::AlignVCenter, state);
        const QRect below(0, top, size.width(), stats::footerArea(size).top() - top);
        paintClassBoards(painter, below.adjusted(40, 10, -below.width() / 2 - 10, -10), m_class, stats::PictureTextPx);
        painter.setRenderHint(QPainter::Antialiasing);
        stats::paintChart(painter, *chart, QRectF(below.adjusted(below.width() / 2, 0, 0, 0)));
        stats::paintFooter(painter, size, footer);
    }, error);
}
