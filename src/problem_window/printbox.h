#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QList>

// A white box that text is printed into line by line, like a sheet of paper:
// each line is drawn at the print position in the current font size and
// colour, and the print position moves down one line. The drawing is kept in
// an image, so it survives being covered and uncovered.
class PrintBox : public QFrame
{
public:
    struct Line
    {
        QString text;
        QColor color;
        double pointSize = 0;
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
    const QImage &surface() const { return m_surface; }
    int printY() const { return m_printY; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_surface;
    QFont m_font;
    QColor m_color = Qt::black;
    int m_printY = 0;
    QList<Line> m_printed;
};
