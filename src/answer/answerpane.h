#pragma once

#include "answerengine.h"

#include <QWidget>

#include <array>

class QLabel;

// The answer, always in view: the verdict in large plain words and, for both
// scenarios side by side, the figures a class asks about first.
class AnswerPane final : public QWidget
{
    Q_OBJECT

public:
    explicit AnswerPane(QWidget *parent = nullptr);

    // Shows an answer, or that one is being worked out (null).
    void showAnswer(const answer::Answer &answer);
    QString verdictText() const;

    // The figures' rows, in the order shown.
    enum class Figure { Meetings, AtLeastOne, MeanWait, RunsFor90 };
    static constexpr std::array<Figure, 4> Figures{Figure::Meetings, Figure::AtLeastOne, Figure::MeanWait, Figure::RunsFor90};
    // The label that shows a figure; its accessible name reads it in full.
    QLabel *figureLabel(Figure figure, Scenario scenario) const;

private:
    QLabel *m_verdict = nullptr;
    std::array<stats::PerScenario<QLabel *>, Figures.size()> m_values{};
};
