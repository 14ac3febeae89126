#pragma once

#include "answerengine.h"

#include <QMainWindow>

#include <functional>

class AnswerPages;
class AnswerPane;
class BoardView;
class QScrollArea;
class QSettings;
class QSpinBox;

// The "Meetling answer" window: the board to set the question, the answer
// beside it, the pages of detail below. Every figure comes from the
// engine's worker thread; the window only shows them, and says when they
// are being worked out. What the teacher set up is kept in settings and
// comes back at the next start.
//
// The window fits its screen, and its content scales as a whole: the text,
// the board and the charts grow with the window and with the zoom (Ctrl+Plus,
// Ctrl+Minus, Ctrl+0), and F11 fills the screen for a projector. Content
// larger than the window scrolls; nothing is cut off.
class AnswerWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // settings: where the start points, run length, class table, zoom and
    // geometry are kept (the caller's, outliving the window).
    explicit AnswerWindow(QSettings &settings, QWidget *parent = nullptr);
    ~AnswerWindow() override;

    BoardView &board() const { return *m_board; }
    AnswerPane &pane() const { return *m_pane; }
    AnswerPages &pages() const { return *m_pages; }
    QSpinBox &runLength() const { return *m_seconds; }
    // The answer in view, once there is one; null while it is worked out.
    const answer::Answer &shownAnswer() const { return m_answer; }
    // The text's pixel size now (the headline is larger).
    int textPixels() const { return m_textPixels; }

signals:
    // An answer is on screen (after its paint was asked for).
    void answerShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ask();
    void showAnswer(const answer::Answer &answer);
    void showPending();
    void setZoom(double zoom);
    void togglePresentation();
    void rescale();
    void fitOnScreen();
    void whenAnswered(std::function<void()> action);
    void openClass();
    void saveClass();
    void newClass();
    void exportPage();
    void copyVerdict();
    void remember();

    QSettings &m_settings;
    answer::AnswerEngine m_engine;
    answer::Answer m_answer;
    QScrollArea *m_scroller = nullptr;
    QWidget *m_content = nullptr;
    BoardView *m_board = nullptr;
    QSpinBox *m_seconds = nullptr;
    AnswerPane *m_pane = nullptr;
    AnswerPages *m_pages = nullptr;
    double m_zoom = 1.0;
    int m_textPixels = 0;
    // What waits for the answer to be worked out (a copy, an export).
    std::function<void()> m_whenAnswered;
    // Placed on the screen at the first show, and again once the window
    // manager has added its frame.
    bool m_fitted = false;
};
