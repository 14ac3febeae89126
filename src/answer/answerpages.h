#pragma once

#include "answer/answerengine.h"
#include "answer/boardview.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

class ChartPage;
class ClassTable;
class ClassAtSpeedPage;
class OneRunPage;
class QListWidget;
class QStackedWidget;
class Veil;
class WhereToWaitPage;

// The pages of detail under the answer: the law of meetings in a run, the
// wait for the first meeting, one run of each, how many runs, where to wait,
// the class's own counts and a class at speed, chosen from a list beside them that shows
// every title whole. Each page shows the latest answer, or that it is being
// worked out; a page's charts are built when it is shown, so a drag redraws
// only the page in view.
class AnswerPages final : public QWidget
{
    Q_OBJECT

public:
    enum class Page { Law, Waiting, OneRun, Runs, WhereToWait, OurClass, ClassAtSpeed };
    static constexpr std::array<Page, 7> AllPages{Page::Law,         Page::Waiting,  Page::OneRun,      Page::Runs,
                                                  Page::WhereToWait, Page::OurClass, Page::ClassAtSpeed};

    explicit AnswerPages(QWidget *parent = nullptr);
    // The page's title, in the list and for a screen reader.
    static QString title(Page page);
    // The pages take the room the answer leaves them, down to their least:
    // the height the page in view needs at the width it has, its wrapped
    // texts whole. The pages out of sight ask for no more than their least
    // (a stack's height for a width would be that of its tallest page at
    // its preferred size, every page's texts at their longest).
    QSize sizeHint() const override { return minimumSizeHint(); }
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return false; }
    // The least height of the pages, whatever page is in view.
    void setLeastHeight(int pixels);

    // The latest answer, or null while it is being worked out.
    void setAnswer(const SharedAnswer &answer);
    void setMap(const SharedMap &map);
    // Hides the answer from every page, or shows it again: the pages that
    // only show the answer are veiled, the board gets no map, and the
    // class's own pages leave out what they hold of the answer.
    void setAnswerHidden(bool hidden);
    // The window's text size: the pages' text and charts follow it.
    void setTextPixels(int pixels);

    int currentIndex() const;
    void setCurrentIndex(int index);
    QWidget *currentWidget() const;

    ClassTable &classTable() const { return *m_class; }
    // The answer with the class's counts in it (when it has any).
    SharedAnswer classAnswer() const;
    // The page in view as a PNG or SVG file, its context (start points, run
    // length, date) under it. On failure, error says why.
    bool saveCurrent(const QString &file, QString &error) const;
    // The map the board shows while "Where to wait" is in view, for the
    // scenario chosen there; none otherwise, and none while the answer is hidden.
    std::optional<stats::BoardHeat> boardHeat() const;

signals:
    void boardHeatChanged();
    // The class at speed began to play, or stopped.
    void classPlayingChanged(bool playing);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Sets its texts in the language in use, and words every page's answer again.
    void retranslate();
    void refresh();
    void classChanged();
    void takeSimulatedCounts(const stats::ClassCounts &counts);

    SharedAnswer m_answer;
    QListWidget *m_list = nullptr;
    QStackedWidget *m_stack = nullptr;
    Veil *m_veil = nullptr;
    ChartPage *m_law = nullptr;
    ChartPage *m_waiting = nullptr;
    OneRunPage *m_oneRun = nullptr;
    ChartPage *m_runs = nullptr;
    WhereToWaitPage *m_where = nullptr;
    ClassTable *m_class = nullptr;
    ClassAtSpeedPage *m_fast = nullptr;
    int m_textPixels = 13;
    int m_leastHeight = 0;
    bool m_hidden = false;
    // Which pages show something older than the latest answer.
    std::array<bool, AllPages.size()> m_stale{};
    // A new answer redraws the page in view on the next turn of the event
    // loop: the figures beside the board are painted first, in the frame the
    // walker moved in, and the page's chart in the frame after.
    QTimer m_refresh;
};
