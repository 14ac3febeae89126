#pragma once

#include "answer/answerpages.h"
#include "answer/fittedchartview.h"

class QBarSet;

// A page that is one chart of the answer: the law of meetings in a run, the
// wait for the first meeting, or how many runs; its text the window's text
// size, and what it shows in words for a screen reader.
class ChartPage final : public FittedChartView
{
public:
    // page: Law, Waiting or Runs.
    ChartPage(AnswerPages::Page page, QWidget *parent);

    void showAnswer(const stats::Answer &answer);
    // The page's chart of answer as a picture, footer under it. On failure,
    // error says why.
    bool save(const stats::Answer &answer, const QString &file, const QString &footer, QString &error) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    // A bar's chance where the pointer is, and for a screen reader in the
    // chart's description.
    void hovered(bool on, int index, QBarSet *set);

    AnswerPages::Page m_page;
};
