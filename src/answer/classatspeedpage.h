#pragma once

#include "answer/answerengine.h"
#include "law/classatspeed.h"

#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

class Clock;
class ClassBoards;
class ClassClock;
class FittedChartView;
class LargeClassView;
class ManyClassesRunner;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class QSpinBox;
class Veil;

// "A class at speed": a class of groups, each running one run of each
// scenario from the board's start points, side by side on small boards,
// played from real time up to hundreds of times faster. As each group
// finishes, its counts join the marks on the exact law of meetings in a
// run, and its averages so far stand beside the exact ones; the headline
// says what the class would conclude. Many such classes can be played
// without being shown, to see how often a class this size gets the answer
// right. The class is a stats::ClassAtSpeed: the same seed gives the same
// class at any speed. The groups start in turn, or all together, and the
// page says how long the class takes at the speed chosen. F6 shows the
// boards large over the whole window, for the back of the room, and back.
class ClassAtSpeedPage final : public QWidget
{
    Q_OBJECT

public:
    // clock: what the speed is measured against (the caller's, outliving
    // the page); none for the system's.
    explicit ClassAtSpeedPage(QWidget *parent = nullptr, Clock *clock = nullptr);
    ~ClassAtSpeedPage() override;

    // The latest answer, or null while it is worked out. An answer for
    // other start points or another run length starts the class again.
    void setAnswer(const SharedAnswer &answer);
    // How many groups the teacher's own class has: the class takes that
    // many until the teacher chooses.
    void suggestGroups(int groups);
    // Leaves the answer out, or brings it back: the class plays on, its
    // chart (the exact law) is veiled, and its texts say what the class
    // found with no word or figure of the exact answer.
    void setAnswerHidden(bool hidden);
    void setTextPixels(int pixels);
    // The page as a picture (the boards, the law and what the class
    // concludes), footer under it. On failure, error says why.
    bool save(const QString &file, const QString &footer, QString &error) const;

    // The page's wrapped texts ask for the height they take at the width
    // they have (fitTexts()); asking the window for a height for a width
    // besides would have it sized for every part's preferred height.
    bool hasHeightForWidth() const override { return false; }

    // The speeds offered, in times real time, and the one chosen at first.
    static constexpr std::array<int, 9> Speeds{1, 2, 5, 10, 20, 50, 100, 200, 500};
    static constexpr int DefaultSpeed = 20;
    // How many classes "Run 1,000 classes" plays.
    static constexpr int Classes = 1000;

signals:
    // "Put these counts in Our class": the groups done, marked as simulated.
    void countsOffered(const stats::ClassCounts &counts);
    // The class began to play, or stopped (paused, done, started again or
    // the page hidden).
    void playingChanged(bool playing);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Makes the page's parts and lays them out (classatspeedparts.cpp).
    void makeParts();
    // Sets the controls' texts in the language in use (classatspeedparts.cpp).
    void retranslate();
    void restart();
    void play(bool on);
    void frame();
    void step();
    void finishNow();
    void refresh(bool force = false);
    void fitTexts();
    void showChart();
    void playManyClasses();
    void manyClassesPlayed(const SharedAnswer &asked, const stats::ManyClasses &many);
    void showManyClasses();
    void offerCounts();
    void showLarge(bool on);
    // "Play", or "Pause" while it plays.
    QString playText() const;
    int speed() const;
    stats::ClassAtSpeed::Start start() const;

    std::unique_ptr<Clock> m_ownClock;
    Clock &m_clock;
    SharedAnswer m_answer;
    stats::ClassAtSpeed m_class;
    // Plays m_class against m_clock.
    ClassClock *m_player = nullptr;
    ManyClassesRunner *m_many = nullptr;
    bool m_groupsChosen = false;

    QToolButton *m_play = nullptr;
    QToolButton *m_step = nullptr;
    QToolButton *m_finish = nullptr;
    QToolButton *m_reset = nullptr;
    QComboBox *m_speed = nullptr;
    QSpinBox *m_groups = nullptr;
    QSpinBox *m_seed = nullptr;
    QCheckBox *m_together = nullptr;
    QToolButton *m_large = nullptr;
    QLabel *m_speedLabel = nullptr;
    QLabel *m_groupsLabel = nullptr;
    QLabel *m_seedLabel = nullptr;
    QToolButton *m_manyButton = nullptr;
    QToolButton *m_offer = nullptr;
    QLabel *m_headline = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_manyText = nullptr;
    QLabel *m_timing = nullptr;
    ClassBoards *m_boards = nullptr;
    // Made over the window the first time it is asked for.
    LargeClassView *m_largeView = nullptr;
    FittedChartView *m_chart = nullptr;
    QLabel *m_chartKey = nullptr;
    Veil *m_chartVeil = nullptr;
    bool m_answerHidden = false;

    // Playing, as playingChanged() last said.
    bool m_playing = false;
    // The groups done when the texts and the chart were last shown, and
    // the chart redrawn at most this often while playing.
    int m_shownDone = -1;
    QTimer m_chartDue;

    // The many classes last played for this class, until it starts again.
    std::optional<stats::ManyClasses> m_manyPlayed;
};

// The speed chosen is what the class's clock divides by: a first choice not
// in the list would leave none chosen, and a speed of 0.
static_assert(std::ranges::find(ClassAtSpeedPage::Speeds, ClassAtSpeedPage::DefaultSpeed) !=
              ClassAtSpeedPage::Speeds.end());
static_assert(std::ranges::find(ClassAtSpeedPage::Speeds, 0) == ClassAtSpeedPage::Speeds.end());
