#include "answerpane.h"

#include "charts.h"
#include "wording.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace {

// The headline's size against the text's.
constexpr double HeadlineTimes = 2.25;

} // namespace

AnswerPane::AnswerPane(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto selectable = [](QLabel *label) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    m_headline = new QLabel(this);
    selectable(m_headline);
    m_headline->setFocusPolicy(Qt::StrongFocus);
    m_headline->setAccessibleName(QStringLiteral("The answer"));
    m_headline->setObjectName(QStringLiteral("verdict"));
    grid->addWidget(m_headline, 0, 0, 1, 3);
    m_detail = new QLabel(this);
    selectable(m_detail);
    m_detail->setFocusPolicy(Qt::TabFocus);
    m_detail->setAccessibleName(QStringLiteral("The answer in detail"));
    grid->addWidget(m_detail, 1, 0, 1, 3);

    for (Scenario scenario : stats::Scenarios) {
        // The scenario's name, as everywhere, and the board's button that runs it.
        auto *name = new QLabel(QStringLiteral("%1\n(\"%2\")").arg(stats::plainName(scenario), stats::scenarioCaption(scenario)), this);
        name->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        // The scenario's colour, as in the charts, darkened to be read as text.
        QPalette palette = name->palette();
        palette.setColor(QPalette::WindowText, stats::lookOf(scenario).color.darker(140));
        name->setPalette(palette);
        grid->addWidget(name, 2, scenario == Scenario::BothWalk ? 1 : 2);
        m_names[scenario] = name;
    }
    for (std::size_t row = 0; row < Figures.size(); ++row) {
        m_headings[row] = new QLabel(stats::figureHeading(Figures[row]), this);
        m_headings[row]->setWordWrap(true);
        grid->addWidget(m_headings[row], int(row) + 3, 0);
        for (Scenario scenario : stats::Scenarios) {
            auto *valueLabel = new QLabel(this);
            valueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            valueLabel->setWordWrap(true);
            valueLabel->setFocusPolicy(Qt::TabFocus);
            valueLabel->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
            grid->addWidget(valueLabel, int(row) + 3, scenario == Scenario::BothWalk ? 1 : 2);
            m_values[row][scenario] = valueLabel;
        }
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(int(Figures.size()) + 3, 1);
    showFigures(nullptr);
}

void AnswerPane::setTextPixels(int pixels)
{
    QFont text = font();
    text.setPixelSize(pixels);
    setFont(text);
    QFont large = text;
    large.setPixelSize(int(pixels * HeadlineTimes + 0.5));
    large.setBold(true);
    m_headline->setFont(large);
    QFont bold = text;
    bold.setBold(true);
    for (QLabel *name : m_names.values)
        name->setFont(bold);
}

void AnswerPane::showAnswer(const answer::Answer &answer)
{
    const stats::Verdict &verdict = answer->verdict;
    m_headline->setText(verdict.headline);
    m_detail->setText(verdict.detail);
    showFigures(answer.get());
}

void AnswerPane::showPending(const answer::Question &question)
{
    m_headline->setText(QStringLiteral("Working out the answer…"));
    m_detail->setText(QStringLiteral("For Momotaro starting at (%1, %2), Dog at (%3, %4), and runs of %5 s.")
                          .arg(int(question.starts.momotaro.x))
                          .arg(int(question.starts.momotaro.y))
                          .arg(int(question.starts.dog.x))
                          .arg(int(question.starts.dog.y))
                          .arg(question.seconds));
    showFigures(nullptr);
}

void AnswerPane::showFigures(const stats::Answer *answer)
{
    for (std::size_t row = 0; row < Figures.size(); ++row) {
        for (Scenario scenario : stats::Scenarios) {
            QLabel *label = m_values[row][scenario];
            const QString text = answer ? stats::figureValue(Figures[row], *answer, scenario) : QStringLiteral("…");
            label->setText(text);
            // Read out with its row and column, as a sighted reader sees it.
            label->setAccessibleName(QStringLiteral("%1, %2: %3").arg(stats::figureHeading(Figures[row]), stats::plainName(scenario), text));
        }
    }
}

QString AnswerPane::verdictText() const
{
    return m_headline->text() + u'\n' + m_detail->text();
}

QLabel *AnswerPane::figureLabel(Figure figure, Scenario scenario) const
{
    const auto row = std::size_t(std::find(Figures.begin(), Figures.end(), figure) - Figures.begin());
    return m_values[row][scenario];
}
