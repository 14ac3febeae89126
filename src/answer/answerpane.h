#pragma once

#include "answerengine.h"
#include "wording.h"

#include <QWidget>

#include <array>

class QLabel;

// The answer, always in view: a one-line headline in the largest text, the
// detail under it in regular weight and, for both scenarios side by side,
// the figures a class asks about first. Until the answer to the question on
// the board is known it says so, and shows no older figure.
class AnswerPane final : public QWidget
{
    Q_OBJECT

public:
    explicit AnswerPane(QWidget *parent = nullptr);

    // Shows an answer.
    void showAnswer(const answer::Answer &answer);
    // Says that the answer to question is being worked out.
    void showPending(const answer::Question &question);
    // The headline, then the detail.
    QString verdictText() const;
    // The text's pixel size; the headline is larger.
    void setTextPixels(int pixels);

    // The figures' rows, in the order shown.
    using Figure = stats::Figure;
    static constexpr auto Figures = stats::Figures;
    // The label that shows a figure; its accessible name reads it in full.
    QLabel *figureLabel(Figure figure, Scenario scenario) const;

private:
    void showFigures(const stats::Answer *answer);

    QLabel *m_headline = nullptr;
    QLabel *m_detail = nullptr;
    stats::PerScenario<QLabel *> m_names{};
    std::array<QLabel *, Figures.size()> m_headings{};
    std::array<stats::PerScenario<QLabel *>, Figures.size()> m_values{};
};
