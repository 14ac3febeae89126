#pragma once

#include <QColor>
#include <QFrame>
#include <QList>

// A white box that text is printed into line by line, like a sheet of paper:
// each line is drawn at the print position in the current font size and
// colour, and the print position moves down one line. The printed lines are
// kept and painted again whenever the box is, at the screen's own
// resolution, so they survive being covered and stay sharp on any display.
class PrintBox : public QFrame
{
    Q_OBJECT

public:
    struct Line
    {
        QString text;
        QColor color;
        double pointSize = 0;
        int top = 0; // pixels below the top of the box's inside
    };

    explicit PrintBox(QWidget *parent = nullptr);

    // Fills the box with white and moves the print position to the top-left.
    void cls();
    void setFontSize(double pointSize);
    // Narrows (below 100) the glyphs of everything printed from now on.
    void setFontStretch(int percent);
    void setForeColor(const QColor &color);
    void print(const QString &text = {});

    // What was printed since the last cls(), in order.
    const QList<Line> &printed() const { return m_printed; }
    int printY() const { return m_printY; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont fontOf(const Line &line) const;

    QFont m_font;
    QColor m_color = Qt::black;
    int m_printY = 0;
    QList<Line> m_printed;
};
