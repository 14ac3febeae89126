#include "answer/classatspeedpage.h"

#include "answer/classboards.h"
#include "answer/classclock.h"
#include "runtime/clock.h"
#include "answer/fittedchartview.h"
#include "answer/classatspeedpicture.h"
#include "answer/classatspeedtexts.h"
#include "answer/manyclassesrunner.h"
#include "answer/veil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

namespace {

// The shortest time between two redraws of the chart while playing: new
// marks several times a second read as a flow.
constexpr int ChartMs = 150;

} // namespace

ClassAtSpeedPage::ClassAtSpeedPage(QWidget *parent, Clock *clock)
    : QWidget(parent), m_ownClock(clock ? nullptr : new SystemClock), m_clock(clock ? *clock : *m_ownClock),
      m_player(new ClassClock(m_class, m_clock, this)), m_many(new ManyClassesRunner(this))
{
    makeParts();
    retranslate();

    connect(m_player, &ClassClock::advanced, this, &ClassAtSpeedPage::frame);
    connect(m_many, &ManyClassesRunner::played, this, &ClassAtSpeedPage::manyClassesPlayed);
    m_chartDue.setSingleShot(true);
    m_chartDue.setInterval(ChartMs);
    connect(&m_chartDue, &QTimer::timeout, this, &ClassAtSpeedPage::showChart);
    connect(m_play, &QToolButton::clicked, this, [this] { play(!m_player->playing()); });
    // Space plays and pauses wherever the focus is while the page shows,
    // except where it is typed, or on another button, which it presses.
    auto *space = new QShortcut(QKeySequence(Qt::Key_Space), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(space, &QShortcut::activated, this, [this] {
        auto *focused = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
        (focused ? focused : m_play)->animateClick();
    });
    connect(m_step, &QToolButton::clicked, this, &ClassAtSpeedPage::step);
    connect(m_finish, &QToolButton::clicked, this, &ClassAtSpeedPage::finishNow);
    connect(m_reset, &QToolButton::clicked, this, &ClassAtSpeedPage::restart);
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this] {
        if (m_player->playing())
            play(true);
        refresh(true);
    });
    connect(m_groups, &QSpinBox::valueChanged, this, [this] {
        m_groupsChosen = m_groupsChosen || m_groups->hasFocus();
        restart();
    });
    connect(m_seed, &QSpinBox::valueChanged, this, &ClassAtSpeedPage::restart);
    connect(m_together, &QCheckBox::toggled, this, &ClassAtSpeedPage::restart);
    connect(m_large, &QToolButton::toggled, this, &ClassAtSpeedPage::showLarge);
    auto *large = new QShortcut(QKeySequence(Qt::Key_F6), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(large, &QShortcut::activated, m_large, &QToolButton::toggle);
    connect(m_manyButton, &QToolButton::clicked, this, &ClassAtSpeedPage::playManyClasses);
    connect(m_offer, &QToolButton::clicked, this, &ClassAtSpeedPage::offerCounts);
    restart();
}

ClassAtSpeedPage::~ClassAtSpeedPage()
{
    delete m_largeView;
}

void ClassAtSpeedPage::setAnswer(const SharedAnswer &answer)
{
    m_answer = answer;
    if (!answer) {
        play(false);
        refresh(true);
        return;
    }
    const stats::Starts starts = m_class.starts();
    if (!(answer->starts.momotaro == starts.momotaro && answer->starts.dog == starts.dog &&
          answer->ticksPerTimer == m_class.ticksPerTimer()))
        restart();
    else
        refresh(true);
}

void ClassAtSpeedPage::suggestGroups(int groups)
{
    if (m_groupsChosen || groups < 1 || m_class.now() > 0)
        return;
    const QSignalBlocker quiet(m_groups);
    m_groups->setValue(std::min(groups, stats::MostGroupsAtSpeed));
    restart();
}

void ClassAtSpeedPage::setAnswerHidden(bool hidden)
{
    m_answerHidden = hidden;
    m_chartVeil->cover(hidden ? Veil::Reason::Hidden : Veil::Reason::None);
    // The key speaks of the exact law: it goes with the chart.
    m_chartKey->setVisible(!hidden);
    if (hidden)
        m_chart->setAccessibleDescription(QString());
    refresh(true);
    showManyClasses();
}

void ClassAtSpeedPage::setTextPixels(int pixels)
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

void ClassAtSpeedPage::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The class plays on; what the page says of it is worded again.
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        refresh(true);
        if (m_many->playing())
            m_manyText->setText(classatspeed::manyPlaying(Classes, m_class.groups()));
        else
            showManyClasses();
    }
}

void ClassAtSpeedPage::restart()
{
    play(false);
    m_many->stop();
    const stats::Starts starts = m_answer ? m_answer->starts : m_class.starts();
    const int ticks = m_answer ? m_answer->ticksPerTimer : rules::ticksPerTimer(rules::TimeLimitSeconds);
    m_class = stats::ClassAtSpeed(starts, ticks, m_groups->value(), std::uint64_t(m_seed->value()), start());
    m_manyPlayed.reset();
    m_manyText->hide();
    m_manyText->clear();
    refresh(true);
}

