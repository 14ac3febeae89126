#pragma once

#include "law/classatspeed.h"

#include <QCoreApplication>
#include <QWidget>

class QLabel;
class QPainter;
class QToolButton;

// Every group's pair of boards in area (both wandering, then Momotaro
// waiting), each group's counts under them in text up to textPx pixels
// high, or no counts where they would leave no room for the boards. Boards
// too small for the walkers' pictures show them as dots. The page, its
// large view and its saved picture all draw with it.
void paintClassBoards(QPainter &painter, QRect area, const stats::ClassAtSpeed &motion, int textPx);

// The groups' boards, drawn to fill the widget: their counts in the
// widget's font, or, large, as large as the boards leave room for.
class ClassBoards final : public QWidget
{
    // Its texts are the page's.
    Q_DECLARE_TR_FUNCTIONS(ClassAtSpeedPage)

public:
    // motion: the class shown (the caller's, outliving the widget).
    ClassBoards(const stats::ClassAtSpeed &motion, QWidget *parent, bool large = false);
    QSize sizeHint() const override { return minimumSizeHint(); }
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void retranslate();

    const stats::ClassAtSpeed &m_motion;
    bool m_large = false;
};

// The class's boards over the whole of its window, for the back of the
// room: how far the class is above them in large letters, the boards
// below. It follows the window's size; the window's keys still work.
class LargeClassView final : public QWidget
{
    Q_OBJECT

public:
    // motion: the class shown (the caller's, outliving the view).
    LargeClassView(const stats::ClassAtSpeed &motion, QWidget *window);

    // What the view says above the boards.
    void setTexts(const QString &state, const QString &timing);
    // Shows the view over the window, focused, or hides it.
    void enter(bool on);
    void refresh();

signals:
    // The teacher asked, by its button, to go back to the page.
    void leaveAsked();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void retranslate();
    ClassBoards *m_boards = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_timing = nullptr;
    QToolButton *m_back = nullptr;
};
