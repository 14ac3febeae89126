#pragma once

#include "answerengine.h"

#include <QMainWindow>

class AnswerPages;
class AnswerPane;
class BoardView;
class QSettings;
class QSpinBox;

// The "Meetling answer" window: the board to set the question, the answer
// beside it, the pages of detail below. Every figure comes from the
// engine's worker thread; the window only shows them. What the teacher set
// up is kept in settings and comes back at the next start.
class AnswerWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // settings: where the start points, run length, class table and geometry
    // are kept (the caller's, outliving the window).
    explicit AnswerWindow(QSettings &settings, QWidget *parent = nullptr);
    ~AnswerWindow() override;

    BoardView &board() const { return *m_board; }
    AnswerPane &pane() const { return *m_pane; }
    AnswerPages &pages() const { return *m_pages; }
    QSpinBox &runLength() const { return *m_seconds; }
    // The answer in view, once there is one.
    const answer::Answer &shownAnswer() const { return m_answer; }

signals:
    // An answer is on screen (after its paint was asked for).
    void answerShown();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ask();
    void showAnswer(const answer::Answer &answer);
    void zoom(double factor);
    void scaleText();
    void openClass();
    void saveClass();
    void newClass();
    void exportPage();
    void copyVerdict();
    void remember();

    QSettings &m_settings;
    answer::AnswerEngine m_engine;
    answer::Answer m_answer;
    BoardView *m_board = nullptr;
    QSpinBox *m_seconds = nullptr;
    AnswerPane *m_pane = nullptr;
    AnswerPages *m_pages = nullptr;
    double m_zoom = 1.0;
};
