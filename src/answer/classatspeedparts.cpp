#include "answer/classatspeedpage.h"

#include "answer/classboards.h"
#include "answer/classclock.h"
#include "answer/classatspeedtexts.h"
#include "answer/fittedchartview.h"
#include "answer/veil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double TickSeconds = ClassClock::TickSeconds;
constexpr int DefaultGroups = 30;
constexpr int MostSeed = 999999;

} // namespace

// What the page's controls say, in the language in use.
void ClassAtSpeedPage::retranslate()
{
    setAccessibleName(tr("A class at speed"));
    const auto button = [](QToolButton *b, const QString &text, const QString &tip) {
        b->setText(text);
        b->setToolTip(tip);
        b->setAccessibleDescription(tip);
    };
    button(m_play, playText(), tr("Play or pause the class (Space)"));
    button(m_step, tr("Step"), tr("One tick of every board, %L1 s of the class's time").arg(TickSeconds, 0, 'f', 1));
    button(m_finish, tr("Finish now"), tr("Play every group's runs to their end at once"));
    button(m_reset, tr("Reset"), tr("Start the same class again from the first tick"));
    m_speed->setAccessibleName(tr("Speed"));
    for (std::size_t i = 0; i < Speeds.size(); ++i)
        //: A speed, in times real time.
        m_speed->setItemText(int(i), tr("%L1×").arg(Speeds[i]));
    m_speed->setItemData(0, tr("1×, real time: a tick each %L1 s, as on the board").arg(TickSeconds, 0, 'f', 1),
                         Qt::AccessibleDescriptionRole);
    m_speed->setItemData(0, m_speed->itemData(0, Qt::AccessibleDescriptionRole), Qt::ToolTipRole);
    m_speed->setToolTip(tr("How many times faster than real time; 1× is a tick each %L1 s, as on the board")
                            .arg(TickSeconds, 0, 'f', 1));
    m_groups->setAccessibleName(tr("Groups"));
    m_seed->setAccessibleName(tr("Seed"));
    m_seed->setAccessibleDescription(tr("The same seed plays the same class"));
    m_seed->setToolTip(m_seed->accessibleDescription());
    button(m_manyButton, tr("Run %Ln class(es)", nullptr, Classes),
           tr("Play the class %Ln time(s), unseen, to see how often a class this size gets the right answer", nullptr,
              Classes));
    button(m_offer, tr("Put these counts in Our class"),
           tr("Copy the counts of the groups done into the class's table, marked as simulated"));
    m_together->setText(tr("All start &together"));
    m_together->setToolTip(tr("Every group starts at once, rather than in turn: the same runs, over sooner"));
    button(m_large, tr("Large view"),
           tr("The boards over the whole window, to be seen from the back of the room (F6)"));
    m_chart->setAccessibleName(tr("The class's counts on the law of meetings"));
    m_chartKey->setText(classatspeed::chartKey());
    m_chartVeil->setHiddenText(tr("The exact law is hidden with the answer.\nShow the answer (F5)"));
    m_speedLabel->setText(tr("&Speed:"));
    m_groupsLabel->setText(tr("&Groups:"));
    m_seedLabel->setText(tr("S&eed:"));
}

// The page's controls, texts and pictures, and where they stand.
void ClassAtSpeedPage::makeParts()
{
    const auto button = [this](const char *name) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setFocusPolicy(Qt::StrongFocus);
        return b;
    };
    m_play = button("play");
    m_step = button("step");
    m_finish = button("finish");
    m_reset = button("reset");
    m_speed = new QComboBox(this);
    m_speed->setObjectName(QStringLiteral("speed"));
    for (int s : Speeds)
        m_speed->addItem(QString(), s);
    m_speed->setCurrentIndex(int(std::ranges::find(Speeds, DefaultSpeed) - Speeds.begin()));
    m_groups = new QSpinBox(this);
    m_groups->setRange(1, stats::MostGroupsAtSpeed);
    m_groups->setValue(DefaultGroups);
    m_groups->setObjectName(QStringLiteral("groups"));
    m_seed = new QSpinBox(this);
    m_seed->setRange(1, MostSeed);
    m_seed->setValue(int(QRandomGenerator::global()->bounded(1, MostSeed + 1)));
    m_seed->setObjectName(QStringLiteral("seed"));
    m_manyButton = button("many");
    m_offer = button("offer");
    m_together = new QCheckBox(this);
    m_together->setObjectName(QStringLiteral("together"));
    m_large = button("large");
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
    m_chartKey = new QLabel(this);
    m_chartKey->setWordWrap(true);
    m_chartVeil = new Veil(m_chart, QString());

    // A row of controls playing the class; the texts and pictures; then a
    // row setting it up and one using it. Short rows, so that a language
    // longer than English still fits them.
    auto *controls = new QHBoxLayout;
    auto *settings = new QHBoxLayout;
    auto *uses = new QHBoxLayout;
    auto labelled = [this](QHBoxLayout *row, QWidget *buddy) {
        auto *label = new QLabel(this);
        label->setBuddy(buddy);
        row->addWidget(label);
        row->addWidget(buddy);
        return label;
    };
    for (QWidget *w : std::initializer_list<QWidget *>{m_play, m_step, m_finish, m_reset})
        controls->addWidget(w);
    controls->addSpacing(fontMetrics().averageCharWidth());
    m_speedLabel = labelled(controls, m_speed);
    controls->addStretch(1);
    m_groupsLabel = labelled(settings, m_groups);
    settings->addSpacing(fontMetrics().averageCharWidth());
    m_seedLabel = labelled(settings, m_seed);
    settings->addSpacing(fontMetrics().averageCharWidth());
    settings->addWidget(m_together);
    settings->addStretch(1);
    uses->addWidget(m_manyButton);
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
}
