#include "problem_window/printbox.h"

#include "forms/fonts.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// A new box prints in this size until told otherwise.
constexpr double DefaultPointSize = 9;

} // namespace

PrintBox::PrintBox(QWidget *parent) : QFrame(parent), m_font(fonts::japaneseGothic(DefaultPointSize))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
}

void PrintBox::cls()
{
    m_printY = 0;
    m_printed.clear();
    update();
}

void PrintBox::setFontSize(double pointSize)
{
    m_font.setPointSizeF(pointSize);
}

void PrintBox::setFontStretch(int percent)
{
    m_font.setStretch(percent);
}

void PrintBox::setForeColor(const QColor &color)
{
    m_color = color;
}

void PrintBox::print(const QString &text)
{
    m_printed.append({text, m_color, m_font.pointSizeF(), m_printY});
    // A line is as high as the font's size (12 points are 16 pixels at 96
    // dots per inch), the pitch the boxes' text was laid out for; the font's
    // own line spacing is a pixel more and would push the last line's
    // descenders out of the box.
    m_printY += qRound(m_font.pointSizeF() * logicalDpiY() / 72.0);
    update();
}

QFont PrintBox::fontOf(const Line &line) const
{
    QFont font = m_font;
    font.setPointSizeF(line.pointSize);
    return font;
}

void PrintBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Line &line : m_printed) {
        if (line.text.isEmpty())
            continue;
        const QFont font = fontOf(line);
        painter.setFont(font);
        painter.setPen(line.color);
        painter.drawText(inside.topLeft() + QPoint(0, line.top + QFontMetrics(font, this).ascent()), line.text);
    }
}
