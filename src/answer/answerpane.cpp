#include "answer/answerpane.h"

#include "answer/veil.h"
#include "pictures/charts.h"
#include "words/verdictwords.h"
#include "words/wording.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The headline's size against the text's.
constexpr double HeadlineTimes = 2.25;

} // namespace

AnswerPane::AnswerPane(QWidget *parent) : QWidget(parent)
{
    // The answer and, in its place while it is hidden, the message that says so.
    m_figures = new QWidget(this);
    auto *grid = new QGridLayout(m_figures);
    grid->setContentsMargins(0, 0, 0, 0);
    auto selectable = [](QLabel *label) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    m_headline = new QLabel(m_figures);
    selectable(m_headline);
    m_headline->setFocusPolicy(Qt::StrongFocus);
    m_headline->setObjectName(QStringLiteral("verdict"));
    grid->addWidget(m_headline, 0, 0, 1, 3);
    m_detail = new QLabel(m_figures);
    selectable(m_detail);
    m_detail->setFocusPolicy(Qt::TabFocus);
    grid->addWidget(m_detail, 1, 0, 1, 3);

    for (Scenario scenario : stats::Scenarios) {
        auto *name = new QLabel(m_figures);
        name->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        // The scenario's colour, as in the charts, darkened to be read as text.
        QPalette palette = name->palette();
        palette.setColor(QPalette::WindowText, stats::lookOf(scenario).color.darker(140));
        name->setPalette(palette);
        grid->addWidget(name, 2, scenario == Scenario::BothWalk ? 1 : 2);
        m_names[scenario] = name;
    }
    for (std::size_t row = 0; row < Figures.size(); ++row) {
        m_headings[row] = new QLabel(m_figures);
        m_headings[row]->setWordWrap(true);
        grid->addWidget(m_headings[row], int(row) + 3, 0);
        for (Scenario scenario : stats::Scenarios) {
            auto *valueLabel = new QLabel(m_figures);
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

    m_hiddenNote = new QWidget(this);
    m_hiddenNote->setObjectName(QStringLiteral("answerHidden"));
    m_hiddenTitle = new QLabel(m_hiddenNote);
    m_hiddenTitle->setFocusPolicy(Qt::StrongFocus);
    m_hiddenHow = new QLabel(m_hiddenNote);
    m_hiddenHow->setWordWrap(true);
    auto *note = new QVBoxLayout(m_hiddenNote);
    note->setContentsMargins(0, 0, 0, 0);
    note->addWidget(m_hiddenTitle);
    note->addWidget(m_hiddenHow);
    note->addStretch(1);

    // One over the other, in the same room. While the answer is hidden the
    // figures' labels are blank, so that the pane's size tells nothing of it.
    m_layers = new QStackedLayout(this);
    m_layers->addWidget(m_figures);
    m_layers->addWidget(m_hiddenNote);
    retranslate();
}

void AnswerPane::retranslate()
{
    // A screen reader reads a label's text as its name, kept up to date with
    // it, blank while the answer is hidden; what the label is goes with it.
    m_headline->setAccessibleDescription(tr("The answer"));
    m_detail->setAccessibleDescription(tr("The answer in detail"));
    for (Scenario scenario : stats::Scenarios)
        // The scenario's name, as everywhere, and the board's button that runs it.
        //: A way's name, and under it the caption of the board program's button that plays it (left in English).
        m_names[scenario]->setText(
            tr("%1\n(\"%2\")").arg(stats::plainName(scenario), stats::scenarioCaption(scenario)));
    for (std::size_t row = 0; row < Figures.size(); ++row)
        m_headings[row]->setText(stats::figureHeading(Figures[row]));
    m_hiddenTitle->setText(tr("The answer is hidden"));
    m_hiddenHow->setText(tr("Show the answer (F5) once the class has made its guess."));
    if (m_answer)
        showAnswer(m_answer);
    else
        showPending(m_asked);
}

void AnswerPane::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
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
    m_hiddenTitle->setFont(large);
    QFont bold = text;
    bold.setBold(true);
    for (QLabel *name : m_names.values)
        name->setFont(bold);
}

void AnswerPane::showAnswer(const SharedAnswer &answer)
{
    m_answer = answer;
    showVerdict(stats::headline(*answer), stats::detail(*answer));
    showFigures();
}

void AnswerPane::showPending(const Question &asked)
{
    m_answer = nullptr;
    m_asked = asked;
    //: Momotaro's start point (%1, %2), Dog's (%3, %4) and the run's length in seconds.
    const QString question = tr("For Momotaro starting at (%1, %2), Dog at (%3, %4), and runs of %L5 s.")
                                 .arg(int(asked.starts.momotaro.x))
                                 .arg(int(asked.starts.momotaro.y))
                                 .arg(int(asked.starts.dog.x))
                                 .arg(int(asked.starts.dog.y))
                                 .arg(asked.seconds);
    showVerdict(Veil::working(), question);
    showFigures();
}

void AnswerPane::setAnswerHidden(bool hidden)
{
    m_hidden = hidden;
    m_layers->setCurrentWidget(hidden ? m_hiddenNote : m_figures);
    showVerdict(m_headlineText, m_detailText);
    showFigures();
}

void AnswerPane::showVerdict(const QString &headline, const QString &detail)
{
    m_headlineText = headline;
    m_detailText = detail;
    // Hidden, the labels hold nothing: out of sight is not out of a screen
    // reader's reach, nor of the pane's height.
    m_headline->setText(m_hidden ? QString() : headline);
    m_detail->setText(m_hidden ? QString() : detail);
}

void AnswerPane::showFigures()
{
    for (std::size_t row = 0; row < Figures.size(); ++row) {
        for (Scenario scenario : stats::Scenarios) {
            QLabel *label = m_values[row][scenario];
            const QString text = m_hidden   ? QString()
                                 : m_answer ? stats::figureValue(Figures[row], *m_answer, scenario)
                                            : QStringLiteral("…");
            label->setText(text);
            // Read out with its row and column, as a sighted reader sees it.
            //: A figure read out: its row's heading, the way (its column), the value.
            label->setAccessibleName(
                tr("%1, %2: %3").arg(stats::figureHeading(Figures[row]), stats::plainName(scenario), text));
        }
    }
    // The labels of the figures out of sight tell no layout that their size
    // changed: the pane asks for its room again itself.
    if (m_hidden) {
        m_layers->invalidate();
        updateGeometry();
    }
}

QString AnswerPane::verdictText() const
{
    return m_headlineText + u'\n' + m_detailText;
}

QLabel *AnswerPane::figureLabel(Figure figure, Scenario scenario) const
{
    const auto row = std::size_t(std::find(Figures.begin(), Figures.end(), figure) - Figures.begin());
    return m_values[row][scenario];
}
