#pragma once

#include "answer/answerengine.h"
#include "words/wording.h"

#include <QWidget>

#include <array>

class QLabel;
class QStackedLayout;

// The answer, always in view: a one-line headline in the largest text, the
// detail under it in regular weight and, for both scenarios side by side,
// the figures a class asks about first. Until the answer to the question on
// the board is known it says so, and shows no older figure. While the
// answer is hidden, a message in its place says so and how to show it; the
// pane holds no figure of it, not even for a screen reader.
class AnswerPane final : public QWidget
{
    Q_OBJECT

public:
    explicit AnswerPane(QWidget *parent = nullptr);

    // Shows an answer.
    void showAnswer(const SharedAnswer &answer);
    // Says that the answer to question is being worked out.
    void showPending(const Question &question);
    // Hides the answer, or shows the latest one again.
    void setAnswerHidden(bool hidden);
    // The headline, then the detail, as they are whether hidden or not.
    QString verdictText() const;
    // The text's pixel size; the headline is larger.
    void setTextPixels(int pixels);

    // The figures' rows, in the order shown.
    using Figure = stats::Figure;
    static constexpr auto Figures = stats::Figures;
    // The label that shows a figure; its accessible name reads it in full.
    QLabel *figureLabel(Figure figure, Scenario scenario) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    // Sets its texts in the language in use, the answer worded afresh.
    void retranslate();
    void showVerdict(const QString &headline, const QString &detail);
    void showFigures();

    // The answer shown (null while it is worked out), and whether it is hidden.
    SharedAnswer m_answer;
    // The question whose answer is being worked out, while it is.
    Question m_asked;
    bool m_hidden = false;
    QString m_headlineText;
    QString m_detailText;
    QStackedLayout *m_layers = nullptr;
    QWidget *m_figures = nullptr;
    QWidget *m_hiddenNote = nullptr;
    QLabel *m_hiddenTitle = nullptr;
    QLabel *m_hiddenHow = nullptr;

    QLabel *m_headline = nullptr;
    QLabel *m_detail = nullptr;
    stats::PerScenario<QLabel *> m_names{};
    std::array<QLabel *, Figures.size()> m_headings{};
    std::array<stats::PerScenario<QLabel *>, Figures.size()> m_values{};
};
