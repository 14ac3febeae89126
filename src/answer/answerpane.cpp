#include "answerpane.h"

#include "pictures.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace {

// Each figure's row heading, as the statistics tool's table words it.
QString heading(AnswerPane::Figure figure)
{
    switch (figure) {
    case AnswerPane::Figure::Meetings: return QStringLiteral("Meetings in a run, on average");
    case AnswerPane::Figure::AtLeastOne: return QStringLiteral("At least one meeting in the run");
    case AnswerPane::Figure::MeanWait: return QStringLiteral("First meeting, on average, if the run had no time limit");
    case AnswerPane::Figure::RunsFor90: return QStringLiteral("Runs of each for the right answer 9 times in 10");
    }
    return {};
}

QString value(AnswerPane::Figure figure, const stats::Report &report, Scenario scenario)
{
    const stats::ExactResult &exact = report.exact[scenario];
    switch (figure) {
    case AnswerPane::Figure::Meetings: return QString::number(exact.expectedMeetings, 'f', 2);
    case AnswerPane::Figure::AtLeastOne: return stats::percent(exact.atLeastOne);
    case AnswerPane::Figure::MeanWait: return QString::number(exact.meanFirstSeconds, 'f', 1) + QStringLiteral(" s");
    case AnswerPane::Figure::RunsFor90: {
        // Only the way with more meetings in the run, the faster one, can
        // come out ahead 9 times in 10; the other never does.
        const double other = report.exact[stats::otherScenario(scenario)].expectedMeetings;
        if (exact.expectedMeetings == other)
            return other == 0 ? QStringLiteral("never: no meeting is possible") : QStringLiteral("never: neither way is faster");
        if (exact.expectedMeetings < other)
            return QStringLiteral("never: %1 is the slower way").arg(stats::doing(scenario));
        const int runs = report.runsEach.runsFor90;
        return runs == 0 ? QStringLiteral("more than %1").arg(report.runsEach.byRuns.size()) : QString::number(runs);
    }
    }
    return {};
}

} // namespace

AnswerPane::AnswerPane(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    m_verdict = new QLabel(this);
    m_verdict->setWordWrap(true);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_verdict->setFocusPolicy(Qt::StrongFocus);
    m_verdict->setAccessibleName(QStringLiteral("The answer"));
    m_verdict->setObjectName(QStringLiteral("verdict"));
    m_verdict->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The verdict is read from the back of the room: larger, in bold (the
    // window sets its size with the rest of its text).
    QFont large = m_verdict->font();
    large.setBold(true);
    m_verdict->setFont(large);
    grid->addWidget(m_verdict, 0, 0, 1, 3);

    for (Scenario scenario : stats::Scenarios) {
        auto *name = new QLabel(stats::plainName(scenario), this);
        name->setAlignment(Qt::AlignRight);
        // The scenario's colour, as in the charts.
        name->setStyleSheet(QStringLiteral("font-weight: bold; color: %1").arg(stats::lookOf(scenario).color.name()));
        grid->addWidget(name, 1, scenario == Scenario::BothWalk ? 1 : 2);
    }
    for (std::size_t row = 0; row < Figures.size(); ++row) {
        auto *label = new QLabel(heading(Figures[row]), this);
        label->setWordWrap(true);
        grid->addWidget(label, int(row) + 2, 0);
        for (Scenario scenario : stats::Scenarios) {
            auto *valueLabel = new QLabel(this);
            valueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            valueLabel->setFocusPolicy(Qt::TabFocus);
            valueLabel->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
            grid->addWidget(valueLabel, int(row) + 2, scenario == Scenario::BothWalk ? 1 : 2);
            m_values[row][scenario] = valueLabel;
        }
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    showAnswer(nullptr);
}

void AnswerPane::showAnswer(const answer::Answer &answer)
{
    m_verdict->setText(answer ? stats::verdict(*answer) : QStringLiteral("Working out the answer…"));
    for (std::size_t row = 0; row < Figures.size(); ++row) {
        for (Scenario scenario : stats::Scenarios) {
            QLabel *label = m_values[row][scenario];
            const QString text = answer ? value(Figures[row], *answer, scenario) : QStringLiteral("…");
            label->setText(text);
            // Read out with its row and column, as a sighted reader sees it.
            label->setAccessibleName(QStringLiteral("%1, %2: %3").arg(heading(Figures[row]), stats::plainName(scenario), text));
        }
    }
}

QString AnswerPane::verdictText() const
{
    return m_verdict->text();
}

QLabel *AnswerPane::figureLabel(Figure figure, Scenario scenario) const
{
    const auto row = std::size_t(std::find(Figures.begin(), Figures.end(), figure) - Figures.begin());
    return m_values[row][scenario];
}