QString ClassAtSpeedPage::playText() const
{
    return m_playing ? tr("Pause") : tr("Play");
}

int ClassAtSpeedPage::speed() const
{
    return m_speed->currentData().toInt();
}

stats::ClassAtSpeed::Start ClassAtSpeedPage::start() const
{
    return m_together->isChecked() ? stats::ClassAtSpeed::Start::Together : stats::ClassAtSpeed::Start::InTurn;
}

void ClassAtSpeedPage::play(bool on)
{
    on = on && m_answer && !m_class.finished();
    if (on)
        m_player->play(speed());
    else
        m_player->stop();
    if (on != m_playing) {
        m_playing = on;
        m_play->setText(playText());
        emit playingChanged(on);
    }
}

void ClassAtSpeedPage::frame()
{
    refresh();
    if (m_class.finished())
        play(false);
}

void ClassAtSpeedPage::step()
{
    play(false);
    m_class.advanceTo(m_class.now() + 1);
    refresh();
}

void ClassAtSpeedPage::finishNow()
{
    play(false);
    m_class.advanceTo(m_class.end());
    refresh();
}

void ClassAtSpeedPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitTexts();
}

void ClassAtSpeedPage::fitTexts()
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

void ClassAtSpeedPage::hideEvent(QHideEvent *event)
{
    play(false);
    m_large->setChecked(false);
    QWidget::hideEvent(event);
}

void ClassAtSpeedPage::refresh(bool force)
{
    const bool ready = bool(m_answer);
    const int done = m_class.groupsDone();
    for (QWidget *w : std::initializer_list<QWidget *>{m_play, m_step, m_finish})
        w->setEnabled(ready && !m_class.finished());
    m_manyButton->setEnabled(ready && !m_many->playing());
    m_offer->setEnabled(done > 0);
    m_boards->update();
    if (m_largeView)
        m_largeView->refresh();
    if (!force && done == m_shownDone)
        return;
    m_shownDone = done;
    // The class's tick follows the clock at speed times real time, so the
    // class lasts its ticks at that pace.
    m_timing->setText(classatspeed::timing(m_class.start(), m_player->seconds(speed())));
    if (!ready) {
        m_headline->setText(Veil::working());
        m_state->clear();
        if (m_largeView)
            m_largeView->setTexts(m_headline->text(), m_timing->text());
        return;
    }
    m_headline->setText(classatspeed::headline(*m_answer, m_class, m_answerHidden));
    const QString state = classatspeed::state(*m_answer, m_class, m_answerHidden);
    m_state->setText(state);
    if (m_largeView)
        m_largeView->setTexts(state, m_timing->text());
    fitTexts();
    if (m_player->playing() && !force) {
        if (!m_chartDue.isActive())
            m_chartDue.start();
    } else {
        m_chartDue.stop();
        showChart();
    }
}

void ClassAtSpeedPage::showChart()
{
    if (!m_answer || m_answerHidden)
        return;
    const stats::ClassCounts counts = m_class.counts();
    m_chart->replaceChart(classChart(*m_answer, counts, false));
    m_chart->setAccessibleDescription(m_state->text());
}

void ClassAtSpeedPage::playManyClasses()
{
    if (!m_answer)
        return;
    m_manyText->setText(classatspeed::manyPlaying(Classes, m_class.groups()));
    m_manyText->show();
    fitTexts();
    m_many->play(m_answer, m_class.groups(), Classes, m_class.seed());
    m_manyButton->setEnabled(false);
}

void ClassAtSpeedPage::manyClassesPlayed(const SharedAnswer &, const stats::ManyClasses &many)
{
    m_manyPlayed = many;
    showManyClasses();
    m_manyButton->setEnabled(bool(m_answer));
}

void ClassAtSpeedPage::showManyClasses()
{
    if (!m_manyPlayed)
        return;
    m_manyText->setText(classatspeed::manyPlayed(*m_manyPlayed, m_answerHidden));
    fitTexts();
}

void ClassAtSpeedPage::showLarge(bool on)
{
    if (on && !m_largeView) {
        m_largeView = new LargeClassView(m_class, window());
        connect(m_largeView, &LargeClassView::leaveAsked, m_large, [this] { m_large->setChecked(false); });
        connect(m_largeView, &QObject::destroyed, this, [this] { m_largeView = nullptr; });
        refresh(true);
    }
    if (m_largeView)
        m_largeView->enter(on);
    if (!on && isVisible())
        m_large->setFocus();
}

void ClassAtSpeedPage::offerCounts()
{
    stats::ClassCounts counts = m_class.counts();
    if (counts.groups.empty())
        return;
    const int seconds = m_answer ? int(m_answer->seconds) : int(rules::TimeLimitSeconds);
    counts.simulated = stats::SimulatedBy{QStringLiteral("meetling-answer"), m_class.seed(), m_class.starts(), seconds,
                                          int(counts.groups.size())}
                           .mark();
    emit countsOffered(counts);
}

bool ClassAtSpeedPage::save(const QString &file, const QString &footer, QString &error) const
{
    if (!m_answer) {
        error = tr("the answer is still being worked out");
        return false;
    }
    return saveClassAtSpeed(*m_answer, m_class, m_headline->text(), m_state->text(), file, footer, error);
}
