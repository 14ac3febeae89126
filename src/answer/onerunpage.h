#pragma once

#include "answer/answerengine.h"

#include <QWidget>

class QPainter;

// "One run of each": how often each way counts more in one run, or they
// tie, as three bars; blank while there is no answer.
class OneRunPage final : public QWidget
{
public:
    explicit OneRunPage(QWidget *parent);

    // The answer shown, or null for none.
    void setAnswer(const SharedAnswer &answer);
    // answer's bars as a picture, footer under them. On failure, error says why.
    static bool save(const stats::Answer &answer, const QString &file, const QString &footer, QString &error);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    SharedAnswer m_answer;
};
