#pragma once

#include "answer/answerengine.h"

#include <QWidget>

class QButtonGroup;
class QLabel;

// "Where to wait": what the map on the board means, the scenario it is
// shown for, and the best points to start Momotaro at for it.
class WhereToWaitPage final : public QWidget
{
    Q_OBJECT

public:
    explicit WhereToWaitPage(QWidget *parent);

    // The map of the latest answer, or null while it is worked out.
    void setMap(const SharedMap &map);
    const SharedMap &map() const { return m_map; }
    Scenario chosen() const;
    void choose(Scenario scenario);
    // Names the best points of the scenario chosen, or says the map is
    // being worked out; false then.
    bool showBest();
    // Leaves the best points out (the answer hidden).
    void clearBest();
    // The map as a picture, for the starts and run length of answer. On
    // failure, error says why.
    bool save(const stats::Answer &answer, const QString &file, QString &error) const;

protected:
    void changeEvent(QEvent *event) override;

signals:
    // The teacher chose the scenario the map is shown for.
    void choiceChanged();

private:
    void retranslate();

    SharedMap m_map;
    QLabel *m_explain = nullptr;
    QButtonGroup *m_choice = nullptr;
    QLabel *m_best = nullptr;
};
