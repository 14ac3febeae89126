#pragma once

#include "answerengine.h"

#include <QTabWidget>
#include <QTimer>

#include <array>
#include <optional>

class ChartPage;
class ClassTable;
class OneRunPicture;
class QButtonGroup;
class QLabel;

// The pages of detail under the answer: the law of meetings in a run, the
// wait for the first meeting, one run of each, how many runs, where to wait
// and the class's own counts. Each shows the latest answer; a page's charts
// are built when it is shown, so a drag redraws only the page in view.
class AnswerPages final : public QTabWidget
{
    Q_OBJECT

public:
    enum class Page { Law, Waiting, OneRun, Runs, WhereToWait, OurClass };

    explicit AnswerPages(QWidget *parent = nullptr);

    void setAnswer(const answer::Answer &answer);
    void setMap(const answer::Map &map);
    ClassTable &classTable() const { return *m_class; }
    // The answer with the class's counts in it (when it has any).
    answer::Answer classAnswer() const;
    // The page in view as a PNG or SVG file, drawn as the statistics tool
    // draws its pictures. On failure, error says why.
    bool saveCurrent(const QString &file, QString &error) const;
    // The heat the board shows: the map of the scenario chosen while "Where
    // to wait" is in view, none otherwise.
    std::optional<std::array<double, stats::BoardPoints>> heat() const;

signals:
    void heatChanged();

private:
    void refresh();
    void classChanged();

    answer::Answer m_answer;
    answer::Map m_map;
    ChartPage *m_law = nullptr;
    ChartPage *m_waiting = nullptr;
    OneRunPicture *m_oneRun = nullptr;
    ChartPage *m_runs = nullptr;
    QWidget *m_where = nullptr;
    QButtonGroup *m_waitChoice = nullptr;
    QLabel *m_best = nullptr;
    ClassTable *m_class = nullptr;
    // Which pages show an older answer than the latest.
    std::array<bool, 6> m_stale{};
    // A new answer redraws the page in view on the next turn of the event
    // loop: the figures beside the board are painted first, in the frame the
    // walker moved in, and the page's chart in the frame after.
    QTimer m_refresh;
};
